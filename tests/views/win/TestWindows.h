#pragma once

// What the windowing tests share beyond the message log: a class registered
// for a test's own window procedure, and the logged messages of one kind.

#include "tests/support/MessageLog.h"

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

// The logged messages of one kind, in order.
inline std::vector<Recorded> EntriesOf(UINT message) {
    std::vector<Recorded> out;
    for (const auto& r : Log().Entries()) {
        if (r.message == message) {
            out.push_back(r);
        }
    }
    return out;
}

// Their wParams.
inline std::vector<WPARAM> WParamsOf(UINT message) {
    std::vector<WPARAM> out;
    for (const auto& r : EntriesOf(message)) {
        out.push_back(r.wParam);
    }
    return out;
}

} // namespace wintest
