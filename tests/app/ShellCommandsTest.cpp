// The commands of the main window as a player gives them: menu choices and
// accelerator keys, with the file dialogs and message boxes answered.

#include "ShellWindowFixture.h"

#include "app/DialogTemplates.h"
#include "app/FileErrorReport.h"
#include "grid/CGridCtrl.h"
#include "grid/ShowWinnersTemplate.h"
#include "storage/GameFile.h"
#include "storage/WinnersFile.h"
#include "storage/WinnersRules.h"

#include <boost/system/system_error.hpp>

#include <QFileDialog>
#include <QTimer>

#include <cerrno>
#include <fstream>
#include <system_error>

using namespace shelltest;
using wintest::ModalScript;

using ShellCommandsTest = ShellWindowTest;

TEST_F(ShellCommandsTest, NewGamesOfEveryLevelFromTheFileMenu) {
    const std::pair<const char*, int> levels[] = {
        {"Easy", 1}, {"Normal", 2}, {"Hard", 3}, {"Insane", 4}, {"Blank", 0}};
    for (const auto& [item, level] : levels) {
        Choose({"File", "&New", item});
        EXPECT_EQ(Field().level, level) << item;
        EXPECT_EQ(Field().GetStats().givens > 0, level != 0) << item;
        EXPECT_EQ(Field().GetStats().givens, Field().GetStats().filled) << item;
    }
}

TEST_F(ShellCommandsTest, SaveWithoutANameAsksAndAfterNewAsksAgain) {
    StartGame(SolutionWithHoles({{5, 5}, {6, 6}}), 1);
    ModalScript script;
    script.Then(ChooseFile(Path("first")));
    Key(Qt::Key_F2);
    EXPECT_EQ(script.Started(), 1) << "Save acted as Save as";
    EXPECT_EQ(m_main->GetFileName(), Path("first.sdk")) << "the default extension";
    EXPECT_EQ(GameFile::Read(Path("first.sdk")).level, 1);

    SelectCell(5, 5);
    Type(std::to_string(SolvedDigit(5, 5)));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(script.Started(), 1) << "saved to the current name without asking";
    EXPECT_EQ(GameFile::Read(Path("first.sdk")).field.At(CellPos{5, 5}).value, SolvedDigit(5, 5));

    Choose({"File", "&New", "Hard"});
    EXPECT_TRUE(m_main->GetFileName().empty());
    script.Then(ChooseFile(Path("second.sdk")));
    Choose({"File", "&Save\tF2"});
    EXPECT_EQ(script.Started(), 2) << "asked again after New";
    EXPECT_EQ(GameFile::Read(Path("second.sdk")).level, 3);
}

// A good file rebuilds the snapshot menu; a damaged one then changes neither
// the game, nor the menu, nor the file name.
TEST_F(ShellCommandsTest, LoadingAGoodFileRebuildsTheSnapshotMenu) {
    CGameFieldCtrl game; // a Normal game with two snapshots
    game.StartPuzzle(SolutionWithHoles({{1, 1}, {2, 2}, {3, 3}}), 2);
    game.MakeSnapshot("one", 5);
    game.MakeSnapshot("two", 65);
    GameFile::Write(Path("good.sdk"), game);
    std::ofstream(Path("damaged.sdk"), std::ios::binary) << "this is not a game file";
    Choose({"File", "&New", "Easy"});
    ModalScript script;
    script.Then(ChooseFile(Path("good.sdk")));
    Key(Qt::Key_F3);
    EXPECT_EQ(Field().level, 2);
    EXPECT_EQ(Field().GetStats().filled, 78u);
    EXPECT_EQ(SnapshotItems(), (std::vector<std::string>{"one (00:00:05)", "two (00:01:05)"}));
    EXPECT_EQ(m_main->GetFileName(), Path("good.sdk"));
    EXPECT_TRUE(MenuItemState("Game", "&Load snapshot").enabled);
    const CGameField before = Field().field;

    std::string text;
    std::string caption;
    QStringList filters;
    QStringList startsWith;
    script
        .Then([&](const kwin::ModalStart& start) {
            auto* dialog = wintest::FileDialogOf(start);
            filters = dialog->nameFilters();
            startsWith = dialog->selectedFiles();
            ChooseFile(Path("damaged.sdk"))(start);
        })
        .Then(PressEnter(&text, &caption));
    Choose({"File", "&Load...\tF3"});
    EXPECT_EQ(filters.join(";").toStdString(), "Sudoku Files (*.sdk);All Files (*)");
    ASSERT_EQ(startsWith.size(), 1);
    EXPECT_EQ(startsWith.front().toStdString(), Path("good.sdk")) << "the current file name";
    EXPECT_EQ(script.Started(), 3);
    EXPECT_EQ(caption, "File Open Error");
    EXPECT_FALSE(text.empty());
    EXPECT_TRUE(Field().field == before);
    EXPECT_EQ(Field().level, 2);
    EXPECT_EQ(SnapshotItems().size(), 2u);
    EXPECT_EQ(m_main->GetFileName(), Path("good.sdk"));

    // So Save still writes the good file, not the damaged one.
    Key(Qt::Key_F2);
    EXPECT_EQ(script.Started(), 3);
    std::ifstream damaged(Path("damaged.sdk"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(damaged), {}), "this is not a game file");
}

