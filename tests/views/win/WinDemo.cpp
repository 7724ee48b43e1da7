// A small window made with the layer, for looking at on a real display:
//   xvfb-run -s "-screen 0 640x480x24" build/tests/views/win/win_demo --quit-after 3000
// It shows a board-like pattern, text in several faces, a STATIC child and
// the program icon, and answers keys and clicks in its title.

#include "app/AppResources.h"
#include "app/ResourceIds.h"
#include "views/win/framework/CMessageLoop.h"
#include "views/win/framework/CWindow.h"
#include "views/win/framework/CenterWindow.h"
#include "views/win/qt/QtBackend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr UINT_PTR QuitTimer = 1;

HFONT MakeFont(LONG height, const char* face, LONG weight = FW_NORMAL) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

class CDemoWindow : public CWindow {
public:
    ClassInfo GetWndClassInfo() const override {
        return {"KalmoraDemo", CS_DBLCLKS,
                reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1)), IDC_ARROW};
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_PAINT:
            return OnPaint();
        case WM_KEYDOWN:
            return OnKeyDown(wParam);
        case WM_LBUTTONDOWN:
            return OnClick(lParam);
        case WM_TIMER:
            return OnTimer(wParam);
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return CWindow::WindowProc(message, wParam, lParam);
        }
    }

