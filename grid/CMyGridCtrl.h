#pragma once

#include "grid/CGridCtrl.h"

// The grid of the winners table: an empty table at first, set up by its dialog.
class CMyGridCtrl : public CGridCtrl {
public:
    CMyGridCtrl();
    ~CMyGridCtrl() override;
};
