#include "app/AppIcon.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr COLORREF Paper = RGB(255, 255, 240);
constexpr COLORREF Selected = RGB(200, 220, 235);
constexpr COLORREF SameLine = RGB(220, 240, 255);
constexpr COLORREF ThinLine = RGB(127, 127, 127);
constexpr COLORREF Frame = RGB(0, 0, 0);
constexpr COLORREF Digit = RGB(0, 0, 240);

void Fill(HDC hdc, int left, int top, int right, int bottom, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    const RECT r{left, top, right, bottom};
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

void Line(HDC hdc, int x0, int y0, int x1, int y1) {
    MoveToEx(hdc, x0, y0, nullptr);
    LineTo(hdc, x1, y1);
}

} // namespace

void PaintAppIcon(HDC hdc, int size) {
    const int margin = std::max(1, size / 16);
    const int board = size - 2 * margin;
    const double cell = board / 9.0;
    auto at = [&](int k) { return margin + static_cast<int>(k * cell); };

    Fill(hdc, margin, margin, margin + board, margin + board, Paper);
    // The selected cell (row 5, column 5) with its row and column.
    Fill(hdc, at(4), margin, at(5), margin + board, SameLine);
    Fill(hdc, margin, at(4), margin + board, at(5), SameLine);
    Fill(hdc, at(4), at(4), at(5), at(5), Selected);

    if (size >= 24) {
        HPEN thin = CreatePen(PS_SOLID, 1, ThinLine);
        HGDIOBJ old = SelectObject(hdc, thin);
        for (int k : {1, 2, 4, 5, 7, 8}) {
            Line(hdc, at(k), margin, at(k), margin + board);
            Line(hdc, margin, at(k), margin + board, at(k));
        }
        SelectObject(hdc, old);
        DeleteObject(thin);
    }
    HPEN thick = CreatePen(PS_SOLID, std::max(1, size / 24), Frame);
    HGDIOBJ oldPen = SelectObject(hdc, thick);
    for (int k : {3, 6}) {
        Line(hdc, at(k), margin, at(k), margin + board);
        Line(hdc, margin, at(k), margin + board, at(k));
    }
    HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
    Rectangle(hdc, margin, margin, margin + board, margin + board);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(thick);

    if (size >= 32) {
        LOGFONT lf{};
        lf.lfHeight = std::max(1, static_cast<int>(cell * 3));
        lf.lfWeight = FW_BOLD;
        std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
        HFONT font = CreateFontIndirect(&lf);
        HGDIOBJ oldFont = SelectObject(hdc, font);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, Digit);
        RECT box{at(3), at(3), at(6), at(6)};
        DrawText(hdc, "5", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        SelectObject(hdc, oldFont);
        DeleteObject(font);
    }
}
