#pragma once

#include "views/win/Win32.h"

// Shows the wait cursor for its lifetime and puts back the cursor that was
// shown before, also when an exception leaves the scope.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();

    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
