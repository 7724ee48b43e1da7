#pragma once

// Internal: the drawing objects behind HBRUSH, HPEN, HFONT, HBITMAP, HRGN and
// HDC, and the device-context state the drawing operations read.

#include "views/win/api/WinTypes.h"
#include "views/win/gdi/Surface.h"

#include <memory>
#include <optional>
#include <vector>

namespace kwin {

enum class GdiKind { Brush, Pen, Font, Bitmap, Region };

struct GdiObject {
    GdiKind kind = GdiKind::Brush;
    bool stock = false;
    // Brush: a solid colour, or none (NULL_BRUSH).
    bool nullBrush = false;
    COLORREF color = 0;
    // Pen.
    int penStyle = 0;
    int penWidth = 1;
    // Font.
    LOGFONT font{};
    // Bitmap.
    std::shared_ptr<Surface> surface;
    HDC selectedInto = nullptr;
    // Region (a rectangle is all the layer needs).
    RECT rect{};
};

struct DcState {
    HGDIOBJ brush = nullptr;
    HGDIOBJ pen = nullptr;
    HGDIOBJ font = nullptr;
    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = 2; // OPAQUE
    UINT textAlign = 0;
    POINT viewportOrg{0, 0};
    POINT windowOrg{0, 0};
    POINT position{0, 0};
    // Disjoint rectangles in device coordinates, on top of the base clip;
    // none: the base clip alone.
    std::optional<std::vector<RECT>> clip;
    COLORREF dcBrushColor = 0xFFFFFF;
    COLORREF dcPenColor = 0x000000;
};

struct DeviceContext {
    HDC handle = nullptr;
    bool memory = false;
    HWND window = nullptr;
    std::shared_ptr<Surface> surface;
    HGDIOBJ bitmap = nullptr; // memory DCs: the selected bitmap
    RECT baseClip{};          // device coordinates: the paint rectangle or the whole surface
    DcState state;
    std::vector<DcState> saved;
    RECT dirty{}; // device pixels touched since the DC was made
};

GdiObject* FindGdiObject(HGDIOBJ handle);
DeviceContext* FindDeviceContext(HDC hdc);
// A DC that draws into a window's client area; clip limits it (BeginPaint).
HDC CreateWindowDeviceContext(HWND hwnd, std::shared_ptr<Surface> surface, const RECT* clip);
// Frees a window DC and returns the device rectangle it drew into.
RECT DestroyWindowDeviceContext(HDC hdc);

// The next handle of a drawing object or device context.
HGDIOBJ NextGdiHandle();
// Drops an object from the table without the checks of DeleteObject.
void ForgetGdiObject(HGDIOBJ handle);
// The font drawn with when the selected one is gone.
const LOGFONT& FallbackFont();

// The clip in device coordinates: disjoint rectangles, their bounding box,
// and whether a pixel lies inside. Every drawing operation draws only there.
std::vector<RECT> ClipRects(const DeviceContext& dc);
RECT EffectiveClip(const DeviceContext& dc);
bool InClip(const DeviceContext& dc, POINT devicePoint);
// The same against rectangles from ClipRects, for loops over many pixels.
bool InClip(const std::vector<RECT>& clipRects, POINT devicePoint);
// The clip in the surface's pixels, for drawing at its full resolution.
std::vector<RECT> PixelClipRects(const DeviceContext& dc);

// Drawing helpers shared by the drawing files. Device coordinates are the
// DC's logical units after its origins; only the surface's pixels, where
// the drawing lands, are finer when its device pixel ratio is above 1.
POINT ToDevice(const DeviceContext& dc, int x, int y);
void MarkDirty(DeviceContext& dc, const RECT& deviceRect);
void FillDeviceRect(DeviceContext& dc, RECT deviceRect, std::uint32_t pixel);
// A bitmap of the given size whose pixels are that size times the ratio.
HBITMAP NewBitmap(int width, int height, double ratio);
// The solid colour of a brush handle (including COLOR_x + 1 values), or none.
std::optional<COLORREF> BrushColor(HBRUSH brush, const DeviceContext* dc);
const LOGFONT& SelectedFont(const DeviceContext& dc);

} // namespace kwin
