// The main window as a screen reader reads it through Qt's accessibility:
// the board as a 9 x 9 table of named cells whose focus follows the keys,
// the events that announce what the player changes, the strip's buttons,
// the status bar, a check, a won game, and the cost while no client listens.

#include "ShellWindowFixture.h"

#include "tests/views/win/AccessibleRecorder.h"

#include "session/FieldMessages.h"

using namespace shelltest;
using wintest::AccessibleOf;
using wintest::AccessibleRecorder;
using wintest::FindAccessible;
using wintest::NameOf;

namespace {

std::string Given(int column, int row) {
    return "Row " + std::to_string(row) + ", column " + std::to_string(column) + ": " +
           std::to_string(SolvedDigit(column, row)) + ", given";
}

std::string Holds(int column, int row, const std::string& content) {
    return "Row " + std::to_string(row) + ", column " + std::to_string(column) + ": " + content;
}

class AccessibleBoardTest : public ShellWindowTest {
protected:
    QAccessibleInterface* Frame() const { return AccessibleOf(Main()); }
    QAccessibleInterface* Board() const {
        return FindAccessible(Frame(), QAccessible::Table, "Board");
    }
    QAccessibleInterface* Cell(int column, int row) const {
        return Board()->tableInterface()->cellAt(row - 1, column - 1);
    }
    std::string Focused() const { return NameOf(wintest::DeepestFocus(Frame())); }
    std::vector<std::string> Heard(QAccessible::Event type,
                                   QAccessible::Role role = QAccessible::NoRole) const {
        return m_recorder.Names(type, role);
    }

    AccessibleRecorder m_recorder;
};

} // namespace

TEST_F(AccessibleBoardTest, TheWindowReadsAsTheBoardTheStripAndTheStatusBarWithEveryCellNamed) {
    StartGame(SolutionWithHoles({{5, 3}, {1, 1}, {9, 9}, {2, 2}}));
    SelectCell(5, 3);
    Type("7");
    SelectCell(1, 1);
    for (Qt::Key digit : {Qt::Key_9, Qt::Key_1, Qt::Key_5}) {
        Key(digit, Qt::ControlModifier);
    }
    ASSERT_NE(Frame(), nullptr);
    EXPECT_EQ(Frame()->role(), QAccessible::Window);
    EXPECT_EQ(NameOf(Frame()), "Kalmora");
    std::vector<QAccessible::Role> roles;
    for (int i = 0; i < Frame()->childCount(); ++i) {
        roles.push_back(Frame()->child(i)->role());
        EXPECT_EQ(Frame()->child(i)->parent(), Frame());
        EXPECT_EQ(Frame()->indexOfChild(Frame()->child(i)), i);
    }
    EXPECT_EQ(roles,
              (std::vector<QAccessible::Role>{QAccessible::MenuBar, QAccessible::Table,
                                              QAccessible::ToolBar, QAccessible::StatusBar}));

    QAccessibleInterface* board = Board();
    ASSERT_NE(board, nullptr);
    ASSERT_NE(board->tableInterface(), nullptr);
    EXPECT_EQ(board->tableInterface()->rowCount(), 9);
    EXPECT_EQ(board->tableInterface()->columnCount(), 9);
    ASSERT_EQ(board->childCount(), 81);
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column) {
            QAccessibleInterface* cell = Cell(column, row);
            ASSERT_EQ(cell, board->child((row - 1) * 9 + column - 1));
            EXPECT_EQ(cell->role(), QAccessible::Cell);
            EXPECT_EQ(cell->parent(), board);
            EXPECT_EQ(cell->tableCellInterface()->rowIndex(), row - 1);
            EXPECT_EQ(cell->tableCellInterface()->columnIndex(), column - 1);
            if (row * 10 + column != 35 && row * 10 + column != 11 && row * 10 + column != 99 &&
                row * 10 + column != 22) {
                EXPECT_EQ(NameOf(cell), Given(column, row));
                EXPECT_TRUE(cell->state().readOnly);
            }
        }
    }
    EXPECT_EQ(NameOf(Cell(5, 3)), "Row 3, column 5: 7");
    EXPECT_EQ(NameOf(Cell(1, 1)), "Row 1, column 1: empty, marks 1 5 9");
    EXPECT_EQ(NameOf(Cell(9, 9)), "Row 9, column 9: empty");
    EXPECT_EQ(NameOf(Cell(2, 2)), "Row 2, column 2: empty");
    EXPECT_FALSE(Cell(5, 3)->state().readOnly);
    const QPoint centre =
        m_widget->mapToGlobal(ToWindow(CellCentre(4, 7).x(), CellCentre(4, 7).y()));
    EXPECT_TRUE(Cell(4, 7)->rect().contains(centre)) << "where the painting puts the cell";
    EXPECT_FALSE(Cell(5, 7)->rect().contains(centre));

    QAccessibleInterface* status = FindAccessible(Frame(), QAccessible::StatusBar);
    ASSERT_EQ(status->childCount(), 4);
    for (int pane = 0; pane < 4; ++pane) {
        std::string text = Pane(pane);
        text.erase(0, text.find_first_not_of('\t'));
        EXPECT_EQ(NameOf(status->child(pane)), text);
        EXPECT_EQ(status->child(pane)->role(), QAccessible::StaticText);
    }
    EXPECT_EQ(NameOf(status->child(0)), "(1, 1)");
}

