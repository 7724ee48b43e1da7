#pragma once

// Records the messages windows receive, in order, and compares the record
// with a table of expected messages (the idea of Wine's message tests): each
// entry names the message and, when asked, its exact parameters; optional
// entries may be missing. The first mismatch is reported. Messages whose
// lParam points at a text valid only during the call can have the text copied
// into the record (CaptureText).

#include "views/win/Win32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace wintest {

struct Recorded {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::string text; // set, with lParam 0, for a captured text message
};

enum ExpectFlags : unsigned {
    AnyParams = 0,
    CheckW = 1,
    CheckL = 2,
    CheckBoth = 3,
    Optional = 4,
};

struct Expected {
    UINT message;
    unsigned flags = AnyParams;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    HWND hwnd = nullptr; // nullptr: any window
};

class MessageLog {
public:
    void Add(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (m_ignored.count(message) != 0) {
            return;
        }
        if (m_texts.count(message) != 0 && lParam != 0) {
            m_log.push_back({hwnd, message, wParam, 0, reinterpret_cast<const char*>(lParam)});
        } else {
            m_log.push_back({hwnd, message, wParam, lParam, {}});
        }
    }
    void Clear() { m_log.clear(); }
    void Ignore(UINT message) { m_ignored.insert(message); }
    // lParam of `message` is a C string: record the text instead of the address.
    void CaptureText(UINT message) { m_texts.insert(message); }
    // The entries so far, forgotten by the log.
    std::vector<Recorded> Take() {
        std::vector<Recorded> taken;
        taken.swap(m_log);
        return taken;
    }
    const std::vector<Recorded>& Entries() const { return m_log; }
    std::vector<UINT> Messages() const {
        std::vector<UINT> out;
        for (const auto& r : m_log) {
            out.push_back(r.message);
        }
        return out;
    }

    ::testing::AssertionResult Matches(const std::vector<Expected>& expected) const {
        std::size_t got = 0;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const Expected& e = expected[i];
            if (got >= m_log.size()) {
                if (e.flags & Optional) {
                    continue;
                }
                return ::testing::AssertionFailure() << "expected message " << Hex(e.message)
                                                     << " at " << i << ", log ended" << Dump();
            }
            const Recorded& r = m_log[got];
            const bool same = r.message == e.message && (e.hwnd == nullptr || e.hwnd == r.hwnd) &&
                              (!(e.flags & CheckW) || e.wParam == r.wParam) &&
                              (!(e.flags & CheckL) || e.lParam == r.lParam);
            if (!same) {
                if (e.flags & Optional) {
                    continue;
                }
                return ::testing::AssertionFailure()
                       << "entry " << i << ": expected " << Hex(e.message) << " wParam "
                       << Hex(e.wParam) << " lParam " << Hex(static_cast<UINT_PTR>(e.lParam))
                       << ", got " << Hex(r.message) << " wParam " << Hex(r.wParam) << " lParam "
                       << Hex(static_cast<UINT_PTR>(r.lParam)) << Dump();
            }
            ++got;
        }
        if (got != m_log.size()) {
            return ::testing::AssertionFailure()
                   << "unexpected extra message " << Hex(m_log[got].message) << Dump();
        }
        return ::testing::AssertionSuccess();
    }

private:
    static std::string Hex(UINT_PTR v) {
        char buf[32];
        std::snprintf(buf, sizeof(buf), "0x%04llx", static_cast<unsigned long long>(v));
        return buf;
    }
    std::string Dump() const {
        std::string s = "\n  log:";
        for (const auto& r : m_log) {
            s += " " + Hex(r.message);
        }
        return s;
    }

    std::vector<Recorded> m_log;
    std::set<UINT> m_ignored;
    std::set<UINT> m_texts;
};

// The log every spy window writes into.
inline MessageLog& Log() {
    static MessageLog log;
    return log;
}

inline LRESULT SpyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().Add(hwnd, message, wParam, lParam);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// Registers a spying class once; cs is its class style.
inline LPCSTR SpyClass(UINT style = 0) {
    static std::map<UINT, std::string> names;
    const auto [entry, added] = names.emplace(style, "KalmoraSpy" + std::to_string(style));
    if (added) {
        WNDCLASSEX wc{};
        wc.cbSize = sizeof(wc);
        wc.style = style;
        wc.lpfnWndProc = SpyProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
        wc.lpszClassName = entry->second.c_str();
        RegisterClassEx(&wc);
    }
    return entry->second.c_str();
}

// Runs every queued message, painting and due timer without waiting.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

} // namespace wintest
