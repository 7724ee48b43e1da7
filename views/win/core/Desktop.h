#pragma once

// The monitors the layer reports. The backend supplies them; tests may put
// their own in place so window placement is checked against known areas.

#include "views/win/backend/Backend.h"

#include <vector>

namespace kwin {

std::vector<MonitorDesc> CurrentMonitors();
void SetMonitorsForTesting(std::vector<MonitorDesc> monitors);
void ClearMonitorsForTesting();
// The lines a wheel notch scrolls: as set through SystemParametersInfo, else
// the backend's, else 3; WHEEL_PAGESCROLL is a page per notch.
UINT WheelScrollLines();
// The per-user data folder of this platform: LOCALAPPDATA, else
// XDG_DATA_HOME, else $HOME/.local/share; empty when none is known.
std::string PerUserDataFolder();

} // namespace kwin
