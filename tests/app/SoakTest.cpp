// The soak: thousands of random inputs on the real main window, as a player
// who presses anything would give them: keys with any modifiers, clicks and
// drags on the board, the hint strip and beside them, menu commands, and
// every dialog that opens answered at random. After every input the session
// must still be sound (Check); now and then the run undoes everything and
// redoes it, saves and loads a game file, closes and reopens the window, and
// plays a game to its end, and checks that each gives back what it should.
//
// KALMORA_SOAK_SEED replays a run (the failure message names its seed and
// step); KALMORA_SOAK_STEPS makes it longer or shorter.

#include "ShellWindowFixture.h"

#include "app/DialogTemplates.h"
#include "engine/ConflictRegion.h"
#include "session/FixedName.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <random>
#include <utility>

namespace {

using kwin::ModalKind;
using kwin::ModalStart;
using shelltest::ShellWindowTest;

constexpr std::uint32_t DefaultSeed = 20261207;

// A number from the environment, or the fallback when it is not set.
unsigned long FromEnvironment(const char* name, unsigned long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoul(text, nullptr, 10) : fallback;
}

// True when the bytes are well-formed UTF-8: decoding replaces a split or
// stray sequence, so the text would not come back the same.
bool IsWholeUtf8(const std::string& text) {
    return QString::fromStdString(text).toStdString() == text;
}

// Every cell holds 0-9, and a given holds a digit.
bool CellsSound(const CGameField& field) {
    return std::all_of(field.cells.begin(), field.cells.end(), [](const CCell& cell) {
        return cell.value <= 9 && !(cell.IsGiven() && cell.value == 0);
    });
}

using Givens = std::array<std::uint8_t, CGameField::CellCount>; // 0: not a given

Givens GivensOf(const CGameField& field) {
    Givens givens{};
    for (std::size_t i = 0; i < field.cells.size(); ++i) {
        givens[i] = field.cells[i].IsGiven() ? field.cells[i].value : 0;
    }
    return givens;
}

// ---------------------------------------------------------------------------
// Answers every modal loop the soak opens (dialogs, message boxes, file
// dialogs) at random: OK, Cancel, Enter, Esc, clicks, names of random length
// with UTF-8 in them, files of a scratch folder. A watchdog closes what the
// random answer left open and reports it, so a dialog that ignores Enter can
// never hang the run.

// Pieces of names: plain letters, blanks that trimming must remove, and
// characters of two, three and four bytes in UTF-8.
constexpr std::array<const char*, 16> NamePieces = {
    "a", "Z", "7", " ", "  ", "-", "_", "+", "é", "ß", "Ω", "日本", "語", "🙂", "ñandú", "x.y"};

constexpr int WatchdogPeriodMs = 20;
// Ticks before the watchdog presses Enter (or cancels a file dialog), and
// before it gives up on the window and closes it itself.
constexpr int NudgeAfterTicks = 4;
constexpr int CloseAfterTicks = 15;

bool IsFileDialog(ModalKind kind) {
    return kind == ModalKind::OpenFile || kind == ModalKind::SaveFile;
}

// Types text of any script into the focus control of a modal window, one
// character per key; the toolkit's test keys know ASCII only.
void TypeText(HWND window, const std::string& text) {
    QWidget* widget = wintest::WidgetOfWindow(window);
    for (const char32_t c : QString::fromStdString(text).toUcs4()) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_A, QString::fromUcs4(&c, 1),
                            Qt::NoModifier);
    }
}

class RandomDialogAnswerer {
public:
    RandomDialogAnswerer(std::mt19937& random, std::filesystem::path folder)
        : m_random(random), m_folder(std::move(folder)) {
        std::filesystem::create_directories(m_folder);
        kwin::SetModalTestSeam([this](const ModalStart& start) { OnModalStart(start); });
        QObject::connect(&m_watchdog, &QTimer::timeout, [this] { OnWatchdogTick(); });
        m_watchdog.start(WatchdogPeriodMs);
    }
    ~RandomDialogAnswerer() { kwin::SetModalTestSeam({}); }

    // The next modal loops get these answers instead of random ones.
    void Force(wintest::ModalStep step) { m_forced.push_back(std::move(step)); }
    bool ForcedLeft() const { return !m_forced.empty(); }
    // Dialogs the watchdog found still open after Enter; taken once.
    std::vector<std::string> TakeFaults() { return std::exchange(m_faults, {}); }

