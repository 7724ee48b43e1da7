#pragma once

// Compiled-in resources. The program (app/) registers its string table, its
// icons (as drawing functions, drawn at the size asked for) and its version
// block at start-up; LoadString, LoadImage, LoadIcon and the version API then
// find them as they would find the resources of the executable.

#include "views/win/api/WinTypes.h"
#include "views/win/gdi/Surface.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kwin {

void RegisterStrings(const std::map<UINT, std::string>& strings);
// draw paints the icon into a DC of size x size pixels whose background is
// IconTransparentColor, which becomes transparent.
using IconPainter = std::function<void(HDC hdc, int size)>;
constexpr COLORREF IconTransparentColor = RGB(255, 0, 255);
void RegisterIcon(UINT id, IconPainter painter);
// The version block of a module file; an empty path means the program's own
// executable. Replaces an earlier block for the same path.
void RegisterVersionResource(const std::string& modulePath, std::vector<BYTE> block);
void UnregisterVersionResource(const std::string& modulePath);

// For backends: a cursor's system id (the number behind IDC_ARROW and the
// like), or 0 for a cursor made from an image.
int SystemCursorId(HCURSOR cursor);
// An icon's pixels, 0xAARRGGBB with alpha 0 where it is transparent, drawn
// for a device pixel ratio (its size times the ratio in pixels).
std::shared_ptr<const Surface> IconImage(HICON icon, double ratio = 1.0);

} // namespace kwin
