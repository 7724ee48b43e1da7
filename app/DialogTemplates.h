#pragma once

#include "views/win/WinTypes.h"

// The shell's own dialog templates and the ids of their controls.
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_MAKESNAPSHOT = 204;
constexpr UINT IDD_WINNER = 206;

constexpr int IDC_VERSION_TEXT = 1007;
constexpr int IDC_NAME_EDIT = 1009;
constexpr int IDC_MESSAGE_EDIT = 1011;

// Registers templates 100, 204 and 206 with the layer. Safe to call again.
void RegisterDialogTemplates();
