#include "tests/session/SessionFixture.h"

PuzzleDigits SolutionWithHoles(std::initializer_list<CellPos> holes) {
    PuzzleDigits digits{};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        digits[i] = SolutionDigit(CGameField::PosOf(i));
    }
    for (const CellPos hole : holes) {
        digits[CGameField::IndexOf(hole)] = 0;
    }
    return digits;
}

SessionTest::SessionTest() {
    CreateHeadlessWindow(mainWindow, nullptr);
    CreateHeadlessWindow(hintStrip, nullptr);
    CreateHeadlessWindow(session, mainWindow.GetHwnd());
    mainWindow.SetHintStrip(hintStrip.GetHwnd());
    session.SetClock([this] { return now; });
}

SessionTest::~SessionTest() = default;

MessageLog SessionTest::TakeLog() {
    MessageLog taken;
    taken.swap(log);
    return taken;
}

MessageLog Recorded() {
    return {ToParent(WM_FIELD_UNDOSTATE, 0, 1), ToParent(WM_FIELD_REDOSTATE, 0, 0)};
}

MessageLog SessionTest::HintStripNotified() const {
    const CellPos selection = session.GetSelection();
    WPARAM wParam = ~WPARAM{0};
    LPARAM lParam = -1;
    if (selection.IsValid()) {
        const CCell& cell = session.field.At(selection);
        wParam = cell.value | static_cast<WPARAM>(session.GetInputMode()) << 16;
        lParam = cell.flags;
    }
    return {ToParent(WM_GET_HINTSTRIP, 0, 0), {"hint", WM_HINT_CELLSTATE, wParam, lParam, {}}};
}

MessageLog SessionTest::Refreshed() const {
    MessageLog expected = HintStripNotified();
    SentMessage ready = ToParent(WM_FIELD_STATUSTEXT, 0, 0);
    ready.text = CGameFieldCtrl::ReadyText;
    expected.push_back(ready);
    return expected;
}

SentMessage ToParent(UINT message, WPARAM wParam, LPARAM lParam) {
    return {"main", message, wParam, lParam, {}};
}

void SessionTest::Select(CellPos pos) {
    session.SelectCell(pos);
    TakeLog();
}

MessageLog Concat(std::initializer_list<MessageLog> parts) {
    MessageLog all;
    for (const MessageLog& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}
