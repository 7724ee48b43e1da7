#pragma once

#include "views/win/backend/AccessibilityHost.h"

#include <QAccessible>
#include <QObject>

namespace kwin::qt {

// The bridge from the layer's accessibility to Qt's, which speaks AT-SPI
// on Linux: a factory gives each window's widget an interface that reads
// the window's object, and the events windows announce become Qt's
// accessibility events, passed on only when a client listens and only when
// they change what it was told.
class CQtAccessibility final : public QObject, public IAccessibilityHost {
public:
    // Installs the factory and the host; once.
    static void Install();

    bool IsActive() override;
    void WinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild) override;

protected:
    // The toolkit tells clients its focus went to a window's widget; the
    // layer's focus within it follows, once the toolkit is done.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QAccessibleInterface* Factory(const QString& key, QObject* object);
    static void AnnounceFocus(HWND hwnd, LONG child);
    static void AnnounceText(QAccessibleInterface* target, QAccessible::Text t);
    static void AnnounceState(QAccessibleInterface* target);
    static void AnnounceReorder(HWND hwnd);
    static void AnnounceValue(HWND hwnd);
    static void AnnounceCaret(HWND hwnd);
    static void AnnounceTextSelection(HWND hwnd);
    static void Announce(QAccessibleInterface* target, QAccessible::Event event);
};

} // namespace kwin::qt
