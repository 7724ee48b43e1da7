// The menus from the keyboard, through real key presses on the main window:
// F10 and Alt alone select the bar, the arrows and Enter walk it, Esc leaves
// it, mnemonics choose items, grayed items are not chosen, and the board's
// keys and the accelerators work as before once the menus are closed.

#include "ShellWindowFixture.h"

#include "views/win/framework/CMessageFilter.h"

#include <QMenu>
#include <QMenuBar>

#include <vector>

using namespace shelltest;

namespace {

// The menu commands posted to a window, seen as the loop retrieves them.
class CCommandRecorder : public CMessageFilter {
public:
    explicit CCommandRecorder(HWND hwnd) : m_hwnd(hwnd) {}
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->hwnd == m_hwnd && msg->message == WM_COMMAND) {
            ids.push_back(LOWORD(msg->wParam));
        }
        return FALSE;
    }
    std::vector<UINT> ids;

private:
    HWND m_hwnd;
};

class MenuKeysTest : public ShellWindowTest {
protected:
    void SetUp() override {
        ShellWindowTest::SetUp();
        m_commands = std::make_unique<CCommandRecorder>(Main());
        m_loop.AddMessageFilter(m_commands.get());
        StartGame(SolutionWithHoles({{5, 5}, {6, 5}, {9, 9}}));
        ClickCell(5, 5);
        m_commands->ids.clear();
    }
    void TearDown() override {
        m_loop.RemoveMessageFilter(m_commands.get());
        ShellWindowTest::TearDown();
    }

    // A key as the desktop gives it: to the open popup, else to the focus.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget();
        if (target == nullptr) {
            target = QApplication::focusWidget();
        }
        QTest::keyClick(target != nullptr ? target : m_widget, key, modifiers);
        Pump();
    }
    void PressAll(std::initializer_list<Qt::Key> keys) {
        for (Qt::Key key : keys) {
            Press(key);
        }
    }

    QMenuBar* Bar() const {
        return m_widget->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    }
    // The text of the bar's selected menu, or empty.
    QString SelectedMenu() const {
        const QAction* action = Bar()->activeAction();
        return action != nullptr ? action->text() : QString();
    }
    static QMenu* OpenPopup() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    static QString SelectedItem() {
        QMenu* popup = OpenPopup();
        return popup != nullptr && popup->activeAction() != nullptr ? popup->activeAction()->text()
                                                                    : QString();
    }
    static QAction* Item(QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }

    const CCell& At(int column, int row) {
        return Field().field.At(
            CellPos{static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row)});
    }
    // The menus are closed and the window has the keyboard again.
    void ExpectMenusClosed() {
        EXPECT_EQ(OpenPopup(), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), m_widget);
        EXPECT_TRUE(SelectedMenu().isEmpty());
    }

    std::unique_ptr<CCommandRecorder> m_commands;
};

} // namespace

TEST_F(MenuKeysTest, F10SelectsFileAndEnterWalksDownToItsFirstCommand) {
    Press(Qt::Key_F10);
    EXPECT_EQ(SelectedMenu(), "File");
    EXPECT_EQ(OpenPopup(), nullptr) << "selected, not yet open";

    Press(Qt::Key_Return);
    ASSERT_NE(OpenPopup(), nullptr);
    EXPECT_EQ(OpenPopup()->title(), "File");
    EXPECT_EQ(SelectedItem(), "&New");
    Press(Qt::Key_Return);
    EXPECT_EQ(OpenPopup()->title(), "&New");
    EXPECT_EQ(SelectedItem(), "Blank");
    Press(Qt::Key_Return);

    EXPECT_EQ(m_commands->ids, std::vector<UINT>{32793});
    ExpectMenusClosed();
    EXPECT_EQ(Field().level, 0) << "a blank game";
    EXPECT_EQ(At(1, 1).value, 0);
    ClickCell(1, 1);
    Press(Qt::Key_7);
    EXPECT_EQ(At(1, 1).value, 7) << "digits reach the board after the menu closed";
}

