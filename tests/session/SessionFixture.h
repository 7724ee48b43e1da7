#pragma once

#include "engine/PuzzleDigits.h"
#include "session/CGameFieldCtrl.h"
#include "session/FieldMessages.h"
#include "tests/support/SolvedGrid.h"
#include "tests/support/SpyWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

// A message the session sent, addressed by the spy's name ("main" or "hint")
// so the expected tables below read without window handles.
struct SentMessage {
    std::string to;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::string text;

    friend bool operator==(const SentMessage&, const SentMessage&) = default;
};

std::ostream& operator<<(std::ostream& out, const SentMessage& sent);

using MessageLog = std::vector<SentMessage>;

// A message to the spy main window.
SentMessage ToParent(UINT message, WPARAM wParam, LPARAM lParam);
// What the session sends for one recorded change.
MessageLog Recorded();
// What it sends when the undo and redo lists are emptied.
MessageLog HistoryCleared();

// A session made a child window of a spy main window, with a spy hint strip
// the main window hands out, and a clock the test sets. Both spies record the
// session's private messages into one log.
class SessionTest : public ::testing::Test {
protected:
    static constexpr std::int64_t StartOfPlay = 1'700'000'000;

    SessionTest();
    ~SessionTest() override;

    // The messages sent since the last call, then forgets them.
    MessageLog TakeLog();

    // Selects `pos` and forgets the messages that caused.
    void Select(CellPos pos);
    // Selects each cell in turn and enters its solved digit.
    void FillSolution(std::initializer_list<CellPos> cells) {
        for (const CellPos pos : cells) {
            Select(pos);
            session.SetDigit(SolutionDigit(pos));
        }
    }
    const CCell& CellAt(CellPos pos) const { return session.field.At(pos); }

    // The main window answers the hint strip request with `strip`.
    void SetHintStrip(HWND strip) {
        mainWindow.SetReply(WM_GET_HINTSTRIP, reinterpret_cast<LRESULT>(strip));
    }

    std::int64_t now = StartOfPlay;
    wintest::MessageLog log;
    wintest::SpyWindow mainWindow{log};
    wintest::SpyWindow hintStrip{log};
    CGameFieldCtrl session;
};

// What the session tells the hint strip about the selected cell: its digit in
// the low word and the input mode (0 digits, 1 marks) in the high word, and
// its flags; with no cell selected, all bits set and -1.
constexpr WPARAM NoCell = ~WPARAM{0};
MessageLog HintStripNotified(WPARAM cellState = NoCell, LPARAM flags = -1);
// The same, followed by the ready text, as every refresh sends.
MessageLog Refreshed(WPARAM cellState = NoCell, LPARAM flags = -1);

MessageLog Concat(std::initializer_list<MessageLog> parts);