    // A random name: ASCII, blanks, accented letters, CJK and emoji, 0 to
    // maxPieces pieces long.
    std::string RandomName(int maxPieces) {
        std::string name;
        for (int i = Roll(maxPieces + 1); i > 0; --i) {
            name += NamePieces[static_cast<std::size_t>(Roll(static_cast<int>(NamePieces.size())))];
        }
        return name;
    }

private:
    struct Pending {
        ModalKind kind;
        HWND window;
        QPointer<QWidget> widget; // the file dialog, or the window's widget
        int ticks = 0;
    };

    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    // A path in the scratch folder: an existing game file, a new name, or
    // sometimes a name too long for the dialog's buffer.
    std::string RandomPath(bool forOpen) {
        std::vector<std::filesystem::path> existing;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
            existing.push_back(entry.path());
        }
        const int roll = Roll(20);
        if (!existing.empty() && roll < (forOpen ? 13 : 6)) {
            return existing[static_cast<std::size_t>(Roll(static_cast<int>(existing.size())))];
        }
        if (roll == 19) {
            return (m_folder / std::string(240, 'L')).string(); // beyond the 260-byte buffer
        }
        std::string name = RandomName(8);
        if (name.empty() || name.front() == '.') {
            name.insert(0, "g");
        }
        return (m_folder / (roll % 3 == 0 ? name : name + ".sdk")).string();
    }

    void OnModalStart(const ModalStart& start) {
        QFileDialog* fileDialog =
            IsFileDialog(start.kind) ? kwin::qt::RunningFileDialog() : nullptr;
        m_pending.push_back(
            Pending{start.kind, start.window,
                    fileDialog != nullptr ? fileDialog : wintest::WidgetOfWindow(start.window), 0});
        if (!m_forced.empty()) {
            wintest::ModalStep step = std::move(m_forced.front());
            m_forced.pop_front();
            step(start);
        } else if (start.kind == ModalKind::Dialog) {
            AnswerDialog(start.window);
        } else if (start.kind == ModalKind::MessageBox) {
            static constexpr std::array<Qt::Key, 5> Keys = {Qt::Key_Return, Qt::Key_Space,
                                                            Qt::Key_Escape, Qt::Key_Y, Qt::Key_N};
            wintest::PressKey(start.window, Keys[static_cast<std::size_t>(Roll(Keys.size()))]);
        } else if (fileDialog == nullptr) {
            m_faults.push_back("a file dialog started but none runs");
        } else if (const int roll = Roll(8); roll == 0) {
            QTest::keyClick(fileDialog, Qt::Key_Escape);
        } else if (roll == 1) {
            fileDialog->reject();
        } else {
            shelltest::ChooseFile(RandomPath(start.kind == ModalKind::OpenFile))(start);
        }
    }

    // A dialog with a name edit (snapshot, winner) gets a name first; any dialog
    // is then ended by one of the ways a player ends it. Some of them (Esc on the
    // About box) leave it open: the watchdog then presses Enter.
    void AnswerDialog(HWND window) {
        if (GetDlgItem(window, IDC_NAME_EDIT) != nullptr && Roll(5) != 0) {
            TypeText(window, RandomName(Roll(4) == 0 ? 40 : 6));
        }
        const int roll = Roll(6);
        if (roll < 2) {
            wintest::PressKey(window, Qt::Key_Return);
        } else if (roll == 2) {
            wintest::PressKey(window, Qt::Key_Escape);
        } else if (roll < 5) {
            if (HWND button = GetDlgItem(window, roll == 3 ? IDOK : IDCANCEL)) {
                wintest::ClickOn(button);
            }
        } else {
            wintest::PressKey(window, Qt::Key_Tab);
            wintest::PressKey(window, Qt::Key_Space);
        }
    }

    void OnWatchdogTick() {
        std::erase_if(m_pending,
                      [](const Pending& p) { return p.widget.isNull() || !p.widget->isVisible(); });
        if (m_pending.empty()) {
            return;
        }
        Pending& pending = m_pending.back();
        ++pending.ticks;
        if (pending.ticks == CloseAfterTicks) {
            m_faults.push_back("a modal window of kind " +
                               std::to_string(static_cast<int>(pending.kind)) +
                               " stayed open after Enter");
        }
        if (pending.ticks != NudgeAfterTicks && pending.ticks != CloseAfterTicks) {
            return;
        }
        if (IsFileDialog(pending.kind)) {
            qobject_cast<QFileDialog*>(pending.widget.data())->reject();
        } else if (pending.ticks == NudgeAfterTicks) {
            wintest::PressKey(pending.window, Qt::Key_Return);
        } else {
            EndDialog(pending.window, IDCANCEL);
        }
    }

    std::mt19937& m_random;
    std::filesystem::path m_folder;
    std::deque<wintest::ModalStep> m_forced;
    std::vector<Pending> m_pending;
    std::vector<std::string> m_faults;
    QTimer m_watchdog;
};

