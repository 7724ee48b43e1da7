// The four status-bar panes on a real status bar: their layout, their texts
// and that a text reaches the bar only when it changed.

#include "ShellTestSupport.h"

#include "app/CStatusPanes.h"

using namespace shelltest;

namespace {

class StatusPanesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareShell(); }
    void SetUp() override {
        m_frame = CreateWindowEx(0, wintest::SpyClass(0), "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 50, 50, 416, 540, nullptr, nullptr, nullptr, nullptr);
        m_bar =
            CreateWindowEx(0, "msctls_statusbar32", "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                           0, 0, 0, m_frame, reinterpret_cast<HMENU>(0xE801), nullptr, nullptr);
        ASSERT_NE(m_bar, nullptr);
        m_panes.Attach(m_bar);
        Settle();
    }
    void TearDown() override {
        DestroyWindow(m_frame);
        Settle();
    }
    std::vector<int> Edges() const {
        int edges[8] = {};
        const auto count = SendMessage(m_bar, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges));
        return std::vector<int>(edges, edges + count);
    }
    std::string Pane(int pane) const {
        char text[256] = {};
        SendMessage(m_bar, SB_GETTEXT, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text));
        return text;
    }
    int BarWidth() const {
        RECT r{};
        GetClientRect(m_bar, &r);
        return r.right;
    }

    HWND m_frame = nullptr;
    HWND m_bar = nullptr;
    CUIStateTable m_uiState;
    CStatusPanes m_panes{m_uiState};
};

BoardStats Counts(std::uint32_t filled, std::uint32_t givens) {
    BoardStats stats;
    stats.filled = filled;
    stats.givens = givens;
    return stats;
}

} // namespace

TEST_F(StatusPanesTest, MessagePaneStretchesAndTheOthersKeepTheirWidths) {
    const int grip = GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXEDGE);
    std::vector<int> before = Edges();
    ASSERT_EQ(before.size(), 4u);
    EXPECT_EQ(before[3], BarWidth() - grip) << "the size grip keeps its room";
    const int selection = before[0];
    const int counts = before[1] - before[0];
    const int time = before[3] - before[2];
    EXPECT_GT(selection, counts) << "five @ against three";
    EXPECT_GT(time, selection);

    MoveWindow(m_frame, 50, 50, 600, 540, TRUE);
    SendMessage(m_bar, WM_SIZE, 0, 0);
    m_panes.FollowWidth();
    const std::vector<int> after = Edges();
    ASSERT_EQ(after.size(), 4u);
    EXPECT_EQ(after[3], BarWidth() - grip);
    EXPECT_EQ(after[0], selection);
    EXPECT_EQ(after[1] - after[0], counts);
    EXPECT_EQ(after[3] - after[2], time);
    EXPECT_EQ(after[2] - before[2], after[3] - before[3]) << "pane 2 took the new room";
}

TEST_F(StatusPanesTest, SelectionAndCountTextsAreCentredAndMarkHelp) {
    const std::string version = "Kalmora version 2.0 Beta 1 (build 2.0 Beta 1)";
    EXPECT_TRUE(m_panes.RefreshIdle(CellPos{}, false, Counts(30, 30), version));
    EXPECT_EQ(Pane(0), "\t(0, 0)");
    EXPECT_EQ(Pane(1), "\t30 (30)");
    EXPECT_EQ(Pane(2), "Kalmora version 2.0 Beta 1 (build 2.0 Beta 1)");
    EXPECT_EQ(Pane(3), "");

    EXPECT_FALSE(m_panes.RefreshIdle(CellPos{}, false, Counts(30, 30), version))
        << "nothing changed";

    EXPECT_TRUE(m_panes.RefreshIdle(CellPos{4, 7}, true, Counts(31, 30), "Ready"));
    EXPECT_EQ(Pane(0), "\t(4, 7)*");
    EXPECT_EQ(Pane(1), "\t31 (30)");
    EXPECT_EQ(Pane(2), "Ready");
}

TEST_F(StatusPanesTest, PlayTimeAppearsOnceItDiffersFromZero) {
    EXPECT_FALSE(m_panes.ShowElapsed(0));
    EXPECT_EQ(Pane(3), "") << "no game started";
    const std::pair<std::int64_t, const char*> times[] = {
        {1, "00:00:01"}, {3725, "01:02:05"}, {360000, "100:00:00"}, {10809, "03:00:09"}};
    for (const auto& [seconds, text] : times) {
        EXPECT_TRUE(m_panes.ShowElapsed(seconds));
        EXPECT_EQ(Pane(3), text);
        EXPECT_FALSE(m_panes.ShowElapsed(seconds)) << "the same second again";
    }
}
