// Painting of the board: cell fills by selection, conflict and game state,
// the selection frame, digits and marks, then the grid lines on top.

#include "views/FieldPaint.h"

#include "views/CGameFieldView.h"

#include <cstring>

namespace {

struct Geometry {
    double cw; // cell width
    double ch; // cell height
    double bw; // box width
    double bh; // box height
    int right;
    int bottom;
};

Geometry GeometryOf(const RECT& client) {
    const int right = client.right - 1;
    const int bottom = client.bottom - 1;
    const double width = right - client.left;
    const double height = bottom - client.top;
    return {width / 9, height / 9, width / 3, height / 3, right, bottom};
}

int Trunc(double value) {
    return static_cast<int>(value);
}

HFONT MakeArial(double height) {
    LOGFONT lf{};
    lf.lfHeight = Trunc(height);
    std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

void Fill(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

class FieldPainter {
public:
    FieldPainter(HDC dc, const RECT& client, const CGameFieldCtrl& session)
        : m_dc(dc), m_client(client), m_g(GeometryOf(client)), m_session(session),
          m_selection(session.GetSelection()), m_conflict(session.GetConflictRegion()),
          m_gameOver(session.IsGameOver()) {}

    void Paint() {
        HFONT digitFont = MakeArial(m_g.ch);
        HFONT markFont = MakeArial(m_g.ch / 3);
        HGDIOBJ oldFont = SelectObject(m_dc, digitFont);
        SetBkMode(m_dc, TRANSPARENT);
        for (std::uint32_t r = 1; r <= 9; ++r) {
            for (std::uint32_t c = 1; c <= 9; ++c) {
                PaintCell(CellPos{c, r}, digitFont, markFont);
            }
        }
        SelectObject(m_dc, oldFont);
        DeleteObject(digitFont);
        DeleteObject(markFont);
        PaintThinLines();
        PaintThickLines();
    }

private:
    COLORREF FillOf(CellPos pos) const {
        if (m_gameOver) {
            return FieldColors::GameOver;
        }
        const bool conflict = CGameField::InRegion(m_conflict, pos);
        if (pos == m_selection) {
            return conflict ? FieldColors::SelectedInConflict : FieldColors::Selected;
        }
        if (pos.column == m_selection.column || pos.row == m_selection.row) {
            return conflict ? FieldColors::SameLineInConflict : FieldColors::SameLine;
        }
        return conflict ? FieldColors::CellInConflict : FieldColors::Cell;
    }

    void PaintCell(CellPos pos, HFONT digitFont, HFONT markFont) {
        const double left = (pos.column - 1) * m_g.cw;
        const double top = (pos.row - 1) * m_g.ch;
        const int right = Trunc(pos.column * m_g.cw);
        const int bottom = Trunc(pos.row * m_g.ch);
        Fill(m_dc, RECT{Trunc(left + 1), Trunc(top + 1), right, bottom}, FillOf(pos));
        RECT inner{Trunc(left + 2), Trunc(top + 2), right, bottom};
        if (pos == m_selection && !m_gameOver) {
            PaintFrame(inner);
        }
        const CCell& cell = m_session.field.At(pos);
        if (cell.value >= 1 && cell.value <= 9) {
            SelectObject(m_dc, digitFont);
            SetTextColor(m_dc,
                         cell.IsGiven() ? FieldColors::GivenDigit : FieldColors::EnteredDigit);
            const char digit = static_cast<char>('0' + cell.value);
            DrawText(m_dc, &digit, 1, &inner, DT_CENTER | DT_VCENTER);
        } else if (cell.flags != 0) {
            SelectObject(m_dc, markFont);
            PaintMarks(cell.flags, left, top);
        }
    }

    void PaintFrame(const RECT& inner) {
        HPEN pen = CreatePen(PS_SOLID, 2,
                             m_session.GetInputMode() == CGameFieldCtrl::MarkEntry
                                 ? FieldColors::FrameMarkMode
                                 : FieldColors::FrameDigitMode);
        HGDIOBJ oldPen = SelectObject(m_dc, pen);
        HGDIOBJ oldBrush = SelectObject(m_dc, GetStockObject(NULL_BRUSH));
        Rectangle(m_dc, inner.left, inner.top, inner.right, inner.bottom);
        SelectObject(m_dc, oldBrush);
        SelectObject(m_dc, oldPen);
        DeleteObject(pen);
    }

    void PaintMarks(std::uint16_t flags, double cellLeft, double cellTop) {
        SetTextColor(m_dc, FieldColors::Mark);
        for (int d = 1; d <= 9; ++d) {
            if ((flags & (1u << (d - 1))) == 0) {
                continue;
            }
            const double left = cellLeft + ((d - 1) % 3) * m_g.cw / 3 + 1;
            const double top = cellTop + ((d - 1) / 3) * m_g.ch / 3 + 1;
            RECT r{Trunc(left), Trunc(top), Trunc(left + m_g.cw / 3 + 1),
                   Trunc(top + m_g.ch / 3 + 1)};
            const char digit = static_cast<char>('0' + d);
            DrawText(m_dc, &digit, 1, &r, DT_CENTER | DT_VCENTER | DT_NOCLIP);
        }
    }

    void PaintThinLines() {
        HPEN pen = CreatePen(PS_SOLID, 1, FieldColors::ThinLine);
        HGDIOBJ oldPen = SelectObject(m_dc, pen);
        for (int k : {1, 2, 4, 5, 7, 8}) {
            const int x = Trunc(k * m_g.cw);
            const int y = Trunc(k * m_g.ch);
            Line(m_dc, x, m_client.top, x, m_g.bottom);
            Line(m_dc, m_client.left, y, m_g.right, y);
        }
        SelectObject(m_dc, oldPen);
        DeleteObject(pen);
    }

    void PaintThickLines() {
        HPEN pen = CreatePen(PS_SOLID, 3, FieldColors::ThickLine);
        HGDIOBJ oldPen = SelectObject(m_dc, pen);
        HGDIOBJ oldBrush = SelectObject(m_dc, GetStockObject(NULL_BRUSH));
        Rectangle(m_dc, 0, 0, m_client.right, m_client.bottom);
        for (int k : {1, 2}) {
            const int x = Trunc(k * m_g.bw);
            const int y = Trunc(k * m_g.bh);
            Line(m_dc, x, m_client.top, x, m_g.bottom);
            Line(m_dc, m_client.left, y, m_g.right, y);
        }
        SelectObject(m_dc, oldBrush);
        SelectObject(m_dc, oldPen);
        DeleteObject(pen);
    }

    HDC m_dc;
    RECT m_client;
    Geometry m_g;
    const CGameFieldCtrl& m_session;
    CellPos m_selection;
    ConflictRegion m_conflict;
    bool m_gameOver;
};

} // namespace

void PaintField(HDC target, const RECT& client, const CGameFieldCtrl& session) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    HDC memory = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    SetViewportOrgEx(memory, -client.left, -client.top, nullptr);
    FieldPainter(memory, client, session).Paint();
    BitBlt(target, client.left, client.top, width, height, memory, client.left, client.top,
           SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void CGameFieldView::OnPaint() {
    RECT client;
    GetClientRect(&client);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(GetHwnd(), &ps);
    PaintField(dc, client, *this);
    EndPaint(GetHwnd(), &ps);
}
