// The soak: thousands of random inputs on the real main window, as a player
// who presses anything would give them: keys with any modifiers, clicks and
// drags on the board, the hint strip and beside them, menu commands, and
// every dialog that opens answered at random. After every input the session
// must still be sound (SessionWatch); now and then the run undoes everything
// and redoes it, saves and loads a game file, and closes and reopens the
// window, and checks that each gives back what it should.
//
// KALMORA_SOAK_SEED replays a run (the failure message names its seed);
// KALMORA_SOAK_STEPS makes it longer or shorter.

#include "ShellWindowFixture.h"

#include "app/DialogTemplates.h"
#include "engine/ConflictRegion.h"
#include "session/FixedName.h"

#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <random>

namespace {

using kwin::ModalKind;
using kwin::ModalStart;
using shelltest::ShellWindowTest;

constexpr std::uint32_t DefaultSeed = 20261207;
// Inputs and dialog answers kept for the failure message.
constexpr std::size_t InputsKept = 40;

template <typename T> T FromEnvironment(const char* name, T fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    return static_cast<T>(std::strtoull(text, nullptr, 10));
}

// The last inputs and dialog answers, for the failure message.
class InputLog {
public:
    void SetStep(int step) { m_step = step; }
    void Note(std::string text) {
        m_lines.push_back(std::to_string(m_step) + ": " + std::move(text));
        if (m_lines.size() > InputsKept) {
            m_lines.pop_front();
        }
    }
    std::string Text() const {
        std::string text;
        for (const std::string& line : m_lines) {
            text += "\n  " + line;
        }
        return text;
    }

private:
    int m_step = 0;
    std::deque<std::string> m_lines;
};

// ---------------------------------------------------------------------------
// What must hold of the game session after any input, however random: every
// cell holds 0-9, the givens of a game stay as they were, the history holds
// only real cells, a finished game has no selection, and stored names are
// whole UTF-8. It also remembers where the undo history begins, so a test can
// undo everything and compare.

std::string CellName(std::size_t index) {
    const CellPos pos = CGameField::PosOf(index);
    return "(" + std::to_string(pos.column) + ", " + std::to_string(pos.row) + ")";
}

// True when the bytes are well-formed UTF-8 (no split or stray sequences).
bool IsWholeUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

void CheckCells(const CGameField& field, const std::string& where,
                std::vector<std::string>& faults) {
    for (std::size_t i = 0; i < field.cells.size(); ++i) {
        const CCell& cell = field.cells[i];
        if (cell.value > 9) {
            faults.push_back(where + " cell " + CellName(i) + " holds " +
                             std::to_string(cell.value));
        }
        if (cell.IsGiven() && cell.value == 0) {
            faults.push_back(where + " cell " + CellName(i) + " is a given without a digit");
        }
    }
}

std::vector<std::string> CheckWinners(const WinnersLists& lists) {
    std::vector<std::string> faults;
    for (const WinnersList& list : lists) {
        for (const HiScoreEntry& entry : list) {
            const std::string name = FromFixedName(entry.name);
            if (!IsWholeUtf8(name)) {
                faults.push_back("winner name \"" + name + "\" is cut inside a character");
            }
        }
    }
    return faults;
}

class SessionWatch {
public:
    // Takes the session as it is now as the start of its game and its history.
    void Restart(const CGameFieldCtrl& session) {
        m_historyStart = session.field;
        m_givens = GivensOf(session.field);
    }

