// MessageBox: a dialog made at run time from the text, the caption, the
// icon and the buttons asked for, sized to the text in the dialog font.

#include "views/win/api/WinDialog.h"
#include "views/win/api/WinGdi.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/dialogs/internal/DialogManager.h"
#include "views/win/resources/Resources.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace kwin;

namespace {

constexpr int TextId = 0xFFFF;
constexpr int IconId = 0xFFFE;
constexpr short Margin = 7;
constexpr short ButtonWidth = 50;
constexpr short ButtonHeight = 14;
constexpr short ButtonGap = 4;
constexpr short IconSize = 21;
constexpr int MaxTextWidthPixels = 420;

void PaintRoundIcon(HDC dc, int size, COLORREF fill, const char* mark) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, fill);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, 1, 1, size - 1, size - 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    HFONT font =
        CreateFont(-size * 2 / 3, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT r{0, 0, size, size};
    DrawText(dc, mark, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

void PaintWarningIcon(HDC dc, int size) {
    HBRUSH brush = CreateSolidBrush(RGB(252, 200, 0));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(200, 150, 0));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const POINT triangle[] = {{size / 2, 1}, {size - 2, size - 3}, {1, size - 3}};
    Polygon(dc, triangle, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    HFONT font =
        CreateFont(-size / 2, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT r{0, size / 4, size, size - 2};
    DrawText(dc, "!", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

// The desktop's own icons of the three kinds a message box shows.
void RegisterBoxIcons() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    RegisterIcon(OIC_ERROR,
                 [](HDC dc, int size) { PaintRoundIcon(dc, size, RGB(210, 40, 40), "X"); });
    RegisterIcon(OIC_INFORMATION,
                 [](HDC dc, int size) { PaintRoundIcon(dc, size, RGB(30, 110, 210), "i"); });
    RegisterIcon(OIC_WARNING, PaintWarningIcon);
}

UINT IconFor(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
        return OIC_ERROR;
    case MB_ICONQUESTION:
        return OIC_QUES;
    case MB_ICONWARNING:
        return OIC_WARNING;
    case MB_ICONINFORMATION:
        return OIC_INFORMATION;
    default:
        return 0;
    }
}

struct ButtonChoice {
    int id;
    const char* text;
};

std::vector<ButtonChoice> ButtonsFor(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_YESNOCANCEL:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    default:
        return {{IDOK, "OK"}};
    }
}

// The text's size in dialog units of the message box's font.
SIZE TextSizeInUnits(const DialogTemplate& box, const std::string& text) {
    HDC screen = GetDC(nullptr);
    LOGFONT lf{};
    lf.lfHeight = -MulDiv(box.pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    std::strncpy(lf.lfFaceName, box.fontFace.c_str(), LF_FACESIZE - 1);
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(screen, font);
    RECT r{0, 0, MaxTextWidthPixels, 0};
    DrawText(screen, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    const SIZE units = DialogBaseUnits(font);
    DeleteObject(font);
    const int baseX = std::max(1, static_cast<int>(units.cx));
    const int baseY = std::max(1, static_cast<int>(units.cy));
    return SIZE{(r.right * 4 + baseX - 1) / baseX + 1, (r.bottom * 8 + baseY - 1) / baseY};
}

DialogTemplate BuildBox(const std::string& text, const std::string& caption, UINT type) {
    DialogTemplate box;
    box.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
    box.caption = caption;
    box.fontFace = "MS Shell Dlg";
    box.pointSize = 8;
    const UINT icon = IconFor(type);
    const SIZE textSize = TextSizeInUnits(box, text);
    const short textLeft = icon != 0 ? Margin + IconSize + Margin : Margin;
    const short textTop = static_cast<short>(
        icon != 0 && textSize.cy < IconSize ? Margin + (IconSize - textSize.cy) / 2 : Margin);
    if (icon != 0) {
        box.items.push_back(
            {"STATIC", "", IconId, SS_ICON, 0, Margin, Margin, IconSize, IconSize, icon});
    }
    box.items.push_back({"STATIC", text, TextId, SS_LEFT | SS_NOPREFIX, 0, textLeft, textTop,
                         static_cast<short>(textSize.cx), static_cast<short>(textSize.cy), 0});
    const auto buttons = ButtonsFor(type);
    const short rowWidth =
        static_cast<short>(buttons.size() * ButtonWidth + (buttons.size() - 1) * ButtonGap);
    const short contentBottom = static_cast<short>(
        std::max<long>(textTop + textSize.cy, icon != 0 ? Margin + IconSize : 0));
    box.cx = static_cast<short>(
        std::max<long>({textLeft + textSize.cx + Margin, rowWidth + 2 * Margin, 120}));
    const short rowTop = contentBottom + Margin + 3;
    box.cy = rowTop + ButtonHeight + Margin;
    short x = box.cx - Margin - rowWidth;
    const bool secondIsDefault = (type & MB_DEFBUTTON2) && buttons.size() > 1;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const bool isDefault = (i == 1) == secondIsDefault;
        box.items.push_back(
            {"BUTTON", buttons[i].text, buttons[i].id,
             (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP | (i == 0 ? WS_GROUP : 0),
             0, x, rowTop, ButtonWidth, ButtonHeight, 0});
        x += ButtonWidth + ButtonGap;
    }
    if (secondIsDefault) {
        std::swap(box.items[box.items.size() - 2], box.items.back()); // first tab stop = default
    }
    return box;
}

INT_PTR MessageBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtr(box, DWLP_USER, lParam);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const UINT buttons = static_cast<UINT>(GetWindowLongPtr(box, DWLP_USER)) & MB_TYPEMASK;
        if (id == IDCANCEL && GetDlgItem(box, IDCANCEL) == nullptr) {
            // Esc and the close box answer a box with only OK; Yes/No boxes need a choice.
            if (buttons == MB_OK) {
                EndDialog(box, IDOK);
            }
            return TRUE;
        }
        if (GetDlgItem(box, id) != nullptr) {
            EndDialog(box, id);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    RegisterBoxIcons();
    const DialogTemplate box =
        BuildBox(text != nullptr ? text : "", caption != nullptr ? caption : "Error", type);
    return static_cast<int>(RunModalDialog(nullptr, box, owner, MessageBoxProc,
                                           static_cast<LPARAM>(type), ModalKind::MessageBox));
}
