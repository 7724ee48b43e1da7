#pragma once

#include <QProxyStyle>

namespace kwin::qt {

// The style of a window's menu bar: the application's style, with the bar
// worked from the keyboard as on the platform (Up, Down and Enter open the
// selected menu once F10 or Alt has selected it), and the menu the keyboard
// selected drawn highlighted even before it opens.
class CQtMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

} // namespace kwin::qt
