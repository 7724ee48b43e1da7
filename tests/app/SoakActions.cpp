// The soak's random actions: which one comes next, and the keys, clicks,
// drags, menu choices and window sizes it gives.

#include "SoakFixture.h"

#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <array>
#include <utility>

namespace soak {

namespace {

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

const QString Exit = "E&xit";

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
            action->text() != Exit) {
            items.push_back(action);
        }
    }
    return items;
}

} // namespace

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
    DragAlong(points, Roll(3) == 0 ? Qt::RightButton : Qt::LeftButton);
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
        if (item->menu() != nullptr) {
            menu->setActiveAction(item);
            QTest::keyClick(menu, Qt::Key_Right);
            Pump();
            menu = item->menu();
            continue;
        }
        Note(account);
        startsAGame = StartsAGame(item->text());
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(item).center());
        break;
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

} // namespace soak
