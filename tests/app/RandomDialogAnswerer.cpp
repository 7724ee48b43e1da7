#include "RandomDialogAnswerer.h"

#include "app/DialogTemplates.h"

#include <QFileDialog>
#include <QLineEdit>

#include <array>
#include <utility>

namespace soak {

using kwin::ModalKind;
using kwin::ModalStart;

namespace {

// Pieces of names: plain letters, blanks that trimming must remove, and
// characters of two, three and four bytes in UTF-8.
constexpr std::array<const char*, 16> NamePieces = {
    "a", "Z", "7", " ", "  ", "-", "_", "+", "é", "ß", "Ω", "日本", "語", "🙂", "ñandú", "x.y"};

constexpr int WatchdogPeriodMs = 20;
// Ticks before the watchdog presses Enter (or cancels a file dialog), and
// before it gives up on the window and closes it itself.
constexpr int NudgeAfterTicks = 4;
constexpr int CloseAfterTicks = 15;
constexpr std::size_t JournalLength = 40;

const char* KindName(ModalKind kind) {
    switch (kind) {
    case ModalKind::Dialog:
        return "dialog";
    case ModalKind::MessageBox:
        return "message box";
    case ModalKind::OpenFile:
        return "open dialog";
    case ModalKind::SaveFile:
        return "save dialog";
    }
    return "?";
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

} // namespace

wintest::ModalStep PickFile(const std::string& path) {
    return [path](const ModalStart& start) {
        QFileDialog* dialog = wintest::FileDialogOf(start);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(path));
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

RandomDialogAnswerer::RandomDialogAnswerer(std::mt19937& random, std::filesystem::path folder)
    : m_random(random), m_folder(std::move(folder)) {
    std::filesystem::create_directories(m_folder);
    kwin::SetModalTestSeam([this](const ModalStart& start) { OnModalStart(start); });
    QObject::connect(&m_watchdog, &QTimer::timeout, [this] { OnWatchdogTick(); });
    m_watchdog.start(WatchdogPeriodMs);
}

RandomDialogAnswerer::~RandomDialogAnswerer() {
    kwin::SetModalTestSeam({});
}

std::string RandomDialogAnswerer::RandomName(int maxPieces) {
    const int pieces = Roll(maxPieces + 1);
    std::string name;
    for (int i = 0; i < pieces; ++i) {
        name += NamePieces[static_cast<std::size_t>(Roll(static_cast<int>(NamePieces.size())))];
    }
    return name;
}

std::string RandomDialogAnswerer::RandomPath(bool forOpen) {
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

void RandomDialogAnswerer::OnModalStart(const ModalStart& start) {
    ++m_opened;
    std::erase_if(m_pending, [&](const Pending& p) { return !StillOpen(p); });
    QFileDialog* fileDialog = nullptr;
    if (start.kind == ModalKind::OpenFile || start.kind == ModalKind::SaveFile) {
        fileDialog = kwin::qt::RunningFileDialog();
    }
    m_pending.push_back(Pending{start.kind, start.window, fileDialog, 0});
    if (!m_forced.empty()) {
        Note(std::string("forced answer to a ") + KindName(start.kind));
        wintest::ModalStep step = std::move(m_forced.front());
        m_forced.pop_front();
        step(start);
        return;
    }
    switch (start.kind) {
    case ModalKind::Dialog:
        AnswerDialog(start.window);
        break;
    case ModalKind::MessageBox:
        AnswerMessageBox(start.window);
        break;
    case ModalKind::OpenFile:
    case ModalKind::SaveFile:
        AnswerFileDialog(fileDialog, start.kind == ModalKind::OpenFile);
        break;
    }
}

// A dialog with a name edit (snapshot, winner) gets a name first; any dialog
// is then ended by one of the ways a player ends it. Some of them (Esc on the
// About box) leave it open: the watchdog then presses Enter.
void RandomDialogAnswerer::AnswerDialog(HWND window) {
    std::string account = "dialog \"" + wintest::TextOf(window) + "\":";
    if (GetDlgItem(window, IDC_NAME_EDIT) != nullptr && Roll(5) != 0) {
        const std::string name = RandomName(Roll(4) == 0 ? 40 : 6);
        TypeText(window, name);
        account += " typed \"" + name + "\"";
    }
    switch (Roll(6)) {
    case 0:
    case 1:
        wintest::PressKey(window, Qt::Key_Return);
        account += " Enter";
        break;
    case 2:
        wintest::PressKey(window, Qt::Key_Escape);
        account += " Esc";
        break;
    case 3:
        if (HWND ok = GetDlgItem(window, IDOK)) {
            wintest::ClickOn(ok);
            account += " clicked OK";
        }
        break;
    case 4:
        if (HWND cancel = GetDlgItem(window, IDCANCEL)) {
            wintest::ClickOn(cancel);
            account += " clicked Cancel";
        }
        break;
    default:
        wintest::PressKey(window, Qt::Key_Tab);
        wintest::PressKey(window, Qt::Key_Space);
        account += " Tab Space";
        break;
    }
    Note(account);
}

void RandomDialogAnswerer::AnswerMessageBox(HWND window) {
    static constexpr std::array<Qt::Key, 5> Keys = {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape,
                                                    Qt::Key_Y, Qt::Key_N};
    const Qt::Key key = Keys[static_cast<std::size_t>(Roll(static_cast<int>(Keys.size())))];
    Note("message box \"" + wintest::TextOf(window) + "\": key " + std::to_string(key));
    wintest::PressKey(window, key);
}

void RandomDialogAnswerer::AnswerFileDialog(QFileDialog* dialog, bool forOpen) {
    ASSERT_NE(dialog, nullptr) << "a file dialog";
    switch (Roll(8)) {
    case 0:
        Note("file dialog: Esc");
        QTest::keyClick(dialog, Qt::Key_Escape);
        return;
    case 1:
        Note("file dialog: rejected");
        dialog->reject();
        return;
    default: {
        const std::string path = RandomPath(forOpen);
        Note(std::string(forOpen ? "open " : "save ") + path);
        PickFile(path)(ModalStart{forOpen ? ModalKind::OpenFile : ModalKind::SaveFile, nullptr});
        return;
    }
    }
}

bool RandomDialogAnswerer::StillOpen(const Pending& pending) const {
    if (pending.kind == ModalKind::OpenFile || pending.kind == ModalKind::SaveFile) {
        return !pending.fileDialog.isNull() && pending.fileDialog->isVisible();
    }
    return pending.window != nullptr && IsWindow(pending.window);
}

void RandomDialogAnswerer::OnWatchdogTick() {
    std::erase_if(m_pending, [&](const Pending& p) { return !StillOpen(p); });
    if (m_pending.empty()) {
        return;
    }
    Nudge(m_pending.back());
}

void RandomDialogAnswerer::Nudge(Pending& pending) {
    ++pending.ticks;
    const bool file = pending.kind == ModalKind::OpenFile || pending.kind == ModalKind::SaveFile;
    if (pending.ticks == NudgeAfterTicks) {
        Note(std::string("watchdog: ") + KindName(pending.kind) + " still open, Enter/cancel");
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

void RandomDialogAnswerer::Note(std::string text) {
    m_journal.push_back(std::move(text));
    if (m_journal.size() > JournalLength) {
        m_journal.pop_front();
    }
}

} // namespace soak
