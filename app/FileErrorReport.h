#pragma once

#include "views/win/Win32.h"

#include <exception>
#include <string>

// What a failed load or save tells the player: "OS Error: (code) text" for a
// system error, the error's own message otherwise.
std::string FileErrorText(const std::exception& error);

// The error in a message box with the operation's caption (a string id).
void ReportFileError(HWND owner, const std::exception& error, UINT captionId);
