#pragma once

#include "views/win/backend/Backend.h"

class QWidget;

namespace kwin::qt {

// Every Qt peer shows its window through one widget.
class CQtPeer : public IWindowPeer {
public:
    virtual QWidget* Widget() const = 0;
};

} // namespace kwin::qt