// ---------------------------------------------------------------------------
// The soak's hands on the main window of ShellWindowTest: a seeded random
// source, the dialog answerer, and the inputs a player can give, each
// followed by the session checks.

constexpr std::array<Qt::Key, 8> MoveKeys = {Qt::Key_Left,   Qt::Key_Right,   Qt::Key_Up,
                                             Qt::Key_Down,   Qt::Key_Home,    Qt::Key_End,
                                             Qt::Key_PageUp, Qt::Key_PageDown};
// Ctrl with these: undo, redo, check, hint, reset, and keys nothing is bound to.
constexpr std::array<Qt::Key, 16> ControlKeys = {
    Qt::Key_Z, Qt::Key_Z, Qt::Key_Z, Qt::Key_Y, Qt::Key_Y, Qt::Key_K, Qt::Key_K, Qt::Key_H,
    Qt::Key_H, Qt::Key_H, Qt::Key_R, Qt::Key_N, Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_P};
constexpr std::array<Qt::Key, 7> FunctionKeys = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4,
                                                 Qt::Key_F5, Qt::Key_F6, Qt::Key_F12};
constexpr std::array<Qt::Key, 8> OtherKeys = {Qt::Key_A,         Qt::Key_Q,      Qt::Key_Tab,
                                              Qt::Key_Space,     Qt::Key_Return, Qt::Key_Insert,
                                              Qt::Key_Backspace, Qt::Key_Minus};

// Longer than the toolkit backend waits before it ends a drag of the frame.
constexpr int SizingQuietMs = 350;

// What a saved or restored game lost, by name; empty when nothing.
std::string Differences(const CGameFieldFileData& now, const CGameFieldFileData& before) {
    std::string text;
    const auto note = [&](bool same, const char* what) {
        text += same ? "" : std::string(" ") + what;
    };
    note(now.field == before.field, "board");
    note(now.snapShots == before.snapShots, "snapshots");
    note(now.startTime == before.startTime, "start-time");
    // A game won within its first second keeps a final time of 0 and is
    // timed again by the next refresh, the one after loading among them.
    note(now.finalTime == before.finalTime || (before.finalTime == 0 && now.field == before.field &&
                                               now.field.CountDigits().IsFull()),
         "final-time");
    note(now.level == before.level, "level");
    note(now.helpUsed == before.helpUsed, "help-flag");
    return text;
}

