// The board's keyboard and mouse, driven by real key presses and clicks on
// the main window: moves with their wrap and modifier rules, digits and
// marks, clearing, the game keys, drags and double clicks.

#include "ShellWindowFixture.h"

#include "tests/views/win/ModalScript.h"

using namespace shelltest;

namespace {

class BoardInputTest : public ShellWindowTest {
protected:
    void SetUp() override {
        ShellWindowTest::SetUp();
        // Row 5 has two holes; (1, 1) is a given 1.
        StartGame(SolutionWithHoles({{5, 5}, {6, 5}, {9, 9}}));
    }
    void Select(int column, int row) {
        ClickCell(column, row);
        ASSERT_EQ(Selection(),
                  (CellPos{static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row)}));
    }
};

struct MoveCase {
    CellPos from;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    CellPos to;
};

} // namespace

TEST_F(BoardInputTest, MovesWrapAndJumpAsTheModifiersSay) {
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const MoveCase cases[] = {
        {{9, 4}, Qt::Key_Right, none, {1, 4}},  {{1, 4}, Qt::Key_Left, none, {9, 4}},
        {{3, 9}, Qt::Key_Down, none, {3, 1}},   {{3, 1}, Qt::Key_Up, none, {3, 9}},
        {{5, 5}, Qt::Key_Left, ctrl, {1, 5}},   {{5, 5}, Qt::Key_Right, ctrl, {9, 5}},
        {{5, 5}, Qt::Key_Up, ctrl, {5, 1}},     {{5, 5}, Qt::Key_Down, ctrl, {5, 9}},
        {{5, 5}, Qt::Key_Home, none, {1, 1}},   {{5, 5}, Qt::Key_Home, ctrl, {1, 5}},
        {{5, 5}, Qt::Key_End, none, {9, 9}},    {{5, 5}, Qt::Key_End, ctrl, {9, 5}},
        {{5, 5}, Qt::Key_PageUp, none, {5, 1}}, {{5, 5}, Qt::Key_PageDown, none, {5, 9}},
        {{5, 5}, Qt::Key_PageUp, ctrl, {5, 5}}, {{5, 5}, Qt::Key_Right, shift, {5, 5}},
        {{5, 5}, Qt::Key_Home, shift, {5, 5}},  {{5, 5}, Qt::Key_Down, shift, {5, 5}},
    };
    for (const MoveCase& c : cases) {
        Field().SelectCell(c.from);
        Pump();
        Key(c.key, c.modifiers);
        EXPECT_EQ(Selection(), c.to) << "key " << c.key << " from (" << c.from.column << ", "
                                     << c.from.row << ") with modifiers " << c.modifiers;
    }
    EXPECT_EQ(GetFocus(), Main()) << "the main window keeps the focus";
}

