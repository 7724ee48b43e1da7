#pragma once

// Menu 128, the main window's menu bar.
void RegisterMainMenu();
