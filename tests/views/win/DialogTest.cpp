// Modal dialogs from templates driven headless with real keys and clicks:
// Enter, Esc and the close box, Tab order, typed text read back, the
// disabled owner, the first focus and the size in dialog units.

#include "tests/support/MessageLog.h"

#include "Bitmap.h"
#include "ModalScript.h"
#include "QtWindowFixture.h"

#include "views/win/backend/Backend.h"
#include "views/win/resources/ResourceTemplates.h"
#include "views/win/resources/Resources.h"

#include <utility>
#include <vector>

using namespace wintest;
using kwin::DialogItemTemplate;
using kwin::DialogTemplate;
using kwin::ModalStart;

namespace {

constexpr UINT AboutId = 700;
constexpr UINT SnapshotId = 704;
constexpr UINT WinnerId = 706;
constexpr int NameEdit = 1009;
constexpr int MessageEdit = 1011;
constexpr int VersionText = 1007;
constexpr UINT MarkFocus = WM_APP + 1;
constexpr UINT CodeRefused = static_cast<UINT>(-105);

constexpr DWORD DialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

DialogTemplate Modal(DWORD extraStyle, short cx, short cy, const char* caption, const char* face,
                     std::vector<DialogItemTemplate> items) {
    return DialogTemplate{.style = DialogStyle | extraStyle,
                          .cx = cx,
                          .cy = cy,
                          .caption = caption,
                          .fontFace = face,
                          .items = std::move(items)};
}

void RegisterTemplates() {
    kwin::RegisterIcon(128, [](HDC dc, int size) {
        Fill(dc, {2, 2, size - 2, size - 2}, RGB(0, 128, 0));
    });
    constexpr DWORD Name = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    constexpr DWORD Default = BS_DEFPUSHBUTTON | WS_TABSTOP;
    constexpr DWORD Push = BS_PUSHBUTTON | WS_TABSTOP;
    kwin::RegisterDialogTemplate(
        AboutId,
        Modal(0, 241, 118, "About", "MS Sans Serif",
              {{"BUTTON", "", -1, BS_GROUPBOX, 0, 7, 7, 167, 104, 0},
               {"STATIC", "", -1, SS_ICON, 0, 81, 20, 20, 20, 128},
               {"STATIC", "Kalmora", VersionText, SS_CENTER | WS_GROUP, 0, 7, 56, 167, 22, 0},
               {"STATIC", "A puzzle of nine", -1, SS_CENTER | WS_GROUP, 0, 7, 90, 167, 21, 0},
               {"BUTTON", "OK", IDOK, Default, 0, 184, 97, 50, 14, 0}}));
    kwin::RegisterDialogTemplate(
        SnapshotId, Modal(DS_FIXEDSYS, 311, 92, "Make a snapshot", "MS Shell Dlg",
                          {{"STATIC", "Enter snapshot's name:", -1, SS_LEFT, 0, 7, 19, 76, 8, 0},
                           {"EDIT", "", NameEdit, Name, 0, 7, 34, 297, 14, 0},
                           {"BUTTON", "OK", IDOK, Default, 0, 198, 71, 50, 14, 0},
                           {"BUTTON", "Cancel", IDCANCEL, Push, 0, 254, 71, 50, 14, 0}}));
    kwin::RegisterDialogTemplate(
        WinnerId,
        Modal(DS_FIXEDSYS, 309, 138, "Dialog", "MS Shell Dlg",
              {{"EDIT", "", MessageEdit, ES_READONLY | ES_AUTOHSCROLL, 0, 7, 18, 295, 14, 0},
               {"STATIC", "Enter your name:", -1, SS_LEFT, 0, 7, 42, 57, 8, 0},
               {"EDIT", "", NameEdit, Name, 0, 7, 59, 295, 14, 0},
               {"BUTTON", "OK", IDOK, Default, 0, 198, 117, 50, 14, 0},
               {"BUTTON", "Cancel", IDCANCEL, Push, 0, 252, 117, 50, 14, 0}}));
}

// What the dialogs under test saw.
struct Seen {
    std::string name = "untouched";
    std::vector<int> focusIds;
    std::vector<WPARAM> commands;
    int initDialogs = 0;
    int initFocusId = 0;
    std::vector<int> defaultLooks; // the button drawn as the default one
    std::vector<UINT_PTR> notified;
};
Seen g_seen;

int DefaultLook(HWND dialog) {
    for (int id : {IDOK, IDCANCEL}) {
        if (SendDlgItemMessage(dialog, id, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
            return id;
        }
    }
    return 0;
}

// A name dialog: OK takes the edit's text, Cancel leaves the name alone.
INT_PTR NameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        ++g_seen.initDialogs;
        g_seen.initFocusId = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
        if (lParam != 0) {
            SetDlgItemText(dialog, MessageEdit, reinterpret_cast<LPCSTR>(lParam));
        }
        return TRUE;
    case MarkFocus:
        g_seen.focusIds.push_back(GetDlgCtrlID(GetFocus()));
        g_seen.defaultLooks.push_back(DefaultLook(dialog));
        return TRUE;
    case WM_NOTIFY: // refuses one code through DWLP_MSGRESULT, as a dialog procedure must
        g_seen.notified.push_back(reinterpret_cast<const NMHDR*>(lParam)->idFrom);
        if (reinterpret_cast<const NMHDR*>(lParam)->code == CodeRefused) {
            SetWindowLongPtr(dialog, DWLP_MSGRESULT, -1);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            g_seen.commands.push_back(wParam);
        }
        if (LOWORD(wParam) == IDOK) {
            g_seen.name = ItemText(dialog, NameEdit);
            EndDialog(dialog, IDOK);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

// The About box handles OK only: Esc and the close box leave it open.
INT_PTR AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case MarkFocus:
        g_seen.focusIds.push_back(GetDlgCtrlID(GetFocus()));
        return TRUE;
    case WM_COMMAND:
        g_seen.commands.push_back(wParam);
        if (LOWORD(wParam) == IDOK) {
            EndDialog(dialog, IDOK);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

class DialogTest : public QtWindowFixture {
protected:
    static void SetUpTestSuite() {
        kwin::qt::InstallQtBackend();
        RegisterTemplates();
    }
    void SetUp() override {
        g_seen = Seen{};
        CreateTopLevel(SpyClass(0), "owner", 500, 400);
    }
    INT_PTR Run(UINT id, DLGPROC proc, LPARAM param = 0) {
        return DialogBoxParam(nullptr, MAKEINTRESOURCE(id), m_top, proc, param);
    }
    // Marks, in the dialog's own queue behind the keys and clicks given so far
    // (a posted message would overtake them), the moment to note the focus.
    static void MarkFocusNow(HWND dialog) { kwin::PostBehindInput(dialog, MarkFocus); }
};

// One step of what the user does in a dialog: text typed, a key pressed, or
// a left click on a control, at a point across it halfway down.
struct Step {
    Step(const char* typed) : text(typed) {}
    Step(Qt::Key pressed) : key(pressed) {}
    Step(int id, int x) : clickId(id), clickX(x) {}
    void Do(HWND dialog) const {
        if (clickId != 0) {
            QWidget* control = WidgetOfWindow(GetDlgItem(dialog, clickId));
            QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier,
                              QPoint(clickX, control->height() / 2));
        } else if (key != Qt::Key_unknown) {
            PressKey(dialog, key);
        } else {
            TypeInto(dialog, text);
        }
    }
    std::string text;
    Qt::Key key = Qt::Key_unknown;
    int clickId = 0;
    int clickX = 0;
};

struct NameDialogCase {
    const char* what;
    std::vector<Step> steps;              // none: the close box
    std::pair<int, std::string> answered; // the button pressed (the result and the
                                          // one command) and the name taken
};

} // namespace

TEST_F(DialogTest, KeysAndClicksAnswerTheNameDialog) {
    using Qt::Key_Return, Qt::Key_Tab, Qt::Key_Left;
    const NameDialogCase cases[] = {
        {"the close box sends Cancel", {}, {IDCANCEL, "untouched"}},
        {"Enter on a focused push button presses it",
         {"kept?", Key_Tab, Key_Tab, Key_Return},
         {IDCANCEL, "untouched"}},
        {"a click on a button presses it", {"clicked", Step(IDOK, 20)}, {IDOK, "clicked"}},
        {"editing keys move the caret and delete where it is",
         {"abcd", Key_Left, Key_Left, Qt::Key_Backspace, "X", Qt::Key_Home, Qt::Key_Delete,
          Qt::Key_End, "!", Key_Return},
         {IDOK, "Xcd!"}},
        {"a click in the edit puts the caret where it was clicked",
         {"abcdef", Step(NameEdit, 1), "X", Step(NameEdit, 500), "Y", Key_Return},
         {IDOK, "XabcdefY"}},
    };
    for (const NameDialogCase& c : cases) {
        SCOPED_TRACE(c.what);
        g_seen = Seen{};
        bool ownerDisabled = false;
        bool modalForOwner = false;
        int firstFocus = 0;
        std::string caption;
        RECT client{};
        RECT edit{};
        RECT units{0, 0, 4, 8};
        ModalScript script;
        script.Then([&](const ModalStart& start) {
            EXPECT_EQ(start.kind, kwin::ModalKind::Dialog);
            ownerDisabled = !IsWindowEnabled(m_top);
            modalForOwner = IsModalFor(WidgetOfWindow(start.window), m_widget);
            firstFocus = GetDlgCtrlID(GetFocus());
            caption = TextOf(start.window);
            GetClientRect(start.window, &client);
            GetWindowRect(GetDlgItem(start.window, NameEdit), &edit);
            MapWindowPoints(nullptr, start.window, reinterpret_cast<POINT*>(&edit), 2);
            MapDialogRect(start.window, &units);
            for (const Step& step : c.steps) {
                step.Do(start.window);
            }
            if (c.steps.empty()) {
                WidgetOfWindow(start.window)->close();
            }
        });
        const auto& [button, name] = c.answered;
        EXPECT_EQ(Run(SnapshotId, NameDialogProc), button);
        EXPECT_EQ(g_seen.name, name);
        EXPECT_EQ(g_seen.commands, std::vector<WPARAM>{MAKEWPARAM(button, BN_CLICKED)});
        EXPECT_TRUE(ownerDisabled) << "the owner is disabled while the dialog runs";
        EXPECT_TRUE(modalForOwner) << "and the desktop knows the dialog belongs to it";
        EXPECT_TRUE(IsWindowEnabled(m_top)) << "and enabled again afterwards";
        EXPECT_EQ(firstFocus, NameEdit) << "the first tab stop has the focus";
        EXPECT_EQ(g_seen.initFocusId, NameEdit);
        EXPECT_EQ(caption, "Make a snapshot");
        EXPECT_EQ(g_seen.initDialogs, 1);
        EXPECT_EQ(script.Started(), 1);
        // The template's 8-point font at 96 dpi gives base units of 7 x 13
        // pixels, 4 horizontal and 8 vertical dialog units each, rounded.
        EXPECT_EQ(units.right, 7);
        EXPECT_EQ(units.bottom, 13);
        EXPECT_EQ(client.right, 544) << "311 units";
        EXPECT_EQ(client.bottom, 150) << "92 units";
        EXPECT_EQ(edit.left, 12) << "7 units";
        EXPECT_EQ(edit.top, 55) << "34 units";
        EXPECT_EQ(edit.right, 12 + 520) << "7 + 297 units";
        EXPECT_EQ(edit.bottom, 55 + 23) << "34 + 14 units";
    }
}

TEST_F(DialogTest, AboutShowsTheIconAndCentredTextsAndStaysOpenOnEscAndCloseBox) {
    HICON icon = nullptr;
    RECT iconRect{};
    COLORREF iconCentre = 0;
    COLORREF iconCorner = 0;
    DWORD versionStyle = 0;
    ModalScript script;
    script.Then([&](const ModalStart& start) {
        HWND iconStatic = FindWindowEx(start.window, nullptr, "STATIC", "");
        icon = reinterpret_cast<HICON>(SendMessage(iconStatic, STM_GETICON, 0, 0));
        GetClientRect(iconStatic, &iconRect);
        UpdateWindow(iconStatic);
        if (const kwin::Surface* pixels = kwin::GetWindowSurface(iconStatic)) {
            iconCentre = kwin::Surface::ToColorRef(pixels->PixelRow(16)[16]);
            iconCorner = kwin::Surface::ToColorRef(pixels->PixelRow(0)[0]);
        }
        versionStyle =
            static_cast<DWORD>(GetWindowLong(GetDlgItem(start.window, VersionText), GWL_STYLE));
        // The About box handles OK only.
        PressKey(start.window, Qt::Key_Escape);
        WidgetOfWindow(start.window)->close();
        MarkFocusNow(start.window); // handled only while the box is still open
        PressKey(start.window, Qt::Key_Return);
    });
    EXPECT_EQ(Run(AboutId, AboutDialogProc), IDOK);
    EXPECT_EQ(g_seen.focusIds, std::vector<int>{IDOK}) << "still open, OK has the focus";
    EXPECT_EQ(g_seen.commands, (std::vector<WPARAM>{IDCANCEL, IDCANCEL, IDOK}));
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(iconRect.right, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(iconCentre, RGB(0, 128, 0)) << "the icon's own colour";
    EXPECT_EQ(iconCorner, GetSysColor(COLOR_BTNFACE)) << "its transparent corner";
    EXPECT_EQ(versionStyle & SS_TYPEMASK, SS_CENTER);
}

// Tab follows the template's order and skips the read-only message, and
// notifications are answered; a dialog ended in WM_INITDIALOG is never shown.
TEST_F(DialogTest, TabOrderNotificationsAndEndingInInitDialog) {
    std::string shown;
    LRESULT refused = 0;
    LRESULT ignored = 1;
    ModalScript script;
    script.Then([&](const ModalStart& start) {
        shown = ItemText(start.window, MessageEdit);
        NMHDR header{GetDlgItem(start.window, NameEdit), static_cast<UINT_PTR>(NameEdit),
                     CodeRefused};
        refused = SendMessage(start.window, WM_NOTIFY, NameEdit, reinterpret_cast<LPARAM>(&header));
        header.code = NM_CLICK;
        ignored = SendMessage(start.window, WM_NOTIFY, NameEdit, reinterpret_cast<LPARAM>(&header));
        MarkFocusNow(start.window);
        for (int i = 0; i < 3; ++i) {
            PressKey(start.window, Qt::Key_Tab);
            MarkFocusNow(start.window);
        }
        PressKey(start.window, Qt::Key_Backtab, Qt::ShiftModifier);
        MarkFocusNow(start.window);
        PressKey(start.window, Qt::Key_Escape);
    });
    const char* message = "You're a winner! You won in 'Easy game' in 00:07:05";
    EXPECT_EQ(Run(WinnerId, NameDialogProc, reinterpret_cast<LPARAM>(message)), IDCANCEL);
    EXPECT_EQ(shown, message);
    EXPECT_EQ(g_seen.focusIds, (std::vector<int>{NameEdit, IDOK, IDCANCEL, NameEdit, IDCANCEL}));
    EXPECT_EQ(g_seen.defaultLooks, (std::vector<int>{IDOK, IDOK, IDCANCEL, IDOK, IDCANCEL}))
        << "the focused push button looks like the default, then OK again";
    EXPECT_EQ(refused, -1) << "the answer set in DWLP_MSGRESULT";
    EXPECT_EQ(ignored, 0);
    EXPECT_EQ(g_seen.notified, (std::vector<UINT_PTR>{NameEdit, NameEdit}));

    // EndDialog in WM_INITDIALOG never shows the dialog.
    const auto proc = [](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            EndDialog(dialog, 42);
            return TRUE;
        }
        return FALSE;
    };
    EXPECT_EQ(Run(SnapshotId, proc), 42);
    EXPECT_EQ(script.Started(), 1);
    EXPECT_TRUE(IsWindowEnabled(m_top));
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(4242), m_top, proc, 0), -1)
        << "no such template";
}