TEST_F(AccessibleBoardTest, TheFocusFollowsTheKeysAndWhatTheKeysChangeIsAnnounced) {
    StartGame(SolutionWithHoles({{3, 2}, {4, 2}}));
    ClickCell(2, 2);
    EXPECT_EQ(Focused(), Given(2, 2));
    struct Move {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::string heard;
    };
    const Move moves[] = {
        {Qt::Key_Down, Qt::NoModifier, Given(2, 3)},
        {Qt::Key_Left, Qt::ControlModifier, Given(1, 3)},
        {Qt::Key_End, Qt::NoModifier, Given(9, 9)},
        {Qt::Key_Right, Qt::NoModifier, Given(1, 9)},
        {Qt::Key_PageUp, Qt::NoModifier, Given(1, 1)},
        {Qt::Key_Down, Qt::NoModifier, Given(1, 2)},
        {Qt::Key_Right, Qt::NoModifier, Given(2, 2)},
        {Qt::Key_Right, Qt::NoModifier, Holds(3, 2, "empty")},
    };
    for (const Move& move : moves) {
        m_recorder.Clear();
        Key(move.key, move.modifiers);
        EXPECT_EQ(Heard(QAccessible::Focus), std::vector<std::string>{move.heard});
        EXPECT_EQ(Focused(), move.heard);
        EXPECT_TRUE(wintest::DeepestFocus(Frame())->state().focused);
        EXPECT_TRUE(wintest::DeepestFocus(Frame())->state().selected);
    }
    struct Change {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::string heard;
    };
    const Change changes[] = {
        {Qt::Key_6, Qt::ControlModifier, Holds(3, 2, "empty, marks 6")},
        {Qt::Key_2, Qt::ControlModifier, Holds(3, 2, "empty, marks 2 6")},
        {Qt::Key_6, Qt::ControlModifier, Holds(3, 2, "empty, marks 2")},
        {Qt::Key_4, Qt::NoModifier, Holds(3, 2, "4")},
        {Qt::Key_Z, Qt::ControlModifier, Holds(3, 2, "empty, marks 2")},
        {Qt::Key_Y, Qt::ControlModifier, Holds(3, 2, "4")},
        {Qt::Key_Delete, Qt::NoModifier, Holds(3, 2, "empty")},
    };
    for (const Change& change : changes) {
        m_recorder.Clear();
        Key(change.key, change.modifiers);
        EXPECT_EQ(Heard(QAccessible::NameChanged, QAccessible::Cell),
                  std::vector<std::string>{change.heard});
        EXPECT_TRUE(Heard(QAccessible::Focus).empty()) << "the focus stays on the cell";
    }
    m_recorder.Clear();
    Key(Qt::Key_M);
    EXPECT_EQ(Heard(QAccessible::DescriptionChanged), std::vector<std::string>{"Board"});
    EXPECT_EQ(Board()->text(QAccessible::Description).toStdString(), "Mark entry");
    Choose({"Game", "&Hint\tCtrl-H"});
    EXPECT_EQ(Focused(), Holds(3, 2, "empty, marks " + std::to_string(SolvedDigit(3, 2))));
}