class SoakTest : public ShellWindowTest {
protected:
    void SetUp() override {
        m_seed = static_cast<std::uint32_t>(FromEnvironment("KALMORA_SOAK_SEED", DefaultSeed));
        m_steps =
            static_cast<int>(FromEnvironment("KALMORA_SOAK_STEPS", KALMORA_SOAK_DEFAULT_STEPS));
        m_random.seed(m_seed);
        ShellWindowTest::SetUp();
        m_games = m_dataDir / "games";
        m_answerer = std::make_unique<RandomDialogAnswerer>(m_random, m_games);
        // Files no game can be read from, for the open dialog to stumble on.
        std::ofstream(m_games / "junk.sdk") << "no game in here";
        std::ofstream(m_games / "empty.sdk");
        m_historyStart = Field().field;
        m_givens = GivensOf(Field().field);
    }
    void TearDown() override {
        CloseOpenMenus();
        ShellWindowTest::TearDown();
        m_answerer.reset();
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers, bool gameMayChange = false) {
        Key(key, modifiers);
        Check(gameMayChange);
    }
    void ClickAt(QPoint client, Qt::MouseButton button, bool twice) {
        if (twice) {
            QTest::mouseDClick(Window(), button, Qt::NoModifier, ToWindow(client.x(), client.y()));
        } else {
            QTest::mouseClick(Window(), button, Qt::NoModifier, ToWindow(client.x(), client.y()));
        }
        Pump();
        Check();
    }
    // A menu item that is never grayed, chosen through the bar.
    void ChooseItem(std::initializer_list<const char*> path, bool gameMayChange = false) {
        Choose(path);
        CloseOpenMenus();
        Check(gameMayChange);
    }
    void CloseOpenMenus() {
        for (int guard = 0; guard < 5 && QApplication::activePopupWidget() != nullptr; ++guard) {
            QApplication::activePopupWidget()->close();
            Pump();
        }
    }
    // A point of the area inside the client area: a window sized without its
    // proportions (MoveWindow) can be shorter than its board.
    QPoint RandomPointIn(const RECT& area) {
        RECT client{};
        GetClientRect(Main(), &client);
        RECT visible{};
        if (!IntersectRect(&visible, &area, &client)) {
            visible = client;
        }
        return QPoint(
            visible.left + Roll(std::max(1, static_cast<int>(visible.right - visible.left))),
            visible.top + Roll(std::max(1, static_cast<int>(visible.bottom - visible.top))));
    }

    // What must hold of the session after any input, however random: sound
    // cells in the board and the snapshots, the givens of a game as they
    // were, a history of real cells only, nobody holding the mouse between
    // inputs, and stored names of whole UTF-8. gameMayChange: the input could
    // have started another game (a new game or a loaded file), so other givens
    // are allowed once the history is empty.
    void Check(bool gameMayChange = false) {
        if (!m_main || m_main->GetHwnd() == nullptr) {
            return; // between closing and reopening
        }
        const CGameFieldCtrl& session = Field();
        const bool historyEmpty = session.undo.empty() && session.redo.empty();
        if (!CellsSound(session.field)) {
            Fail("a cell holds more than 9, or a given holds no digit");
        }
        const Givens givens = GivensOf(session.field);
        if (givens != m_givens && !(gameMayChange && historyEmpty)) {
            Fail("the givens changed within one game");
        }
        m_givens = givens;
        for (const auto* list : {&session.undo, &session.redo}) {
            for (const CUndo& record : *list) {
                if (record.column < 1 || record.column > 9 || record.row < 1 || record.row > 9 ||
                    record.cell.value > 9) {
                    return Fail("a history record for (" + std::to_string(record.column) + ", " +
                                std::to_string(record.row) + ") holding " +
                                std::to_string(record.cell.value));
                }
            }
        }
        for (const CSnapShot& snapshot : session.snapShots) {
            if (!CellsSound(snapshot.field) || !IsWholeUtf8(FromFixedName(snapshot.name))) {
                Fail("snapshot \"" + FromFixedName(snapshot.name) + "\" is unsound");
            }
        }
        if (Field().IsCaptured() || GetCapture() != nullptr) {
            Fail("after the input the mouse is still captured");
        }
        for (const WinnersList& list : m_main->GetWinners()) {
            for (const HiScoreEntry& entry : list) {
                if (!IsWholeUtf8(FromFixedName(entry.name))) {
                    Fail("winner name \"" + FromFixedName(entry.name) + "\" is cut in a character");
                }
            }
        }
        for (const std::string& fault : m_answerer->TakeFaults()) {
            Fail(fault);
        }
        // Every change leaves a record, so both lists are empty only where
        // the history begins.
        if (historyEmpty) {
            m_historyStart = session.field;
        }
    }
    // Reports the first fault only: what follows it is its consequence.
    void Fail(const std::string& what) {
        if (m_failed) {
            return;
        }
        m_failed = true;
        ADD_FAILURE() << "step " << m_step << " of seed " << m_seed << ": " << what
                      << "\nreplay: KALMORA_SOAK_SEED=" << m_seed
                      << " KALMORA_SOAK_STEPS=" << m_step + 1;
    }
    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    template <std::size_t N> Qt::Key AnyOf(const std::array<Qt::Key, N>& keys) {
        return keys[static_cast<std::size_t>(Roll(static_cast<int>(N)))];
    }

