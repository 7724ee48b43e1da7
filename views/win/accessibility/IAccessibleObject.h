#pragma once

#include "views/win/api/WinAccessibility.h"

#include <string>

namespace kwin {

class IAccessibleTable;
class IAccessibleText;

// One object of a window's accessible tree: the window's own object
// (CHILDID_SELF) or one of the window's virtual children.
struct AccessibleRef {
    HWND window = nullptr; // nullptr: no object
    LONG child = CHILDID_SELF;

    friend bool operator==(const AccessibleRef&, const AccessibleRef&) = default;
};

// What a window's WM_GETOBJECT hands out: the layer's counterpart of the
// platform's IAccessible. Every query names the object asked about:
// CHILDID_SELF for the window's object itself, 1 to ChildCount() for its
// virtual children (parts that are no windows: cells, buttons of a strip,
// panes). Child windows are objects of their own and not counted here.
// Texts are UTF-8; locations are screen rectangles.
class IAccessibleObject {
public:
    virtual ~IAccessibleObject() = default;

    virtual LONG Role(LONG child) const = 0;
    virtual std::string Name(LONG child) const = 0;
    virtual std::string Description(LONG /*child*/) const { return {}; }
    virtual std::string Value(LONG /*child*/) const { return {}; }
    // STATE_SYSTEM_* bits, and the layer's STATE_KALMORA_* ones.
    virtual DWORD State(LONG child) const = 0;
    virtual RECT Location(LONG child) const = 0;
    virtual LONG ChildCount() const { return 0; }
    // Where the keyboard focus is within this object: the object itself, one
    // of its children, the object of another window the keys reach through
    // this one, or nowhere (a null window).
    virtual AccessibleRef Focus() const = 0;
    // The action a client can take on an object ("Press"), empty for none,
    // and taking it: false when there is none.
    virtual std::string DefaultAction(LONG /*child*/) const { return {}; }
    virtual bool DoDefaultAction(LONG /*child*/) { return false; }
    // The object's further interfaces; nullptr where it has none.
    virtual IAccessibleTable* AsTable() { return nullptr; }
    virtual IAccessibleText* AsText() { return nullptr; }
};

} // namespace kwin
