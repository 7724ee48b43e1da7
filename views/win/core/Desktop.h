#pragma once

// The monitors the layer reports. The backend supplies them; tests may put
// their own in place so window placement is checked against known areas.

#include "views/win/backend/Backend.h"

#include <vector>

namespace kwin {

std::vector<MonitorDesc> CurrentMonitors();
void SetMonitorsForTesting(std::vector<MonitorDesc> monitors);
void ClearMonitorsForTesting();
// The per-user data folder of this platform: LOCALAPPDATA, else
// XDG_DATA_HOME, else $HOME/.local/share; empty when none is known.
std::string PerUserDataFolder();

} // namespace kwin
