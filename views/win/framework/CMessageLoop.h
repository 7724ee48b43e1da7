#pragma once

#include "views/win/Win32.h"
#include "views/win/framework/CIdleHandler.h"
#include "views/win/framework/CMessageFilter.h"

#include <vector>

// The thread's message loop: when an idle period has begun and no
// message is waiting, every idle handler runs once and the period ends; then
// GetMessage (-1 is ignored, 0 ends the loop); the message filters, the most
// recently added first, may swallow the message; otherwise it is translated
// and dispatched. Any message but WM_MOUSEMOVE, WM_NCMOUSEMOVE, WM_PAINT and
// the system timer 0x0118 begins a new idle period.
class CMessageLoop {
public:
    virtual ~CMessageLoop() = default;

    BOOL AddMessageFilter(CMessageFilter* filter);
    BOOL RemoveMessageFilter(CMessageFilter* filter);
    BOOL AddIdleHandler(CIdleHandler* handler);
    BOOL RemoveIdleHandler(CIdleHandler* handler);

    // Runs until WM_QUIT; returns its wParam.
    int Run();

    static BOOL IsIdleMessage(const MSG* msg);
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Runs every idle handler once; returns FALSE, which ends the idle period.
    virtual BOOL OnIdle(int idleCount);

    MSG m_msg{};

private:
    std::vector<CMessageFilter*> m_filters;
    std::vector<CIdleHandler*> m_idleHandlers;
};