TEST_F(ShellCommandsTest, ASaveThatCannotBeWrittenIsReported) {
    StartGame(SolutionWithHoles({{1, 9}}), 4);
    std::string text;
    std::string caption;
    ModalScript script;
    script.Then(ChooseFile("/proc/kalmora-cannot-write.sdk")).Then(PressEnter(&text, &caption));
    Choose({"File", "Save &as..."});
    EXPECT_EQ(script.Started(), 2);
    EXPECT_EQ(caption, "File Save Error");
    EXPECT_EQ(text, "Can't store to file");
    EXPECT_EQ(Field().level, 4) << "nothing else changed";
}

// A fault the soak found: in the second "Confirm Save As" box of one Save as
// (the first answered No, the same existing file chosen again), a key that
// leaves the box open (Esc) made the toolkit pass the activation back and
// forth between the box and its disabled owner without end: the box took no
// other message and no timer fired. The N of "&No" then answers the box.
TEST_F(ShellCommandsTest, ASecondOverwritePromptTakesKeys) {
    std::ofstream(Path("kept.sdk")) << "an older game";
    ModalScript script;
    script.Then(ChooseFile(Path("kept.sdk")))
        .Then(
            [](const kwin::ModalStart& start) { wintest::PressKey(start.window, Qt::Key_Return); })
        .Then(ChooseFile(Path("kept.sdk")))
        .Then([](const kwin::ModalStart& start) {
            wintest::PressKey(start.window, Qt::Key_Escape);
            HWND w = start.window;
            QTimer::singleShot(300, [w] { wintest::PressKey(w, Qt::Key_N); });
        })
        .Then([](const kwin::ModalStart&) { kwin::qt::RunningFileDialog()->reject(); });
    Key(Qt::Key_F2);
    EXPECT_EQ(script.Started(), 5);
    std::ifstream kept(Path("kept.sdk"));
    std::string content;
    std::getline(kept, content);
    EXPECT_EQ(content, "an older game") << "No keeps the file";
}

TEST(FileErrorTextTest, SystemErrorsShowTheirCodeOthersTheirMessage) {
    EXPECT_EQ(FileErrorText(std::system_error(ENOSPC, std::generic_category(), "write")),
              "OS Error: (28) No space left on device");
    EXPECT_EQ(FileErrorText(boost::system::system_error(
                  boost::system::error_code(ENOENT, boost::system::generic_category()))),
              "OS Error: (2) No such file or directory");
    EXPECT_EQ(FileErrorText(std::runtime_error("Unknown header")), "Unknown header");
}

TEST_F(ShellCommandsTest, KeysWithoutACommandOfTheirOwnDoNothing) {
    StartGame(SolutionWithHoles({{2, 3}, {4, 4}}), 1);
    SelectCell(2, 3);
    Type(std::to_string(SolvedDigit(2, 3)));
    const CGameField before = Field().field;
    ModalScript script; // any dialog fails the test
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_N, Qt::ControlModifier},    {Qt::Key_C, Qt::ControlModifier},
        {Qt::Key_V, Qt::ControlModifier},    {Qt::Key_P, Qt::ControlModifier},
        {Qt::Key_X, Qt::ControlModifier},    {Qt::Key_Insert, Qt::ControlModifier},
        {Qt::Key_Insert, Qt::ShiftModifier}, {Qt::Key_Delete, Qt::ShiftModifier},
        {Qt::Key_F6, Qt::NoModifier},        {Qt::Key_F6, Qt::ShiftModifier},
    };
    for (const auto& [key, modifiers] : keys) {
        Key(key, modifiers);
    }
    EXPECT_TRUE(Field().field == before);
    EXPECT_EQ(Field().level, 1);
    EXPECT_EQ(Field().undo.size(), 1u);
    EXPECT_EQ(script.Started(), 0);
}

