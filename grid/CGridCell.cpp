#include "grid/CGridCell.h"

#include "grid/CGridCtrl.h"
#include "grid/CGridDefaultCell.h"

namespace {

// One font object shared by every cell with a font of its own: it is made
// again from the asking cell's description each time.
HFONT& SharedCellFont() {
    static HFONT font = nullptr;
    return font;
}

} // namespace

CGridCell::CGridCell() {
    Reset();
}

CGridCell::~CGridCell() = default;

void CGridCell::Reset() {
    SetState(0);
    SetInputMask(GridInputClass::All);
    m_text.clear();
    m_data = 0;
    m_image = -1;
    m_format = Unset;
    m_textClr = CLR_DEFAULT;
    m_backClr = CLR_DEFAULT;
    m_font.reset();
    m_margin = Unset;
    m_editing = false;
    m_grid = nullptr;
    m_editWnd = nullptr;
}

void CGridCell::SetFont(const LOGFONT* font) {
    if (font == nullptr) {
        m_font.reset();
    } else {
        m_font = std::make_unique<LOGFONT>(*font);
    }
}

const CGridCellBase* CGridCell::Fallback() const {
    const CGridCellBase* def = GetDefaultCell();
    return def == this ? nullptr : def;
}

UINT CGridCell::GetFormat() const {
    const CGridCellBase* def = m_format == Unset ? Fallback() : nullptr;
    return def != nullptr ? def->GetFormat() : m_format;
}

COLORREF CGridCell::GetTextClr() const {
    const CGridCellBase* def = m_textClr == CLR_DEFAULT ? Fallback() : nullptr;
    return def != nullptr ? def->GetTextClr() : m_textClr;
}

COLORREF CGridCell::GetBackClr() const {
    const CGridCellBase* def = m_backClr == CLR_DEFAULT ? Fallback() : nullptr;
    return def != nullptr ? def->GetBackClr() : m_backClr;
}

UINT CGridCell::GetMargin() const {
    const CGridCellBase* def = m_margin == Unset ? Fallback() : nullptr;
    return def != nullptr ? def->GetMargin() : m_margin;
}

const LOGFONT* CGridCell::GetFont() const {
    const CGridCellBase* def = m_font == nullptr ? Fallback() : nullptr;
    return def != nullptr ? def->GetFont() : m_font.get();
}

HFONT CGridCell::GetFontObject() const {
    if (m_font == nullptr) {
        const CGridCellBase* def = Fallback();
        return def != nullptr ? def->GetFontObject() : nullptr;
    }
    HFONT& shared = SharedCellFont();
    if (shared != nullptr) {
        DeleteObject(shared);
    }
    shared = CreateFontIndirect(m_font.get());
    return shared;
}

void CGridCell::SetEditing(bool editing, CInPlaceEdit* edit) {
    m_editing = editing;
    m_editWnd = edit;
}
