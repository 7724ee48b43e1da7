#pragma once

#include "views/win/Win32.h"
#include "views/win/framework/CMessageLoop.h"

// The application module: the instance handle and the message loop of the
// thread, registered so a window can find the loop to add itself as a filter
// and idle handler.
class CAppModule {
public:
    HRESULT Init(HINSTANCE instance);
    void Term();
    HINSTANCE GetModuleInstance() const { return m_instance; }

    BOOL AddMessageLoop(CMessageLoop* loop);
    BOOL RemoveMessageLoop();
    CMessageLoop* GetMessageLoop() const;

    // The module last initialised, or nullptr.
    static CAppModule* Current();

private:
    HINSTANCE m_instance = nullptr;
    CMessageLoop* m_loop = nullptr;
};