TEST_F(AccessibleBoardTest, WithoutASelectionTheBoardHasTheFocusAndAGivenCellReadsAsGiven) {
    Field().NewBlankGame();
    Pump();
    EXPECT_EQ(Focused(), "Board");
    EXPECT_TRUE(Board()->state().focused);
    EXPECT_EQ(Board()->tableInterface()->selectedCellCount(), 0);
    StartGame(SolutionWithHoles({{9, 9}}));
    ClickCell(4, 6);
    QAccessibleInterface* given = wintest::DeepestFocus(Frame());
    EXPECT_EQ(NameOf(given), Given(4, 6));
    EXPECT_TRUE(given->state().readOnly);
    EXPECT_TRUE(given->state().focused);
    EXPECT_FALSE(Board()->state().focused);
    EXPECT_EQ(Board()->tableInterface()->selectedCells(), QList<QAccessibleInterface*>{given});
    m_recorder.Clear();
    Type("1");
    EXPECT_TRUE(Heard(QAccessible::NameChanged, QAccessible::Cell).empty()) << "a given stays";
    Key(Qt::Key_Escape);
    EXPECT_EQ(Heard(QAccessible::Focus), std::vector<std::string>{"Board"});
    EXPECT_FALSE(given->state().focused);
}

// Row 1 is checked with a repeated digit, then the game is won and the winner
// dialog asks for a name.
TEST_F(AccessibleBoardTest, ACheckShowsTheConflictAndAWinIsAnnouncedBeforeTheWinnerIsAsked) {
    StartTimedGame(SolutionWithHoles({{1, 1}, {2, 1}}), 1);
    ClickCell(1, 1);
    Type(std::to_string(SolvedDigit(5, 1)));
    m_recorder.Clear();
    Key(Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(Board()->text(QAccessible::Description).toStdString(),
              "Digit entry, conflict in row 1");
    for (int column = 1; column <= 9; ++column) {
        EXPECT_EQ(Cell(column, 1)->text(QAccessible::Description).toStdString(),
                  "Conflict in row 1");
        EXPECT_EQ(Cell(column, 2)->text(QAccessible::Description).toStdString(), "");
    }
    EXPECT_EQ(Heard(QAccessible::DescriptionChanged).size(), 10u) << "nine cells and the board";
    Key(Qt::Key_Delete);
    EXPECT_EQ(Cell(5, 1)->text(QAccessible::Description).toStdString(), "");

    std::string dialogName;
    std::string askedFor;
    std::string message;
    wintest::ModalScript script;
    script.Then([&](const kwin::ModalStart& start) {
        QAccessibleInterface* dialog = AccessibleOf(start.window);
        dialogName = NameOf(dialog);
        askedFor = NameOf(wintest::DeepestFocus(dialog));
        message = FindAccessible(dialog, QAccessible::EditableText)
                      ->text(QAccessible::Value)
                      .toStdString();
        wintest::PressKey(start.window, Qt::Key_Escape);
    });
    m_recorder.Clear();
    Type(std::to_string(SolvedDigit(1, 1)));
    SelectCell(2, 1);
    Type(std::to_string(SolvedDigit(2, 1)));
    EXPECT_EQ(script.Started(), 1);
    EXPECT_EQ(dialogName, "Dialog");
    EXPECT_EQ(askedFor, "Enter your name:");
    EXPECT_EQ(message, "You're a winner! You won in 'Easy game' in 00:00:00");
    EXPECT_EQ(Heard(QAccessible::Alert), std::vector<std::string>{"Board"});
    const std::vector<std::string> focus = Heard(QAccessible::Focus);
    const auto asked = std::find(focus.begin(), focus.end(), "Enter your name:");
    ASSERT_NE(asked, focus.end());
    ASSERT_NE(asked, focus.begin());
    EXPECT_EQ(*(asked - 1), "Board") << "the won board, before the dialog's edit";
    EXPECT_EQ(focus.back(), "Board") << "once the dialog is gone";
    EXPECT_EQ(Board()->text(QAccessible::Description).toStdString(),
              "Game over: solved in 00:00:00");
    EXPECT_TRUE(Board()->state().readOnly);
    EXPECT_TRUE(Cell(2, 1)->state().readOnly);
    EXPECT_FALSE(Cell(2, 1)->state().selected);
}

TEST_F(AccessibleBoardTest, TheStripsButtonsSayWhatTheirSlotsShowAndPressingOneEntersItsDigit) {
    StartGame(SolutionWithHoles({{5, 5}, {6, 5}}));
    QAccessibleInterface* strip = FindAccessible(Frame(), QAccessible::ToolBar, "Hint strip");
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(wintest::ChildNames(strip),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    auto slotWords = [strip] {
        std::string words;
        for (int i = 0; i < strip->childCount(); ++i) {
            EXPECT_EQ(strip->child(i)->role(), QAccessible::Button);
            words += strip->child(i)->text(QAccessible::Description).toStdString()[0];
        }
        return words;
    };
    EXPECT_EQ(slotWords(), "eeeeeeeee") << "nothing selected";
    ClickCell(1, 1);
    std::string expected(9, 'e');
    expected[SolvedDigit(1, 1) - 1] = 's';
    EXPECT_EQ(slotWords(), expected) << "a given shows its own digit";
    ClickCell(5, 5);
    for (Qt::Key mark : {Qt::Key_2, Qt::Key_8}) {
        Key(mark, Qt::ControlModifier);
    }
    EXPECT_EQ(slotWords(), "smsssssms");

    std::vector<LPARAM> entered;
    static std::vector<LPARAM>* log = nullptr;
    static WNDPROC fieldProc = nullptr;
    log = &entered;
    fieldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(
        Field().GetHwnd(), GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_FIELD_ENTERDIGIT) {
                log->push_back(lParam);
            }
            return CallWindowProc(fieldProc, hwnd, message, wParam, lParam);
        })));
    m_recorder.Clear();
    wintest::Press(strip->child(6));
    Pump();
    EXPECT_EQ(entered, std::vector<LPARAM>{7});
    EXPECT_EQ(At(5, 5).value, 7);
    EXPECT_EQ(At(5, 5).Marks(), 0x82) << "the strip keeps the marks, as its click does";
    EXPECT_EQ(Heard(QAccessible::NameChanged, QAccessible::Cell),
              std::vector<std::string>{"Row 5, column 5: 7"});
    Key(Qt::Key_Escape);
    wintest::Press(strip->child(2));
    Pump();
    EXPECT_EQ(entered, (std::vector<LPARAM>{7, 3})) << "sent, and ignored without a selection";
    EXPECT_EQ(At(5, 5).value, 7);
    SetWindowLongPtr(Field().GetHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fieldProc));
}

