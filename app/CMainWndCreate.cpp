// The main window's creation sequence: icons, accelerators, the loop, the
// menu, the restored session and place, the children, the clock, the
// winners, the command states, the first refresh and the version line.

#include "app/CMainWnd.h"

#include "app/CommandIds.h"
#include "app/ResourceIds.h"
#include "app/ResourceText.h"
#include "app/VersionLine.h"
#include "views/win/framework/CAppModule.h"
#include "views/win/framework/CenterWindow.h"

namespace {

constexpr const char* FieldViewText = "GridCtrl";
constexpr const char* HintStripText = "HintCtrl";
constexpr int ChildMargin = 12;

CMessageLoop* ThreadLoop() {
    CAppModule* module = CAppModule::Current();
    return module != nullptr ? module->GetMessageLoop() : nullptr;
}

} // namespace

LRESULT CMainWnd::OnCreate() {
    LoadIcons();
    m_accelerators = LoadAccelerators(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDR_MAINFRAME));
    RegisterWithLoop();
    AttachMenu();
    RECT restored{0, 0, 0, 0};
    if (!LoadSession(restored)) {
        m_autoCheck = false;
    }
    PlaceWindow(restored);
    RECT client;
    GetClientRect(&client);
    CreateFieldView(client.right - client.left);
    CreateHintStrip(client.right - client.left);
    CreateStatusBar();
    SetTimer(ClockTimer, ClockPeriod);
    LoadWinners();
    InitCommandStates();
    m_field.Refresh();
    m_messageText = VersionLine();
    return 0;
}

void CMainWnd::LoadIcons() {
    const HINSTANCE instance = GetModuleHandle(nullptr);
    m_largeIcon = static_cast<HICON>(LoadImage(instance, MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXICON),
                                               GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_largeIcon));
    m_smallIcon = static_cast<HICON>(LoadImage(instance, MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));
}

void CMainWnd::RegisterWithLoop() {
    if (CMessageLoop* loop = ThreadLoop(); loop != nullptr) {
        loop->AddMessageFilter(this);
        loop->AddIdleHandler(this);
    }
}

void CMainWnd::UnregisterFromLoop() {
    if (CMessageLoop* loop = ThreadLoop(); loop != nullptr) {
        loop->RemoveMessageFilter(this);
        loop->RemoveIdleHandler(this);
    }
}

void CMainWnd::AttachMenu() {
    SetMenu(GetHwnd(), LoadMenu(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDR_MAINFRAME)));
    InitSnapshotMenu();
}

void CMainWnd::PlaceWindow(const RECT& restored) {
    if (restored.left == 0 && restored.top == 0 && restored.right == 0 && restored.bottom == 0) {
        CenterWindow(GetHwnd());
    } else {
        MoveWindow(restored.left, restored.top, restored.right - restored.left,
                   restored.bottom - restored.top, FALSE);
    }
}

void CMainWnd::CreateFieldView(int clientWidth) {
    const int side = clientWidth - 2 * ChildMargin;
    HWND hwnd =
        CreateWindowEx(0, "STATIC", FieldViewText, WS_CHILD | WS_VISIBLE, ChildMargin, ChildMargin,
                       side, side, GetHwnd(), nullptr, GetModuleHandle(nullptr), nullptr);
    m_field.SubclassWindow(hwnd);
}

void CMainWnd::CreateHintStrip(int clientWidth) {
    const int width = clientWidth - 2 * ChildMargin;
    const int height = static_cast<int>(width / 9.0);
    HWND hwnd =
        CreateWindowEx(0, "STATIC", HintStripText, WS_CHILD | WS_VISIBLE, ChildMargin, clientWidth,
                       width, height, GetHwnd(), nullptr, GetModuleHandle(nullptr), nullptr);
    m_hintStrip.SubclassWindow(hwnd);
}

void CMainWnd::CreateStatusBar() {
    const std::string initial = LoadText(IDS_STATUSBAR_INITIAL);
    m_uiState.SetStatusBar(m_statusBar.Create(GetHwnd(), initial.c_str(), IDC_STATUSBAR));
    SetStatusPanes();
}

void CMainWnd::InitCommandStates() {
    m_uiState.SetEnabled(ID_GAME_UNDO, !m_field.undo.empty());
    m_uiState.SetEnabled(ID_GAME_REDO, !m_field.redo.empty());
    m_uiState.SetChecked(ID_GAME_AUTOCHECK, m_autoCheck);
    m_uiState.SetEnabled(ID_GAME_CHECK, !m_autoCheck);
    m_field.SetAutoCheck(m_autoCheck);
}