    // Checks the session after one input and returns what is wrong (nothing
    // when all is well). gameMayChange: the input could have started another
    // game (a new game or a loaded file), so other givens are allowed once the
    // history is empty.
    std::vector<std::string> AfterInput(const CGameFieldCtrl& session, bool gameMayChange) {
        std::vector<std::string> faults;
        CheckCells(session.field, "board", faults);
        const bool historyEmpty = session.undo.empty() && session.redo.empty();
        CheckGivens(GivensOf(session.field), gameMayChange, historyEmpty, faults);
        for (const auto* list : {&session.undo, &session.redo}) {
            for (const CUndo& record : *list) {
                if (record.column < 1 || record.column > 9 || record.row < 1 || record.row > 9 ||
                    record.cell.value > 9) {
                    faults.push_back("a history record for (" + std::to_string(record.column) +
                                     ", " + std::to_string(record.row) + ") holding " +
                                     std::to_string(record.cell.value));
                    break;
                }
            }
        }
        if (session.snapShots.size() > CGameFieldCtrl::MaxSnapshots) {
            faults.push_back(std::to_string(session.snapShots.size()) + " snapshots");
        }
        for (const CSnapShot& snapshot : session.snapShots) {
            CheckCells(snapshot.field, "snapshot", faults);
            const std::string name = FromFixedName(snapshot.name);
            if (!IsWholeUtf8(name)) {
                faults.push_back("snapshot name \"" + name + "\" is cut inside a character");
            }
        }
        if (session.IsGameOver() && session.GetSelection() != CellPos{}) {
            faults.push_back("a finished game keeps a selected cell");
        }
        // Every change leaves a record, so both lists are empty only where the
        // history begins.
        if (historyEmpty) {
            m_historyStart = session.field;
        }
        return faults;
    }

    // The board when the undo history last began: undoing everything gives it back.
    const CGameField& HistoryStart() const { return m_historyStart; }

private:
    using Givens = std::array<std::uint8_t, CGameField::CellCount>; // 0 = not a given

    static Givens GivensOf(const CGameField& field) {
        Givens givens{};
        for (std::size_t i = 0; i < field.cells.size(); ++i) {
            if (field.cells[i].IsGiven()) {
                givens[i] = field.cells[i].value;
            }
        }
        return givens;
    }

    void CheckGivens(const Givens& now, bool mayChange, bool historyEmpty,
                     std::vector<std::string>& faults) {
        if (now != m_givens && !(mayChange && historyEmpty)) {
            for (std::size_t i = 0; i < now.size(); ++i) {
                if (now[i] != m_givens[i]) {
                    faults.push_back("given cell " + CellName(i) + " went from " +
                                     std::to_string(m_givens[i]) + " to " + std::to_string(now[i]) +
                                     " within one game");
                }
            }
        }
        m_givens = now; // another game began, or report each change once
    }

