#pragma once

// Qt's accessibility as a screen reader sees it, headless: an update handler
// in the place of the platform's bridge records every event with what its
// object said at that moment, and helpers walk the interfaces a client walks.

#include "views/win/qt/QtBackend.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wintest {

struct HeardEvent {
    QAccessible::Event type;
    QAccessible::Role role;
    std::string name;
    std::string description;
};

class AccessibleRecorder {
public:
    AccessibleRecorder() {
        Current() = this;
        QAccessible::installUpdateHandler(&Record);
    }
    ~AccessibleRecorder() {
        QAccessible::installUpdateHandler(nullptr);
        Current() = nullptr;
    }
    AccessibleRecorder(const AccessibleRecorder&) = delete;
    AccessibleRecorder& operator=(const AccessibleRecorder&) = delete;

    void Clear() { m_heard.clear(); }
    // The names of the objects events of one type were about, in order; of
    // objects of one role only, unless it is NoRole.
    std::vector<std::string> Names(QAccessible::Event type,
                                   QAccessible::Role role = QAccessible::NoRole) const {
        std::vector<std::string> names;
        for (const HeardEvent& e : m_heard) {
            if (e.type == type && (role == QAccessible::NoRole || e.role == role)) {
                names.push_back(e.name);
            }
        }
        return names;
    }
    const std::vector<HeardEvent>& Heard() const { return m_heard; }

private:
    static AccessibleRecorder*& Current() {
        static AccessibleRecorder* current = nullptr;
        return current;
    }
    static void Record(QAccessibleEvent* event) {
        QAccessibleInterface* object = event->accessibleInterface();
        if (Current() == nullptr || object == nullptr) {
            return;
        }
        Current()->m_heard.push_back({event->type(), object->role(),
                                      object->text(QAccessible::Name).toStdString(),
                                      object->text(QAccessible::Description).toStdString()});
    }

    std::vector<HeardEvent> m_heard;
};

inline QAccessibleInterface* AccessibleOf(HWND hwnd) {
    return QAccessible::queryAccessibleInterface(kwin::qt::WidgetOf(hwnd));
}

inline std::string NameOf(QAccessibleInterface* object) {
    return object != nullptr ? object->text(QAccessible::Name).toStdString() : "(none)";
}

// The first object under root, depth first, with the role (and the name,
// unless empty).
inline QAccessibleInterface* FindAccessible(QAccessibleInterface* root, QAccessible::Role role,
                                            const std::string& name = {}) {
    for (int i = 0; root != nullptr && i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (child != nullptr && child->role() == role && (name.empty() || NameOf(child) == name)) {
            return child;
        }
        if (QAccessibleInterface* below = FindAccessible(child, role, name)) {
            return below;
        }
    }
    return nullptr;
}

// The names of an object's children, in order.
inline std::vector<std::string> ChildNames(QAccessibleInterface* object) {
    std::vector<std::string> names;
    for (int i = 0; object != nullptr && i < object->childCount(); ++i) {
        names.push_back(NameOf(object->child(i)));
    }
    return names;
}

// The object the focus is on, as a client follows it down from root.
inline QAccessibleInterface* DeepestFocus(QAccessibleInterface* root) {
    QAccessibleInterface* focus = root != nullptr ? root->focusChild() : nullptr;
    return focus != nullptr ? focus : root;
}

inline void Press(QAccessibleInterface* object) {
    ASSERT_NE(object, nullptr);
    ASSERT_NE(object->actionInterface(), nullptr) << NameOf(object);
    object->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace wintest
