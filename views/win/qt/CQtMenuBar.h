#pragma once

#include "views/win/api/WinTypes.h"

#include <QMenuBar>

class QMenu;

namespace kwin::qt {

// The menu bar of a top-level window, built from the window's menu data. It
// sits above the client area, in the window widget's top margin; items with
// MFT_RIGHTJUSTIFY go to a second bar in the right corner. Each popup is
// rebuilt from the data after WM_INITMENUPOPUP, just before it opens, so the
// states the owner sets then are the ones shown; a choice posts WM_COMMAND.
// The keyboard reaches it only through the window (F10, Alt alone or
// Alt+mnemonic become WM_SYSCOMMAND SC_KEYMENU there), so the accelerators
// and the window's own keys come first; once selected, the bar and its
// popups take the arrows, Enter, Esc and the mnemonics. However the menus
// are left, the keyboard goes back to the window.
class CQtMenuBar : public QMenuBar {
public:
    CQtMenuBar(HWND owner, QWidget* windowWidget);

    // Shows the window's current menu (or removes the bar when it has none).
    static void Update(HWND owner);
    // Selects the window's first menu (key 0) or opens the menu whose
    // mnemonic key is, with its first item selected.
    static void EnterByKey(HWND owner, char32_t key);

    HWND Owner() const { return m_owner; }
    QMenuBar* RightBar() const { return m_rightBar; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Rebuild(HMENU menu);
    QMenu* AddPopup(QMenuBar* bar, HMENU popup, int index, const QString& text);
    void FillPopup(QMenu* menu, HMENU popup);
    void Place();
    void EnterKeyboardMode();
    void OpenMenu(QAction* top);
    bool CrossBetweenBars(int key);
    void CloseOpenMenu();
    bool LeaveWithRightBar(QEvent* event);
    void ReturnKeyboardIfLeft();

    HWND m_owner;
    QWidget* m_window;
    QMenuBar* m_rightBar;
    bool m_passingEscape = false;
};

} // namespace kwin::qt
