#pragma once

#include "engine/BoardStats.h"
#include "engine/CellPos.h"
#include "engine/ConflictRegion.h"
#include "engine/PuzzleDigits.h"
#include "session/CGameFieldSerialData.h"
#include "views/win/framework/CWindow.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The field view and, at the same time, the game session: the board, the
// clock, the selection, the input mode, the shown conflict, the undo and redo
// lists and the snapshots, with every command that changes them.
//
// The session reports to the rest of the program only by messages to its
// parent (the main window) and to the hint strip. Every send first checks that
// this control and its parent are windows, so a session that was never made a
// window works all the same and simply reports nothing.
class CGameFieldCtrl : public CWindow, public CGameFieldSerialData {
public:
    enum InputMode : std::uint32_t { DigitEntry = 0, MarkEntry = 1 };

    // Calendar seconds since 1970.
    using Clock = std::function<std::int64_t()>;

    static constexpr std::size_t MaxSnapshots = 20;
    static constexpr const char* ReadyText = "Ready (Press 'M' to change Mode or use Ctrl-Number)";

    CGameFieldCtrl();

    // Replaces the calendar clock; an empty clock restores the system clock.
    void SetClock(Clock clock);

    // Games.
    void NewGame(int level);
    // A new game of the given digits (every non-zero digit a given) and level 0-4.
    void StartPuzzle(const PuzzleDigits& digits, int level);
    void NewBlankGame();
    void ResetGame();
    void Refresh();
    void EndGame();
    std::int64_t GetElapsed() const;

    // Commands on the selected cell.
    void SetDigit(int digit);
    void ToggleMark(int digit);
    void ClearDigit();
    void ClearCell();
    void EnterFromHintStrip(int digit);
    // True when the candidates were given; false when the cell's units repeat a
    // digit (the offending unit is then the conflict region) or no cell is selected.
    bool Hint();

    // Selection, mode and checks.
    void SelectCell(CellPos pos);
    void CancelSelection();
    void ToggleInputMode();
    // True when no unit repeats a digit, or when Auto-Check is on (nothing done).
    bool Check();
    void SetAutoCheck(bool on);
    void Repaint();

    // The solver and the candidate marks it shares with Hint.
    void FillCandidateMarks(CellPos pos);
    void RefreshPeers(CellPos pos);
    void TrySolve();

    // Undo, redo and snapshots.
    void PushUndo(const CCell& cell, CellPos pos);
    void Undo();
    void Redo();
    void ClearHistory();
    // False when the list already holds MaxSnapshots snapshots.
    bool MakeSnapshot(const char* name, std::int64_t time);
    void LoadSnapshot(std::size_t index);
    void GetSnapshotLabels(std::vector<std::string>& labels) const;

    // Game files, in the format the storage library provides (GameFileFormat.h).
    void SaveToFile(const char* path);
    void LoadFromFile(const char* path);
    void ClearSelection() { m_selection = {}; }
    // What follows replacing the stored data: both lists emptied and announced,
    // no selection, and a refresh that recounts and detects a won board.
    void AfterLoad();

    // State read by painting and input.
    CellPos GetSelection() const { return m_selection; }
    std::uint32_t GetInputMode() const { return m_inputMode; }
    const ConflictRegion& GetConflictRegion() const { return m_conflict; }
    bool IsAutoCheck() const { return m_autoCheck; }
    bool IsGameOver() const { return m_gameOver; }
    bool IsLeftDrag() const { return m_leftDrag; }
    bool IsRightDrag() const { return m_rightDrag; }
    bool IsCaptured() const { return m_captured; }
    const BoardStats& GetStats() const { return m_stats; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // What the session shows may have changed: the board, the selection, the
    // input mode, the conflict or the end of the game. Called as the view is
    // told to repaint, and when a game is won before the main window hears
    // of it.
    virtual void ShownStateChanged() {}

    // For the view's mouse and key handling, which owns these transitions.
    void SetLeftDrag(bool on) { m_leftDrag = on; }
    void SetRightDrag(bool on) { m_rightDrag = on; }
    void SetCaptured(bool on) { m_captured = on; }
    void ClearConflictRegion() { m_conflict.number = 0; }

private:
    std::int64_t Now() const;
    bool HasLevel() const { return level >= 1 && level <= 4; }
    void StartClock();
    void EmptyHistoryAndSnapshots();

    bool CanEditSelectedCell() const;
    CCell& SelectedCell() { return field.At(m_selection); }
    void RecordChange(CellPos pos);
    void SetCell(CellPos pos, const CCell& cell);

    void AnnounceUndoState();
    void AnnounceRedoState();
    LRESULT SendToParent(UINT message, WPARAM wParam, LPARAM lParam);
    void NotifyHintStrip();

    void SolveSingles();
    void FillAllCandidateMarks();
    bool PlaceNakedSingles();
    void PlaceHiddenSingles(CellPos pos, int digit);
    void PlaceDigit(CellPos pos, int digit);

    LRESULT OnEnterDigit(LPARAM lParam);

    Clock m_clock;
    CellPos m_selection;
    std::uint32_t m_inputMode = DigitEntry;
    ConflictRegion m_conflict;
    bool m_autoCheck = false;
    bool m_leftDrag = false;
    bool m_rightDrag = false;
    bool m_gameOver = false;
    bool m_captured = false;
    BoardStats m_stats;
};