    CGameField m_historyStart;
    Givens m_givens{};
};

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

const char* KindName(ModalKind kind) {
    static constexpr std::array<const char*, 4> Names = {"dialog", "message box", "open dialog",
                                                         "save dialog"};
    return Names[static_cast<std::size_t>(kind)];
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
    RandomDialogAnswerer(std::mt19937& random, std::filesystem::path folder, InputLog& log)
        : m_random(random), m_folder(std::move(folder)), m_log(log) {
        std::filesystem::create_directories(m_folder);
        kwin::SetModalTestSeam([this](const ModalStart& start) { OnModalStart(start); });
        QObject::connect(&m_watchdog, &QTimer::timeout, [this] { OnWatchdogTick(); });
        m_watchdog.start(WatchdogPeriodMs);
    }
    ~RandomDialogAnswerer() { kwin::SetModalTestSeam({}); }
    RandomDialogAnswerer(const RandomDialogAnswerer&) = delete;
    RandomDialogAnswerer& operator=(const RandomDialogAnswerer&) = delete;

    // The next modal loops get these answers instead of random ones.
    void Force(wintest::ModalStep step) { m_forced.push_back(std::move(step)); }
    bool ForcedLeft() const { return !m_forced.empty(); }
    // Dialogs the watchdog found still open after Enter.
    const std::vector<std::string>& Faults() const { return m_faults; }
    int Opened() const { return m_opened; }

    // A random name: ASCII, blanks, accented letters, CJK and emoji, 0 to
    // maxPieces pieces long.
    std::string RandomName(int maxPieces) {
        const int pieces = Roll(maxPieces + 1);
        std::string name;
        for (int i = 0; i < pieces; ++i) {
            name += NamePieces[static_cast<std::size_t>(Roll(static_cast<int>(NamePieces.size())))];
        }
        return name;
    }

private:
    struct Pending {
        ModalKind kind;
        HWND window;
        QPointer<QFileDialog> fileDialog;
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
        ++m_opened;
        std::erase_if(m_pending, [&](const Pending& p) { return !StillOpen(p); });
        QFileDialog* fileDialog =
            IsFileDialog(start.kind) ? kwin::qt::RunningFileDialog() : nullptr;
        m_pending.push_back(Pending{start.kind, start.window, fileDialog, 0});
        if (!m_forced.empty()) {
            m_log.Note(std::string("forced answer to a ") + KindName(start.kind));
            wintest::ModalStep step = std::move(m_forced.front());
            m_forced.pop_front();
            step(start);
        } else if (start.kind == ModalKind::Dialog) {
            AnswerDialog(start.window);
        } else if (start.kind == ModalKind::MessageBox) {
            static constexpr std::array<Qt::Key, 5> Keys = {Qt::Key_Return, Qt::Key_Space,
                                                            Qt::Key_Escape, Qt::Key_Y, Qt::Key_N};
            const Qt::Key key = Keys[static_cast<std::size_t>(Roll(Keys.size()))];
            m_log.Note("message box \"" + wintest::TextOf(start.window) + "\": key " +
                       std::to_string(key));
            wintest::PressKey(start.window, key);
        } else {
            AnswerFileDialog(start);
        }
    }

    // A dialog with a name edit (snapshot, winner) gets a name first; any dialog
    // is then ended by one of the ways a player ends it. Some of them (Esc on the
    // About box) leave it open: the watchdog then presses Enter.
    void AnswerDialog(HWND window) {
        std::string account = "dialog \"" + wintest::TextOf(window) + "\":";
        if (GetDlgItem(window, IDC_NAME_EDIT) != nullptr && Roll(5) != 0) {
            const std::string name = RandomName(Roll(4) == 0 ? 40 : 6);
            TypeText(window, name);
            account += " typed \"" + name + "\"";
        }
        const int roll = Roll(6);
        if (roll < 2) {
            wintest::PressKey(window, Qt::Key_Return);
            account += " Enter";
        } else if (roll == 2) {
            wintest::PressKey(window, Qt::Key_Escape);
            account += " Esc";
        } else if (roll < 5) {
            if (HWND button = GetDlgItem(window, roll == 3 ? IDOK : IDCANCEL)) {
                wintest::ClickOn(button);
                account += roll == 3 ? " clicked OK" : " clicked Cancel";
            }
        } else {
            wintest::PressKey(window, Qt::Key_Tab);
            wintest::PressKey(window, Qt::Key_Space);
            account += " Tab Space";
        }
        m_log.Note(account);
    }

    void AnswerFileDialog(const ModalStart& start) {
        QFileDialog* dialog = kwin::qt::RunningFileDialog();
        ASSERT_NE(dialog, nullptr) << "a file dialog";
        const int roll = Roll(8);
        if (roll == 0) {
            m_log.Note("file dialog: Esc");
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else if (roll == 1) {
            m_log.Note("file dialog: rejected");
            dialog->reject();
        } else {
            const bool forOpen = start.kind == ModalKind::OpenFile;
            const std::string path = RandomPath(forOpen);
            m_log.Note(std::string(forOpen ? "open " : "save ") + path);
            shelltest::ChooseFile(path)(start);
        }
    }

    bool StillOpen(const Pending& pending) const {
        if (IsFileDialog(pending.kind)) {
            return !pending.fileDialog.isNull() && pending.fileDialog->isVisible();
        }
        return pending.window != nullptr && IsWindow(pending.window);
    }

    void OnWatchdogTick() {
        std::erase_if(m_pending, [&](const Pending& p) { return !StillOpen(p); });
        if (m_pending.empty()) {
            return;
        }
        Pending& pending = m_pending.back();
        ++pending.ticks;
        const bool file = IsFileDialog(pending.kind);
        if (pending.ticks == NudgeAfterTicks) {
            m_log.Note(std::string("watchdog: ") + KindName(pending.kind) +
                       " still open, Enter/cancel");
            if (file) {
                pending.fileDialog->reject();
            } else {
                wintest::PressKey(pending.window, Qt::Key_Return);
            }
        } else if (pending.ticks == CloseAfterTicks) {
            m_faults.push_back(std::string("a ") + KindName(pending.kind) + " (\"" +
                               (file ? std::string() : wintest::TextOf(pending.window)) +
                               "\") stayed open after Enter");
            if (file) {
                pending.fileDialog->reject();
            } else {
                EndDialog(pending.window, IDCANCEL);
            }
        }
    }

    std::mt19937& m_random;
    std::filesystem::path m_folder;
    InputLog& m_log;
    std::deque<wintest::ModalStep> m_forced;
    std::vector<Pending> m_pending;
    std::vector<std::string> m_faults;
    QTimer m_watchdog;
    int m_opened = 0;
};

// ---------------------------------------------------------------------------
// The soak's window and its hands: the main window of ShellWindowTest, a
// seeded random source, a dialog answerer, and the inputs a player can give
// (keys, clicks, drags, menu choices), each followed by the session checks.

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

bool StartsAGame(const QString& item) {
    static const std::array<QString, 6> Items = {"Blank", "Easy",   "Normal",
                                                 "Hard",  "Insane", "&Load...\tF3"};
    return std::find(Items.begin(), Items.end(), item) != Items.end();
}

std::vector<QAction*> ChoosableItems(const QMenu* menu) {
    std::vector<QAction*> items;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->isEnabled() && action->isVisible() &&
            action->text() != "E&xit") {
            items.push_back(action);
        }
    }
    return items;
}

