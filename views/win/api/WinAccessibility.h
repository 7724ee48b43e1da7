#pragma once

// Accessibility, as the platform's Active Accessibility has it: a window
// answers WM_GETOBJECT with its accessible object, and tells listening
// clients what changed with NotifyWinEvent. The names and numbers are the
// platform's; the object itself is the layer's C++ interface
// (views/win/accessibility/IAccessibleObject.h), not a COM object.

#include "views/win/api/WinTypes.h"

namespace kwin {
class IAccessibleObject;
}

// wParam: flags (unused), lParam: the object id. The answer to OBJID_CLIENT
// is LresultFromObject of the window's object, which the window owns and
// keeps until it is destroyed; 0 for any other id.
constexpr UINT WM_GETOBJECT = 0x003D;

// Object ids.
constexpr LONG OBJID_WINDOW = 0;
constexpr LONG OBJID_CARET = -8;
constexpr LONG OBJID_CLIENT = -4;
// The object itself rather than one of its children.
constexpr LONG CHILDID_SELF = 0;

// Events.
constexpr DWORD EVENT_SYSTEM_ALERT = 0x0002;
constexpr DWORD EVENT_OBJECT_REORDER = 0x8004;
constexpr DWORD EVENT_OBJECT_FOCUS = 0x8005;
constexpr DWORD EVENT_OBJECT_SELECTION = 0x8006;
constexpr DWORD EVENT_OBJECT_SELECTIONWITHIN = 0x8009;
constexpr DWORD EVENT_OBJECT_STATECHANGE = 0x800A;
constexpr DWORD EVENT_OBJECT_LOCATIONCHANGE = 0x800B;
constexpr DWORD EVENT_OBJECT_NAMECHANGE = 0x800C;
constexpr DWORD EVENT_OBJECT_DESCRIPTIONCHANGE = 0x800D;
constexpr DWORD EVENT_OBJECT_VALUECHANGE = 0x800E;
constexpr DWORD EVENT_OBJECT_TEXTSELECTIONCHANGED = 0x8014;

// Roles.
constexpr LONG ROLE_SYSTEM_ALERT = 0x08;
constexpr LONG ROLE_SYSTEM_WINDOW = 0x09;
constexpr LONG ROLE_SYSTEM_CLIENT = 0x0A;
constexpr LONG ROLE_SYSTEM_DIALOG = 0x12;
constexpr LONG ROLE_SYSTEM_GROUPING = 0x14;
constexpr LONG ROLE_SYSTEM_TOOLBAR = 0x16;
constexpr LONG ROLE_SYSTEM_STATUSBAR = 0x17;
constexpr LONG ROLE_SYSTEM_TABLE = 0x18;
constexpr LONG ROLE_SYSTEM_COLUMNHEADER = 0x19;
constexpr LONG ROLE_SYSTEM_CELL = 0x1D;
constexpr LONG ROLE_SYSTEM_GRAPHIC = 0x28;
constexpr LONG ROLE_SYSTEM_STATICTEXT = 0x29;
constexpr LONG ROLE_SYSTEM_TEXT = 0x2A;
constexpr LONG ROLE_SYSTEM_PUSHBUTTON = 0x2B;

// States.
constexpr DWORD STATE_SYSTEM_NORMAL = 0;
constexpr DWORD STATE_SYSTEM_UNAVAILABLE = 0x00000001;
constexpr DWORD STATE_SYSTEM_SELECTED = 0x00000002;
constexpr DWORD STATE_SYSTEM_FOCUSED = 0x00000004;
constexpr DWORD STATE_SYSTEM_PRESSED = 0x00000008;
constexpr DWORD STATE_SYSTEM_CHECKED = 0x00000010;
constexpr DWORD STATE_SYSTEM_READONLY = 0x00000040;
constexpr DWORD STATE_SYSTEM_DEFAULT = 0x00000100;
constexpr DWORD STATE_SYSTEM_INVISIBLE = 0x00008000;
constexpr DWORD STATE_SYSTEM_FOCUSABLE = 0x00100000;
constexpr DWORD STATE_SYSTEM_SELECTABLE = 0x00200000;
// Ours, beyond the platform's bits: the object's content breaks a rule (a
// board cell in the unit a check found repeating a digit).
constexpr DWORD STATE_KALMORA_INVALIDENTRY = 0x80000000;

// Tells listening clients that an object changed: the window's own object
// (idObject OBJID_CLIENT or OBJID_WINDOW, idChild CHILDID_SELF), one of its
// children (idChild from 1), or its caret (OBJID_CARET). Returns at once
// when no client listens.
void NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild);
// Whether a client listens for events: callers check it before working out
// what to announce. Every event is delivered alike, so the event is not
// looked at.
BOOL IsWinEventHookInstalled(DWORD event);

// The pointer WM_GETOBJECT answers with, and back.
LRESULT LresultFromObject(kwin::IAccessibleObject* object);
kwin::IAccessibleObject* ObjectFromLresult(LRESULT result);
// The window's object, asked for with WM_GETOBJECT; nullptr for none.
kwin::IAccessibleObject* AccessibleObjectFromWindow(HWND hwnd);
