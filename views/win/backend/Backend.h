#pragma once

// The seam between the toolkit-free core and a toolkit backend. The core owns
// every window, message and pixel; a backend gives visible windows a peer on
// screen, waits for events, turns input into posted messages through the
// Deliver* calls below, and measures and draws text. Without a backend the
// core still runs: windows have no peers, text is measured by a fixed
// stand-in and not drawn, and GetMessage sleeps until a timer or a post.

#include "views/win/gdi/Surface.h"
#include "views/win/api/WinTypes.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kwin {

// A window's presence in the toolkit. Rectangles are the window's client
// area: in screen coordinates for a top-level window, in the parent's client
// coordinates for a child.
class IWindowPeer {
public:
    virtual ~IWindowPeer() = default;
    // activate is false for the show commands that leave activation alone.
    virtual void SetVisible(bool visible, bool activate) = 0;
    virtual void SetClientGeometry(const RECT& client) = 0;
    virtual void SetText(const std::string& text) = 0;
    // The window's surface changed inside this client rectangle.
    virtual void Flush(const RECT& client) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void Raise() = 0;
    virtual void Activate() = 0;
    virtual void IconChanged() {}
};

struct TextMetricsInfo {
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
};

// Fonts are described by their logical-font record; text is UTF-8.
class ITextEngine {
public:
    virtual ~ITextEngine() = default;
    virtual TextMetricsInfo Metrics(const LOGFONT& font) = 0;
    virtual int Width(const LOGFONT& font, std::string_view text) = 0;
    // Draws text whose cell's top-left corner is (x, y) in device pixels,
    // rotated by the font's escapement about that corner, clipped to clip.
    virtual void Draw(Surface& surface, const RECT& clip, int x, int y, const LOGFONT& font,
                      std::string_view text, COLORREF color) = 0;
    // The face a logical font resolves to.
    virtual std::string ResolvedFace(const LOGFONT& font) = 0;
};

struct MonitorDesc {
    RECT monitor;
    RECT work;
    bool primary;
};

class IBackend {
public:
    virtual ~IBackend() = default;
    // Called while a window is being created, before WM_NCCREATE, for every
    // window that is not message-only (and not inside a message-only one).
    virtual std::unique_ptr<IWindowPeer> CreatePeer(HWND hwnd) = 0;
    // Processes toolkit events, blocking until at least one arrived or the
    // timeout (milliseconds, negative = none) ran out.
    virtual void WaitForEvents(int timeoutMs) = 0;
    // Makes a WaitForEvents return; may be called from any thread.
    virtual void WakeUp() = 0;
    virtual void ApplyCursor(HCURSOR cursor, int systemId) = 0;
    virtual void ApplyClipCursor(const RECT* rect) = 0;
    virtual ITextEngine& TextEngine() = 0;
    virtual std::vector<MonitorDesc> Monitors() = 0;
    virtual int WheelScrollLines() = 0;
    virtual int LogPixels() = 0;
    // The family of the desktop's user-interface font.
    virtual std::string UiFontFamily() = 0;
    virtual POINT CursorPos() = 0;
};

// The installed backend, or none.
void SetBackend(IBackend* backend);
IBackend* GetBackend();
ITextEngine& GetTextEngine();

// The peer of a window, or nullptr (message-only, no backend, destroyed).
IWindowPeer* GetWindowPeer(HWND hwnd);
// The pixels of a window's client area, or nullptr when it has none.
const Surface* GetWindowSurface(HWND hwnd);

// Input from the backend. Coordinates are client coordinates of the
// top-level window the event arrived at; the core finds the target window
// (capture, hit testing with WM_NCHITTEST, so HTTRANSPARENT children let the
// mouse fall through), makes double clicks for CS_DBLCLKS classes, and posts
// the messages.
enum class MouseAction { Move, LeftDown, LeftUp, RightDown, RightUp, MiddleDown, MiddleUp, Wheel };
constexpr unsigned ModShift = 1;
constexpr unsigned ModControl = 2;
constexpr unsigned ModAlt = 4;
void DeliverMouse(HWND topLevel, MouseAction action, POINT client, unsigned modifiers,
                  unsigned buttons, int wheelDelta = 0);
// A key goes to the focus window when it lies inside topLevel, else to topLevel.
// ch is the character the key produced (0 for none); TranslateMessage uses it.
void DeliverKey(HWND topLevel, bool down, UINT virtualKey, UINT scanCode, bool extended,
                bool autoRepeat, unsigned modifiers, char32_t ch);
// The user moved or resized a top-level window; client is in screen coordinates.
void DeliverGeometry(HWND topLevel, const RECT& client);
// The user is dragging a top-level window's edge to this client rectangle
// (screen coordinates): WM_ENTERSIZEMOVE first, then WM_SIZING with the edge
// and the outer rectangle, which the window may change; the window takes the
// rectangle it ends with. DeliverSizingEnd sends WM_EXITSIZEMOVE.
void DeliverSizing(HWND topLevel, const RECT& client);
void DeliverSizingEnd(HWND topLevel);
void DeliverClose(HWND topLevel);
void DeliverActivation(HWND topLevel, bool active);

} // namespace kwin
