// The Qt side of menus, scroll bars and the status bar: the menu bar above
// the client area with popups that show the states set on WM_INITMENUPOPUP,
// scroll bar widgets that report what the user does, and status panes drawn
// with centred and left-aligned texts.

#include "tests/support/MessageLog.h"

#include "ModalScript.h"
#include "QtWindowFixture.h"
#include "TestWindows.h"

#include "views/win/resources/ResourceTemplates.h"

#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

using namespace wintest;
using kwin::MenuTemplateItem;

namespace {

constexpr UINT MenuId = 950;

LRESULT OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().Add(hwnd, message, wParam, lParam);
    if (message == WM_INITMENUPOPUP) {
        HMENU popup = reinterpret_cast<HMENU>(wParam);
        EnableMenuItem(popup, 57643, MF_BYCOMMAND | MF_GRAYED);
        CheckMenuItem(popup, 32802, MF_BYCOMMAND | MF_CHECKED);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

QStringList ActionTexts(const QWidget* widget) {
    QStringList texts;
    for (const QAction* action : widget->actions()) {
        texts << (action->isSeparator() ? QString("-") : action->text());
    }
    return texts;
}

// Columns of the edit whose pixels are dark from top to bottom of the text
// line: where the caret is drawn.
std::vector<int> CaretColumns(HWND edit) {
    UpdateWindow(edit);
    const kwin::Surface* surface = kwin::GetWindowSurface(edit);
    std::vector<int> columns;
    const int middle = surface->Height() / 2;
    for (int x = 0; x < surface->Width(); ++x) {
        bool dark = true;
        for (int y = middle - 5; y <= middle + 5 && dark; ++y) {
            const COLORREF c = kwin::Surface::ToColorRef(surface->PixelRow(y)[x]);
            dark = GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60;
        }
        if (dark) {
            columns.push_back(x);
        }
    }
    return columns;
}

class QtControlsTest : public QtWindowFixture {
protected:
    static void SetUpTestSuite() {
        kwin::qt::InstallQtBackend();
        kwin::RegisterMenuTemplate(
            MenuId, {{"File", 0, MF_POPUP, {{"&Load...\tF3", 57601}, {"E&xit", 57665}}},
                     {"Game",
                      0,
                      MF_POPUP,
                      {{"&Undo\tCtrl-Z", 57643},
                       {"", 0, MF_SEPARATOR},
                       {"A&uto-Check", 32802},
                       {"&Check\tCtrl-K", 32792},
                       {"Show Top Winners", 0, MF_POPUP, {{"Easy Game", 32822}}}}},
                     {"Help", 0, MF_POPUP | MF_HELP, {{"&About", 57664}}}});
    }
    void SetUp() override {
        CreateTopLevel(TestClass("KalmoraQtMenuOwner", OwnerProc), "Kalmora", 416, 540);
    }
};

} // namespace

// The menu bar sits above the client area with Help on the right; its popup
// shows the states set while it opens, and a choice is a command.
TEST_F(QtControlsTest, MenuBarAboveTheClientAreaAndItsPopupsStatesAndCommands) {
    RECT before;
    GetClientRect(m_top, &before);
    const int widgetHeight = m_widget->height();
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(MenuId));
    ASSERT_TRUE(SetMenu(m_top, menu));
    Pump();
    auto* bar = m_widget->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(ActionTexts(bar), (QStringList{"File", "Game"}));
    auto* right = qobject_cast<QMenuBar*>(bar->cornerWidget(Qt::TopRightCorner));
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(ActionTexts(right), QStringList{"Help"});
    EXPECT_EQ(m_widget->contentsRect().top(), GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(m_widget->height(), widgetHeight) << "the window keeps its size";
    RECT after;
    GetClientRect(m_top, &after);
    EXPECT_EQ(after.bottom, before.bottom - GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(after.right, before.right);
    EXPECT_TRUE(Only({WM_SIZE}).Matches(
        {{WM_SIZE, CheckBoth, SIZE_RESTORED, MAKELPARAM(after.right, after.bottom)}}))
        << "the window is told of its smaller client area";
    EXPECT_EQ(kwin::GetWindowSurface(m_top)->Height(), after.bottom)
        << "the pixels follow the client area";

    Log().Clear();
    QTest::mouseClick(m_widget, Qt::LeftButton, Qt::NoModifier, QPoint(30, 20 + 40));
    Pump();
    EXPECT_TRUE(Only({WM_LBUTTONDOWN}).Matches({{WM_LBUTTONDOWN, CheckL, 0, MAKELPARAM(30, 40)}}))
        << "client coordinates, below the bar";

    QAction* gameAction = bar->actions()[1];
    Log().Clear();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->actionGeometry(gameAction).center());
    Pump();
    QMenu* game = gameAction->menu();
    ASSERT_NE(game, nullptr);
    EXPECT_TRUE(game->isVisible());
    EXPECT_TRUE(
        Only({WM_INITMENU, WM_INITMENUPOPUP})
            .Matches({{WM_INITMENU, CheckW, reinterpret_cast<WPARAM>(menu)}, // the whole menu first
                      {WM_INITMENUPOPUP, CheckBoth, reinterpret_cast<WPARAM>(GetSubMenu(menu, 1)),
                       MAKELPARAM(1, FALSE)}}));
    ASSERT_EQ(ActionTexts(game), (QStringList{"&Undo\tCtrl-Z", "-", "A&uto-Check", "&Check\tCtrl-K",
                                              "Show Top Winners"}));
    QAction* undo = game->actions()[0];
    EXPECT_FALSE(undo->isEnabled()) << "grayed by the owner as the popup opened";
    EXPECT_TRUE(game->actions()[2]->isChecked()) << "Auto-Check";
    EXPECT_TRUE(undo->shortcut().isEmpty()) << "the shortcut text binds no key";

    Log().Clear();
    QAction* check = game->actions()[3];
    QTest::mouseClick(game, Qt::LeftButton, Qt::NoModifier, game->actionGeometry(check).center());
    EXPECT_TRUE(WParamsOf(WM_COMMAND).empty()) << "posted, not sent";
    Pump();
    EXPECT_EQ(WParamsOf(WM_COMMAND), std::vector<WPARAM>{MAKEWPARAM(32792, 0)});
}

// Child controls on one window: scroll bar widgets report what the user does,
// status panes draw centred and left-aligned texts, child borders are drawn
// outside the client area, and an edit scrolls to keep its caret in view.
TEST_F(QtControlsTest, ScrollBarsStatusPanesBordersAndEditsOfChildren) {
    HWND view = CreateWindowEx(0, SpyClass(0), "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 150, m_top,
                               nullptr, nullptr, nullptr);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
    SetScrollInfo(view, SB_VERT, &info, TRUE);
    Pump();
    QWidget* widget = kwin::qt::WidgetOf(view);
    ASSERT_NE(widget, nullptr);
    QScrollBar* bar = nullptr;
    for (QScrollBar* candidate : widget->findChildren<QScrollBar*>()) {
        if (candidate->orientation() == Qt::Vertical) {
            bar = candidate;
        }
    }
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 90);
    EXPECT_EQ(bar->pageStep(), 10);
    EXPECT_EQ(bar->geometry().left(), 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(widget->width(), 200) << "the widget holds the client area and the bar";

    Log().Clear();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      QPoint(bar->width() / 2, bar->height() - 3));
    Pump();
    EXPECT_TRUE(Log().Matches({{WM_VSCROLL, CheckW, MAKEWPARAM(SB_LINEDOWN, 0), 0, view},
                               {WM_VSCROLL, CheckW, MAKEWPARAM(SB_ENDSCROLL, 0), 0, view},
                               {WM_PAINT, Optional},
                               {WM_ERASEBKGND, Optional}}));
    EXPECT_EQ(bar->value(), 0) << "the window has not moved the position";
    SetScrollPos(view, SB_VERT, 1, TRUE);
    Pump();
    EXPECT_EQ(bar->value(), 1);

