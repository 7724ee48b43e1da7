#pragma once

// Makes the program's compiled-in resources (version block, icon 128)
// available to the layer's resource functions. Safe to call more than once.
void RegisterAppResources();
