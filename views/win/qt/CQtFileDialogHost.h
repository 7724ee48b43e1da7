#pragma once

#include "views/win/backend/Backend.h"

class QFileDialog;

namespace kwin::qt {

// File dialogs shown with Qt's own (not the desktop's) file dialog, so they
// behave the same everywhere and tests can work them. While one is open the
// layer's message loop keeps running and the owner is disabled.
class CQtFileDialogHost final : public IFileDialogHost {
public:
    std::optional<std::string> Run(const FileDialogRequest& request) override;

    // The innermost file dialog running now, or nullptr.
    static QFileDialog* Running();
};

} // namespace kwin::qt
