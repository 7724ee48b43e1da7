// The menus from the keyboard, through real key presses on the main window:
// F10 and Alt alone select the bar, the arrows and Enter walk it (crossing
// between the bar's left part and Help on its right), Esc leaves it,
// mnemonics choose items, grayed items are not chosen, and the board's keys
// and the accelerators work as before once the menus are closed, whatever
// crossings were made before.

#include "ShellWindowFixture.h"

#include <QMenu>
#include <QMenuBar>

#include <vector>

using namespace shelltest;

namespace {

class MenuKeysTest : public ShellWindowTest {
protected:
    void SetUp() override {
        ShellWindowTest::SetUp();
        StartGame(SolutionWithHoles({{5, 5}, {6, 5}, {9, 9}}));
        ClickCell(5, 5);
        RecordCommands();
    }

    // The text of the bar's selected menu, or empty.
    QString SelectedMenu() const {
        const QAction* action = BarHolding(m_widget, "File")->activeAction();
        return action != nullptr ? action->text() : QString();
    }
    static QMenu* OpenPopup() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    static QString SelectedItem() {
        QMenu* popup = OpenPopup();
        return popup != nullptr && popup->activeAction() != nullptr ? popup->activeAction()->text()
                                                                    : QString();
    }
    // The menus are closed, neither bar has a menu selected and the window
    // has the keyboard again.
    void ExpectMenusClosed() {
        EXPECT_EQ(OpenPopup(), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), m_widget);
        EXPECT_TRUE(SelectedMenu().isEmpty());
        EXPECT_EQ(BarHolding(m_widget, "Help")->activeAction(), nullptr);
    }
};

// Keys given from closed menus ("Alt+G Right": Alt+G, then Right; "Click": a
// click on the board), and what is selected and open after them: the bar's
// selected menu when no popup is open, the open popup and its selected item,
// and the command posted (0: none). Esc then closes all, step by step. All
// rows run in one window, each from what the rows before left.
struct MenuWalk {
    const char* keys;
    const char* bar;
    const char* popup;
    const char* item;
    UINT command;
};

} // namespace

TEST_F(MenuKeysTest, KeysWalkTheMenusAndChooseTheirItems) {
    const MenuWalk walks[] = {
        {"F10", "File", "", "", 0},                     // selected, not yet open
        {"Alt", "File", "", "", 0},                     // Alt alone too
        {"Shift+F10", "", "", "", 0},                   // not the menu key
        {"F10 Return", "", "File", "&New", 0},          // Enter opens the menu
        {"F10 Return Return", "", "&New", "Blank", 0},  // and the submenu
        {"F10 Return Esc", "File", "", "", 0},          // the bar stays selected
        {"F10 Down Right", "", "&New", "Blank", 0},     // Right opens the submenu
        {"F10 Down Right Left", "", "File", "&New", 0}, // Left closes it again
        {"F10 Down Right Right", "", "Game", "", 0},    // on to the next menu
        {"F10 Down Right Right Left", "", "File", "", 0},
        {"Alt+G", "", "Game", "A&uto-Check", 0}, // the first item not grayed
        {"Alt+G R", "", "Game", "", 0},          // grayed Redo is not chosen
        {"Alt+H", "", "Help", "&About", 0},      // on the right of the bar
        {"F10 H", "", "Help", "&About", 0},      // the bar's letters reach it too
        // Crossings between the bar's two parts, Help shown before.
        {"Alt+G Right", "", "Help", "", 0},            // Right from the last menu on the left
        {"Alt+G Right Right", "", "File", "", 0},      // and on round to the first
        {"Alt+G Right Right Left", "", "Help", "", 0}, // Left from the first wraps to Help
        {"Alt+G Right Right Left Left", "", "Game", "A&uto-Check", 0},
        {"F10 Left Right", "", "File", "", 0},
        {"Alt+H Right", "", "File", "", 0},
        {"Alt+H Esc Left", "", "Game", "", 0},
        {"Alt+G Right Right Click", "", "", "", 0},      // a click outside the menus
        {"Alt+G Right Left H", "", "", "", 32788},       // Game, &Hint
        {"Alt+F N N", "", "", "", 32795},                // File, &New, Normal by its first letter
        {"F10 G S", "", "", "", 32790},                  // the marked S of Try to &Solve
        {"Alt+G C", "", "", "", 32792},                  // &Check
        {"F10 Return Return Return", "", "", "", 32793}, // File, New, Blank
    };
    for (const MenuWalk& walk : walks) {
        SCOPED_TRACE(walk.keys);
        m_commands.clear();
        const QStringList tokens = QString(walk.keys).split(' ');
        for (const QString& token : tokens) {
            if (token == "Click") {
                ClickCell(5, 5);
            } else if (token == "Alt") {
                Key(Qt::Key_Alt);
            } else {
                const QKeyCombination stroke = QKeySequence::fromString(token)[0];
                Key(stroke.key(), stroke.keyboardModifiers(), false);
                if (walk.command != 0 && &token == &tokens.back()) {
                    EXPECT_EQ(QApplication::focusWidget(), m_widget)
                        << "the keyboard is back as the menus close, before the command";
                }
                Pump();
            }
        }
        EXPECT_EQ(OpenPopup() != nullptr ? OpenPopup()->title() : QString(), walk.popup);
        EXPECT_EQ(OpenPopup() != nullptr ? QString() : SelectedMenu(), walk.bar);
        if (*walk.item != '\0') {
            EXPECT_EQ(SelectedItem(), walk.item);
        }
        // Esc leaves one level at a time: each open popup, then the bar
        // (either part).
        for (int i = 0; i < 3 && OpenPopup() != nullptr; ++i) {
            Key(Qt::Key_Escape);
        }
        if (!SelectedMenu().isEmpty() || BarHolding(m_widget, "Help")->activeAction() != nullptr) {
            Key(Qt::Key_Escape);
        }
        ExpectMenusClosed();
        EXPECT_EQ(m_commands,
                  walk.command == 0 ? std::vector<UINT>{} : std::vector<UINT>{walk.command});
        if (walk.command == 0) {
            Key(Qt::Key_Right);
            EXPECT_EQ(Selection(), (CellPos{6, 5})) << "the board has the keys";
            Key(Qt::Key_Left);
        }
    }
}

