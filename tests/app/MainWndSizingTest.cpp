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

// One window, dragged as the layer applies the steps; each part starts from
// the default 416 x 540.
TEST_F(MainWndSizingTest, DragsKeepTheProportions) {
    const RECT before = Outer();
    const RECT same = Step(WMSZ_RIGHT, before);
    EXPECT_TRUE(EqualRect(&same, &before)) << "the default size is a fixed point";
    EXPECT_EQ(m_main->GetSizingDirection(), 0) << "no change, no direction";

    // The right edge nine wider gives ten taller, and back.
    RECT r = Drag(WMSZ_RIGHT, 0, 0, 9, 0);
    EXPECT_EQ(r.left, before.left);
    EXPECT_EQ(r.top, before.top);
    EXPECT_EQ(r.right, before.right + 9);
    EXPECT_EQ(r.bottom, before.bottom + 10);
    EXPECT_EQ(m_main->GetSizingDirection(), 2);
    const RECT field = ChildRect(Field().GetHwnd());
    const RECT strip = ChildRect(Strip().GetHwnd());
    EXPECT_EQ(field.right - field.left, 385) << "the board grows by 9";
    EXPECT_EQ(field.bottom - field.top, 385);
    EXPECT_EQ(strip.top, 409);
    EXPECT_EQ(strip.bottom - strip.top, 42) << "the strip by 1";
    r = Drag(WMSZ_RIGHT, 0, 0, -9, 0);
    EXPECT_TRUE(EqualRect(&r, &before)) << "width-led back to 416 gives 540";
    EndDrag();
    EXPECT_EQ(m_main->GetSizingDirection(), 0);
    r = Drag(WMSZ_BOTTOM, 0, 0, 0, 25);
    r = Drag(WMSZ_BOTTOM, 0, 0, 0, -25);
    EXPECT_TRUE(EqualRect(&r, &before)) << "height-led back to 540 gives 416";
    EndDrag();

    // A height-led drag of the top-left corner keeps the right and bottom.
    r = Drag(WMSZ_TOPLEFT, -2, -20, 0, 0);
    EXPECT_EQ(m_main->GetSizingDirection(), 3);
    EXPECT_EQ(r.right, before.right);
    EXPECT_EQ(r.bottom, before.bottom);
    EXPECT_EQ(r.top, before.top - 20);
    // MulDiv(560 - 123, 9, 10) + 41 = 434.
    EXPECT_EQ(r.left, before.right - 434);
    EXPECT_EQ(ChildRect(Field().GetHwnd()).right, 434 - 28);
    EndDrag();
    MoveWindow(Main(), before.left, before.top, 416, 540, TRUE);

    // A diagonal drag stays width-led after its first step.
    Drag(WMSZ_BOTTOMRIGHT, 0, 0, 10, 3);
    ASSERT_EQ(m_main->GetSizingDirection(), 2);
    r = Drag(WMSZ_BOTTOMRIGHT, 0, 0, 1, 30);
    EXPECT_EQ(m_main->GetSizingDirection(), 2) << "still width-led";
    // 427 wide: board 399, strip (399 - 12) / 9 = 43, height 399 + 43 + 111.
    EXPECT_EQ(r.right - r.left, 427);
    EXPECT_EQ(r.bottom - r.top, 553);
    EXPECT_EQ(r.top, before.top);
    EndDrag();
    Drag(WMSZ_BOTTOMRIGHT, 0, 0, 1, 30);
    EXPECT_EQ(m_main->GetSizingDirection(), 3) << "a new drag decides again";
    EndDrag();

    // A tiny size keeps a right-way-round layout.
    r = Drag(WMSZ_RIGHT, 0, 0, -400, 0);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(r.left, before.left);
    EndDrag();
    r = Drag(WMSZ_BOTTOM, 0, 0, 0, -1000);
    EXPECT_GT(r.right, r.left);
    EXPECT_GT(r.bottom, r.top);
    const RECT tiny = ChildRect(Field().GetHwnd());
    EXPECT_GT(tiny.right, tiny.left);
    EXPECT_GT(tiny.bottom, tiny.top);
}
