#include "tests/session/SessionFixture.h"

std::ostream& operator<<(std::ostream& out, const SentMessage& sent) {
    out << "{" << sent.to << ", WM_USER+" << (sent.message - WM_USER) << ", wParam "
        << static_cast<long long>(sent.wParam) << ", lParam "
        << static_cast<long long>(sent.lParam);
    if (!sent.text.empty()) {
        out << ", \"" << sent.text << "\"";
    }
    return out << "}";
}

SessionTest::SessionTest() {
    for (wintest::SpyWindow* spy : {&mainWindow, &hintStrip}) {
        spy->RecordOnly(WM_USER, WM_USER + 0x100);
        EXPECT_TRUE(spy->CreateHeadless());
    }
    log.CaptureText(WM_FIELD_STATUSTEXT);
    SetHintStrip(hintStrip.GetHwnd());
    EXPECT_NE(session.Create(mainWindow.GetHwnd()), nullptr);
    session.SetClock([this] { return now; });
}

SessionTest::~SessionTest() = default;

MessageLog SessionTest::TakeLog() {
    MessageLog taken;
    for (const wintest::Recorded& r : log.Take()) {
        const char* to = r.hwnd == mainWindow.GetHwnd() ? "main" : "hint";
        taken.push_back({to, r.message, r.wParam, r.lParam, r.text});
    }
    return taken;
}

MessageLog Recorded() {
    return {ToParent(WM_FIELD_UNDOSTATE, 0, 1), ToParent(WM_FIELD_REDOSTATE, 0, 0)};
}

MessageLog HistoryCleared() {
    return {ToParent(WM_FIELD_UNDOSTATE, 0, 0), ToParent(WM_FIELD_REDOSTATE, 0, 0)};
}

MessageLog HintStripNotified(WPARAM cellState, LPARAM flags) {
    return {ToParent(WM_GET_HINTSTRIP, 0, 0), {"hint", WM_HINT_CELLSTATE, cellState, flags, {}}};
}

MessageLog Refreshed(WPARAM cellState, LPARAM flags) {
    MessageLog expected = HintStripNotified(cellState, flags);
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