namespace {

int g_objectQueries = 0;
WNDPROC g_boardProc = nullptr;

LRESULT CountObjectQueries(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_objectQueries += message == WM_GETOBJECT ? 1 : 0;
    return CallWindowProc(g_boardProc, hwnd, message, wParam, lParam);
}

} // namespace

// Without a client the board asks nothing of itself and announces nothing;
// with one, the same keys are announced.
TEST_F(ShellWindowTest, AccessibilityCostsNothingWhileNoClientListens) {
    StartGame(SolutionWithHoles({{3, 3}, {4, 3}}));
    g_objectQueries = 0;
    g_boardProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(
        Field().GetHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountObjectQueries)));
    auto play = [this] {
        ClickCell(3, 3);
        Type("5");
        Key(Qt::Key_Right);
        Key(Qt::Key_Z, Qt::ControlModifier);
    };
    EXPECT_FALSE(IsWinEventHookInstalled(EVENT_OBJECT_FOCUS));
    play();
    EXPECT_EQ(g_objectQueries, 0);
    {
        AccessibleRecorder recorder;
        EXPECT_TRUE(IsWinEventHookInstalled(EVENT_OBJECT_FOCUS));
        play();
        EXPECT_GT(g_objectQueries, 0);
        EXPECT_FALSE(recorder.Names(QAccessible::NameChanged).empty());
    }
    SetWindowLongPtr(Field().GetHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_boardProc));
}
