#pragma once

#include "grid/CGridCellBase.h"

#include <memory>

// A cell with attributes of its own; every attribute left unset (all ones,
// CLR_DEFAULT, no font) is taken from the cell's default cell.
class CGridCell : public CGridCellBase {
public:
    static constexpr UINT Unset = 0xFFFFFFFF;

    CGridCell();
    ~CGridCell() override;

    CGridCellBase* CreateObject() const override { return new CGridCell; }
    const char* GetClassName() const override { return "CGridCell"; }

    void SetText(const std::string& text) override { m_text = text; }
    void SetImage(int image) override { m_image = image; }
    void SetData(LPARAM data) override { m_data = data; }
    void SetFormat(UINT format) override { m_format = format; }
    void SetTextClr(COLORREF color) override { m_textClr = color; }
    void SetBackClr(COLORREF color) override { m_backClr = color; }
    void SetFont(const LOGFONT* font) override;
    void SetMargin(UINT margin) override { m_margin = margin; }
    void SetGrid(CGridCtrl* grid) override { m_grid = grid; }
    void SetCoords(int, int) override {}

    std::string GetText() const override { return m_text; }
    int GetImage() const override { return m_image; }
    LPARAM GetData() const override { return m_data; }
    UINT GetFormat() const override;
    COLORREF GetTextClr() const override;
    COLORREF GetBackClr() const override;
    const LOGFONT* GetFont() const override;
    HFONT GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_grid; }
    CInPlaceEdit* GetEditWnd() const override { return m_editWnd; }
    UINT GetMargin() const override;
    bool IsDefaultFont() const override { return m_font == nullptr; }
    bool IsEditing() const override { return m_editing; }

    void Reset() override;

protected:
    void SetEditing(bool editing, CInPlaceEdit* edit) override;
    bool HasOwnBackClr() const override { return m_backClr != CLR_DEFAULT; }
    // The values as stored, without the fallback.
    UINT OwnFormat() const { return m_format; }
    COLORREF OwnTextClr() const { return m_textClr; }
    COLORREF OwnBackClr() const { return m_backClr; }
    UINT OwnMargin() const { return m_margin; }
    const LOGFONT* OwnFont() const { return m_font.get(); }

private:
    // The default cell to fall back on, unless that is this cell itself.
    const CGridCellBase* Fallback() const;

    std::string m_text;
    LPARAM m_data = 0;
    int m_image = -1;
    UINT m_format = Unset;
    COLORREF m_textClr = CLR_DEFAULT;
    COLORREF m_backClr = CLR_DEFAULT;
    std::unique_ptr<LOGFONT> m_font;
    UINT m_margin = Unset;
    bool m_editing = false;
    CGridCtrl* m_grid = nullptr;
    CInPlaceEdit* m_editWnd = nullptr;
};