TEST_F(MenuKeysTest, ArrowsWalkToGameHintWithTheStatesOfTheMoment) {
    Press(Qt::Key_4);
    ASSERT_EQ(At(5, 5).value, 4);
    Press(Qt::Key_Delete);
    ASSERT_EQ(At(5, 5).value, 0);

    Press(Qt::Key_F10);
    Press(Qt::Key_Right);
    EXPECT_EQ(SelectedMenu(), "Game");
    Press(Qt::Key_Down);
    QMenu* game = OpenPopup();
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->title(), "Game");
    EXPECT_TRUE(Item(game, "&Undo\tCtrl-Z")->isEnabled()) << "set as the popup opened";
    EXPECT_FALSE(Item(game, "&Redo\tCtrl-Y")->isEnabled());
    for (int step = 0; step < 20 && SelectedItem() != "&Hint\tCtrl-H"; ++step) {
        Press(Qt::Key_Down);
        EXPECT_NE(SelectedItem(), "&Redo\tCtrl-Y") << "a grayed item is passed over";
    }
    ASSERT_EQ(SelectedItem(), "&Hint\tCtrl-H");
    Press(Qt::Key_Return);

    EXPECT_EQ(m_commands->ids, std::vector<UINT>{32788});
    ExpectMenusClosed();
    EXPECT_EQ(At(5, 5).flags & 0x1FF, 0x100) << "the one candidate of (5, 5), 9, as its mark";
}

TEST_F(MenuKeysTest, LeftAndRightMoveBetweenOpenMenusAndIntoASubmenu) {
    Press(Qt::Key_F10);
    Press(Qt::Key_Down);
    ASSERT_NE(OpenPopup(), nullptr);
    Press(Qt::Key_Right);
    EXPECT_EQ(OpenPopup()->title(), "&New") << "Right opens the selected submenu";
    Press(Qt::Key_Left);
    EXPECT_EQ(OpenPopup()->title(), "File") << "Left closes it again";
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);
    EXPECT_EQ(OpenPopup()->title(), "Game") << "Right in a submenu moves to the next menu";
    Press(Qt::Key_Left);
    EXPECT_EQ(OpenPopup()->title(), "File");
    Press(Qt::Key_Escape);
    Press(Qt::Key_Escape);
    EXPECT_TRUE(m_commands->ids.empty());
}

TEST_F(MenuKeysTest, EscapeClosesStepByStepWithoutACommand) {
    Press(Qt::Key_F10);
    Press(Qt::Key_Return);
    ASSERT_NE(OpenPopup(), nullptr);
    Press(Qt::Key_Escape);
    EXPECT_EQ(OpenPopup(), nullptr);
    EXPECT_EQ(SelectedMenu(), "File") << "the bar stays selected";
    Press(Qt::Key_Escape);

    ExpectMenusClosed();
    EXPECT_TRUE(m_commands->ids.empty());
    Press(Qt::Key_3);
    EXPECT_EQ(At(5, 5).value, 3) << "the board has the keys again";
}

struct MnemonicCase {
    const char* name;
    Qt::Key altKey; // typed with Alt, or Key_F10 alone
    std::vector<Qt::Key> keys;
    UINT command;
};

TEST_F(MenuKeysTest, MnemonicsChooseTheirItems) {
    const MnemonicCase cases[] = {
        {"Alt+G, H: Game, &Hint", Qt::Key_G, {Qt::Key_H}, 32788},
        {"Alt+F, N, N: File, &New, Normal (its first letter)",
         Qt::Key_F,
         {Qt::Key_N, Qt::Key_N},
         32795},
        {"F10, G, S: the marked S of Try to &Solve before Show Top Winners",
         Qt::Key_F10,
         {Qt::Key_G, Qt::Key_S},
         32790},
        {"Alt+G, C: &Check", Qt::Key_G, {Qt::Key_C}, 32792},
    };
    for (const MnemonicCase& c : cases) {
        m_commands->ids.clear();
        if (c.altKey == Qt::Key_F10) {
            Press(Qt::Key_F10);
        } else {
            Press(c.altKey, Qt::AltModifier);
        }
        for (Qt::Key key : c.keys) {
            Press(key);
        }
        EXPECT_EQ(m_commands->ids, std::vector<UINT>{c.command}) << c.name;
        ExpectMenusClosed();
    }
}

