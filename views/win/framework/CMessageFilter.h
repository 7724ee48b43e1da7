#pragma once

#include "views/win/Win32.h"

// Offered every message the loop retrieves before it is translated and
// dispatched; returning TRUE swallows the message.
class CMessageFilter {
public:
    virtual ~CMessageFilter() = default;
    virtual BOOL PreTranslateMessage(MSG* msg) = 0;
};
