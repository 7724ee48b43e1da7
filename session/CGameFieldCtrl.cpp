#include "session/CGameFieldCtrl.h"

#include "engine/PuzzleGenerator.h"
#include "session/FieldMessages.h"

#include <chrono>
#include <stdexcept>
#include <utility>

namespace {

std::int64_t SystemClock() {
    using namespace std::chrono;
    return time_point_cast<seconds>(system_clock::now()).time_since_epoch().count();
}

} // namespace

CGameFieldCtrl::CGameFieldCtrl() : m_clock(SystemClock) {}

void CGameFieldCtrl::SetClock(Clock clock) {
    m_clock = clock ? std::move(clock) : Clock(SystemClock);
}

std::int64_t CGameFieldCtrl::Now() const {
    return m_clock();
}

void CGameFieldCtrl::NewGame(int gameLevel) {
    if (gameLevel < 1 || gameLevel > 4) {
        throw std::out_of_range("A new game needs a level from 1 (Easy) to 4 (Insane), not " +
                                std::to_string(gameLevel));
    }
    PuzzleDigits digits{};
    GeneratePuzzle(digits, gameLevel);
    StartPuzzle(digits, gameLevel);
}

void CGameFieldCtrl::StartPuzzle(const PuzzleDigits& digits, int gameLevel) {
    if (gameLevel < 0 || gameLevel > 4) {
        throw std::out_of_range("A game level is 0 (none) to 4 (Insane), not " +
                                std::to_string(gameLevel));
    }
    EmptyHistoryAndSnapshots();
    m_selection = {};
    field.LoadPuzzle(digits);
    StartClock();
    Refresh();
    // Set only now, so that a puzzle that is already complete is announced as
    // a game without level.
    level = gameLevel;
}

void CGameFieldCtrl::NewBlankGame() {
    EmptyHistoryAndSnapshots();
    m_selection = {};
    field.Clear();
    StartClock();
    Refresh();
}

void CGameFieldCtrl::ResetGame() {
    EmptyHistoryAndSnapshots();
    m_selection = {};
    field.Reset();
    StartClock();
    Refresh();
}

void CGameFieldCtrl::EmptyHistoryAndSnapshots() {
    ClearHistory();
    snapShots.clear();
}

void CGameFieldCtrl::StartClock() {
    startTime = Now();
    level = 0;
    helpUsed = false;
}

void CGameFieldCtrl::AfterLoad() {
    ClearHistory();
    m_selection = {};
    Refresh();
}

void CGameFieldCtrl::Refresh() {
    m_conflict.number = 0;
    m_stats = field.CountDigits();
    bool won = false;
    if (!m_stats.IsFull()) {
        m_gameOver = false;
        finalTime = 0;
        if (m_autoCheck) {
            field.CheckAll(m_conflict);
        }
    } else {
        won = field.CheckAll(m_conflict);
        if (!won) {
            // A full board that repeats a digit is being played, not over: an
            // undo can bring a won board back to this state.
            m_gameOver = false;
            finalTime = 0;
        }
    }
    Repaint();
    if (won) {
        EndGame();
    }
    NotifyHintStrip();
    SendToParent(WM_FIELD_STATUSTEXT, 0, reinterpret_cast<LPARAM>(ReadyText));
}

void CGameFieldCtrl::EndGame() {
    m_selection = {};
    m_gameOver = true;
    const bool justWon = finalTime == 0;
    if (justWon) {
        finalTime = Now() - startTime;
    }
    ShownStateChanged();
    if (justWon) {
        SendToParent(WM_FIELD_GAMEWON, static_cast<WPARAM>(level), helpUsed ? 1 : 0);
    }
}

std::int64_t CGameFieldCtrl::GetElapsed() const {
    if (m_gameOver) {
        return finalTime;
    }
    if (startTime == 0) {
        return 0;
    }
    return Now() - startTime;
}

void CGameFieldCtrl::Repaint() {
    if (::IsWindow(GetHwnd())) {
        ::InvalidateRect(GetHwnd(), nullptr, TRUE);
    }
    ShownStateChanged();
}

LRESULT CGameFieldCtrl::SendToParent(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND self = GetHwnd();
    if (!::IsWindow(self)) {
        return 0;
    }
    const HWND parent = ::GetParent(self);
    if (!::IsWindow(parent)) {
        return 0;
    }
    return ::SendMessage(parent, message, wParam, lParam);
}

void CGameFieldCtrl::NotifyHintStrip() {
    const HWND hintStrip = reinterpret_cast<HWND>(SendToParent(WM_GET_HINTSTRIP, 0, 0));
    if (!::IsWindow(hintStrip)) {
        return;
    }
    WPARAM wParam = ~WPARAM{0};
    LPARAM lParam = -1;
    if (m_selection.IsValid()) {
        const CCell& cell = field.At(m_selection);
        wParam = static_cast<WPARAM>(cell.value) | static_cast<WPARAM>(m_inputMode) << 16;
        lParam = static_cast<LPARAM>(cell.flags);
    }
    ::SendMessage(hintStrip, WM_HINT_CELLSTATE, wParam, lParam);
}

LRESULT CGameFieldCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_FIELD_ENTERDIGIT:
        return OnEnterDigit(lParam);
    default:
        return CWindow::WindowProc(message, wParam, lParam);
    }
}

LRESULT CGameFieldCtrl::OnEnterDigit(LPARAM lParam) {
    EnterFromHintStrip(static_cast<int>(lParam & 0xFF));
    return 0;
}
