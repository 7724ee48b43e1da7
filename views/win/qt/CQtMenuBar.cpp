#include "views/win/qt/CQtMenuBar.h"

#include "views/win/Win32.h"
#include "views/win/backend/Backend.h"
#include "views/win/qt/CQtMenu.h"
#include "views/win/qt/CQtMenuStyle.h"
#include "views/win/qt/MenuMnemonics.h"
#include "views/win/qt/QtBackend.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMenu>

namespace kwin::qt {
namespace {

struct ItemData {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU sub = nullptr;
    QString text;
};

ItemData ReadItem(HMENU menu, int position) {
    char buffer[512] = {};
    MENUITEMINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = sizeof(buffer);
    GetMenuItemInfo(menu, static_cast<UINT>(position), TRUE, &info);
    return {info.fType, info.fState, info.wID, info.hSubMenu, QString::fromUtf8(buffer)};
}

CQtMenuBar* BarOf(QWidget* window) {
    return window != nullptr ? window->findChild<CQtMenuBar*>(QString(), Qt::FindDirectChildrenOnly)
                             : nullptr;
}

bool IsAltKey(const QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Alt || key == Qt::Key_Meta;
}

} // namespace

CQtMenuBar::CQtMenuBar(HWND owner, QWidget* windowWidget)
    : QMenuBar(windowWidget), m_owner(owner), m_window(windowWidget),
      m_rightBar(new QMenuBar(this)) {
    setNativeMenuBar(false);
    m_rightBar->setNativeMenuBar(false);
    setCornerWidget(m_rightBar, Qt::TopRightCorner);
    // The right bar would take Alt alone for itself; the keyboard enters
    // the menus through this bar only.
    m_window->removeEventFilter(m_rightBar);
    m_rightBar->installEventFilter(this);
    setFixedHeight(GetSystemMetrics(SM_CYMENU));
    auto* style = new CQtMenuStyle;
    style->setParent(this);
    setStyle(style);
    m_rightBar->setStyle(style);
    m_window->installEventFilter(this);
}

void CQtMenuBar::Update(HWND owner) {
    QWidget* window = WidgetOf(owner);
    if (window == nullptr || !window->isWindow()) {
        return;
    }
    HMENU menu = GetMenu(owner);
    CQtMenuBar* bar = BarOf(window);
    if (menu == nullptr) {
        if (bar != nullptr) {
            window->removeEventFilter(bar);
            delete bar;
        }
        window->setContentsMargins(0, 0, window->contentsMargins().right(),
                                   window->contentsMargins().bottom());
        return;
    }
    if (bar == nullptr) {
        bar = new CQtMenuBar(owner, window);
    }
    const QMargins margins = window->contentsMargins();
    window->setContentsMargins(0, GetSystemMetrics(SM_CYMENU), margins.right(), margins.bottom());
    bar->Rebuild(menu);
    bar->Place();
    bar->show();
}

void CQtMenuBar::EnterByKey(HWND owner, char32_t key) {
    CQtMenuBar* bar = BarOf(WidgetOf(owner));
    if (bar == nullptr || !bar->isVisible() || QApplication::activePopupWidget() != nullptr) {
        return;
    }
    if (key == 0) {
        bar->EnterKeyboardMode();
        return;
    }
    if (key > 0xFFFF) {
        return;
    }
    const QList<QAction*> all = bar->actions() + bar->m_rightBar->actions();
    const QList<QAction*> matches = ActionsForMnemonic(all, QChar(static_cast<char16_t>(key)));
    if (!matches.isEmpty()) {
        bar->EnterKeyboardMode();
        bar->OpenMenu(matches.first());
    }
}

bool CQtMenuBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::Resize) {
        Place();
    }
    // Alt alone reaches the bar as a message of the window, not from Qt.
    if (IsAltKey(event)) {
        return false;
    }
    // Left and Right from the right bar's menu go on to this bar's menus.
    if (watched == m_rightBar && event->type() == QEvent::KeyPress &&
        (CrossBetweenBars(static_cast<QKeyEvent*>(event)->key()) || LeaveWithRightBar(event))) {
        return true;
    }
    return QMenuBar::eventFilter(watched, event);
}

