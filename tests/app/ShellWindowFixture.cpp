#include "ShellWindowFixture.h"

#include <QFileDialog>
#include <QLineEdit>

#include <cstdlib>
#include <unistd.h>

namespace shelltest {

using kwin::ModalStart;

namespace {

std::vector<UINT>* g_commands = nullptr;
WNDPROC g_mainProc = nullptr;

LRESULT CommandRecorder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && g_commands != nullptr) {
        g_commands->push_back(LOWORD(wParam));
    }
    return CallWindowProc(g_mainProc, hwnd, message, wParam, lParam);
}

} // namespace

void ShellWindowTest::RecordCommands() {
    m_commands.clear();
    g_commands = &m_commands;
    g_mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CommandRecorder)));
}

void ShellWindowTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dataDir = std::filesystem::temp_directory_path() /
                ("kalmora-shell-" + std::to_string(::getpid()) + "-" + info->name());
    std::filesystem::remove_all(m_dataDir);
    std::filesystem::create_directories(m_dataDir);
    ::setenv("LOCALAPPDATA", m_dataDir.c_str(), 1);
    PrepareShell();
    m_module.Init(nullptr);
    m_module.AddMessageLoop(&m_loop);
    OpenWindow();
}

void ShellWindowTest::TearDown() {
    if (m_main) {
        CloseWindow();
    }
    g_commands = nullptr;
    m_module.RemoveMessageLoop();
    m_module.Term();
    std::filesystem::remove_all(m_dataDir);
}

void ShellWindowTest::OpenWindow(bool settle) {
    m_main = std::make_unique<CMainWnd>();
    ASSERT_NE(m_main->CreateMainWindow(), nullptr);
    m_main->ShowWindow(SW_SHOW);
    m_widget = wintest::WidgetOfWindow(m_main->GetHwnd());
    ASSERT_NE(m_widget, nullptr);
    if (settle) {
        Pump();
    }
}

