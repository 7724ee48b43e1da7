#pragma once

#include "session/CGameFieldCtrl.h"
#include "views/win/accessibility/IAccessibleObject.h"
#include "views/win/accessibility/IAccessibleTable.h"

#include <string>

// The board as a screen reader reads it: a table of 9 rows and 9 columns
// whose cells say where they are and what they hold ("Row 3, column 5: 7,
// given"). The selected cell is selected and, while the board has the
// keyboard, focused; a cell in the conflict region a check found is an
// invalid entry. The table's description says the input mode, the conflict
// and, after a win, that the game is over.
class CFieldAccessible final : public kwin::IAccessibleObject, public kwin::IAccessibleTable {
public:
    static constexpr const char* BoardName = "Board";

    explicit CFieldAccessible(CGameFieldCtrl& session);

    LONG Role(LONG child) const override;
    std::string Name(LONG child) const override;
    std::string Description(LONG child) const override;
    DWORD State(LONG child) const override;
    RECT Location(LONG child) const override;
    LONG ChildCount() const override { return 81; }
    kwin::AccessibleRef Focus() const override;
    // A cell's action selects it, as a click on it does.
    std::string DefaultAction(LONG child) const override;
    bool DoDefaultAction(LONG child) override;
    kwin::IAccessibleTable* AsTable() override { return this; }

    int RowCount() const override { return 9; }
    int ColumnCount() const override { return 9; }
    LONG CellAt(int row, int column) const override;
    bool CellPosition(LONG child, int& row, int& column) const override;

    // Cells are the children 1-81 in row-major order.
    static LONG ChildOf(CellPos pos);
    static CellPos PosOf(LONG child);
    static std::string CellName(CellPos pos, const CCell& cell);
    // The keys reach the board: its window holds the focus, or its parent,
    // which passes them on.
    static bool HasKeyboard(HWND board);

private:
    std::string TableDescription() const;
    // The unit a check found repeating a digit ("row 3"), or nothing.
    std::string ConflictUnit() const;
    DWORD CellState(CellPos pos) const;

    CGameFieldCtrl& m_session;
};
