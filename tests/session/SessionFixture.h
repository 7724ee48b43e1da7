#pragma once

#include "engine/PuzzleDigits.h"
#include "session/CGameFieldCtrl.h"
#include "session/FieldMessages.h"
#include "tests/session/SpyWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

// A complete, valid board: row r (0-based) is the digits 1-9 shifted by
// 3 * (r mod 3) + r div 3.
inline std::uint8_t SolutionDigit(CellPos pos) {
    const std::uint32_t r = pos.row - 1;
    const std::uint32_t c = pos.column - 1;
    return static_cast<std::uint8_t>((r % 3 * 3 + r / 3 + c) % 9 + 1);
}

// The solution above with the given cells left empty.
PuzzleDigits SolutionWithHoles(std::initializer_list<CellPos> holes);

// A message to the spy main window.
SentMessage ToParent(UINT message, WPARAM wParam, LPARAM lParam);
// What the session sends for one recorded change.
MessageLog Recorded();

// A session made a child window of a spy main window, with a spy hint strip
// the main window hands out, and a clock the test sets.
class SessionTest : public ::testing::Test {
protected:
    static constexpr std::int64_t StartOfPlay = 1'700'000'000;

    SessionTest();
    ~SessionTest() override;

    // The messages sent since the last call, then forgets them.
    MessageLog TakeLog();

    // What a refresh sends with the given selected cell state (none when the
    // selection is not a valid cell).
    MessageLog Refreshed() const;
    MessageLog HintStripNotified() const;

    // Selects `pos` and forgets the messages that caused.
    void Select(CellPos pos);
    const CCell& CellAt(CellPos pos) const { return session.field.At(pos); }

    std::int64_t now = StartOfPlay;
    MessageLog log;
    SpyWindow mainWindow{"main", log};
    SpyWindow hintStrip{"hint", log};
    CGameFieldCtrl session;
};

MessageLog Concat(std::initializer_list<MessageLog> parts);