// Keys on the selected cell (5, 5), one after the other, and the digit and
// marks (bits 0-8 for 1-9) the cell holds after each.
TEST_F(BoardInputTest, DigitZeroAndDeleteKeysInDigitAndMarkMode) {
    struct CellKey {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int value;
        int marks;
        const char* why;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const CellKey keys[] = {
        {Qt::Key_4, Qt::KeypadModifier, 4, 0, "a digit from the numeric pad"},
        {Qt::Key_7, shift, 4, 0, "Shift+digit is declined"},
        {Qt::Key_2, ctrl, 4, 0x002, "Ctrl+digit in digit mode marks, even a filled cell"},
        {Qt::Key_0, none, 0, 0x002, "0 clears the digit and keeps the marks"},
        {Qt::Key_8, none, 8, 0, "a digit takes the marks away"},
        {Qt::Key_0, shift, 8, 0, "Shift+0 is declined"},
        {Qt::Key_0, ctrl, 8, 0, "Ctrl+0 is declined"},
        {Qt::Key_6, ctrl, 8, 0x020, "a mark on the filled cell"},
        {Qt::Key_M, none, 8, 0x020, "mark mode"},
        {Qt::Key_0, none, 8, 0x020, "0 does nothing in mark mode"},
        {Qt::Key_Delete, shift, 8, 0x020, "Shift+Delete is not a clear"},
        {Qt::Key_Delete, none, 0, 0, "Delete empties the cell in mark mode too, marks and all"},
        {Qt::Key_3, none, 0, 0x004, "a digit in mark mode marks"},
        {Qt::Key_9, ctrl, 0, 0x104, "Ctrl+digit in mark mode acts like the digit"},
        {Qt::Key_3, none, 0, 0x100, "a second press takes the mark away"},
        {Qt::Key_Escape, none, 0, 0x100, "Esc: digit mode and no selection"},
        {Qt::Key_5, none, 0, 0x100, "without a selection the digit goes nowhere"},
    };
    Select(5, 5);
    for (const CellKey& k : keys) {
        Key(k.key, k.modifiers);
        EXPECT_EQ(At(5, 5).value, k.value) << k.why;
        EXPECT_EQ(At(5, 5).flags & 0x1FF, k.marks) << k.why;
    }
    EXPECT_EQ(Field().GetInputMode(), CGameFieldCtrl::DigitEntry);
    EXPECT_EQ(Selection(), (CellPos{0, 0}));

    Select(6, 5);
    Key(Qt::Key_4);
    const std::size_t records = Field().undo.size();
    Key(Qt::Key_4);
    EXPECT_EQ(Field().undo.size(), records) << "the same digit again records nothing";
    Select(1, 1);
    Key(Qt::Key_M);
    Key(Qt::Key_5);
    EXPECT_EQ(At(1, 1).value, 1) << "a given cell does not change";
}

TEST_F(BoardInputTest, CtrlKChecksOnlyWhenAutoCheckIsOff) {
    Select(5, 5);
    Key(Qt::Key_5); // row 5 now holds two 5s
    ASSERT_EQ(Field().GetConflictRegion().number, 0u);

    Field().SetAutoCheck(true);
    const ConflictRegion shown = Field().GetConflictRegion();
    ASSERT_EQ(shown.number, 5u) << "row 5 or column 5";
    Key(Qt::Key_Y, Qt::ControlModifier); // nothing to redo: only hides the conflict
    ASSERT_EQ(Field().GetConflictRegion().number, 0u);
    Key(Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(Field().GetConflictRegion().number, 0u) << "Ctrl+K with Auto-Check on does nothing";

    Field().SetAutoCheck(false);
    Key(Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(Field().GetConflictRegion().number, 0u);
    Key(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Field().GetConflictRegion().number, 0u) << "Ctrl+Shift+K is not a check";
    Key(Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(Field().GetConflictRegion(), shown);
}

TEST_F(BoardInputTest, AfterAWinCellKeysDoNothingAndGameKeysStillWork) {
    Select(5, 5);
    Key(Qt::Key_9);
    Select(6, 5);
    Key(Qt::Key_1);
    Select(9, 9);
    // The game qualifies for the empty Easy list: the winner dialog is declined.
    wintest::ModalScript script;
    script.Then(
        [](const kwin::ModalStart& start) { wintest::PressKey(start.window, Qt::Key_Escape); });
    Key(Qt::Key_8);
    ASSERT_TRUE(Field().IsGameOver());
    EXPECT_EQ(script.Started(), 1);
    EXPECT_FALSE(Strip().IsShown());
    // The board as painted in its window: every cell in the game-over colour.
    HDC dc = GetDC(Field().GetHwnd());
    for (const QPoint cell : {CellCentre(1, 1), CellCentre(7, 9), CellCentre(9, 5)}) {
        EXPECT_EQ(GetPixel(dc, cell.x() - 12 - 16, cell.y() - 12 - 16), RGB(240, 255, 240));
    }
    ReleaseDC(Field().GetHwnd(), dc);
    const std::size_t records = Field().undo.size();
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Home, Qt::Key_Delete, Qt::Key_0, Qt::Key_3}) {
        Key(key);
        EXPECT_EQ(Selection(), (CellPos{0, 0})) << "key " << key;
    }
    EXPECT_EQ(At(9, 9).value, 8);
    EXPECT_EQ(Field().undo.size(), records);
    ClickCell(2, 2);
    EXPECT_EQ(Selection(), (CellPos{0, 0})) << "clicks select nothing on a won board";
    Key(Qt::Key_M);
    EXPECT_EQ(Field().GetInputMode(), CGameFieldCtrl::MarkEntry) << "M works whatever the state";
}

// Quick clicks first: Qt's test clicks queue the button-up before the
// button-down is handled, so it reaches the view through the main window, in
// the main window's coordinates, while the view holds the capture. The points
// lie within the last 12 pixels of a cell (the board sits at 12, 12, its
// cells about 41 pixels wide), where a point taken in the wrong coordinates
// falls into the next cell. The board's client is 376 wide, its cells are
// counted over 374: 137, 262 is 125, 250 on the board, where the two
// differ, and the last two pixel columns and rows are no cell at all (the
// selection stays).
TEST_F(BoardInputTest, ClicksDragsAndDoubleClicksSelectTheCellUnderTheMouse) {
    const std::pair<QPoint, CellPos> clicks[] = {
        {{50, 50}, {1, 1}},   {{13, 50}, {1, 1}},  {{380, 381}, {9, 9}}, {{215, 92}, {5, 2}},
        {{137, 262}, {4, 7}}, {{387, 50}, {4, 7}}, {{50, 386}, {4, 7}}};
    for (const auto& [at, cell] : clicks) {
        Click(at.x(), at.y());
        EXPECT_EQ(Selection(), cell) << at.x() << ", " << at.y();
        EXPECT_FALSE(Field().IsCaptured());
        EXPECT_EQ(GetCapture(), nullptr) << "the capture ends with the button";
    }

    const QPoint from = CellCentre(2, 2);
    const QPoint over = CellCentre(4, 3);
    const QPoint to = CellCentre(6, 6);
    QTest::mousePress(Window(), Qt::LeftButton, Qt::NoModifier, ToWindow(from.x(), from.y()));
    Pump();
    EXPECT_EQ(Selection(), (CellPos{2, 2}));
    EXPECT_TRUE(Field().IsCaptured());
    EXPECT_EQ(GetCapture(), Field().GetHwnd());
    QTest::mouseMove(Window(), ToWindow(over.x(), over.y()));
    Pump();
    EXPECT_EQ(Selection(), (CellPos{4, 3}));
    QTest::mouseMove(Window(), ToWindow(to.x(), to.y()));
    Pump();
    QTest::mouseRelease(Window(), Qt::LeftButton, Qt::NoModifier, ToWindow(to.x(), to.y()));
    Pump();
    EXPECT_EQ(Selection(), (CellPos{6, 6}));
    EXPECT_FALSE(Field().IsCaptured());
    EXPECT_FALSE(Field().IsLeftDrag());
    EXPECT_EQ(GetCapture(), nullptr);

    // The right button drags as the left does; each drag lasts until its own
    // button is let go, though the capture ends with the first.
    const auto mouse = [this](QTest::MouseAction action, Qt::MouseButton button, QPoint at) {
        QTest::mouseEvent(action, Window(), button, Qt::NoModifier, ToWindow(at.x(), at.y()));
        Pump();
    };
    mouse(QTest::MousePress, Qt::RightButton, over);
    EXPECT_EQ(Selection(), (CellPos{4, 3}));
    EXPECT_EQ(GetCapture(), Field().GetHwnd());
    mouse(QTest::MouseMove, Qt::NoButton, from);
    EXPECT_EQ(Selection(), (CellPos{2, 2}));
    mouse(QTest::MousePress, Qt::LeftButton, from);
    mouse(QTest::MouseRelease, Qt::LeftButton, from);
    EXPECT_EQ(GetCapture(), nullptr);
    mouse(QTest::MouseMove, Qt::NoButton, to);
    EXPECT_EQ(Selection(), (CellPos{6, 6})) << "the right button still drags";
    mouse(QTest::MouseRelease, Qt::RightButton, to);
    EXPECT_FALSE(Field().IsRightDrag());
    mouse(QTest::MouseMove, Qt::NoButton, from);
    EXPECT_EQ(Selection(), (CellPos{6, 6})) << "without a button the mouse selects nothing";

    // The capture taken away in the middle of a drag ends the drag.
    QTest::mousePress(Window(), Qt::LeftButton, Qt::NoModifier, ToWindow(from.x(), from.y()));
    Pump();
    ASSERT_TRUE(Field().IsCaptured());
    SetCapture(Strip().GetHwnd()); // as a dialog opening would
    ReleaseCapture();
    EXPECT_FALSE(Field().IsCaptured());
    EXPECT_FALSE(Field().IsLeftDrag());
    QTest::mouseRelease(Window(), Qt::LeftButton, Qt::NoModifier, ToWindow(from.x(), from.y()));
    Pump();
    ClickCell(7, 8);
    EXPECT_EQ(Selection(), (CellPos{7, 8})) << "the next click lands on the cell under it";

    // A double click is two clicks for the main window.
    const QPoint p = CellCentre(5, 5);
    QTest::mouseDClick(Window(), Qt::LeftButton, Qt::NoModifier, ToWindow(p.x(), p.y()));
    Pump();
    EXPECT_EQ(Selection(), (CellPos{5, 5}));
    EXPECT_EQ(Field().GetInputMode(), CGameFieldCtrl::DigitEntry)
        << "the main window's class asks for no double clicks, so the mode stays";
    // Delivered by hand, a double click on the board toggles the mode.
    SendMessage(Main(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x(), p.y()));
    EXPECT_EQ(Field().GetInputMode(), CGameFieldCtrl::MarkEntry);
}
