#include "views/win/qt/CQtMenuStyle.h"

namespace kwin::qt {

int CQtMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_MenuBar_AltKeyNavigation) {
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace kwin::qt
