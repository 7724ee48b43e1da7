// The controls without a toolkit: status bar parts, texts and docking,
// window scroll bars with their tracking position, the edit control's
// messages and notifications, push buttons, and the clipboard with OLE data
// objects.

#include "tests/support/MessageLog.h"

#include "views/win/backend/Backend.h"
#include "views/win/clipboard/CTextDataObject.h"

#include <cstring>
#include <string>

using namespace wintest;

namespace {

// The WM_COMMAND wParams a control sent its parent.
std::vector<WPARAM> CommandsFrom(HWND control) {
    std::vector<WPARAM> out;
    for (const auto& r : Log().Entries()) {
        if (r.hwnd == GetParent(control) && r.message == WM_COMMAND &&
            r.lParam == reinterpret_cast<LPARAM>(control)) {
            out.push_back(r.wParam);
        }
    }
    return out;
}

std::string StatusText(HWND bar, int part) {
    char buffer[256] = {};
    SendMessage(bar, SB_GETTEXT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::string EditText(HWND edit) {
    char buffer[256] = {};
    GetWindowText(edit, buffer, sizeof(buffer));
    return buffer;
}

void Type(HWND edit, const std::string& text) {
    for (unsigned char c : text) {
        SendMessage(edit, WM_CHAR, c, 1);
    }
}

// The references held on a data object.
ULONG References(IDataObject* object) {
    object->AddRef();
    return object->Release();
}

std::string ClipboardText() {
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE block = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(block));
            GlobalUnlock(block);
        }
        CloseClipboard();
    }
    return text;
}

} // namespace