TEST_F(MenuKeysTest, AltAloneSelectsTheBarButAltBackspaceStillUndoes) {
    Press(Qt::Key_Alt);
    EXPECT_EQ(SelectedMenu(), "File");
    EXPECT_EQ(OpenPopup(), nullptr);
    Press(Qt::Key_Escape);
    ExpectMenusClosed();

    Press(Qt::Key_6);
    ASSERT_EQ(At(5, 5).value, 6);
    Press(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(At(5, 5).value, 0) << "the accelerator undid the digit";
    ExpectMenusClosed();
    EXPECT_TRUE(m_commands->ids.empty());

    Press(Qt::Key_F10, Qt::ShiftModifier);
    ExpectMenusClosed();
}

TEST_F(MenuKeysTest, AGrayedItemIsNotChosen) {
    Press(Qt::Key_G, Qt::AltModifier);
    QMenu* game = OpenPopup();
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(SelectedItem(), "A&uto-Check") << "the first item that is not grayed";
    ASSERT_FALSE(Item(game, "&Redo\tCtrl-Y")->isEnabled());
    Press(Qt::Key_R);
    EXPECT_EQ(OpenPopup(), game) << "the menu stays open";
    Press(Qt::Key_Down);
    Press(Qt::Key_Escape);
    Press(Qt::Key_Escape);
    EXPECT_TRUE(m_commands->ids.empty());
    ExpectMenusClosed();
}

TEST_F(MenuKeysTest, AltHOpensHelpOnTheRightAndEscapeLeavesIt) {
    Press(Qt::Key_H, Qt::AltModifier);
    ASSERT_NE(OpenPopup(), nullptr);
    EXPECT_EQ(OpenPopup()->title(), "Help");
    EXPECT_EQ(SelectedItem(), "&About");
    Press(Qt::Key_Escape);
    Press(Qt::Key_Escape);
    ExpectMenusClosed();
    EXPECT_TRUE(m_commands->ids.empty());
    Press(Qt::Key_2);
    EXPECT_EQ(At(5, 5).value, 2);

    Press(Qt::Key_F10);
    Press(Qt::Key_H);
    ASSERT_NE(OpenPopup(), nullptr);
    EXPECT_EQ(OpenPopup()->title(), "Help") << "the bar's letters reach the right part too";
    Press(Qt::Key_Escape);
    Press(Qt::Key_Escape);
    ExpectMenusClosed();
}

TEST_F(MenuKeysTest, LeftAndRightCrossToHelpOnTheRightAndBack) {
    Press(Qt::Key_G, Qt::AltModifier);
    Press(Qt::Key_Right);
    ASSERT_NE(OpenPopup(), nullptr);
    EXPECT_EQ(OpenPopup()->title(), "Help") << "Right from the last menu on the left";
    Press(Qt::Key_Right);
    ASSERT_NE(OpenPopup(), nullptr);
    EXPECT_EQ(OpenPopup()->title(), "File") << "and on round to the first";
    Press(Qt::Key_Left);
    ASSERT_NE(OpenPopup(), nullptr);
    EXPECT_EQ(OpenPopup()->title(), "Help") << "Left from the first wraps to Help";
    Press(Qt::Key_Left);
    ASSERT_NE(OpenPopup(), nullptr);
    EXPECT_EQ(OpenPopup()->title(), "Game");
    EXPECT_EQ(SelectedItem(), "A&uto-Check");
    Press(Qt::Key_Escape);
    Press(Qt::Key_Escape);
    ExpectMenusClosed();
    EXPECT_TRUE(m_commands->ids.empty());
}