std::string Differences(const CGameFieldFileData& now, const CGameFieldFileData& before) {
    std::string text;
    const auto note = [&](bool same, const std::string& what) {
        if (!same) {
            text += (text.empty() ? "" : ", ") + what;
        }
    };
    note(now.field == before.field, "board");
    note(now.snapShots == before.snapShots, "snapshots");
    note(now.startTime == before.startTime, "start time");
    // A game won within its first second keeps a final time of 0 and is
    // timed again by the next refresh, the one after loading among them.
    const bool retimed =
        before.finalTime == 0 && now.field == before.field && now.field.CountDigits().IsFull();
    note(now.finalTime == before.finalTime || retimed,
         "final time " + std::to_string(before.finalTime) + " -> " + std::to_string(now.finalTime));
    note(now.level == before.level, "level");
    note(now.helpUsed == before.helpUsed, "help flag");
    return text;
}

class SoakTest : public ShellWindowTest {
protected:
    void SetUp() override {
        m_seed = FromEnvironment<std::uint32_t>("KALMORA_SOAK_SEED", DefaultSeed);
        m_steps = FromEnvironment<int>("KALMORA_SOAK_STEPS", KALMORA_SOAK_DEFAULT_STEPS);
        m_random.seed(m_seed);
        ShellWindowTest::SetUp();
        m_games = m_dataDir / "games";
        m_answerer = std::make_unique<RandomDialogAnswerer>(m_random, m_games, m_log);
        // Files no game can be read from, for the open dialog to stumble on.
        std::ofstream(m_games / "junk.sdk") << "no game in here";
        std::ofstream(m_games / "empty.sdk");
        m_watch.Restart(Field());
    }
    void TearDown() override {
        CloseOpenMenus();
        if (m_main) {
            CloseWindow();
        }
        m_answerer.reset();
        ShellWindowTest::TearDown();
    }