    void RunRandomAction() {
        struct Weighted {
            int weight;
            void (SoakTest::*action)();
        };
        // Out of 1000: mostly keys, clicks and menu commands; the larger checks now and then.
        static constexpr std::array<Weighted, 9> Actions = {{
            {499, &SoakTest::RandomKey},
            {170, &SoakTest::RandomClick},
            {70, &SoakTest::RandomDrag},
            {180, &SoakTest::RandomMenuChoice},
            {30, &SoakTest::UndoEverythingAndBack},
            {20, &SoakTest::SaveAndLoadGameFile},
            {10, &SoakTest::CloseAndReopen},
            {15, &SoakTest::PlayToTheEnd},
            {6, &SoakTest::RandomResize},
        }};
        int roll = Roll(1000);
        for (const Weighted& choice : Actions) {
            if (roll < choice.weight) {
                return (this->*choice.action)();
            }
            roll -= choice.weight;
        }
    }

    void RandomKey() {
        const int roll = Roll(100);
        if (roll < 35) {
            const int m = Roll(25);
            Press(static_cast<Qt::Key>(Qt::Key_0 + Roll(10)), m < 14   ? Qt::NoModifier
                                                              : m < 19 ? Qt::ControlModifier
                                                              : m < 21 ? Qt::ShiftModifier
                                                                       : Qt::KeypadModifier);
        } else if (roll < 55) {
            const int m = Roll(8);
            Press(AnyOf(MoveKeys), m < 5   ? Qt::NoModifier
                                   : m < 7 ? Qt::ControlModifier
                                           : Qt::ShiftModifier);
        } else if (roll < 60) {
            Press(Qt::Key_Delete, Roll(6) == 0 ? Qt::ControlModifier : Qt::NoModifier);
        } else if (roll < 64) {
            Press(Qt::Key_Escape, Qt::NoModifier);
        } else if (roll < 70) {
            Press(Qt::Key_M, Roll(8) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
        } else if (roll < 85) {
            Press(AnyOf(ControlKeys), Roll(10) == 0 ? (Qt::ControlModifier | Qt::ShiftModifier)
                                                    : Qt::KeyboardModifiers(Qt::ControlModifier));
        } else if (roll < 91) {
            const Qt::Key key = AnyOf(FunctionKeys);
            Press(key, Roll(6) == 0 ? Qt::ShiftModifier : Qt::NoModifier, key == Qt::Key_F3);
        } else if (roll < 94) {
            Press(Qt::Key_Backspace, Qt::AltModifier);
        } else if (roll < 96) {
            Press(Roll(2) == 0 ? Qt::Key_O : Qt::Key_S, Qt::ControlModifier, true);
        } else {
            Press(AnyOf(OtherKeys), Qt::NoModifier);
        }
    }

    void RandomClick() {
        const int roll = Roll(20);
        RECT client{};
        GetClientRect(Main(), &client);
        const RECT area = roll < 11   ? ChildRect(Field().GetHwnd())
                          : roll < 16 ? ChildRect(Strip().GetHwnd())
                                      : client;
        ClickAt(RandomPointIn(area), Roll(4) == 0 ? Qt::RightButton : Qt::LeftButton, Roll(6) == 0);
    }

    void RandomDrag() {
        RECT client{};
        GetClientRect(Main(), &client);
        const RECT board = ChildRect(Field().GetHwnd());
        std::vector<QPoint> points(static_cast<std::size_t>(2 + Roll(4)));
        for (QPoint& p : points) {
            p = ToWindow(0, 0) + RandomPointIn(Roll(5) == 0 ? client : board);
        }
        const Qt::MouseButton button = Roll(3) == 0 ? Qt::RightButton : Qt::LeftButton;
        QTest::mousePress(Window(), button, Qt::NoModifier, points.front());
        Pump();
        for (std::size_t i = 1; i + 1 < points.size(); ++i) {
            QTest::mouseMove(Window(), points[i]);
            Pump();
        }
        QTest::mouseRelease(Window(), button, Qt::NoModifier, points.back());
        Pump();
        Check();
    }

    // Opens a menu of the bar and walks down through enabled items at random;
    // now and then it closes the menu again instead of choosing.
    void RandomMenuChoice() {
        auto* bar = m_widget->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_NE(bar, nullptr);
        std::vector<std::pair<QMenuBar*, QAction*>> tops;
        for (QMenuBar* b : {bar, qobject_cast<QMenuBar*>(bar->cornerWidget(Qt::TopRightCorner))}) {
            for (QAction* action : b != nullptr ? b->actions() : QList<QAction*>{}) {
                if (action->menu() != nullptr) {
                    tops.emplace_back(b, action);
                }
            }
        }
        ASSERT_FALSE(tops.empty());
        const auto [topBar, top] =
            tops[static_cast<std::size_t>(Roll(static_cast<int>(tops.size())))];
        QTest::mouseClick(topBar, Qt::LeftButton, Qt::NoModifier,
                          topBar->actionGeometry(top).center());
        Pump();
        bool startsAGame = false;
        for (QMenu* menu = top->menu(); menu != nullptr && menu->isVisible();) {
            std::vector<QAction*> items;
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator() && action->isEnabled() && action->isVisible() &&
                    action->text() != "E&xit") {
                    items.push_back(action);
                }
            }
            if (items.empty() || Roll(15) == 0) {
                QTest::keyClick(menu, Qt::Key_Escape);
                break;
            }
            QAction* item = items[static_cast<std::size_t>(Roll(static_cast<int>(items.size())))];
            startsAGame =
                QStringList{"Blank", "Easy", "Normal", "Hard", "Insane", "&Load...\tF3"}.contains(
                    item->text());
            shelltest::ActivateMenuItem(menu, item);
            Pump();
            menu = item->menu();
        }
        Pump();
        CloseOpenMenus();
        Check(startsAGame);
    }

    // As the window manager resizes the window when the player drags its
    // edge: a few sizes in a row, then the pause that ends the drag. The window
    // must end with the board and the strip whole inside it.
    void RandomResize() {
        for (int moves = 1 + Roll(3); moves > 0; --moves) {
            const int width = 150 + Roll(800);
            m_widget->resize(width, 150 + Roll(800));
            Pump();
        }
        QTest::qWait(SizingQuietMs);
        Pump();
        RECT client{};
        GetClientRect(Main(), &client);
        const RECT strip = ChildRect(Strip().GetHwnd());
        const RECT board = ChildRect(Field().GetHwnd());
        if (board.right > client.right || strip.right > client.right ||
            strip.bottom > ChildRect(m_main->GetStatusBar()).top || board.bottom > strip.top) {
            return Fail("after a resize the board or the strip does not fit the window");
        }
        Check();
    }

    void UndoEverythingAndBack() {
        const std::deque<CUndo> undo = Field().undo;
        const std::deque<CUndo> redo = Field().redo;
        const CGameField board = Field().field;
        for (std::size_t i = 0; i < undo.size(); ++i) {
            const bool alt = Roll(3) == 0;
            Press(alt ? Qt::Key_Backspace : Qt::Key_Z, alt ? Qt::AltModifier : Qt::ControlModifier);
        }
        if (!Field().undo.empty() || Field().redo.size() != undo.size() + redo.size() ||
            !(Field().field == m_historyStart)) {
            return Fail(
                "undoing all " + std::to_string(undo.size()) +
                " changes does not give back the records or the board the history began with");
        }
        for (std::size_t i = 0; i < undo.size() + redo.size(); ++i) {
            Press(Qt::Key_Y, Qt::ControlModifier);
        }
        for (std::size_t i = 0; i < redo.size(); ++i) {
            Press(Qt::Key_Z, Qt::ControlModifier);
        }
        if (!(Field().field == board && Field().undo == undo && Field().redo == redo)) {
            Fail("redoing everything and undoing back does not give back the board and history");
        }
    }

    void SaveAndLoadGameFile() {
        const std::string path = (m_games / ("round trip " + std::to_string(Roll(1'000'000)) + " " +
                                             m_answerer->RandomName(3) + ".sdk"))
                                     .string();
        m_answerer->Force(shelltest::ChooseFile(path));
        if (m_main->GetFileName().empty() && Roll(2) == 0) {
            const bool f2 = Roll(2) == 0;
            Press(f2 ? Qt::Key_F2 : Qt::Key_S, f2 ? Qt::NoModifier : Qt::ControlModifier);
        } else {
            ChooseItem({"File", "Save &as..."});
        }
        if (m_answerer->ForcedLeft() || !std::filesystem::exists(path)) {
            return Fail("Save as did not write " + path);
        }
        const CGameFieldFileData saved = Field();
        std::vector<std::string> labels;
        Field().GetSnapshotLabels(labels);

        m_answerer->Force(shelltest::ChooseFile(path));
        if (const int roll = Roll(3); roll == 2) {
            ChooseItem({"File", "&Load...\tF3"}, true);
        } else {
            Press(roll == 0 ? Qt::Key_F3 : Qt::Key_O,
                  roll == 0 ? Qt::NoModifier : Qt::ControlModifier, true);
        }
        if (m_answerer->ForcedLeft()) {
            return Fail("Load opened no file dialog");
        }
        const std::string differences = Differences(Field(), saved);
        if (!differences.empty() || !Field().undo.empty() || !Field().redo.empty() ||
            m_main->GetFileName() != path || SnapshotItems() != labels) {
            Fail("after loading the game saved: differences" + differences +
                 "; or its history, file name or snapshot menu is wrong");
        }
    }

    void CloseAndReopen() {
        const CGameFieldSerialData session = Field();
        const bool autoCheck = m_main->IsAutoCheck();
        const WinnersLists winners = m_main->GetWinners();
        std::vector<std::string> labels;
        Field().GetSnapshotLabels(labels);
        if (Roll(2) == 0) {
            ChooseItem({"File", "E&xit"});
        }
        Reopen();
        const CGameFieldSerialData& restored = Field();
        if (!Differences(restored, session).empty() || !(restored.undo == session.undo) ||
            !(restored.redo == session.redo) || m_main->IsAutoCheck() != autoCheck ||
            !(m_main->GetWinners() == winners) || SnapshotItems() != labels) {
            return Fail("the session after a restart differs:" + Differences(restored, session) +
                        " (or undo/redo, Auto-Check, winners, snapshot menu)");
        }
        Check();
    }

    // Types the solution of a level game into it, cell by cell with the mouse
    // and the digit keys: the game must end as won.
    void PlayToTheEnd() {
        if (Field().level < 1 || Field().IsGameOver()) {
            return RandomKey();
        }
        CGameFieldCtrl solver;
        solver.field = Field().field;
        solver.ResetGame();
        solver.TrySolve();
        ConflictRegion region;
        if (!solver.GetStats().IsFull() || !solver.field.CheckAll(region)) {
            return RandomKey(); // beyond the singles: not this game
        }
        Press(Qt::Key_Escape, Qt::NoModifier);
        for (std::size_t i = 0; i < CGameField::CellCount && !m_failed; ++i) {
            const CCell& wanted = solver.field.cells[i];
            if (wanted.IsGiven() || Field().field.cells[i].value == wanted.value) {
                continue;
            }
            const CellPos pos = CGameField::PosOf(i);
            ClickAt(CellCentre(static_cast<int>(pos.column), static_cast<int>(pos.row)),
                    Qt::LeftButton, false);
            if (Field().GetSelection() != pos) {
                return Fail("a click on cell (" + std::to_string(pos.column) + ", " +
                            std::to_string(pos.row) + ") selected another");
            }
            Press(static_cast<Qt::Key>(Qt::Key_0 + wanted.value), Qt::NoModifier);
        }
        if (!m_failed && !Field().IsGameOver()) {
            Fail("the board filled with its solution is not a won game");
        }
    }

    std::mt19937 m_random;
    std::unique_ptr<RandomDialogAnswerer> m_answerer;
    std::filesystem::path m_games;
    // The board where the undo history last began: undoing everything gives it back.
    CGameField m_historyStart;
    Givens m_givens{};
    std::uint32_t m_seed = 0;
    int m_steps = 0;
    int m_step = 0;
    bool m_failed = false;
};

TEST_F(SoakTest, RandomInputLeavesTheSessionSound) {
    for (m_step = 0; m_step < m_steps && !m_failed; ++m_step) {
        RunRandomAction();
    }
    RecordProperty("seed", std::to_string(m_seed));
}

} // namespace
