#include "SoakFixture.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>

#include <cstdlib>
#include <fstream>

namespace soak {

namespace {

constexpr std::uint32_t DefaultSeed = 20261207;
constexpr std::size_t InputsKept = 30;

template <typename T> T FromEnvironment(const char* name, T fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    return static_cast<T>(std::strtoull(text, nullptr, 10));
}

} // namespace

void SoakTest::SetUp() {
    m_seed = FromEnvironment<std::uint32_t>("KALMORA_SOAK_SEED", DefaultSeed);
    m_steps = FromEnvironment<int>("KALMORA_SOAK_STEPS", KALMORA_SOAK_DEFAULT_STEPS);
    m_random.seed(m_seed);
    ShellWindowTest::SetUp();
    m_games = m_dataDir / "games";
    m_answerer = std::make_unique<RandomDialogAnswerer>(m_random, m_games);
    // Files no game can be read from, for the open dialog to stumble on.
    std::ofstream(m_games / "junk.sdk") << "no game in here";
    std::ofstream(m_games / "empty.sdk");
    m_watch.Restart(Field());
}

void SoakTest::TearDown() {
    CloseOpenMenus();
    if (m_main) {
        CloseWindow();
    }
    m_answerer.reset();
    ShellWindowTest::TearDown();
}

QWindow* SoakTest::Window() const {
    return m_widget->windowHandle();
}

QPoint SoakTest::ToWindow(QPoint client) const {
    return m_widget->contentsRect().topLeft() + client;
}

void SoakTest::Press(Qt::Key key, Qt::KeyboardModifiers modifiers, bool gameMayChange) {
    Note(
        "key " +
        QKeySequence(static_cast<int>(key) | static_cast<int>(modifiers)).toString().toStdString());
    QTest::keyClick(m_widget, key, modifiers);
    Pump();
    Check(gameMayChange);
}

void SoakTest::ClickAt(QPoint client, Qt::MouseButton button, bool twice) {
    Note(std::string(twice ? "double click " : "click ") +
         (button == Qt::LeftButton ? "left" : "right") + " at " + std::to_string(client.x()) + "," +
         std::to_string(client.y()));
    if (twice) {
        QTest::mouseDClick(Window(), button, Qt::NoModifier, ToWindow(client));
    } else {
        QTest::mouseClick(Window(), button, Qt::NoModifier, ToWindow(client));
    }
    Pump();
    Check();
}

void SoakTest::DragAlong(const std::vector<QPoint>& client, Qt::MouseButton button) {
    std::string account = button == Qt::LeftButton ? "left drag" : "right drag";
    for (const QPoint& p : client) {
        account += " " + std::to_string(p.x()) + "," + std::to_string(p.y());
    }
    Note(account);
    QTest::mousePress(Window(), button, Qt::NoModifier, ToWindow(client.front()));
    Pump();
    for (std::size_t i = 1; i + 1 < client.size(); ++i) {
        QTest::mouseMove(Window(), ToWindow(client[i]));
        Pump();
    }
    QTest::mouseRelease(Window(), button, Qt::NoModifier, ToWindow(client.back()));
    Pump();
    Check();
}

bool SoakTest::ChooseItem(const std::vector<QString>& path, bool gameMayChange) {
    std::string account = "menu";
    for (const QString& text : path) {
        account += " > " + text.toStdString();
    }
    Note(account);
    QMenuBar* bar = shelltest::BarHolding(m_widget, path.front());
    QAction* action = bar != nullptr ? shelltest::ActionNamed(bar, path.front()) : nullptr;
    if (action == nullptr) {
        Fail("no menu " + path.front().toStdString());
        return false;
    }
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(action).center());
    Pump();
    for (std::size_t i = 1; i < path.size(); ++i) {
        QMenu* menu = action->menu();
        QAction* item = menu != nullptr ? shelltest::ActionNamed(menu, path[i]) : nullptr;
        if (item == nullptr || !item->isEnabled() || !menu->isVisible()) {
            CloseOpenMenus();
            return false;
        }
        shelltest::ActivateMenuItem(menu, item);
        Pump();
        action = item;
    }
    Pump();
    CloseOpenMenus();
    Check(gameMayChange);
    return true;
}

void SoakTest::CloseOpenMenus() {
    for (int guard = 0; guard < 5 && QApplication::activePopupWidget() != nullptr; ++guard) {
        QApplication::activePopupWidget()->close();
        Pump();
    }
}

RECT SoakTest::ChildArea(HWND child) const {
    RECT area{};
    GetClientRect(child, &area);
    MapWindowPoints(child, Main(), reinterpret_cast<LPPOINT>(&area), 2);
    return area;
}

QPoint SoakTest::CellCentre(const CellPos& cell) const {
    const RECT board = ChildArea(m_main->GetFieldView().GetHwnd());
    const double width = board.right - board.left - 2;
    const double height = board.bottom - board.top - 2;
    return QPoint(board.left + static_cast<int>((cell.column - 0.5) * width / 9),
                  board.top + static_cast<int>((cell.row - 0.5) * height / 9));
}

// A window sized without its proportions (MoveWindow) can be shorter than
// its board: only the part inside the client area can be clicked.
QPoint SoakTest::RandomPointIn(const RECT& area) {
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

std::string SoakTest::Geometry() const {
    RECT client{};
    GetClientRect(Main(), &client);
    const RECT board = ChildArea(m_main->GetFieldView().GetHwnd());
    const auto text = [](long a, long b) { return std::to_string(a) + "x" + std::to_string(b); };
    return "; client " + text(client.right, client.bottom) + ", board at " +
           text(board.left, board.top) + " size " +
           text(board.right - board.left, board.bottom - board.top) + ", toolkit window " +
           text(Window()->width(), Window()->height()) + " contents at " +
           text(m_widget->contentsRect().left(), m_widget->contentsRect().top());
}

bool SoakTest::Check(bool gameMayChange) {
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
    for (const std::string& fault : m_watch.CheckWinners(m_main->GetWinners())) {
        Fail(fault);
    }
    const auto& answererFaults = m_answerer->Faults();
    for (; m_faultsSeen < answererFaults.size(); ++m_faultsSeen) {
        Fail(answererFaults[m_faultsSeen]);
    }
    return !m_failed;
}

void SoakTest::Fail(const std::string& what) {
    m_failed = true;
    std::string recent;
    for (const std::string& input : m_inputs) {
        recent += "\n  " + input;
    }
    std::string answers;
    for (const std::string& answer : m_answerer->Journal()) {
        answers += "\n  " + answer;
    }
    ADD_FAILURE() << "step " << m_step << " of seed " << m_seed << ": " << what
                  << "\nreplay: KALMORA_SOAK_SEED=" << m_seed
                  << " KALMORA_SOAK_STEPS=" << m_step + 1 << "\nlast inputs:" << recent
                  << "\nlast dialog answers:" << answers;
}

void SoakTest::Note(std::string input) {
    m_inputs.push_back(std::to_string(m_step) + ": " + std::move(input));
    if (m_inputs.size() > InputsKept) {
        m_inputs.pop_front();
    }
}

} // namespace soak
