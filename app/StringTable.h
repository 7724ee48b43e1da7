#pragma once

// The program's string table (ids 128-149).
void RegisterStringTable();
