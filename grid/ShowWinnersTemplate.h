#pragma once

#include "views/win/api/WinTypes.h"

// Dialog template 208, the winners table, and its control ids.
constexpr UINT IDD_SHOW_WINNERS = 208;
constexpr int IDC_WINNERS_GRID = 1015;

// Registers template 208 with the layer; safe to call more than once.
void RegisterShowWinnersTemplate();