    void RunRandomAction();
    void RandomKey();
    void RandomClick();
    void RandomDrag();
    void RandomMenuChoice();
    void RandomResize();
    void UndoEverythingAndBack();
    void SaveAndLoadGameFile();
    void CloseAndReopen();
    void PlayToTheEnd();

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers, bool gameMayChange = false) {
        Note("key " + QKeySequence(static_cast<int>(key) | static_cast<int>(modifiers))
                          .toString()
                          .toStdString());
        QTest::keyClick(m_widget, key, modifiers);
        Pump();
        Check(gameMayChange);
    }
    void ClickAt(QPoint client, Qt::MouseButton button, bool twice) {
        Note(std::string(twice ? "double click " : "click ") +
             (button == Qt::LeftButton ? "left" : "right") + " at " + Text(client));
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
        Note(std::string("menu ") + *path.begin() + " > " + *(path.end() - 1));
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

    // Where things are, in the main window's client coordinates.
    RECT ChildArea(HWND child) const {
        RECT area{};
        GetClientRect(child, &area);
        MapWindowPoints(child, Main(), reinterpret_cast<LPPOINT>(&area), 2);
        return area;
    }
    // The centre of a cell of the board as it is now, whatever the window's size.
    QPoint CellCentreNow(const CellPos& cell) const {
        const RECT board = ChildArea(m_main->GetFieldView().GetHwnd());
        const double width = board.right - board.left - 2;
        const double height = board.bottom - board.top - 2;
        return QPoint(board.left + static_cast<int>((cell.column - 0.5) * width / 9),
                      board.top + static_cast<int>((cell.row - 0.5) * height / 9));
    }
    // A window sized without its proportions (MoveWindow) can be shorter than
    // its board: only the part inside the client area can be clicked.
    QPoint RandomPointIn(const RECT& area) {
        RECT client{};
        GetClientRect(Main(), &client);
        RECT visible{};
        if (!IntersectRect(&visible, &area, &client)) {
            visible = client;
        }
        const int width = std::max(1, static_cast<int>(visible.right - visible.left));
        const int height = std::max(1, static_cast<int>(visible.bottom - visible.top));
        return QPoint(visible.left + Roll(width), visible.top + Roll(height));
    }
    static std::string Text(QPoint p) {
        return std::to_string(p.x()) + "," + std::to_string(p.y());
    }
    // The window's, the board's and the toolkit window's sizes, for a failure message.
    std::string Geometry() const {
        RECT client{};
        GetClientRect(Main(), &client);
        const RECT board = ChildArea(m_main->GetFieldView().GetHwnd());
        const auto text = [](long a, long b) {
            return std::to_string(a) + "x" + std::to_string(b);
        };
        return "; client " + text(client.right, client.bottom) + ", board at " +
               text(board.left, board.top) + " size " +
               text(board.right - board.left, board.bottom - board.top) + ", toolkit window " +
               text(Window()->width(), Window()->height()) + " contents at " +
               text(m_widget->contentsRect().left(), m_widget->contentsRect().top());
    }

    // Runs the session checks; false when something failed.
    bool Check(bool gameMayChange = false) {
        if (!m_main || m_main->GetHwnd() == nullptr) {
            return true; // between closing and reopening
        }
        for (const std::string& fault : m_watch.AfterInput(Field(), gameMayChange)) {
            Fail(fault);
        }
        // Between inputs no button is held: nobody may keep the mouse, and the
        // field view must not believe it does.
        if (Field().IsCaptured() || GetCapture() != nullptr) {
            Fail(std::string("after the input the mouse is still captured") +
                 (Field().IsCaptured() ? " (the field view believes it holds it)" : "") +
                 (GetCapture() != nullptr ? " (the layer has a capture window)" : ""));
        }
        for (const std::string& fault : CheckWinners(m_main->GetWinners())) {
            Fail(fault);
        }
        const auto& answererFaults = m_answerer->Faults();
        for (; m_faultsSeen < answererFaults.size(); ++m_faultsSeen) {
            Fail(answererFaults[m_faultsSeen]);
        }
        return !m_failed;
    }
    void Fail(const std::string& what) {
        m_failed = true;
        ADD_FAILURE() << "step " << m_step << " of seed " << m_seed << ": " << what
                      << "\nreplay: KALMORA_SOAK_SEED=" << m_seed
                      << " KALMORA_SOAK_STEPS=" << m_step + 1
                      << "\nlast inputs and dialog answers:" << m_log.Text();
    }
    void Note(std::string input) { m_log.Note(std::move(input)); }
    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::mt19937 m_random;
    InputLog m_log;
    std::unique_ptr<RandomDialogAnswerer> m_answerer;
    SessionWatch m_watch;
    std::filesystem::path m_games;
    std::uint32_t m_seed = 0;
    int m_steps = 0;
    int m_step = 0;
    bool m_failed = false;
    std::size_t m_faultsSeen = 0;
};

void SoakTest::RunRandomAction() {
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
            (this->*choice.action)();
            return;
        }
        roll -= choice.weight;
    }
    RandomKey();
}

