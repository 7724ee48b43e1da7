#pragma once

#include "grid/GridItem.h"
#include "views/win/Win32.h"

#include <string>

class CGridCtrl;
class CGridDefaultCell;
class CInPlaceEdit;

// What every cell of a grid is: its state bits and input mask, the
// attributes a derived cell keeps (or takes from its default cell), how it
// draws and measures itself, and how it is edited in place.
class CGridCellBase {
public:
    CGridCellBase() = default;
    CGridCellBase(const CGridCellBase&) = delete;
    CGridCellBase& operator=(const CGridCellBase&) = delete;
    virtual ~CGridCellBase() = default;

    virtual CGridCellBase* CreateObject() const = 0;
    virtual const char* GetClassName() const { return "CGridCellBase"; }

    virtual void SetText(const std::string& text) = 0;
    virtual void SetImage(int image) = 0;
    virtual void SetData(LPARAM data) = 0;
    virtual void SetState(UINT state) { m_state = state; }
    virtual void SetFormat(UINT format) = 0;
    virtual void SetTextClr(COLORREF color) = 0;
    virtual void SetBackClr(COLORREF color) = 0;
    virtual void SetFont(const LOGFONT* font) = 0;
    virtual void SetMargin(UINT margin) = 0;
    virtual void SetGrid(CGridCtrl* grid) = 0;
    virtual void SetCoords(int row, int col) = 0;
    virtual void SetInputMask(WORD mask) { m_inputMask = mask; }

    virtual std::string GetText() const = 0;
    virtual std::string GetTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual LPARAM GetData() const = 0;
    virtual UINT GetState() const { return m_state; }
    virtual UINT GetFormat() const = 0;
    virtual COLORREF GetTextClr() const = 0;
    virtual COLORREF GetBackClr() const = 0;
    virtual const LOGFONT* GetFont() const = 0;
    virtual HFONT GetFontObject() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual CInPlaceEdit* GetEditWnd() const = 0;
    virtual UINT GetMargin() const = 0;
    virtual WORD GetInputMask() const { return m_inputMask; }
    virtual CGridDefaultCell* GetDefaultCell() const;

    virtual bool IsDefaultFont() const = 0;
    virtual bool IsEditing() const = 0;
    virtual bool IsFocused() const { return Has(GridCellState::Focused); }
    virtual bool IsFixed() const { return Has(GridCellState::Fixed); }
    virtual bool IsFixedCol() const { return Has(GridCellState::FixedCol); }
    virtual bool IsFixedRow() const { return Has(GridCellState::FixedRow); }
    virtual bool IsSelected() const { return Has(GridCellState::Selected); }
    virtual bool IsReadOnly() const { return Has(GridCellState::ReadOnly); }
    virtual bool IsModified() const { return Has(GridCellState::Modified); }
    virtual bool IsDropHighlighted() const { return Has(GridCellState::DropHighlighted); }

    virtual void Assign(const CGridCellBase& other);
    virtual void Reset();
    virtual bool Draw(HDC dc, int row, int col, RECT rect, bool erase = true);
    virtual bool GetTextRect(LPRECT rect);
    virtual bool GetTipTextRect(LPRECT rect) { return GetTextRect(rect); }
    virtual SIZE GetTextExtent(const std::string& text, HDC dc = nullptr);
    virtual SIZE GetCellExtent(HDC dc);

    virtual bool Edit(int row, int col, RECT rect, POINT point, UINT id, UINT ch);
    virtual bool ValidateEdit(const std::string& text);
    virtual void EndEdit();
    virtual bool PrintCell(HDC, int, int, RECT) { return false; }
    virtual void OnEndEdit();

    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(POINT) {}
    virtual void OnClickDown(POINT) {}
    virtual void OnRClick(POINT) {}
    virtual void OnDblClick(POINT) {}
    virtual bool OnSetCursor();

protected:
    // The cell's own editing state and edit window, kept by CGridCell.
    virtual void SetEditing(bool editing, CInPlaceEdit* edit) = 0;
    // A background colour of the cell's own (not its default cell's).
    virtual bool HasOwnBackClr() const { return false; }

private:
    bool Has(UINT bit) const { return (GetState() & bit) != 0; }
    void DrawFixedEdge(HDC dc, int row, int col, RECT& rect);
    void DrawSortArrow(HDC dc, RECT& rect, bool ascending);
    void FillAndFrame(HDC dc, RECT rect, bool erase, COLORREF& textClr, COLORREF backClr);

    UINT m_state = 0;
    WORD m_inputMask = GridInputClass::All;
};