TEST_F(MenuKeysTest, TheBoardHasItsKeysAgainOnceTheMenusClose) {
    Key(Qt::Key_F10);
    Key(Qt::Key_Escape);
    Key(Qt::Key_3);
    EXPECT_EQ(At(5, 5).value, 3) << "after Esc";
    Key(Qt::Key_Alt);
    Key(Qt::Key_Escape);
    Key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(At(5, 5).value, 0) << "Alt+Backspace is still the undo accelerator";
    ExpectMenusClosed();
    EXPECT_EQ(m_commands, std::vector<UINT>{57643}) << "the accelerator's command alone";

    for (Qt::Key key : {Qt::Key_F10, Qt::Key_Return, Qt::Key_Return, Qt::Key_Return}) {
        Key(key);
    }
    EXPECT_EQ(Field().level, 0) << "a blank game";
    EXPECT_EQ(At(1, 1).value, 0);
    ClickCell(1, 1);
    Key(Qt::Key_7);
    EXPECT_EQ(At(1, 1).value, 7) << "after a command chosen with Enter";
}

TEST_F(MenuKeysTest, ArrowsWalkToGameHintWithTheStatesOfTheMoment) {
    Key(Qt::Key_4);
    ASSERT_EQ(At(5, 5).value, 4);
    Key(Qt::Key_Delete);
    ASSERT_EQ(At(5, 5).value, 0);

    Key(Qt::Key_F10);
    Key(Qt::Key_Right);
    EXPECT_EQ(SelectedMenu(), "Game");
    Key(Qt::Key_Down);
    QMenu* game = OpenPopup();
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->title(), "Game");
    EXPECT_TRUE(ActionNamed(game, "&Undo\tCtrl-Z")->isEnabled()) << "set as the popup opened";
    EXPECT_FALSE(ActionNamed(game, "&Redo\tCtrl-Y")->isEnabled());
    for (int step = 0; step < 20 && SelectedItem() != "&Hint\tCtrl-H"; ++step) {
        Key(Qt::Key_Down);
        EXPECT_NE(SelectedItem(), "&Redo\tCtrl-Y") << "a grayed item is passed over";
    }
    ASSERT_EQ(SelectedItem(), "&Hint\tCtrl-H");
    Key(Qt::Key_Return);

    EXPECT_EQ(m_commands, std::vector<UINT>{32788});
    ExpectMenusClosed();
    EXPECT_EQ(At(5, 5).flags & 0x1FF, 0x100) << "the one candidate of (5, 5), 9, as its mark";
}
