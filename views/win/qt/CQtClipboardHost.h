#pragma once

#include "views/win/backend/Backend.h"

namespace kwin::qt {

// The desktop's clipboard, as plain text.
class CQtClipboardHost final : public IClipboardHost {
public:
    void SetText(const std::string& text) override;
    std::optional<std::string> Text() override;
};

} // namespace kwin::qt
