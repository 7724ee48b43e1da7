#pragma once

#include "views/win/backend/Backend.h"
#include "views/win/qt/CQtTextEngine.h"
#include "views/win/qt/QtBackend.h"

#include <QTimer>

#include <map>
#include <string>

namespace kwin::qt {

class CQtBackend final : public IBackend {
public:
    CQtBackend();

    std::unique_ptr<IWindowPeer> CreatePeer(HWND hwnd) override;
    void WaitForEvents(int timeoutMs) override;
    void WakeUp() override;
    void ApplyCursor(HCURSOR cursor, int systemId) override;
    void ApplyClipCursor(const RECT* rect) override;
    ITextEngine& TextEngine() override { return m_text; }
    std::vector<MonitorDesc> Monitors() override;
    int WheelScrollLines() override;
    int LogPixels() override;
    std::string UiFontFamily() override;
    POINT CursorPos() override;
    ToolkitServices Services() override;

private:
    CQtTextEngine m_text;
    QTimer m_wakeTimer;
};

} // namespace kwin::qt
