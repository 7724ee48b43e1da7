#pragma once

// The Qt backend of the windowing layer. Installing it creates the
// QApplication when there is none yet; from then on every visible window has
// a widget, input arrives as posted messages, GetMessage waits inside Qt's
// event processing, and text is measured and drawn with Qt's fonts.

#include "views/win/api/WinTypes.h"
#include "views/win/backend/Backend.h"

#include <functional>
#include <memory>
#include <string>

class QFileDialog;
class QWidget;

namespace kwin::qt {

void InstallQtBackend();

// The widget that shows a window's client area, or nullptr.
QWidget* WidgetOf(HWND hwnd);

// Test seam: the file dialog whose modal loop is running, or nullptr. A
// test's modal step works it (types a name, presses Enter or Esc).
QFileDialog* RunningFileDialog();

} // namespace kwin::qt
