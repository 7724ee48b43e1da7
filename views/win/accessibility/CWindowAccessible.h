#pragma once

#include "views/win/accessibility/IAccessibleObject.h"

namespace kwin {

// The standard object of a window, made from what the layer knows of it:
// the role it is given, its text as the name (without the mnemonic's "&"),
// its enabled, visible and focus states and its rectangle. The controls'
// objects build on it; DefWindowProc answers WM_GETOBJECT with one.
class CWindowAccessible : public IAccessibleObject {
public:
    explicit CWindowAccessible(HWND hwnd, LONG role = ROLE_SYSTEM_CLIENT);

    LONG Role(LONG child) const override;
    std::string Name(LONG child) const override;
    DWORD State(LONG child) const override;
    RECT Location(LONG child) const override;
    AccessibleRef Focus() const override;

    // A window that keeps the keyboard for a child window (the child gets the
    // keys through it) reports that child's object as its focus.
    void SetFocusDelegate(HWND child) { m_focusDelegate = child; }

    // A text shown with mnemonics as it reads: "&&" is "&", a lone "&" goes.
    static std::string WithoutMnemonic(const std::string& text);
    static std::string WindowText(HWND hwnd);
    // Unavailable, invisible and focused, as the window is.
    static DWORD WindowState(HWND hwnd);
    static RECT ScreenRect(HWND hwnd);
    // The label of a control that shows no name of its own: the text of the
    // "STATIC" just before it in its parent's tab order, as it reads.
    static std::string LabelOf(HWND hwnd);

protected:
    HWND Hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd;
    LONG m_role;
    HWND m_focusDelegate = nullptr;
};

} // namespace kwin
