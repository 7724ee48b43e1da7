#include "grid/CMyGridCtrl.h"

CMyGridCtrl::CMyGridCtrl() : CGridCtrl(0, 0, 0, 0) {}

CMyGridCtrl::~CMyGridCtrl() = default;
