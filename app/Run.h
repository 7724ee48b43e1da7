#pragma once

// Creates the main window, shows it with showCommand and runs the message
// loop until the window is gone; returns the loop's exit code, or 0 when the
// window could not be created.
int Run(int showCommand);
