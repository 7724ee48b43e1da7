#include "app/CModalDialog.h"

INT_PTR CModalDialog::DoModal(HWND owner) {
    return DialogBoxParam(nullptr, MAKEINTRESOURCE(m_templateId), owner, DialogProc,
                          reinterpret_cast<LPARAM>(this));
}

// The object arrives with WM_INITDIALOG and is kept in the dialog's user slot
// for the messages that follow; messages before it are left to the default.
INT_PTR CALLBACK CModalDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CModalDialog*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        self->m_hwnd = dialog;
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<CModalDialog*>(GetWindowLongPtr(dialog, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    return self->HandleMessage(message, wParam);
}

INT_PTR CModalDialog::HandleMessage(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
    case WM_NCDESTROY:
        m_hwnd = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

std::string CModalDialog::ItemText(int id, bool* complete) const {
    HWND control = GetDlgItem(m_hwnd, id);
    if (complete != nullptr) {
        *complete = true;
    }
    if (control == nullptr) {
        return {};
    }
    const int length = GetWindowTextLength(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowText(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied));
    if (complete != nullptr) {
        *complete = copied >= length;
    }
    return text;
}