// Qt selects the bar's first menu when Alt is pressed and released alone
// over the window; the same two events, handed to it here, do it for F10.
void CQtMenuBar::EnterKeyboardMode() {
    if (QApplication::focusWidget() == this) {
        return;
    }
    // As the desktop reports it: the modifiers from before the press.
    QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QMenuBar::eventFilter(m_window, &press);
    QMenuBar::eventFilter(m_window, &release);
}

void CQtMenuBar::keyPressEvent(QKeyEvent* event) {
    if (CrossBetweenBars(event->key())) {
        event->accept();
    } else if (!IsMnemonicKey(event)) {
        QMenuBar::keyPressEvent(event);
    } else {
        const QList<QAction*> all = actions() + m_rightBar->actions();
        const QList<QAction*> matches = ActionsForMnemonic(all, event->text()[0]);
        if (QAction* next = NextMnemonicMatch(matches, activeAction())) {
            CloseOpenMenu();
            OpenMenu(next);
        }
        event->accept();
    }
    ReturnKeyboardIfLeft();
}

// The menus of both bars form one row, as on the platform: Right from the
// last menu of this bar opens the right bar's first, Left from this bar's
// first wraps to the right bar's last, and from the right bar the arrows
// come back to this bar.
bool CQtMenuBar::CrossBetweenBars(int key) {
    const QList<QAction*> left = actions();
    const QList<QAction*> right = m_rightBar->actions();
    if (left.isEmpty() || right.isEmpty() || (key != Qt::Key_Left && key != Qt::Key_Right)) {
        return false;
    }
    const bool forward = key == Qt::Key_Right;
    QAction* target = nullptr;
    if (activeAction() != nullptr) {
        if (activeAction() == (forward ? left.last() : left.first())) {
            target = forward ? right.first() : right.last();
        }
    } else if (m_rightBar->activeAction() != nullptr) {
        const QAction* current = m_rightBar->activeAction();
        if (current == (forward ? right.last() : right.first())) {
            target = forward ? left.first() : left.last();
        }
    }
    if (target == nullptr) {
        return false;
    }
    CloseOpenMenu();
    OpenMenu(target);
    return true;
}

// Esc that makes the right bar give the keyboard back to this bar leaves
// this bar too, so one Esc leaves the menus from either part.
bool CQtMenuBar::LeaveWithRightBar(QEvent* event) {
    if (m_passingEscape || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) {
        return false;
    }
    m_passingEscape = true;
    QCoreApplication::sendEvent(m_rightBar, event);
    m_passingEscape = false;
    if (QApplication::focusWidget() == this && QApplication::activePopupWidget() == nullptr) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QMenuBar::keyPressEvent(&escape);
    }
    ReturnKeyboardIfLeft();
    return true;
}

// A Qt bar gives the keyboard back, as it leaves its keyboard mode, to the
// widget it took it from. It forgets that widget when it loses the focus to
// a popup of the other bar that had been open before (such a popup takes the
// focus before the bar hears of it), and it keeps the focus itself when it is
// selected again and left. So once no popup is open and neither bar has a
// menu selected, the keyboard goes back from the bars to the window, which
// holds it for all its children.
void CQtMenuBar::ReturnKeyboardIfLeft() {
    if (QApplication::activePopupWidget() != nullptr || activeAction() != nullptr ||
        m_rightBar->activeAction() != nullptr) {
        return;
    }
    QWidget* focus = QApplication::focusWidget();
    if (focus == this || focus == m_rightBar) {
        m_window->setFocus(Qt::MenuBarFocusReason);
    }
}

void CQtMenuBar::CloseOpenMenu() {
    for (QMenuBar* bar : {static_cast<QMenuBar*>(this), m_rightBar}) {
        if (QAction* current = bar->activeAction(); current != nullptr && current->menu()) {
            current->menu()->hide();
        }
    }
}

