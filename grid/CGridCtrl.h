#pragma once

#include "grid/CGridAccessible.h"
#include "grid/CGridCell.h"
#include "grid/CGridDefaultCell.h"
#include "grid/CellId.h"
#include "grid/GridItem.h"
#include "grid/GridNotify.h"
#include "views/win/Win32.h"
#include "views/win/framework/CWindow.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// A table control: fixed (header) rows and columns that stay put, scrolling
// cells beside them, a height per row and a width per column, per-cell text
// and attributes falling back to per-area default cells, a focus cell and a
// selection. The object exists before its window and is attached to a window
// of the class "KalmoraGridCtrl"; the model works with or without it.
class CGridCtrl : public CWindow {
public:
    static constexpr const char* ClassName = "KalmoraGridCtrl";
    static constexpr UINT_PTR DragTimerId = 513;
    static constexpr UINT DragTimerInterval = 25;

    enum class MouseMode {
        Nothing = 0,
        SelectAll = 1,
        SelectCol = 2,
        SelectRow = 3,
        SelectCells = 4,
        OverRowDivide = 6,
        SizingRow = 7,
        OverColDivide = 8,
        SizingCol = 9,
        PrepEdit = 10,
    };

    CGridCtrl(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
    ~CGridCtrl() override;

    // Registers "KalmoraGridCtrl" unless it is registered. Every grid object
    // unregisters it when it goes, so windows about to be made ask again.
    static void RegisterGridClass();

    // Makes a window of the grid's class and attaches to it.
    bool Create(HWND parent, const RECT& rect, UINT id,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP);
    // Takes over a window made elsewhere (a dialog's control).
    bool Attach(HWND hwnd);

    // Shape.
    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_cols; }
    int GetFixedRowCount() const { return m_fixedRows; }
    int GetFixedColumnCount() const { return m_fixedCols; }
    bool SetRowCount(int rows);
    bool SetColumnCount(int cols);
    bool SetFixedRowCount(int fixedRows);
    bool SetFixedColumnCount(int fixedCols);
    int GetRowHeight(int row) const;
    int GetColumnWidth(int col) const;
    bool SetRowHeight(int row, int height);
    bool SetColumnWidth(int col, int width);

