#pragma once

#include "views/win/Win32.h"

// Called once at the start of each idle period of the message loop.
class CIdleHandler {
public:
    virtual ~CIdleHandler() = default;
    virtual BOOL OnIdle() = 0;
};