void CQtMenuBar::OpenMenu(QAction* top) {
    if (!top->isEnabled()) {
        return;
    }
    QMenuBar* bar = m_rightBar->actions().contains(top) ? m_rightBar : this;
    bar->setActiveAction(top);
    // Down selects the first item that is not grayed, without opening it.
    QMenu* popup = top->menu();
    if (popup != nullptr && popup->isVisible() && popup->activeAction() == nullptr) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QCoreApplication::sendEvent(popup, &down);
    }
}

void CQtMenuBar::Place() {
    setGeometry(0, 0, m_window->width(), GetSystemMetrics(SM_CYMENU));
    raise();
}

void CQtMenuBar::Rebuild(HMENU menu) {
    clear();
    m_rightBar->clear();
    for (QMenu* old : findChildren<QMenu*>()) {
        old->deleteLater();
    }
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const ItemData item = ReadItem(menu, i);
        QMenuBar* target = (item.type & MFT_RIGHTJUSTIFY) ? m_rightBar : this;
        if (item.sub != nullptr) {
            AddPopup(target, item.sub, i, item.text)->setEnabled(!(item.state & MFS_GRAYED));
        } else if (!(item.type & MFT_SEPARATOR)) {
            QAction* action = target->addAction(item.text);
            action->setEnabled(!(item.state & MFS_GRAYED));
            const HWND owner = m_owner;
            const UINT id = item.id;
            connect(action, &QAction::triggered, [owner, id] { MenuCommandChosen(owner, id); });
        }
    }
    m_rightBar->adjustSize();
}

QMenu* CQtMenuBar::AddPopup(QMenuBar* bar, HMENU popup, int index, const QString& text) {
    QMenu* menu = new CQtMenu(text, bar);
    bar->addMenu(menu);
    const HWND owner = m_owner;
    connect(menu, &QMenu::aboutToShow, this, [this, menu, popup, owner, index] {
        MenuPopupOpening(owner, popup, index, true);
        FillPopup(menu, popup);
    });
    // A click outside closes the menus without a key or a command; the bar
    // has settled by the time this runs.
    connect(menu, &QMenu::aboutToHide, this, &CQtMenuBar::ReturnKeyboardIfLeft,
            Qt::QueuedConnection);
    return menu;
}

void CQtMenuBar::FillPopup(QMenu* menu, HMENU popup) {
    menu->clear();
    for (QMenu* old : menu->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        old->deleteLater();
    }
    if (!IsMenu(popup)) {
        return;
    }
    const int count = GetMenuItemCount(popup);
    const HWND owner = m_owner;
    for (int i = 0; i < count; ++i) {
        const ItemData item = ReadItem(popup, i);
        if (item.type & MFT_SEPARATOR) {
            menu->addSeparator();
            continue;
        }
        if (item.sub != nullptr) {
            QMenu* sub = new CQtMenu(item.text, menu);
            menu->addMenu(sub)->setEnabled(!(item.state & MFS_GRAYED));
            const HMENU subMenu = item.sub;
            connect(sub, &QMenu::aboutToShow, this, [this, sub, subMenu, owner, i] {
                MenuPopupOpening(owner, subMenu, i, false);
                FillPopup(sub, subMenu);
            });
            continue;
        }
        QAction* action = menu->addAction(item.text);
        action->setEnabled(!(item.state & MFS_GRAYED));
        action->setCheckable((item.state & MFS_CHECKED) || (item.type & MFT_RADIOCHECK));
        action->setChecked((item.state & MFS_CHECKED) != 0);
        if (item.state & MFS_DEFAULT) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
        }
        const UINT id = item.id;
        // The menus have closed by then: the keyboard is back before the command runs.
        connect(action, &QAction::triggered, this, [this, owner, id] {
            ReturnKeyboardIfLeft();
            MenuCommandChosen(owner, id);
        });
    }
}

} // namespace kwin::qt
