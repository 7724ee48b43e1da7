// Invalidation and WM_PAINT: with and without erasing, only for visible
// windows with something to update, validated by BeginPaint/EndPaint, and
// moving and sizing windows with the messages that tell them.

#include "Bitmap.h"
#include "tests/support/MessageLog.h"

#include "views/win/resources/Resources.h"

#include <array>

using namespace wintest;

TEST(PaintCycleTest, OneWindowPaintsOnlyWhatIsInvalidAndTellsOfEveryMoveAndSize) {
    HWND hwnd = CreateWindowEx(0, SpyClass(0), "", WS_POPUP | WS_VISIBLE, 10, 20, 100, 80, nullptr,
                               nullptr, nullptr, nullptr);
    PumpMessages();
    Log().Clear();

    // Invalidation paints, and erases only when asked.
    InvalidateRect(hwnd, nullptr, FALSE);
    PumpMessages();
    EXPECT_TRUE(Log().Matches({{WM_PAINT}}));
    Log().Clear();
    PumpMessages();
    EXPECT_TRUE(Log().Matches({})) << "DefWindowProc validated the window";
    InvalidateRect(hwnd, nullptr, TRUE);
    PumpMessages();
    EXPECT_TRUE(Log().Matches({{WM_PAINT}, {WM_ERASEBKGND}}));
    HDC dc = GetDC(hwnd);
    EXPECT_EQ(GetPixel(dc, 50, 40), GetSysColor(COLOR_BTNFACE))
        << "the class's system colour brush erased the window";
    ReleaseDC(hwnd, dc);

    // Update rectangles add up, and the paint comes after posted messages.
    Log().Clear();
    const RECT a{0, 0, 10, 10};
    const RECT b{50, 40, 60, 50};
    InvalidateRect(hwnd, &a, FALSE);
    InvalidateRect(hwnd, &b, FALSE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, std::array<RECT, 1>{RECT{0, 0, 60, 50}}.data()));
    PostMessage(hwnd, WM_USER, 0, 0);
    PumpMessages();
    EXPECT_TRUE(Log().Matches({{WM_USER}, {WM_PAINT}}));

    // A hidden window keeps its update until it is shown.
    Log().Clear();
    ShowWindow(hwnd, SW_HIDE);
    InvalidateRect(hwnd, nullptr, TRUE);
    PumpMessages();
    EXPECT_TRUE(Log().Matches(
        {{WM_SHOWWINDOW, CheckW, FALSE}, {WM_NCACTIVATE, Optional}, {WM_ACTIVATE, Optional}}));
    Log().Clear();
    ShowWindow(hwnd, SW_SHOWNA);
    PumpMessages();
    EXPECT_TRUE(Log().Matches({{WM_SHOWWINDOW, CheckW, TRUE}, {WM_PAINT}, {WM_ERASEBKGND}}));

    // Moving sends the position changes, then WM_MOVE and WM_SIZE.
    Log().Clear();
    MoveWindow(hwnd, 30, 40, 120, 90, FALSE);
    EXPECT_TRUE(Log().Matches({{WM_WINDOWPOSCHANGING},
                               {WM_WINDOWPOSCHANGED},
                               {WM_MOVE, CheckL, 0, MAKELPARAM(30, 40)},
                               {WM_SIZE, CheckBoth, SIZE_RESTORED, MAKELPARAM(120, 90)}}));
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.bottom, 130);
    Log().Clear();
    SetWindowPos(hwnd, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Log().Matches(
        {{WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}, {WM_SIZE, CheckL, 0, MAKELPARAM(50, 50)}}))
        << "a size change alone sends no WM_MOVE";
    DestroyWindow(hwnd);
}

TEST(PaintCycleTest, ChildRectanglesAndMappedPoints) {
    HWND framed = CreateWindowEx(0, SpyClass(0), "", WS_POPUP | WS_CAPTION | WS_THICKFRAME, 100,
                                 100, 216, 239, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowEx(0, SpyClass(0), "", WS_CHILD, 12, 12, 50, 40, framed, nullptr,
                                nullptr, nullptr);
    RECT client;
    GetClientRect(framed, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 239 - 16 - 23);
    RECT childRect;
    GetWindowRect(child, &childRect);
    EXPECT_EQ(childRect.left, 100 + 8 + 12);
    EXPECT_EQ(childRect.top, 100 + 8 + 23 + 12);
    POINT p{5, 6};
    MapWindowPoints(child, framed, &p, 1);
    EXPECT_EQ(p.x, 17);
    EXPECT_EQ(p.y, 18);
    POINT s{0, 0};
    ClientToScreen(child, &s);
    EXPECT_EQ(s.x, childRect.left);
    DestroyWindow(framed);
}

TEST(CursorTest, SetCursorReturnsThePreviousCursorAndClipCursorIsKeptUntilReleased) {
    HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(LoadCursor(nullptr, IDC_WAIT), wait) << "system cursors are shared";
    EXPECT_EQ(kwin::SystemCursorId(wait), 32514);
    EXPECT_NE(LoadCursor(nullptr, IDC_SIZENWSE), nullptr);
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(wait), arrow);
    EXPECT_EQ(SetCursor(arrow), wait);
    EXPECT_EQ(GetCursor(), arrow);
    const RECT area{10, 10, 200, 100};
    ClipCursor(&area);
    RECT got;
    GetClipCursor(&got);
    EXPECT_TRUE(EqualRect(&got, &area));
    ClipCursor(nullptr);
    GetClipCursor(&got);
    EXPECT_FALSE(EqualRect(&got, &area));
}

TEST(ResourceTest, LoadStringCopiesWhatFits) {
    kwin::RegisterStrings({{137, "Ready (Press 'M' to change Mode or use Ctrl-Number)"}});
    char text[256];
    EXPECT_EQ(LoadString(GetModuleHandle(nullptr), 137, text, sizeof(text)), 51);
    EXPECT_STREQ(text, "Ready (Press 'M' to change Mode or use Ctrl-Number)");
    char small[6];
    EXPECT_EQ(LoadString(nullptr, 137, small, sizeof(small)), 5);
    EXPECT_STREQ(small, "Ready");
    EXPECT_EQ(LoadString(nullptr, 0xE001, text, sizeof(text)), 0) << "an id without an entry";
    EXPECT_STREQ(text, "");
}

TEST(ActivationTest, ShowingATopLevelWindowActivatesItAndFocusesIt) {
    HWND a = CreateWindowEx(0, SpyClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                            nullptr);
    HWND b = CreateWindowEx(0, SpyClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                            nullptr);
    ShowWindow(a, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);
    Log().Clear();
    ShowWindow(b, SW_SHOW);
    EXPECT_TRUE(
        Log().Matches({{WM_SHOWWINDOW, CheckW, TRUE, 0, b},
                       {WM_NCACTIVATE, CheckW, FALSE, 0, a},
                       {WM_ACTIVATE, CheckBoth, WA_INACTIVE, reinterpret_cast<LPARAM>(b), a},
                       {WM_KILLFOCUS, AnyParams, 0, 0, a},
                       {WM_NCACTIVATE, CheckW, TRUE, 0, b},
                       {WM_ACTIVATE, CheckBoth, WA_ACTIVE, reinterpret_cast<LPARAM>(a), b},
                       {WM_SETFOCUS, AnyParams, 0, 0, b}}));
    EXPECT_EQ(GetActiveWindow(), b);
    DestroyWindow(b);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    DestroyWindow(a);
}
