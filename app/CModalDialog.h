#pragma once

#include "views/win/Win32.h"

#include <string>

// A modal dialog box from one of the program's dialog templates, run on the
// stack of the command that opens it. The derived dialog handles the messages
// it cares about in OnInitDialog and OnCommand; whatever it declines goes to
// the dialog manager's default handling.
class CModalDialog {
public:
    explicit CModalDialog(UINT templateId) : m_templateId(templateId) {}
    CModalDialog(const CModalDialog&) = delete;
    CModalDialog& operator=(const CModalDialog&) = delete;
    virtual ~CModalDialog() = default;

    // Runs the modal loop with `owner` disabled; the result EndDialog gave.
    INT_PTR DoModal(HWND owner);

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // True when the command was handled.
    virtual bool OnCommand(WORD id) = 0;

    HWND Handle() const { return m_hwnd; }
    void End(INT_PTR result) const { EndDialog(m_hwnd, result); }
    // The whole text of a control: its length first, then the text with room
    // for the terminator. Empty when the control cannot be found. `complete`
    // tells whether as many characters came back as the length announced.
    std::string ItemText(int id, bool* complete = nullptr) const;

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam);

    UINT m_templateId;
    HWND m_hwnd = nullptr;
};
