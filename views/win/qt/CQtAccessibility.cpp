#include "views/win/qt/CQtAccessibility.h"

#include "views/win/Win32.h"
#include "views/win/qt/CQtAccessibleChild.h"
#include "views/win/qt/CQtAccessibleText.h"
#include "views/win/qt/CQtAccessibleWindow.h"
#include "views/win/qt/CQtWindowPeer.h"
#include "views/win/qt/QtBackend.h"

#include <QApplication>
#include <QTimer>

namespace kwin::qt {
namespace {

CQtReported* ReportedOf(QAccessibleInterface* target) {
    if (auto* window = dynamic_cast<CQtAccessibleWindow*>(target)) {
        return &window->Reported();
    }
    if (auto* child = dynamic_cast<CQtAccessibleChild*>(target)) {
        return &child->Reported();
    }
    return nullptr;
}

QAccessibleInterface* TargetOf(HWND hwnd, LONG child) {
    return InterfaceOf(AccessibleRef{hwnd, child});
}

// A window's interface and its text, when it has one.
std::pair<CQtAccessibleWindow*, QAccessibleTextInterface*> TextOf(HWND hwnd) {
    CQtAccessibleWindow* window = WindowInterface(hwnd);
    return {window, window != nullptr ? window->textInterface() : nullptr};
}

QAccessible::UpdateHandler InstalledUpdateHandler() {
    const QAccessible::UpdateHandler handler = QAccessible::installUpdateHandler(nullptr);
    QAccessible::installUpdateHandler(handler);
    return handler;
}

// A client listens through the platform's bridge, or through an update
// handler installed in the bridge's place. Qt passes events on only while a
// bridge is active, and a platform without one (offscreen, in tests) has
// none: there the handler gets them straight.
void Deliver(QAccessibleEvent& event) {
    if (QAccessible::isActive()) {
        QAccessible::updateAccessibility(&event);
    } else if (const QAccessible::UpdateHandler handler = InstalledUpdateHandler()) {
        handler(&event);
    }
}

// The first place where two texts differ, and how much of their ends match.
std::pair<qsizetype, qsizetype> CommonEnds(const QString& a, const QString& b) {
    qsizetype prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
        ++suffix;
    }
    return {prefix, suffix};
}

} // namespace

void CQtAccessibility::Install() {
    static CQtAccessibility* installed = nullptr;
    if (installed != nullptr) {
        return;
    }
    // Kept for the life of the process, like the backend.
    installed = new CQtAccessibility;
    QAccessible::installFactory(&CQtAccessibility::Factory);
    qApp->installEventFilter(installed);
    InstallAccessibilityHost(installed);
}

QAccessibleInterface* CQtAccessibility::Factory(const QString&, QObject* object) {
    auto* widget = dynamic_cast<CQtWindowWidget*>(object);
    return widget != nullptr ? new CQtAccessibleWindow(widget, widget->Hwnd()) : nullptr;
}

bool CQtAccessibility::IsActive() {
    return QAccessible::isActive() || InstalledUpdateHandler() != nullptr;
}

void CQtAccessibility::WinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild) {
    if (WidgetOf(hwnd) == nullptr) {
        return;
    }
    switch (event) {
    case EVENT_OBJECT_FOCUS:
        AnnounceFocus(hwnd, idChild);
        break;
    case EVENT_OBJECT_NAMECHANGE:
        AnnounceText(TargetOf(hwnd, idChild), QAccessible::Name);
        break;
    case EVENT_OBJECT_DESCRIPTIONCHANGE:
        AnnounceText(TargetOf(hwnd, idChild), QAccessible::Description);
        break;
    case EVENT_OBJECT_STATECHANGE:
        AnnounceState(TargetOf(hwnd, idChild));
        break;
    case EVENT_OBJECT_SELECTION:
        Announce(TargetOf(hwnd, idChild), QAccessible::Selection);
        break;
    case EVENT_OBJECT_SELECTIONWITHIN:
        Announce(TargetOf(hwnd, CHILDID_SELF), QAccessible::SelectionWithin);
        break;
    case EVENT_OBJECT_REORDER:
        AnnounceReorder(hwnd);
        break;
    case EVENT_OBJECT_VALUECHANGE:
        AnnounceValue(hwnd);
        break;
    case EVENT_OBJECT_LOCATIONCHANGE:
        if (idObject == OBJID_CARET) {
            AnnounceCaret(hwnd);
        }
        break;
    case EVENT_OBJECT_TEXTSELECTIONCHANGED:
        AnnounceTextSelection(hwnd);
        break;
    case EVENT_SYSTEM_ALERT:
        Announce(TargetOf(hwnd, idChild), QAccessible::Alert);
        break;
    default:
        break;
    }
}

