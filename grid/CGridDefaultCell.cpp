#include "grid/CGridDefaultCell.h"

namespace {

// The message font of the desktop, the font every area starts with.
LOGFONT MessageFont() {
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfMessageFont;
}

// The widest text an area's default cell is made to hold.
constexpr const char* SizingText = " XXXXXXXXXXXX ";

} // namespace

CGridDefaultCell::CGridDefaultCell() {
    SetFormat(DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    SetTextClr(CLR_DEFAULT);
    SetBackClr(CLR_DEFAULT);
    const LOGFONT font = MessageFont();
    SetFont(&font);
}

CGridDefaultCell::~CGridDefaultCell() {
    if (m_fontObject != nullptr) {
        DeleteObject(m_fontObject);
    }
}

void CGridDefaultCell::SetFont(const LOGFONT* font) {
    if (font == nullptr) {
        return;
    }
    if (m_fontObject != nullptr) {
        DeleteObject(m_fontObject);
    }
    m_fontObject = CreateFontIndirect(font);
    CGridCell::SetFont(font);
    MeasureFont();
}

void CGridDefaultCell::MeasureFont() {
    HDC dc = GetDC(nullptr);
    if (dc == nullptr) {
        SetMargin(3);
        m_width = 40;
        m_height = 16;
        return;
    }
    HGDIOBJ old = SelectObject(dc, m_fontObject);
    SIZE space{};
    GetTextExtentPoint32(dc, " ", 1, &space);
    SetMargin(static_cast<UINT>(space.cx));
    SIZE size{};
    GetTextExtentPoint32(dc, SizingText, 14, &size);
    m_width = size.cx;
    m_height = size.cy * 3 / 2;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
}