    Log().Clear();
    bar->setSliderDown(true);
    bar->setSliderPosition(40);
    SCROLLINFO track{sizeof(SCROLLINFO), SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(view, SB_VERT, &track);
    EXPECT_EQ(track.nTrackPos, 40);
    EXPECT_EQ(track.nPos, 1);
    bar->setSliderDown(false);
    Pump();
    EXPECT_TRUE(Log().Matches({{WM_VSCROLL, CheckW, MAKEWPARAM(SB_THUMBTRACK, 40), 0, view},
                               {WM_VSCROLL, CheckW, MAKEWPARAM(SB_THUMBPOSITION, 40), 0, view},
                               {WM_VSCROLL, CheckW, MAKEWPARAM(SB_ENDSCROLL, 0), 0, view},
                               {WM_PAINT, Optional},
                               {WM_ERASEBKGND, Optional}}));
    ShowScrollBar(view, SB_VERT, FALSE);
    Pump();
    EXPECT_FALSE(bar->isVisible());
    RECT client;
    GetClientRect(view, &client);
    EXPECT_EQ(client.right, 200);
    DestroyWindow(view);

    HWND status = CreateWindowEx(0, STATUSCLASSNAME, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                                 0, 0, 0, m_top, nullptr, nullptr, nullptr);
    const int edges[3] = {100, 200, -1};
    SendMessage(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SendMessage(status, SB_SETTEXT, 0, reinterpret_cast<LPARAM>("\t(3, 4)"));
    SendMessage(status, SB_SETTEXT, 1, reinterpret_cast<LPARAM>("left"));
    UpdateWindow(status);
    Pump();
    const kwin::Surface* surface = kwin::GetWindowSurface(status);
    ASSERT_NE(surface, nullptr);
    const auto darkColumns = [surface](int from, int to) {
        std::vector<int> columns;
        for (int x = from; x < to; ++x) {
            for (int y = 3; y < surface->Height() - 3; ++y) {
                const COLORREF c = kwin::Surface::ToColorRef(surface->PixelRow(y)[x]);
                if (GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100) {
                    columns.push_back(x);
                    break;
                }
            }
        }
        return columns;
    };
    const auto centred = darkColumns(3, 97);
    ASSERT_FALSE(centred.empty()) << "the text was drawn";
    EXPECT_NEAR((centred.front() + centred.back()) / 2.0, 50.0, 3.0);
    const auto left = darkColumns(103, 197);
    ASSERT_FALSE(left.empty());
    EXPECT_LE(left.front(), 102 + 3 + 3);
    EXPECT_LT(left.back(), 150);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    bool grip = false;
    for (int x = surface->Width() - 16; x < surface->Width(); ++x) {
        grip = grip ||
               kwin::Surface::ToColorRef(surface->PixelRow(surface->Height() - 2)[x]) == shadow;
    }
    EXPECT_TRUE(grip) << "the size grip is drawn in the corner";
    DestroyWindow(status);

    HWND sunken = CreateWindowEx(WS_EX_CLIENTEDGE, SpyClass(0), "", WS_CHILD | WS_VISIBLE, 20, 30,
                                 100, 60, m_top, nullptr, nullptr, nullptr);
    HWND framed = CreateWindowEx(0, SpyClass(0), "", WS_CHILD | WS_VISIBLE | WS_BORDER, 150, 30,
                                 100, 60, m_top, nullptr, nullptr, nullptr);
    Pump();
    GetClientRect(sunken, &client);
    EXPECT_EQ(client.right, 96) << "the edge takes two pixels on each side";
    const QImage image = m_widget->grab().toImage();
    const auto colour = [&image](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return RGB(qRed(p), qGreen(p), qBlue(p));
    };
    EXPECT_EQ(colour(20, 60), GetSysColor(COLOR_BTNSHADOW)) << "outer left line";
    EXPECT_EQ(colour(21, 60), GetSysColor(COLOR_3DDKSHADOW)) << "inner left line";
    EXPECT_EQ(colour(119, 60), GetSysColor(COLOR_BTNHIGHLIGHT)) << "outer right line";
    EXPECT_EQ(colour(60, 89), GetSysColor(COLOR_BTNHIGHLIGHT)) << "outer bottom line";
    EXPECT_EQ(colour(150, 60), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(colour(249, 60), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(colour(60, 60), GetSysColor(COLOR_BTNFACE)) << "the client area is the window's";
    ShowWindow(sunken, SW_HIDE);
    Pump();
    EXPECT_EQ(kwin::qt::WidgetOf(sunken)->isVisible(), false);
    DestroyWindow(sunken);
    DestroyWindow(framed);

    HWND edit = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                               20, 20, 100, 24, m_top, nullptr, nullptr, nullptr);
    SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                FALSE);
    SetFocus(edit);
    Pump();
    EXPECT_EQ(CaretColumns(edit), std::vector<int>{4}) << "an empty edit: the caret at the left";
    TypeInto(m_top, std::string(40, '.'));
    Pump();
    auto columns = CaretColumns(edit);
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_GT(columns.front(), 80) << "scrolled: the caret stays in view at the right";
    EXPECT_LT(columns.front(), 96);
    PressKey(m_top, Qt::Key_Home);
    Pump();
    EXPECT_EQ(CaretColumns(edit), std::vector<int>{4}) << "scrolled back to the start";
    surface = kwin::GetWindowSurface(edit);
    EXPECT_EQ(kwin::Surface::ToColorRef(surface->PixelRow(12)[0]), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(kwin::Surface::ToColorRef(surface->PixelRow(12)[99]),
              GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(kwin::Surface::ToColorRef(surface->PixelRow(12)[50]), GetSysColor(COLOR_WINDOW));
    DestroyWindow(edit);
}