TEST_F(ShellCommandsTest, AboutShowsTheVersionLineCentredAndOnlyOkClosesIt) {
    std::string line;
    RECT placed{};
    bool openAfterEscAndClose = false;
    ModalScript script;
    script.Then([&](const kwin::ModalStart& start) {
        line = wintest::ItemText(start.window, IDC_VERSION_TEXT);
        placed = WindowRect(start.window);
        wintest::PressKey(start.window, Qt::Key_Escape);
        wintest::WidgetOfWindow(start.window)->close();
        wintest::PumpMessages();
        openAfterEscAndClose = IsWindowVisible(start.window) != FALSE;
        wintest::PressKey(start.window, Qt::Key_Return);
    });
    Choose({"Help", "&About"});
    EXPECT_EQ(script.Started(), 1);
    EXPECT_EQ(line, "Kalmora version 2.0 Beta 1 (build 2.0 Beta 1)");
    EXPECT_TRUE(openAfterEscAndClose);
    EXPECT_NEAR(Centre(placed).x, Centre(WindowRect(Main())).x, 1) << "centred over the window";
    EXPECT_NEAR(Centre(placed).y, Centre(WindowRect(Main())).y, 1);
}

// Each item of "Show Top Winners" opens its own level's list over the window.
TEST_F(ShellCommandsTest, EachShowTopWinnersItemShowsItsLevelsList) {
    WinnersLists lists;
    for (std::size_t level = 0; level < lists.size(); ++level) {
        lists[level].assign(level + 1, WinnersRules::MakeEntry("Ann", 60));
    }
    CloseWindow();
    ASSERT_TRUE(WinnersFile::Save(lists));
    OpenWindow();
    const char* items[] = {"Easy Game", "Normal Game", "Hard Game", "Insane Game"};
    for (int level = 1; level <= 4; ++level) {
        int rows = 0;
        ModalScript script;
        script.Then([&](const kwin::ModalStart& start) {
            auto* grid = dynamic_cast<CGridCtrl*>(
                CWindow::FromHandle(GetDlgItem(start.window, IDC_WINNERS_GRID)));
            rows = grid != nullptr ? grid->GetRowCount() : -1;
            EXPECT_EQ(GetWindow(start.window, GW_OWNER), Main());
            wintest::PressKey(start.window, Qt::Key_Return);
        });
        Choose({"Game", "Show Top Winners", items[level - 1]});
        EXPECT_EQ(rows, level + 1) << "the header and the level's entries";
    }
}

TEST_F(ShellCommandsTest, GameMenuCommandsReachTheSession) {
    StartGame(SolutionWithHoles({{1, 1}, {2, 1}, {3, 2}, {9, 9}}), 2);
    SelectCell(2, 1);
    Choose({"Game", "&Hint\tCtrl-H"});
    EXPECT_TRUE(Field().helpUsed);
    EXPECT_EQ(Field().field.At(CellPos{2, 1}).flags & 0x1FF, 1u << (SolvedDigit(2, 1) - 1))
        << "the one candidate as a mark";
    SelectCell(1, 1);
    Type(std::to_string(SolvedDigit(1, 1)));

    Choose({"Game", "R&eset\tCtrl-R"});
    EXPECT_EQ(Field().field.At(CellPos{1, 1}).value, 0) << "Reset took the entry back";
    EXPECT_EQ(Field().field.At(CellPos{2, 1}).flags & 0x1FF, 0u) << "and the mark";
    EXPECT_EQ(Field().level, 0);
    EXPECT_FALSE(Field().helpUsed);

    ModalScript script; // a reset game has no level: no dialog when it is won
    Choose({"Game", "Try to &Solve"});
    EXPECT_TRUE(Field().IsGameOver());
    EXPECT_EQ(Field().GetStats().filled, 81u);
    EXPECT_EQ(script.Started(), 0);
}

TEST_F(ShellCommandsTest, ExitClosesTheWindowAndKeepsTheSession) {
    StartGame(SolutionWithHoles({{4, 4}, {5, 5}}), 3);
    Choose({"File", "E&xit"});
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_TRUE(std::filesystem::exists(Path("Kalmora/default.dat")));
    OpenWindow();
    EXPECT_EQ(Field().level, 3);
}
