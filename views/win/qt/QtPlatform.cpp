#include "views/win/qt/QtPlatform.h"

#include <QGuiApplication>

#include <optional>

namespace kwin::qt {
namespace {

std::optional<bool>& Manages() {
    static std::optional<bool> manages;
    return manages;
}

} // namespace

bool DesktopManagesWindows() {
    if (Manages()) {
        return *Manages();
    }
    // "wayland", or a variant such as "wayland-egl".
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void SetDesktopManagesWindows(bool manages) {
    Manages() = manages;
}

} // namespace kwin::qt