    // Cells.
    bool IsValid(int row, int col) const;
    bool IsValid(CellId cell) const { return IsValid(cell.row, cell.col); }
    CGridCellBase* GetCell(int row, int col) const;
    CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedCol);
    const CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedCol) const;
    bool SetItem(const GridItem& item);
    bool SetItemText(int row, int col, const std::string& text);
    std::string GetItemText(int row, int col) const;
    bool SetItemState(int row, int col, UINT state);
    UINT GetItemState(int row, int col) const;
    void SetModified(bool modified = true, int row = -1, int col = -1);
    bool GetModified() const { return m_modified; }

    // Settings.
    void SetListMode(bool on);
    bool GetListMode() const { return m_listMode; }
    void SetEditable(bool on) { m_editable = on; }
    bool IsEditable() const { return m_editable; }
    void SetRowResize(bool on) { m_allowRowResize = on; }
    void SetColumnResize(bool on) { m_allowColResize = on; }
    bool GetRowResize() const { return m_allowRowResize; }
    bool GetColumnResize() const { return m_allowColResize; }
    void SetGridLines(int lines) { m_gridLines = lines; }
    int GetGridLines() const { return m_gridLines; }
    void SetHandleTabKey(bool on) { m_handleTab = on; }
    void SetLeaveOnTab(bool on) { m_leaveOnTab = on; }
    void SetTrackFocusCell(bool on) { m_trackFocus = on; }
    void SetFrameFocusCell(bool on) { m_frameFocus = on; }
    void SetDoubleBuffering(bool on) { m_doubleBuffer = on; }
    void SetAllowDraw(bool on) { m_allowDraw = on; }
    void SetSingleRowSelection(bool on) { m_singleRowSelection = on; }
    void SetSingleColSelection(bool on) { m_singleColSelection = on; }
    void SetFixedRowSelection(bool on) { m_fixedRowSelection = on; }
    void SetFixedColumnSelection(bool on) { m_fixedColSelection = on; }
    void EnableSelection(bool on) { m_enableSelection = on; }
    void SetHeaderSort(bool on) { m_sortOnClick = on; }
    void SetSortColumn(int col, bool ascending = true);
    int GetSortColumn() const { return m_sortColumn; }
    bool GetSortAscending() const { return m_ascending; }
    bool GetTrackFocusCell() const { return m_trackFocus; }
    bool GetFrameFocusCell() const { return m_frameFocus; }
    void SetHiddenColRowResize(bool hide, bool expand);
    void SetAutoSizeStyle(UINT style) { m_autoSizeStyle = style; }
    void SetGridLineColor(COLORREF color) { m_gridLineColor = color; }
    COLORREF GetGridLineColor() const { return m_gridLineColor; }
    void SetGridBkColor(COLORREF color) { m_gridBkColor = color; }
    COLORREF GetGridBkColor() const { return m_gridBkColor; }
    int GetRowsPerWheelNotch() const { return m_rowsPerWheelNotch; }
    MouseMode GetMouseMode() const { return m_mouseMode; }

    // Sizing to the contents. Style 0 is the grid's auto-size style:
    // bit 1 fixed rows (columns), bit 2 the others.
    bool AutoSizeColumn(int col, UINT style = 0, bool resetScroll = true);
    bool AutoSizeRow(int row, bool resetScroll = true);
    void AutoSizeColumns(UINT style = 0);

    // Geometry, in client pixels.
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    int GetVirtualHeight() const;
    int GetVirtualWidth() const;
    bool GetCellOrigin(int row, int col, LPPOINT origin);
    bool GetCellRect(int row, int col, LPRECT rect);
    CellId GetTopLeftNonFixedCell(bool forceRecalculation = false);
    CellRange GetVisibleNonFixedCellRange(LPRECT rect = nullptr);
    CellId GetCellFromPt(POINT point);

    // Focus and selection.
    CellId GetFocusCell() const { return m_focusCell; }
    void SetFocusCell(CellId cell);
    void SetFocusCell(int row, int col) { SetFocusCell(CellId{row, col}); }
    CellRange GetSelectedRange() const;
    void SetSelectedRange(const CellRange& range, bool select = true);
    void ResetSelectedRange();
    int GetSelectedCount() const { return static_cast<int>(m_selected.size()); }
    bool IsCellSelected(int row, int col) const;

    // Painting and scrolling.
    virtual void DrawGrid(HDC dc);
    void ResetScrollBars();
    void EnsureVisible(int row, int col);
    void EnsureVisible(CellId cell) { EnsureVisible(cell.row, cell.col); }
    void RedrawCell(int row, int col);
    int GetScrollPos32(int bar, bool track = false) const;
    void SetScrollPos32(int bar, int pos);
    void RefreshColors();

    // Editing, clipboard and the parent.
    virtual void ClearSelectedText();
    virtual IDataObject* CreateTextDataObject();
    virtual bool PasteTextData(IDataObject* data);
    virtual void CutSelection();
    virtual void CopySelection();
    virtual void PasteAtFocus();
    virtual void SelectAllCells();
    virtual void ClickFixedColumnCell(CellId cell);
    virtual void ClickFixedRowCell(CellId cell);
    virtual void BeginCellEdit(int row, int col, POINT point, UINT ch);
    virtual void FinishCellEdit(int row, int col, const std::string& text, UINT lastChar);
    virtual bool ValidateCellText(int row, int col, const std::string& text);
    virtual void EndFocusCellEdit();
    virtual CGridCellBase* CreateCell(int row, int col);
    virtual void DestroyCell(int row, int col);
    virtual void ShiftRowOrder(int from, int by);
    virtual void UpdateEditCommandUI(HMENU menu);
    bool CanCopy() const;
    bool CanCut() const;
    bool CanPaste() const;
    std::string SelectionText();
    LRESULT SendMessageToParent(int row, int col, UINT code) const;
    // The window notifications go to: the parent, else the owner.
    HWND NotifyTarget() const;
    bool HasNotifyTarget() const { return NotifyTarget() != nullptr; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // What accessibility clients read of the grid.
    CGridAccessible& Accessible() { return m_accessible; }

private:
    using CellRow = std::vector<std::unique_ptr<CGridCellBase>>;
    static DWORD CellKey(int row, int col) {
        return (static_cast<DWORD>(col & 0xFFFF) << 16) | static_cast<DWORD>(row & 0xFFFF);
    }
    static int ReadWheelScrollLines();

    // Model (CGridCtrlModel.cpp).
    void InitDefaultCells();
    void ClearCellForRemoval(int row, int col);
    void AfterShapeChange();
    enum class Axis { Rows, Columns };
    // The fixed rows or columns: grows the grid to hold them, moves cells
    // between fixed and normal, drops a focus that became fixed.
    bool SetFixedCount(Axis axis, int fixed);
    void MoveInOutOfFixed(Axis axis, int oldFixed, int newFixed);
    CGridDefaultCell* DefaultCellForArea(int row, int col);

    // Painting (CGridCtrlPaint.cpp).
    LRESULT OnPaint();
    void GiveClientEdge();
    void FillBackgrounds(HDC dc, const RECT& visibleRect);
    void DrawCells(HDC dc, const RECT& clip, const CellRange& visible);
    void DrawGridLines(HDC dc, const RECT& visibleRect, const CellRange& visible);
    void DrawBlock(HDC dc, const RECT& clip, CellRange block, POINT origin);
    LRESULT OnSetFont(WPARAM wParam);

    // Scrolling (CGridCtrlScroll.cpp).
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnScroll(int bar, WPARAM wParam);
    LRESULT OnMouseWheel(WPARAM wParam);
    bool ScrollLine(int bar, bool forward);
    void ScrollTo(int bar, int pos);
    void InvalidateScrollingArea(int bar);
    void SetBar(int bar, bool needed, int neededSize, int page);

    // Mouse (CGridCtrlMouse.cpp).
    LRESULT OnMouseMove(WPARAM wParam, POINT point);
    LRESULT OnLButtonDown(WPARAM wParam, POINT point);
    LRESULT OnLButtonUp(WPARAM wParam, POINT point);
    LRESULT OnLButtonDblClk(WPARAM wParam, POINT point);
    LRESULT OnRButtonUp(WPARAM wParam, POINT point);
    LRESULT OnTimer(WPARAM id);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    bool OverColumnDivider(POINT point) const;
    bool OverRowDivider(POINT point);
    int ColumnLeftOfDivider(POINT point, bool skipHidden);
    int RowAboveDivider(POINT point, bool skipHidden);
    void StartSizing(POINT point, bool column);
    void FinishSizing(POINT point);
    void DrawSizingLine(POINT point);
    void SelectByMode(CellId cell);
    void StopDragTimer();

    // Keyboard (CGridCtrlKeys.cpp).
    LRESULT OnKeyDown(WPARAM key, LPARAM lParam);
    LRESULT OnChar(WPARAM ch, LPARAM lParam);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    bool HandleShortcut(WPARAM key);
    CellId NextCellForKey(WPARAM key, bool ctrl, bool shift, bool& moved);
    void MoveFocusByKey(CellId next, WPARAM key, bool shift);
    CellId PageMove(bool down);
    int NextVisibleRow(int row, int step) const;
    int NextVisibleCol(int col, int step) const;

    // Editing (CGridCtrlEdit.cpp).
    LRESULT OnNotify(LPARAM lParam);
    bool PointOnCellText(CellId cell, POINT point);
    bool AcceptsChar(CellId cell, UINT ch) const;

    // Shape.
    int m_rows = 0;
    int m_fixedRows = 0;
    int m_cols = 0;
    int m_fixedCols = 0;
    std::vector<int> m_rowHeights;
    std::vector<int> m_colWidths;
    std::vector<CellRow> m_cells;
    std::vector<int> m_rowOrder;
    std::vector<int> m_colOrder;
    CGridDefaultCell m_cellDefault;
    CGridDefaultCell m_cellFixedColDefault;
    CGridDefaultCell m_cellFixedRowDefault;
    CGridDefaultCell m_cellFixedRowColDefault;
    std::unique_ptr<CGridCellBase> m_prototype;

    // Colours.
    COLORREF m_windowText = 0;
    COLORREF m_window = 0;
    COLORREF m_face = 0;
    COLORREF m_shadow = 0;
    COLORREF m_gridLineColor = RGB(0xC0, 0xC0, 0xC0);
    COLORREF m_gridBkColor = 0;

    // Settings.
    int m_gridLines = 3;
    bool m_editable = true;
    bool m_listMode = false;
    bool m_singleRowSelection = false;
    bool m_singleColSelection = false;
    bool m_allowDraw = true;
    bool m_enableSelection = true;
    bool m_fixedRowSelection = true;
    bool m_fixedColSelection = true;
    bool m_sortOnClick = false;
    bool m_handleTab = true;
    bool m_doubleBuffer = true;
    bool m_trackFocus = true;
    bool m_frameFocus = true;
    bool m_allowRowResize = true;
    bool m_allowColResize = true;
    bool m_hiddenColRowResize = true;
    bool m_expandHiddenByDragging = true;
    bool m_selectRowsInFixedCols = false;
    bool m_leaveOnTab = false;
    UINT m_autoSizeStyle = 3;
    int m_resizeCaptureRange = 3;
    int m_rowsPerWheelNotch = 3;

    // Scroll state.
    UINT m_barsShown = 0;
    int m_vScrollMax = 0;
    int m_hScrollMax = 0;
    CellId m_topLeftCache{};
    bool m_inSize = false;
    bool m_inResetScrollBars = false;
    bool m_framed = false; // the client edge was given

    // Interaction.
    CellId m_focusCell{};
    CellId m_selectionStart{};
    CellId m_pressedCell{};
    MouseMode m_mouseMode = MouseMode::Nothing;
    bool m_buttonDown = false;
    POINT m_pressPoint{};
    POINT m_lastPoint{};
    int m_sizingIndex = -1;
    int m_sortColumn = -1;
    bool m_ascending = true;
    bool m_modified = false;
    bool m_inDestructor = false;
    std::unordered_map<DWORD, CellId> m_selected;
    std::unordered_map<DWORD, CellId> m_savedSelection;
    CGridAccessible m_accessible{*this};
};