// One parent window with each control in turn: the status bar, scroll bars,
// edits and buttons; then the clipboard with an OLE object and an edit's
// copies.
TEST(ControlsTest, StatusBarScrollBarsEditsButtonsAndTheClipboard) {
    Log().Clear();
    HWND parent = CreateWindowEx(0, SpyClass(0), "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                                 416, 540, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    PumpMessages();
    const auto rectInParent = [parent](HWND child) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };

    // The status bar docks at the bottom and keeps its parts, texts and borders.
    HWND bar = CreateWindowEx(0, STATUSCLASSNAME, "ready",
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP, 5, 5, 10,
                              10, parent, reinterpret_cast<HMENU>(0xE801), nullptr, nullptr);
    ASSERT_NE(bar, nullptr);
    RECT client;
    GetClientRect(parent, &client);
    RECT r = rectInParent(bar);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.bottom, client.bottom);
    const LONG height = r.bottom - r.top;
    EXPECT_GT(height, 15);
    EXPECT_LT(height, 40);

    MoveWindow(parent, 20, 20, 425, 550, TRUE);
    SendMessage(bar, WM_SIZE, 0, 0); // the parent hands its WM_SIZE on
    GetClientRect(parent, &client);
    r = rectInParent(bar);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.bottom, client.bottom);
    EXPECT_EQ(r.bottom - r.top, height) << "the height stays that of its font";

    EXPECT_EQ(StatusText(bar, 0), "ready") << "the window text is the first part's";
    const int edges[4] = {60, 110, 300, -1};
    ASSERT_TRUE(SendMessage(bar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges)));
    int back[4] = {};
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(back)), 4);
    EXPECT_EQ(std::vector<int>(back, back + 4), std::vector<int>(edges, edges + 4));
    int two[2] = {};
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(two)), 4);
    EXPECT_EQ(two[1], 110);
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 0, 0), 4);

    ASSERT_TRUE(SendMessage(bar, SB_SETTEXT, 0, reinterpret_cast<LPARAM>("\t(3, 4)")));
    ASSERT_TRUE(SendMessage(bar, SB_SETTEXT, 2, reinterpret_cast<LPARAM>("Ready")));
    EXPECT_EQ(StatusText(bar, 0), "\t(3, 4)") << "kept as given, the tab included";
    EXPECT_EQ(StatusText(bar, 2), "Ready");
    EXPECT_EQ(LOWORD(SendMessage(bar, SB_GETTEXTLENGTH, 2, 0)), 5);
    EXPECT_FALSE(SendMessage(bar, SB_SETTEXT, 7, reinterpret_cast<LPARAM>("no such part")));

    int borders[3] = {-1, -1, -1};
    ASSERT_TRUE(SendMessage(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders)));
    EXPECT_EQ(borders[0], 0);
    EXPECT_EQ(borders[1], 2);
    EXPECT_EQ(borders[2], 2);
    RECT part{};
    ASSERT_TRUE(SendMessage(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part)));
    EXPECT_EQ(part.left, 60 + borders[2]);
    EXPECT_EQ(part.right, 110);

    HFONT font = reinterpret_cast<HFONT>(SendMessage(bar, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONT lf{};
    ASSERT_EQ(GetObject(font, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    EXPECT_STREQ(lf.lfFaceName, metrics.lfStatusFont.lfFaceName);
    EXPECT_EQ(lf.lfHeight, metrics.lfStatusFont.lfHeight);

    // Scroll-bar range, page and position show the bar; tracking keeps its own position.
    HWND view = CreateWindowEx(0, SpyClass(0), "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 150, parent,
                               nullptr, nullptr, nullptr);
    RECT before;
    GetClientRect(view, &before);
    PumpMessages();
    Log().Clear();
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
    EXPECT_EQ(SetScrollInfo(view, SB_VERT, &info, TRUE), 0);
    EXPECT_NE(GetWindowLong(view, GWL_STYLE) & WS_VSCROLL, 0) << "a needed bar is shown";
    RECT after;
    GetClientRect(view, &after);
    EXPECT_EQ(after.right, before.right - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_TRUE(Log().Matches({{WM_WINDOWPOSCHANGING},
                               {WM_WINDOWPOSCHANGED},
                               {WM_SIZE, CheckL, 0, MAKELPARAM(after.right, after.bottom)}}));

    info = {sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 95, 0};
    EXPECT_EQ(SetScrollInfo(view, SB_VERT, &info, TRUE), 90) << "the last page ends at the maximum";
    info.nPos = -5;
    EXPECT_EQ(SetScrollInfo(view, SB_VERT, &info, TRUE), 0);
    EXPECT_EQ(SetScrollPos(view, SB_VERT, 30, TRUE), 0);
    SCROLLINFO got{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(view, SB_VERT, &got));
    EXPECT_EQ(got.nMin, 0);
    EXPECT_EQ(got.nMax, 99);
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nPos, 30);
    EXPECT_EQ(got.nTrackPos, 30);

    info = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    SetScrollInfo(view, SB_VERT, &info, TRUE);
    EXPECT_EQ(GetWindowLong(view, GWL_STYLE) & WS_VSCROLL, 0) << "nothing to scroll: hidden";
    GetClientRect(view, &after);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(GetScrollPos(view, SB_VERT), 0);

    // Thumb tracking keeps the tracking position apart from the position.
    info = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 499, 100, 0, 0};
    SetScrollInfo(view, SB_HORZ, &info, TRUE);
    EXPECT_NE(GetWindowLong(view, GWL_STYLE) & WS_HSCROLL, 0);
    Log().Clear();
    kwin::ScrollBarAction(view, SB_HORZ, SB_THUMBTRACK, 250);
    got = {sizeof(SCROLLINFO), SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(view, SB_HORZ, &got);
    EXPECT_EQ(got.nTrackPos, 250);
    EXPECT_EQ(got.nPos, 0) << "the window moves the position itself";
    kwin::ScrollBarAction(view, SB_HORZ, SB_THUMBTRACK, 9999);
    GetScrollInfo(view, SB_HORZ, &got);
    EXPECT_EQ(got.nTrackPos, 400) << "clamped to the last page";
    kwin::ScrollBarAction(view, SB_HORZ, SB_ENDSCROLL, 0);
    GetScrollInfo(view, SB_HORZ, &got);
    EXPECT_EQ(got.nTrackPos, 0);
    kwin::ScrollBarAction(view, SB_HORZ, SB_LINERIGHT, 0);
    PumpMessages();
    EXPECT_TRUE(Log().Matches({{WM_HSCROLL, CheckBoth, MAKEWPARAM(SB_THUMBTRACK, 250), 0, view},
                               {WM_HSCROLL, CheckBoth, MAKEWPARAM(SB_THUMBTRACK, 400), 0, view},
                               {WM_HSCROLL, CheckBoth, MAKEWPARAM(SB_ENDSCROLL, 0), 0, view},
                               {WM_HSCROLL, CheckBoth, MAKEWPARAM(SB_LINERIGHT, 0), 0, view},
                               {WM_PAINT, Optional},
                               {WM_ERASEBKGND, Optional}}));
    ASSERT_TRUE(ShowScrollBar(view, SB_BOTH, FALSE));
    EXPECT_EQ(GetWindowLong(view, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
    ASSERT_TRUE(ShowScrollBar(view, SB_VERT, TRUE));
    EXPECT_EQ(GetWindowLong(view, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_VSCROLL);

    // An edit takes typed text and reports changes.
    HWND edit =
        CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10,
                       120, 24, parent, reinterpret_cast<HMENU>(77), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetWindowLong(edit, GWL_STYLE) & WS_BORDER, 0) << "the border is drawn inside";
    GetClientRect(edit, &client);
    EXPECT_EQ(client.right, 120);
    Log().Clear();
    Type(edit, "Name");
    EXPECT_EQ(EditText(edit), "Name");
    EXPECT_EQ(CommandsFrom(edit), std::vector<WPARAM>(4, MAKEWPARAM(77, EN_CHANGE)));
    SendMessage(edit, EM_SETSEL, 1, 3);
    DWORD from = 0;
    DWORD to = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 1u);
    EXPECT_EQ(to, 3u);
    Type(edit, "o");
    EXPECT_EQ(EditText(edit), "Noe") << "typing replaces the selection";
    SendMessage(edit, EM_SETSEL, 0, -1);
    SendMessage(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("a very long name indeed"));
    EXPECT_EQ(EditText(edit), "a very long name indeed") << "no limit unless one is set";
    SendMessage(edit, WM_CHAR, '\b', 1);
    EXPECT_EQ(EditText(edit), "a very long name indee");
    SendMessage(edit, EM_LIMITTEXT, 5, 0);
    SetWindowText(edit, "abc");
    SendMessage(edit, EM_SETSEL, 3, 3);
    Type(edit, "defg");
    EXPECT_EQ(EditText(edit), "abcde");
    EXPECT_EQ(SendMessage(edit, WM_GETDLGCODE, 0, 0) & (DLGC_WANTCHARS | DLGC_HASSETSEL),
              DLGC_WANTCHARS | DLGC_HASSETSEL);

    // A read-only edit shows its text but refuses typing.
    HWND readOnly = CreateWindowEx(0, "EDIT", "You're a winner!",
                                   WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, 10, 40,
                                   120, 24, parent, reinterpret_cast<HMENU>(78), nullptr, nullptr);
    Type(readOnly, "x");
    EXPECT_EQ(EditText(readOnly), "You're a winner!") << "typing is refused";
    SendMessage(readOnly, EM_SETSEL, 0, -1);
    SendMessage(readOnly, WM_CHAR, '\b', 1);
    SendMessage(readOnly, WM_CUT, 0, 0);
    EXPECT_EQ(EditText(readOnly), "You're a winner!") << "and so are deleting and cutting all";
    SetWindowText(readOnly, "changed by the program");
    EXPECT_EQ(EditText(readOnly), "changed by the program");

    // A push button reports clicks and knows it is the default.
    HWND ok = CreateWindowEx(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 10, 10,
                             75, 23, parent, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    HWND group = CreateWindowEx(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 5, 40, 200,
                                100, parent, nullptr, nullptr, nullptr);
    Log().Clear();
    SendMessage(ok, BM_CLICK, 0, 0);
    EXPECT_EQ(CommandsFrom(ok), std::vector<WPARAM>{MAKEWPARAM(IDOK, BN_CLICKED)});
    EXPECT_NE(SendMessage(ok, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0);
    SendMessage(ok, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_NE(SendMessage(ok, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON, 0);
    EXPECT_EQ(SendMessage(group, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    Log().Clear();
    SendMessage(ok, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(SendMessage(ok, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    SendMessage(ok, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(CommandsFrom(ok), std::vector<WPARAM>{MAKEWPARAM(IDOK, BN_CLICKED)});

    // The clipboard holds an OLE object until replaced, and takes an edit's copies.
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    IDataObject* copied = new CTextDataObject("1\tAnna\t00:07:05\r\n2\tBen\t00:09:00");
    ASSERT_EQ(OleSetClipboard(copied), S_OK);
    EXPECT_EQ(References(copied), 2u) << "the clipboard holds a reference";
    EXPECT_EQ(ClipboardText(), "1\tAnna\t00:07:05\r\n2\tBen\t00:09:00");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    IDataObject* current = nullptr;
    ASSERT_EQ(OleGetClipboard(&current), S_OK);
    FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(current->QueryGetData(&format), S_OK);
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(current->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    FORMATETC listed[2] = {};
    ULONG fetched = 0;
    EXPECT_EQ(formats->Next(2, listed, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(listed[0].cfFormat, CF_TEXT);
    formats->Release();
    current->Release();

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(References(copied), 1u) << "released when the clipboard changes";
    copied->Release();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_NE(OleGetClipboard(&current), S_OK);
    OleUninitialize();

    // An edit copies and pastes through the clipboard.
    HWND copier = CreateWindowEx(0, "EDIT", "first second", WS_CHILD | WS_VISIBLE, 10, 10, 120, 24,
                                 parent, nullptr, nullptr, nullptr);
    SendMessage(copier, EM_SETSEL, 6, -1);
    SendMessage(copier, WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), "second");
    SendMessage(copier, EM_SETSEL, 0, 0);
    SendMessage(copier, WM_PASTE, 0, 0);
    EXPECT_EQ(EditText(copier), "secondfirst second");
    EXPECT_FALSE(OpenClipboard(nullptr) && OpenClipboard(nullptr)) << "opened once at a time";
    CloseClipboard();
    DestroyWindow(parent);
}
