// Keyboard focus after the menu mode, through real key presses on the main
// window: whatever crossings between the bar's left part and Help on its
// right were made before, leaving the menus gives the keyboard back to the
// board, and its digits reach the board again.

#include "ShellWindowFixture.h"

#include <QMenu>
#include <QMenuBar>

#include <vector>

using namespace shelltest;

namespace {

struct Stroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

struct Row {
    const char* name;
    std::vector<Stroke> strokes;
};

class MenuFocusTest : public ShellWindowTest {
protected:
    void SetUp() override {
        ShellWindowTest::SetUp();
        StartGame(SolutionWithHoles({{5, 5}, {6, 5}, {9, 9}}));
        ClickCell(5, 5);
    }

    // A key as the desktop gives it: to the open popup, else to the focus.
    void Press(const Stroke& stroke) {
        QWidget* target = QApplication::activePopupWidget();
        if (target == nullptr) {
            target = QApplication::focusWidget();
        }
        QTest::keyClick(target != nullptr ? target : m_widget, stroke.key, stroke.modifiers);
        Pump();
    }
    QMenuBar* Bar() const {
        return m_widget->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    }
    QString PopupTitle() const {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        return popup != nullptr ? popup->title() : QString();
    }
    int CentreValue() { return Field().field.At(CellPos{5, 5}).value; }

    // The menus are closed, the window has the keyboard and a digit typed
    // there reaches the board (and is taken back).
    void ExpectBoardHasTheKeys(const char* after) {
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << after;
        EXPECT_EQ(QApplication::focusWidget(), m_widget) << after;
        EXPECT_EQ(Bar()->activeAction(), nullptr) << after;
        EXPECT_EQ(BarHolding(m_widget, "Help")->activeAction(), nullptr) << after;
        Press({Qt::Key_7});
        EXPECT_EQ(CentreValue(), 7) << "a digit reaches the board after " << after;
        Press({Qt::Key_Delete});
        ASSERT_EQ(CentreValue(), 0) << after;
    }
};

} // namespace

TEST_F(MenuFocusTest, EscapeAfterCrossingsToHelpAndBackGivesTheBoardTheKeys) {
    const Stroke altG{Qt::Key_G, Qt::AltModifier};
    const Stroke altH{Qt::Key_H, Qt::AltModifier};
    const Stroke right{Qt::Key_Right};
    const Stroke left{Qt::Key_Left};
    const Stroke esc{Qt::Key_Escape};
    // One window for all rows: each starts from what the rows before left.
    const Row rows[] = {
        {"Alt+G, Right: Help", {altG, right, esc, esc}},
        {"Alt+G, Right, Right: File, reached round from Help", {altG, right, right, esc, esc}},
        {"Alt+G, Right, Left: Help and back to Game", {altG, right, left, esc, esc}},
        {"F10, Left: Help, Right: File", {{Qt::Key_F10}, left, right, esc, esc}},
        {"Alt+H, Right: File", {altH, right, esc, esc}},
        {"Alt+H, Esc, Left: the bar on Help, then Game", {altH, esc, left, esc, esc}},
        {"Alt+G, Right, Right again: File", {altG, right, right, esc, esc}},
        {"F10, H: Help by its letter", {{Qt::Key_F10}, {Qt::Key_H}, esc, esc}},
        {"Alt+G, Right again: Help", {altG, right, esc, esc}},
    };
    for (const Row& row : rows) {
        for (const Stroke& stroke : row.strokes) {
            Press(stroke);
        }
        ExpectBoardHasTheKeys(row.name);
    }
}

TEST_F(MenuFocusTest, ACommandChosenAfterACrossingGivesTheBoardTheKeys) {
    // Help visited once, then Game reached back from Help: its Hint.
    for (const Stroke& stroke : {Stroke{Qt::Key_G, Qt::AltModifier}, Stroke{Qt::Key_Right},
                                 Stroke{Qt::Key_Escape}, Stroke{Qt::Key_Escape}}) {
        Press(stroke);
    }
    ExpectBoardHasTheKeys("Help left with Esc");
    for (const Stroke& stroke :
         {Stroke{Qt::Key_G, Qt::AltModifier}, Stroke{Qt::Key_Right}, Stroke{Qt::Key_Left}}) {
        Press(stroke);
    }
    ASSERT_EQ(PopupTitle(), "Game");
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_H);
    EXPECT_EQ(QApplication::focusWidget(), m_widget)
        << "the keyboard is back as the menus close, before the command is handled";
    Pump();
    EXPECT_EQ(Field().field.At(CellPos{5, 5}).flags & 0x1FF, 0x100) << "the hint was given";
    ExpectBoardHasTheKeys("Game, Hint chosen by its letter");
}

TEST_F(MenuFocusTest, AClickOnTheBoardAfterACrossingGivesTheBoardTheKeys) {
    for (const Stroke& stroke :
         {Stroke{Qt::Key_G, Qt::AltModifier}, Stroke{Qt::Key_Right}, Stroke{Qt::Key_Escape},
          Stroke{Qt::Key_Escape}, Stroke{Qt::Key_G, Qt::AltModifier}, Stroke{Qt::Key_Right},
          Stroke{Qt::Key_Right}}) {
        Press(stroke);
    }
    ASSERT_EQ(PopupTitle(), "File");
    ClickCell(5, 5);
    ExpectBoardHasTheKeys("a click outside the File menu");
}