void ShellWindowTest::CloseWindow() {
    ReleaseCapture();
    if (IsWindow(Main())) { // else File > Exit closed it already
        SendMessage(Main(), WM_CLOSE, 0, 0);
    }
    Pump();
    m_main.reset();
    m_widget = nullptr;
    // The quit the window posted is not for the test.
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void ShellWindowTest::Pump() {
    for (int round = 0; round < 3; ++round) {
        QApplication::processEvents();
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                m_quitSeen = true;
                continue;
            }
            if (!m_loop.PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
    }
    m_loop.OnIdle(0);
}

void ShellWindowTest::Key(Qt::Key key, Qt::KeyboardModifiers modifiers, bool pump) {
    QWidget* target = QApplication::activePopupWidget();
    if (target == nullptr) {
        target = QApplication::focusWidget();
    }
    QTest::keyClick(target != nullptr ? target : m_widget, key, modifiers);
    if (pump) {
        Pump();
    }
}

void ShellWindowTest::Type(const std::string& text) {
    QTest::keyClicks(m_widget, QString::fromStdString(text));
    Pump();
}

void ShellWindowTest::Click(int x, int y, Qt::MouseButton button) {
    QTest::mouseClick(Window(), button, Qt::NoModifier, ToWindow(x, y));
    Pump();
}

QAction* ActionNamed(const QWidget* widget, const QString& text) {
    for (QAction* action : widget->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

QMenuBar* BarHolding(QWidget* window, const QString& text) {
    auto* bar = window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (bar == nullptr || ActionNamed(bar, text) != nullptr) {
        return bar;
    }
    return qobject_cast<QMenuBar*>(bar->cornerWidget(Qt::TopRightCorner));
}

void ActivateMenuItem(QMenu* menu, QAction* item) {
    if (item->menu() != nullptr) {
        // A submenu opens as the keyboard opens it.
        menu->setActiveAction(item);
        QTest::keyClick(menu, Qt::Key_Right);
    } else {
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(item).center());
    }
}

QAction* ShellWindowTest::OpenPopup(QMenuBar* bar, const char* text) {
    QAction* action = bar != nullptr ? ActionNamed(bar, text) : nullptr;
    if (action == nullptr) {
        ADD_FAILURE() << "no menu " << text;
        return nullptr;
    }
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(action).center());
    Pump();
    return action;
}

void ShellWindowTest::Choose(std::initializer_list<const char*> path) {
    auto it = path.begin();
    QAction* action = OpenPopup(BarHolding(m_widget, *it), *it);
    for (++it; action != nullptr && it != path.end(); ++it) {
        QMenu* menu = action->menu();
        ASSERT_NE(menu, nullptr) << *it;
        QAction* item = ActionNamed(menu, *it);
        ASSERT_NE(item, nullptr) << *it;
        ASSERT_TRUE(item->isEnabled()) << *it << " is grayed";
        ActivateMenuItem(menu, item);
        Pump();
        action = item;
    }
    Pump();
}

ShellWindowTest::ItemState ShellWindowTest::MenuItemState(const char* popup, const char* item) {
    QAction* action = OpenPopup(BarHolding(m_widget, popup), popup);
    ItemState state;
    if (action == nullptr || action->menu() == nullptr) {
        return state;
    }
    QAction* found = ActionNamed(action->menu(), item);
    EXPECT_NE(found, nullptr) << item;
    if (found != nullptr) {
        state = ItemState{found->isEnabled(), found->isChecked()};
    }
    action->menu()->close();
    Pump();
    return state;
}

std::vector<std::string> ShellWindowTest::SnapshotItems() const {
    std::vector<std::string> items;
    HMENU game = GetSubMenu(GetMenu(Main()), 1);
    MENUITEMINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU;
    GetMenuItemInfo(game, ID_GAME_LOAD_SNAPSHOT, FALSE, &info);
    if (info.hSubMenu == nullptr) {
        return items;
    }
    for (int i = 0; i < GetMenuItemCount(info.hSubMenu); ++i) {
        char text[128] = {};
        GetMenuString(info.hSubMenu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        items.emplace_back(text);
    }
    return items;
}

void ShellWindowTest::ExpectCentredDefaultWindow() const {
    RECT outer{};
    GetWindowRect(Main(), &outer);
    EXPECT_EQ(outer.right - outer.left, 416);
    EXPECT_EQ(outer.bottom - outer.top, 540);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetMonitorInfo(MonitorFromWindow(Main(), MONITOR_DEFAULTTONEAREST), &info));
    EXPECT_NEAR(outer.left - info.rcWork.left, info.rcWork.right - outer.right, 1);
    EXPECT_NEAR(outer.top - info.rcWork.top, info.rcWork.bottom - outer.bottom, 1);
}

std::string ShellWindowTest::Pane(int pane) const {
    char text[512] = {};
    SendMessage(m_main->GetStatusBar(), SB_GETTEXT, static_cast<WPARAM>(pane),
                reinterpret_cast<LPARAM>(text));
    return text;
}

wintest::ModalStep ChooseFile(const std::string& path) {
    return [path](const ModalStart& start) {
        auto* dialog = wintest::FileDialogOf(start);
        ASSERT_NE(dialog, nullptr) << "a file dialog";
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        dialog->selectFile(QString::fromStdString(path));
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

wintest::ModalStep PressEnter(std::string* text, std::string* caption) {
    return [text, caption](const ModalStart& start) {
        ASSERT_NE(start.window, nullptr);
        if (text != nullptr) {
            *text = wintest::ItemText(start.window, 0xFFFF);
        }
        if (caption != nullptr) {
            *caption = wintest::TextOf(start.window);
        }
        wintest::PressKey(start.window, Qt::Key_Return);
    };
}

wintest::ModalStep TypeThenEnter(const std::string& typed) {
    return [typed](const ModalStart& start) {
        ASSERT_NE(start.window, nullptr);
        wintest::TypeInto(start.window, typed);
        wintest::PressKey(start.window, Qt::Key_Return);
    };
}

} // namespace shelltest
