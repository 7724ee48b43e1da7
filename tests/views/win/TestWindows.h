#pragma once

// What the windowing tests share beyond the message log: a class registered
// for a test's own window procedure, and the logged messages of one kind.

#include "tests/support/MessageLog.h"

#include <set>
#include <vector>

namespace wintest {

// Registers a class with the button-face background; registering a name
// again fails and leaves the first registration in place.
inline LPCSTR TestClass(LPCSTR name, WNDPROC proc) {
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = name;
    RegisterClassEx(&wc);
    return name;
}

// The logged messages of the given kinds, in order, as a log of their own.
inline MessageLog Only(const std::set<UINT>& messages) {
    MessageLog out;
    for (const auto& r : Log().Entries()) {
        if (messages.count(r.message) != 0) {
            out.Add(r.hwnd, r.message, r.wParam, r.lParam);
        }
    }
    return out;
}

// The wParams of the logged messages of one kind, in order.
inline std::vector<WPARAM> WParamsOf(UINT message) {
    std::vector<WPARAM> out;
    for (const auto& r : Only({message}).Take()) {
        out.push_back(r.wParam);
    }
    return out;
}

} // namespace wintest