void CQtAccessibility::Announce(QAccessibleInterface* target, QAccessible::Event event) {
    if (target != nullptr) {
        QAccessibleEvent qtEvent(target, event);
        Deliver(qtEvent);
    }
}

// The focus lands on the deepest object holding it: a window that passes
// its keys to a child window, or a table whose selected cell has it.
void CQtAccessibility::AnnounceFocus(HWND hwnd, LONG child) {
    QAccessibleInterface* target = TargetOf(hwnd, child);
    if (target == nullptr) {
        return;
    }
    if (child == CHILDID_SELF) {
        if (QAccessibleInterface* deeper = target->focusChild()) {
            target = deeper;
        }
    }
    Announce(target, QAccessible::Focus);
}

void CQtAccessibility::AnnounceText(QAccessibleInterface* target, QAccessible::Text t) {
    CQtReported* reported = ReportedOf(target);
    if (reported == nullptr) {
        return;
    }
    // Reading the text through the interface records it as reported, so
    // the comparison is made with a copy taken before.
    CQtReported before = *reported;
    const QString now = target->text(t);
    if (before.TextChanged(t, now)) {
        Announce(target, t == QAccessible::Name ? QAccessible::NameChanged
                                                : QAccessible::DescriptionChanged);
    }
}

void CQtAccessibility::AnnounceState(QAccessibleInterface* target) {
    CQtReported* reported = ReportedOf(target);
    if (reported == nullptr) {
        return;
    }
    CQtReported before = *reported;
    const QAccessible::State changed = before.StateChanges(target->state());
    if (changed != QAccessible::State()) {
        QAccessibleStateChangeEvent qtEvent(target, changed);
        Deliver(qtEvent);
    }
}

void CQtAccessibility::AnnounceReorder(HWND hwnd) {
    CQtAccessibleWindow* window = WindowInterface(hwnd);
    if (window == nullptr) {
        return;
    }
    window->ForgetChildren();
    if (window->tableInterface() != nullptr) {
        QAccessibleTableModelChangeEvent qtEvent(window,
                                                 QAccessibleTableModelChangeEvent::ModelReset);
        Deliver(qtEvent);
    } else {
        Announce(window, QAccessible::ObjectReorder);
    }
}

// The text's change as a client wants it: where it is, what went, what came.
void CQtAccessibility::AnnounceValue(HWND hwnd) {
    const auto [window, text] = TextOf(hwnd);
    if (text == nullptr) {
        return;
    }
    const QString now = text->text(0, -1);
    const QString before = window->Reported().SwapContent(now);
    if (before == now) {
        return;
    }
    const auto [prefix, suffix] = CommonEnds(before, now);
    const QString removed = before.mid(prefix, before.size() - prefix - suffix);
    const QString inserted = now.mid(prefix, now.size() - prefix - suffix);
    const int position = static_cast<int>(prefix);
    if (removed.isEmpty()) {
        QAccessibleTextInsertEvent qtEvent(window, position, inserted);
        Deliver(qtEvent);
    } else if (inserted.isEmpty()) {
        QAccessibleTextRemoveEvent qtEvent(window, position, removed);
        Deliver(qtEvent);
    } else {
        QAccessibleTextUpdateEvent qtEvent(window, position, removed, inserted);
        Deliver(qtEvent);
    }
}

void CQtAccessibility::AnnounceCaret(HWND hwnd) {
    const auto [window, text] = TextOf(hwnd);
    if (text == nullptr) {
        return;
    }
    const int caret = text->cursorPosition();
    if (window->Reported().CaretChanged(caret)) {
        QAccessibleTextCursorEvent qtEvent(window, caret);
        Deliver(qtEvent);
    }
}

void CQtAccessibility::AnnounceTextSelection(HWND hwnd) {
    const auto [window, text] = TextOf(hwnd);
    if (text == nullptr) {
        return;
    }
    int from = 0;
    int to = 0;
    text->selection(0, &from, &to);
    if (window->Reported().SelectionChanged(from, to)) {
        QAccessibleTextSelectionEvent qtEvent(window, from, to);
        Deliver(qtEvent);
    }
}

bool CQtAccessibility::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && IsActive()) {
        if (auto* widget = dynamic_cast<CQtWindowWidget*>(watched)) {
            QTimer::singleShot(0, widget, [] {
                if (const HWND focus = GetFocus()) {
                    NotifyWinEvent(EVENT_OBJECT_FOCUS, focus, OBJID_CLIENT, CHILDID_SELF);
                }
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kwin::qt