private:
    LRESULT OnCreate() {
        HWND hwnd = GetHwnd();
        SendMessage(WM_SETICON, ICON_BIG,
                    reinterpret_cast<LPARAM>(LoadImage(GetModuleHandle(nullptr),
                                                       MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_ICON,
                                                       32, 32, 0)));
        CreateWindowEx(0, "STATIC", "A STATIC child: clicks fall through it", WS_CHILD | WS_VISIBLE,
                       230, 130, 160, 40, hwnd, nullptr, nullptr, nullptr);
        return 0;
    }

    LRESULT OnPaint() {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(GetHwnd(), &ps);
        PaintBoard(hdc, 10, 10, 200);
        HFONT title = MakeFont(-20, "Arial", FW_BOLD);
        HFONT mono = MakeFont(-14, "Courier New");
        HFONT dialog = MakeFont(-12, "MS Shell Dlg");
        HGDIOBJ old = SelectObject(hdc, title);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, RGB(0, 0, 240));
        RECT r{230, 10, 400, 40};
        DrawText(hdc, "Kalmora", -1, &r, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
        SelectObject(hdc, mono);
        SetTextColor(hdc, RGB(0, 0, 0));
        r = {230, 50, 400, 70};
        DrawText(hdc, "Courier New", -1, &r, DT_LEFT | DT_SINGLELINE);
        SelectObject(hdc, dialog);
        r = {230, 80, 400, 125};
        DrawText(hdc, m_status.c_str(), -1, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        RECT edge{230, 180, 390, 205};
        DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        SelectObject(hdc, old);
        DeleteObject(title);
        DeleteObject(mono);
        DeleteObject(dialog);
        EndPaint(GetHwnd(), &ps);
        return 0;
    }

    static void PaintBoard(HDC hdc, int x, int y, int size) {
        HDC mem = CreateCompatibleDC(hdc);
        HBITMAP bmp = CreateCompatibleBitmap(hdc, size, size);
        HGDIOBJ oldBitmap = SelectObject(mem, bmp);
        const double cell = (size - 1) / 9.0;
        HFONT digits = MakeFont(static_cast<LONG>(cell), "Arial");
        HGDIOBJ oldFont = SelectObject(mem, digits);
        SetBkMode(mem, TRANSPARENT);
        for (int r = 0; r < 9; ++r) {
            for (int c = 0; c < 9; ++c) {
                const RECT fill{static_cast<LONG>(c * cell) + 1, static_cast<LONG>(r * cell) + 1,
                                static_cast<LONG>((c + 1) * cell),
                                static_cast<LONG>((r + 1) * cell)};
                const bool line = r == 4 || c == 4;
                HBRUSH brush = CreateSolidBrush(r == 4 && c == 4 ? RGB(200, 220, 235)
                                                : line           ? RGB(220, 240, 255)
                                                                 : RGB(255, 255, 240));
                FillRect(mem, &fill, brush);
                DeleteObject(brush);
                if ((r * 9 + c) % 4 == 0) {
                    const char digit = static_cast<char>('1' + (r * 3 + r / 3 + c) % 9);
                    SetTextColor(mem, (r + c) % 3 ? RGB(0, 0, 0) : RGB(0, 0, 240));
                    RECT inner{fill.left + 1, fill.top + 1, fill.right, fill.bottom};
                    DrawText(mem, &digit, 1, &inner, DT_CENTER | DT_VCENTER);
                }
            }
        }
        HPEN thin = CreatePen(PS_SOLID, 1, RGB(127, 127, 127));
        HGDIOBJ oldPen = SelectObject(mem, thin);
        for (int k : {1, 2, 4, 5, 7, 8}) {
            MoveToEx(mem, static_cast<int>(k * cell), 0, nullptr);
            LineTo(mem, static_cast<int>(k * cell), size - 1);
            MoveToEx(mem, 0, static_cast<int>(k * cell), nullptr);
            LineTo(mem, size - 1, static_cast<int>(k * cell));
        }
        HPEN thick = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
        SelectObject(mem, thick);
        HGDIOBJ oldBrush = SelectObject(mem, GetStockObject(NULL_BRUSH));
        Rectangle(mem, 0, 0, size, size);
        for (int k : {3, 6}) {
            MoveToEx(mem, static_cast<int>(k * cell), 0, nullptr);
            LineTo(mem, static_cast<int>(k * cell), size - 1);
            MoveToEx(mem, 0, static_cast<int>(k * cell), nullptr);
            LineTo(mem, size - 1, static_cast<int>(k * cell));
        }
        BitBlt(hdc, x, y, size, size, mem, 0, 0, SRCCOPY);
        SelectObject(mem, oldBrush);
        SelectObject(mem, oldPen);
        SelectObject(mem, oldFont);
        SelectObject(mem, oldBitmap);
        DeleteObject(thin);
        DeleteObject(thick);
        DeleteObject(digits);
        DeleteObject(bmp);
        DeleteDC(mem);
    }

    LRESULT OnKeyDown(WPARAM key) {
        m_status = "Key down: virtual key " + std::to_string(key);
        Invalidate();
        return 0;
    }

    LRESULT OnClick(LPARAM lParam) {
        m_status = "Click at " + std::to_string(GET_X_LPARAM(lParam)) + ", " +
                   std::to_string(GET_Y_LPARAM(lParam));
        Invalidate();
        return 0;
    }

    LRESULT OnTimer(WPARAM id) {
        if (id == QuitTimer) {
            DestroyWindow();
        }
        return 0;
    }

    std::string m_status = "Press a key or click the window.";
};

} // namespace

int main(int argc, char** argv) {
    kwin::qt::InstallQtBackend();
    RegisterAppResources();
    CMessageLoop loop;
    CDemoWindow window;
    RECT outer{0, 0, 400, 220};
    AdjustWindowRectEx(&outer, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE, 0);
    if (window.Create(nullptr, RECT{0, 0, outer.right - outer.left, outer.bottom - outer.top},
                      "Kalmora layer demo", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX) == nullptr) {
        std::fprintf(stderr, "win_demo: the window could not be created\n");
        return 1;
    }
    CenterWindow(window);
    window.ShowWindow(SW_SHOW);
    if (argc == 3 && std::strcmp(argv[1], "--quit-after") == 0) {
        window.SetTimer(QuitTimer, static_cast<UINT>(std::atoi(argv[2])));
    }
    return loop.Run();
}
