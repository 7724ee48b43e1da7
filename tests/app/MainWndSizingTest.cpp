// Proportional sizing: WM_SIZING steps of a drag as the layer sends them,
// and a resize the window manager asks for through the toolkit.

#include "ShellWindowFixture.h"

using namespace shelltest;

namespace {

class MainWndSizingTest : public ShellWindowTest {
protected:
    RECT Outer() const { return WindowRect(Main()); }
    // One step of a drag: the proposed rectangle as changed by the window.
    RECT Step(WPARAM edge, RECT proposed) {
        SendMessage(Main(), WM_SIZING, edge, reinterpret_cast<LPARAM>(&proposed));
        return proposed;
    }
    // A step the window takes, as the layer applies it.
    RECT Drag(WPARAM edge, int dLeft, int dTop, int dRight, int dBottom) {
        RECT r = Outer();
        r = Step(edge, RECT{r.left + dLeft, r.top + dTop, r.right + dRight, r.bottom + dBottom});
        MoveWindow(Main(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        return r;
    }
    void EndDrag() { SendMessage(Main(), WM_EXITSIZEMOVE, 0, 0); }
};

} // namespace

TEST_F(MainWndSizingTest, RightEdgeNineWiderGivesTenTaller) {
    const RECT before = Outer();
    const RECT after = Drag(WMSZ_RIGHT, 0, 0, 9, 0);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right + 9);
    EXPECT_EQ(after.bottom, before.bottom + 10);
    EXPECT_EQ(m_main->GetSizingDirection(), 2);
    const RECT field = ChildRect(Field().GetHwnd());
    const RECT strip = ChildRect(Strip().GetHwnd());
    EXPECT_EQ(field.right - field.left, 385) << "the board grows by 9";
    EXPECT_EQ(field.bottom - field.top, 385);
    EXPECT_EQ(strip.top, 409);
    EXPECT_EQ(strip.bottom - strip.top, 42) << "the strip by 1";
    EndDrag();
    EXPECT_EQ(m_main->GetSizingDirection(), 0);
}

TEST_F(MainWndSizingTest, TopLeftHeightLedDragKeepsRightAndBottom) {
    const RECT before = Outer();
    const RECT after = Drag(WMSZ_TOPLEFT, -2, -20, 0, 0);
    EXPECT_EQ(m_main->GetSizingDirection(), 3);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(after.top, before.top - 20);
    // MulDiv(560 - 123, 9, 10) + 41 = 434.
    EXPECT_EQ(after.left, before.right - 434);
    EXPECT_EQ(ChildRect(Field().GetHwnd()).right, 434 - 28);
}

TEST_F(MainWndSizingTest, DiagonalDragStaysWidthLedAfterItsFirstStep) {
    const RECT before = Outer();
    Drag(WMSZ_BOTTOMRIGHT, 0, 0, 10, 3);
    ASSERT_EQ(m_main->GetSizingDirection(), 2);
    const RECT after = Drag(WMSZ_BOTTOMRIGHT, 0, 0, 1, 30);
    EXPECT_EQ(m_main->GetSizingDirection(), 2) << "still width-led";
    // 427 wide: board 399, strip (399 - 12) / 9 = 43, height 399 + 43 + 111.
    EXPECT_EQ(after.right - after.left, 427);
    EXPECT_EQ(after.bottom - after.top, 553);
    EXPECT_EQ(after.top, before.top);
    EndDrag();
    Drag(WMSZ_BOTTOMRIGHT, 0, 0, 1, 30);
    EXPECT_EQ(m_main->GetSizingDirection(), 3) << "a new drag decides again";
}

TEST_F(MainWndSizingTest, DefaultSizeIsAFixedPoint) {
    const RECT before = Outer();
    const RECT same = Step(WMSZ_RIGHT, before);
    EXPECT_TRUE(EqualRect(&same, &before));
    EXPECT_EQ(m_main->GetSizingDirection(), 0) << "no change, no direction";
    RECT r = Drag(WMSZ_RIGHT, 0, 0, 9, 0);
    r = Drag(WMSZ_RIGHT, 0, 0, -9, 0);
    EXPECT_TRUE(EqualRect(&r, &before)) << "width-led back to 416 gives 540";
    EndDrag();
    r = Drag(WMSZ_BOTTOM, 0, 0, 0, 25);
    r = Drag(WMSZ_BOTTOM, 0, 0, 0, -25);
    EXPECT_TRUE(EqualRect(&r, &before)) << "height-led back to 540 gives 416";
    EndDrag();
}

TEST_F(MainWndSizingTest, TinySizeKeepsARightWayRoundLayout) {
    const RECT before = Outer();
    RECT r = Drag(WMSZ_RIGHT, 0, 0, -400, 0);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(r.left, before.left);
    EndDrag();
    r = Drag(WMSZ_BOTTOM, 0, 0, 0, -1000);
    EXPECT_GT(r.right, r.left);
    EXPECT_GT(r.bottom, r.top);
    const RECT field = ChildRect(Field().GetHwnd());
    EXPECT_GT(field.right, field.left);
    EXPECT_GT(field.bottom, field.top);
}
