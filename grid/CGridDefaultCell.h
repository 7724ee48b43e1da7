#pragma once

#include "grid/CGridCell.h"

// The attributes a whole area of the grid falls back on (normal cells,
// fixed rows, fixed columns, the fixed corner), with the area's default
// cell size, which follows from its font.
class CGridDefaultCell : public CGridCell {
public:
    CGridDefaultCell();
    ~CGridDefaultCell() override;

    CGridCellBase* CreateObject() const override { return new CGridDefaultCell; }
    const char* GetClassName() const override { return "CGridDefaultCell"; }

    // An area's defaults have no state, data, place or mask of their own.
    void SetState(UINT) override {}
    void SetData(LPARAM) override {}
    void SetCoords(int, int) override {}
    void SetInputMask(WORD) override {}

    void SetFont(const LOGFONT* font) override;
    HFONT GetFontObject() const override { return m_fontObject; }
    CGridDefaultCell* GetDefaultCell() const override { return nullptr; }

    virtual DWORD GetUserValue() const { return m_userValue; }
    virtual void SetUserValue(DWORD value) { m_userValue = value; }
    virtual int GetWidth() const { return m_width; }
    virtual int GetHeight() const { return m_height; }
    virtual void SetWidth(int width) { m_width = width; }
    virtual void SetHeight(int height) { m_height = height; }

private:
    void MeasureFont();

    int m_width = 30;
    int m_height = 10;
    HFONT m_fontObject = nullptr;
    DWORD m_userValue = 0;
};