void SoakTest::RandomKey() {
    const int roll = Roll(100);
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (roll < 35) {
        const int m = Roll(25);
        modifiers = m < 14   ? Qt::NoModifier
                    : m < 19 ? Qt::ControlModifier
                    : m < 21 ? Qt::ShiftModifier
                             : Qt::KeypadModifier;
        Press(static_cast<Qt::Key>(Qt::Key_0 + Roll(10)), modifiers);
    } else if (roll < 55) {
        const int m = Roll(8);
        modifiers = m < 5 ? Qt::NoModifier : m < 7 ? Qt::ControlModifier : Qt::ShiftModifier;
        Press(MoveKeys[static_cast<std::size_t>(Roll(MoveKeys.size()))], modifiers);
    } else if (roll < 60) {
        Press(Qt::Key_Delete, Roll(6) == 0 ? Qt::ControlModifier : Qt::NoModifier);
    } else if (roll < 64) {
        Press(Qt::Key_Escape, Qt::NoModifier);
    } else if (roll < 70) {
        Press(Qt::Key_M, Roll(8) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
    } else if (roll < 85) {
        modifiers = Roll(10) == 0 ? (Qt::ControlModifier | Qt::ShiftModifier)
                                  : Qt::KeyboardModifiers(Qt::ControlModifier);
        Press(ControlKeys[static_cast<std::size_t>(Roll(ControlKeys.size()))], modifiers);
    } else if (roll < 91) {
        const Qt::Key key = FunctionKeys[static_cast<std::size_t>(Roll(FunctionKeys.size()))];
        Press(key, Roll(6) == 0 ? Qt::ShiftModifier : Qt::NoModifier, key == Qt::Key_F3);
    } else if (roll < 94) {
        Press(Qt::Key_Backspace, Qt::AltModifier);
    } else if (roll < 96) {
        Press(Roll(2) == 0 ? Qt::Key_O : Qt::Key_S, Qt::ControlModifier, true);
    } else {
        Press(OtherKeys[static_cast<std::size_t>(Roll(OtherKeys.size()))], Qt::NoModifier);
    }
}

void SoakTest::RandomClick() {
    const int roll = Roll(20);
    RECT client{};
    GetClientRect(Main(), &client);
    const RECT area = roll < 11   ? ChildArea(Field().GetHwnd())
                      : roll < 16 ? ChildArea(m_main->GetHintStrip().GetHwnd())
                                  : client;
    const Qt::MouseButton button = Roll(4) == 0 ? Qt::RightButton : Qt::LeftButton;
    ClickAt(RandomPointIn(area), button, Roll(6) == 0);
}

void SoakTest::RandomDrag() {
    RECT client{};
    GetClientRect(Main(), &client);
    const RECT board = ChildArea(Field().GetHwnd());
    std::vector<QPoint> points;
    const int count = 2 + Roll(4);
    for (int i = 0; i < count; ++i) {
        points.push_back(RandomPointIn(Roll(5) == 0 ? client : board));
    }
    const Qt::MouseButton button = Roll(3) == 0 ? Qt::RightButton : Qt::LeftButton;
    std::string account = button == Qt::LeftButton ? "left drag" : "right drag";
    for (const QPoint& p : points) {
        account += " " + Text(p);
    }
    Note(account);
    QTest::mousePress(Window(), button, Qt::NoModifier,
                      ToWindow(points.front().x(), points.front().y()));
    Pump();
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        QTest::mouseMove(Window(), ToWindow(points[i].x(), points[i].y()));
        Pump();
    }
    QTest::mouseRelease(Window(), button, Qt::NoModifier,
                        ToWindow(points.back().x(), points.back().y()));
    Pump();
    Check();
}

