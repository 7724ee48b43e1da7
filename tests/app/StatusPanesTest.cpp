// The four status-bar panes on a real status bar: their layout. (Their texts
// are read from the main window's bar in ShellStateTest.)

#include "ShellTestSupport.h"

#include "app/CStatusPanes.h"

#include <cstring>

using namespace shelltest;

namespace {

class StatusPanesTest : public OwnerWindowTest {
protected:
    void SetUp() override {
        OwnerWindowTest::SetUp();
        m_bar =
            CreateWindowEx(0, "msctls_statusbar32", "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                           0, 0, 0, m_owner, reinterpret_cast<HMENU>(0xE801), nullptr, nullptr);
        ASSERT_NE(m_bar, nullptr);
        m_panes.Attach(m_bar);
        Settle();
    }
    std::vector<int> Edges() const {
        int edges[8] = {};
        const auto count = SendMessage(m_bar, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges));
        return std::vector<int>(edges, edges + count);
    }
    int BarWidth() const {
        RECT r{};
        GetClientRect(m_bar, &r);
        return r.right;
    }

    HWND m_bar = nullptr;
    CUIStateTable m_uiState;
    CStatusPanes m_panes{m_uiState};
};

} // namespace

TEST_F(StatusPanesTest, MessagePaneStretchesTheOthersKeepTheirWidthsAndTheLongestTextsFit) {
    const int grip = GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXEDGE);
    std::vector<int> before = Edges();
    ASSERT_EQ(before.size(), 4u);
    EXPECT_EQ(before[3], BarWidth() - grip) << "the size grip keeps its room";
    const int selection = before[0];
    const int counts = before[1] - before[0];
    const int time = before[3] - before[2];
    EXPECT_GT(selection, counts) << "five @ against three";
    EXPECT_GT(time, selection);

    MoveWindow(m_owner, 50, 50, 600, 540, TRUE);
    SendMessage(m_bar, WM_SIZE, 0, 0);
    m_panes.FollowWidth();
    const std::vector<int> after = Edges();
    ASSERT_EQ(after.size(), 4u);
    EXPECT_EQ(after[3], BarWidth() - grip);
    EXPECT_EQ(after[0], selection);
    EXPECT_EQ(after[1] - after[0], counts);
    EXPECT_EQ(after[3] - after[2], time);
    EXPECT_EQ(after[2] - before[2], after[3] - before[3]) << "pane 2 took the new room";

    // The longest texts fit their panes.
    HDC dc = GetDC(m_bar);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(m_bar, WM_GETFONT, 0, 0)));
    const std::pair<int, const char*> texts[] = {{0, "(9, 9)*"}, {1, "81 (81)"}, {3, "99:59:59"}};
    for (const auto& [pane, text] : texts) {
        SIZE extent{};
        GetTextExtentPoint32(dc, text, static_cast<int>(std::strlen(text)), &extent);
        RECT r{};
        SendMessage(m_bar, SB_GETRECT, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(&r));
        EXPECT_GE(r.right - r.left - 6, extent.cx) << text << " within its 3-pixel margins";
    }
    SelectObject(dc, old);
    ReleaseDC(m_bar, dc);
}
