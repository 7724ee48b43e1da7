#pragma once

// Accelerator table 128 of the main window.
void RegisterMainAccelerators();