// Opens a menu of the bar and walks down through enabled items at random;
// now and then it closes the menu again instead of choosing.
void SoakTest::RandomMenuChoice() {
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
    const auto [topBar, top] = tops[static_cast<std::size_t>(Roll(static_cast<int>(tops.size())))];
    std::string account = "menu > " + top->text().toStdString();
    QTest::mouseClick(topBar, Qt::LeftButton, Qt::NoModifier, topBar->actionGeometry(top).center());
    Pump();
    bool startsAGame = false;
    for (QMenu* menu = top->menu(); menu != nullptr && menu->isVisible();) {
        const std::vector<QAction*> items = ChoosableItems(menu);
        if (items.empty() || Roll(15) == 0) {
            Note(account + " (closed with Esc)");
            QTest::keyClick(menu, Qt::Key_Escape);
            break;
        }
        QAction* item = items[static_cast<std::size_t>(Roll(static_cast<int>(items.size())))];
        account += " > " + item->text().toStdString();
        QMenu* submenu = item->menu();
        if (submenu == nullptr) {
            Note(account);
            startsAGame = StartsAGame(item->text());
        }
        shelltest::ActivateMenuItem(menu, item);
        if (submenu == nullptr) {
            break;
        }
        Pump();
        menu = submenu;
    }
    Pump();
    CloseOpenMenus();
    Check(startsAGame);
}

// As the window manager resizes the window when the player drags its
// edge: a few sizes in a row, then the pause that ends the drag. The window
// must end with the board and the strip whole inside it.
void SoakTest::RandomResize() {
    std::string account = "drag the window's edge to";
    const int moves = 1 + Roll(3);
    for (int i = 0; i < moves; ++i) {
        const int width = 150 + Roll(800);
        const int height = 150 + Roll(800);
        account += " " + std::to_string(width) + "x" + std::to_string(height);
        m_widget->resize(width, height);
        Pump();
    }
    Note(account);
    QTest::qWait(SizingQuietMs);
    Pump();
    RECT client{};
    GetClientRect(Main(), &client);
    const RECT strip = ChildArea(m_main->GetHintStrip().GetHwnd());
    const RECT board = ChildArea(Field().GetHwnd());
    if (board.right > client.right || strip.right > client.right ||
        strip.bottom > ChildArea(m_main->GetStatusBar()).top || board.bottom > strip.top) {
        return Fail("after a resize the board or the strip does not fit the window");
    }
    Check();
}

void SoakTest::UndoEverythingAndBack() {
    const std::deque<CUndo> undo = Field().undo;
    const std::deque<CUndo> redo = Field().redo;
    const CGameField board = Field().field;
    Note("undo all " + std::to_string(undo.size()) + ", redo all " +
         std::to_string(undo.size() + redo.size()) + ", undo " + std::to_string(redo.size()));
    for (std::size_t i = 0; i < undo.size() && !m_failed; ++i) {
        if (Roll(3) == 0) {
            Press(Qt::Key_Backspace, Qt::AltModifier);
        } else {
            Press(Qt::Key_Z, Qt::ControlModifier);
        }
    }
    if (m_failed) {
        return;
    }
    if (!Field().undo.empty() || Field().redo.size() != undo.size() + redo.size()) {
        return Fail("undo moved the records wrongly: " + std::to_string(Field().undo.size()) +
                    " undo and " + std::to_string(Field().redo.size()) + " redo left");
    }
    if (!(Field().field == m_watch.HistoryStart())) {
        return Fail("undoing all " + std::to_string(undo.size()) +
                    " changes does not give back the board the history began with");
    }
    for (std::size_t i = 0; i < undo.size() + redo.size() && !m_failed; ++i) {
        Press(Qt::Key_Y, Qt::ControlModifier);
    }
    for (std::size_t i = 0; i < redo.size() && !m_failed; ++i) {
        Press(Qt::Key_Z, Qt::ControlModifier);
    }
    if (!m_failed && !(Field().field == board && Field().undo == undo && Field().redo == redo)) {
        Fail("redoing everything and undoing back does not give back the board and history");
    }
}

