#include "views/win/qt/CQtMenuStyle.h"

#include <QStyleOptionMenuItem>
#include <QWidget>

namespace kwin::qt {

int CQtMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_MenuBar_AltKeyNavigation) {
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void CQtMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    const bool keyboardSelected = element == CE_MenuBarItem && item != nullptr &&
                                  (item->state & State_Selected) && widget != nullptr &&
                                  widget->hasFocus();
    if (keyboardSelected) {
        // Styles highlight a bar's menu while it is open (sunken) only.
        QStyleOptionMenuItem open = *item;
        open.state |= State_Sunken;
        QProxyStyle::drawControl(element, &open, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

} // namespace kwin::qt
