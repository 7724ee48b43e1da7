#include "grid/CShowWinnersDlg.h"

#include "grid/ShowWinnersTemplate.h"
#include "session/PlayTimeText.h"
#include "storage/WinnersRules.h"
#include "views/win/framework/CenterWindow.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr const char* DataFace = "Courier New";
constexpr int DataPoints = 10;
constexpr UINT HeaderMargin = 3;
constexpr UINT DataMargin = 2;
// What a screen reader calls the table; the dialog shows no title of its own.
constexpr const char* TableName = "Top winners";

} // namespace

CShowWinnersDlg::CShowWinnersDlg(const WinnersList* list) : m_list(list) {}

INT_PTR CShowWinnersDlg::DoModal(HWND owner) {
    RegisterShowWinnersTemplate();
    CGridCtrl::RegisterGridClass();
    return DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDD_SHOW_WINNERS), owner,
                          DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CShowWinnersDlg::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* self = reinterpret_cast<CShowWinnersDlg*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        return self->OnInitDialog(dialog);
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

std::array<int, 3> CShowWinnersDlg::ColumnWidths(int clientWidth) {
    const double width = clientWidth;
    std::array<int, 3> widths{static_cast<int>(std::lround(width * 1 / 20)),
                              static_cast<int>(std::lround(width * 15 / 20)),
                              static_cast<int>(std::lround(width * 4 / 20))};
    while (widths[0] + widths[1] + widths[2] > clientWidth) {
        --widths[2];
    }
    return widths;
}

BOOL CShowWinnersDlg::OnInitDialog(HWND dialog) {
    CenterWindow(dialog);
    if (!m_grid.IsWindow()) {
        m_grid.Attach(GetDlgItem(dialog, IDC_WINNERS_GRID));
    }
    if (!m_grid.IsWindow()) {
        return FALSE; // the bare control stays; the platform places no focus
    }
    m_grid.Accessible().SetName(TableName);
    SetUpFonts();
    m_grid.SetListMode(true);
    m_grid.SetEditable(false);
    m_grid.SetRowResize(false);
    m_grid.SetColumnResize(false);
    m_grid.SetFixedRowCount(1);
    m_grid.SetColumnCount(3);
    SetUpHeader();
    RECT client{};
    m_grid.GetClientRect(&client);
    const std::array<int, 3> widths = ColumnWidths(client.right - client.left);
    for (int col = 0; col < 3; ++col) {
        m_grid.SetColumnWidth(col, widths[static_cast<std::size_t>(col)]);
    }
    if (m_list != nullptr) {
        FillRows();
    }
    return TRUE;
}

void CShowWinnersDlg::SetUpFonts() {
    CGridDefaultCell* data = m_grid.GetDefaultCell(false, false);
    LOGFONT font = *data->GetFont();
    std::strncpy(font.lfFaceName, DataFace, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(DataPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    data->SetFont(&font);

    CGridDefaultCell* header = m_grid.GetDefaultCell(true, false);
    LOGFONT bold = *header->GetFont();
    bold.lfWeight = FW_BOLD;
    header->SetFont(&bold);
    header->SetMargin(HeaderMargin);
    data->SetMargin(DataMargin);
}

void CShowWinnersDlg::SetUpHeader() {
    const char* titles[] = {"N", "Name", "Time"};
    for (int col = 0; col < 3; ++col) {
        GridItem item;
        item.row = 0;
        item.col = col;
        item.mask = GridItemMask::Text | GridItemMask::Format;
        item.text = titles[col];
        item.format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        m_grid.SetItem(item);
    }
}

void CShowWinnersDlg::FillRows() {
    m_grid.SetRowCount(static_cast<int>(m_list->size()) + 1);
    int row = 1;
    for (const HiScoreEntry& entry : *m_list) {
        m_grid.SetItemText(row, 0, std::to_string(row));
        m_grid.SetItemText(row, 1, WinnersRules::NameText(entry));
        m_grid.SetItemText(row, 2, FormatPlayTime(entry.time));
        ++row;
    }
}