void SoakTest::SaveAndLoadGameFile() {
    const std::string path = (m_games / ("round trip " + std::to_string(Roll(1'000'000)) + " " +
                                         m_answerer->RandomName(3) + ".sdk"))
                                 .string();
    Note("save and load " + path);
    m_answerer->Force(shelltest::ChooseFile(path));
    if (m_main->GetFileName().empty() && Roll(2) == 0) {
        if (Roll(2) == 0) {
            Press(Qt::Key_F2, Qt::NoModifier);
        } else {
            Press(Qt::Key_S, Qt::ControlModifier);
        }
    } else {
        ChooseItem({"File", "Save &as..."});
    }
    if (m_failed) {
        return;
    }
    if (m_answerer->ForcedLeft() || !std::filesystem::exists(path)) {
        return Fail("Save as did not write " + path);
    }
    const CGameFieldFileData saved = Field();
    std::vector<std::string> labels;
    Field().GetSnapshotLabels(labels);

    m_answerer->Force(shelltest::ChooseFile(path));
    switch (Roll(3)) {
    case 0:
        Press(Qt::Key_F3, Qt::NoModifier, true);
        break;
    case 1:
        Press(Qt::Key_O, Qt::ControlModifier, true);
        break;
    default:
        ChooseItem({"File", "&Load...\tF3"}, true);
        break;
    }
    if (m_failed) {
        return;
    }
    if (m_answerer->ForcedLeft()) {
        return Fail("Load opened no file dialog");
    }
    const std::string differences = Differences(Field(), saved);
    if (!differences.empty()) {
        return Fail("the game loaded back differs in: " + differences);
    }
    if (!Field().undo.empty() || !Field().redo.empty() || m_main->GetFileName() != path ||
        SnapshotItems() != labels) {
        Fail("after loading a game: history, current file name or snapshot menu is wrong");
    }
}

void SoakTest::CloseAndReopen() {
    const CGameFieldSerialData session = Field();
    const bool autoCheck = m_main->IsAutoCheck();
    const WinnersLists winners = m_main->GetWinners();
    std::vector<std::string> labels;
    Field().GetSnapshotLabels(labels);
    if (Roll(2) == 0) {
        ChooseItem({"File", "E&xit"});
        m_main.reset();
        m_widget = nullptr;
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    } else {
        Note("close the window");
        CloseWindow();
    }
    OpenWindow();
    if (m_failed) {
        return;
    }
    const CGameFieldSerialData& restored = Field();
    std::string differences = Differences(restored, session);
    if (!(restored.undo == session.undo && restored.redo == session.redo)) {
        differences += " undo/redo";
    }
    if (m_main->IsAutoCheck() != autoCheck) {
        differences += " Auto-Check";
    }
    if (!(m_main->GetWinners() == winners)) {
        differences += " winners";
    }
    if (SnapshotItems() != labels) {
        differences += " snapshot menu";
    }
    if (!differences.empty()) {
        return Fail("the session after a restart differs in: " + differences);
    }
    Check();
}

// Types the solution of a level game into it, cell by cell with the mouse
// and the digit keys: the game must end as won.
void SoakTest::PlayToTheEnd() {
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
    Note("play the game to its end");
    Press(Qt::Key_Escape, Qt::NoModifier);
    for (std::size_t i = 0; i < CGameField::CellCount && !m_failed; ++i) {
        const CCell& wanted = solver.field.cells[i];
        if (wanted.IsGiven() || Field().field.cells[i].value == wanted.value) {
            continue;
        }
        const CellPos pos = CGameField::PosOf(i);
        ClickAt(CellCentreNow(pos), Qt::LeftButton, false);
        if (Field().GetSelection() != pos) {
            const CellPos got = Field().GetSelection();
            return Fail("a click on cell " + CellName(i) + " selected (" +
                        std::to_string(got.column) + ", " + std::to_string(got.row) + ")" +
                        Geometry());
        }
        Press(static_cast<Qt::Key>(Qt::Key_0 + wanted.value), Qt::NoModifier);
    }
    if (!m_failed && !Field().IsGameOver()) {
        std::string wrong;
        for (std::size_t i = 0; i < CGameField::CellCount; ++i) {
            if (Field().field.cells[i].value != solver.field.cells[i].value) {
                wrong += " " + CellName(i);
            }
        }
        Fail("the board filled with its solution is not a won game; cells not taken:" + wrong);
    }
}

TEST_F(SoakTest, RandomInputLeavesTheSessionSound) {
    SCOPED_TRACE("seed " + std::to_string(m_seed));
    for (m_step = 0; m_step < m_steps && !m_failed; ++m_step) {
        m_log.SetStep(m_step);
        RunRandomAction();
    }
    RecordProperty("seed", std::to_string(m_seed));
    RecordProperty("dialogs", m_answerer->Opened());
}

} // namespace
