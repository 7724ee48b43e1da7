#pragma once

// Internal: the core's view of the installed backend and its services.

#include "views/win/backend/Backend.h"

namespace kwin {

// The installed backend, or nullptr.
IBackend* GetBackend();
// The backend's text engine, or the fixed stand-in without one.
ITextEngine& GetTextEngine();
// The backend's services; every member is nullptr without one.
const ToolkitServices& GetToolkitServices();

} // namespace kwin
