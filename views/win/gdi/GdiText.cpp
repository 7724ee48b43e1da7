// Text: DrawText's layout (alignment, line breaks, word wrapping, ellipsis,
// prefixes, the size-only pass of DT_CALCRECT), TextOut and measurement. The
// glyphs come from the backend's text engine. As on the platform, DT_VCENTER
// and DT_BOTTOM act only together with DT_SINGLELINE.

#include "views/win/api/WinGdi.h"
#include "views/win/api/WinUser.h"
#include "views/win/backend/Backend.h"
#include "views/win/backend/internal/InstalledBackend.h"
#include "views/win/gdi/internal/GdiObjects.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

using namespace kwin;

namespace {

int LineHeight(const TextMetricsInfo& m) {
    return m.ascent + m.descent;
}

std::string StripPrefixes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out.push_back('&');
                ++i;
            }
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

std::string ExpandTabs(std::string_view text, ITextEngine& engine, const LOGFONT& font,
                       int tabWidth) {
    std::string out;
    const int space = std::max(1, engine.Width(font, " "));
    const int spaces = std::max(1, tabWidth / space);
    for (char c : text) {
        if (c == '\t') {
            out.append(static_cast<std::size_t>(spaces), ' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            continue;
        }
        current.push_back(c);
    }
    lines.push_back(current);
    return lines;
}

// Breaks a line at spaces so each piece fits the width; a word wider than the
// width stays whole on its own line.
std::vector<std::string> WrapLine(const std::string& line, int width, ITextEngine& engine,
                                  const LOGFONT& font) {
    std::vector<std::string> out;
    std::string current;
    std::size_t i = 0;
    while (i < line.size()) {
        std::size_t end = line.find(' ', i);
        if (end == std::string::npos) {
            end = line.size();
        }
        const std::string word = line.substr(i, end - i);
        const std::string candidate = current.empty() ? word : current + " " + word;
        if (!current.empty() && engine.Width(font, candidate) > width) {
            out.push_back(current);
            current = word;
        } else {
            current = candidate;
        }
        i = end + 1;
    }
    out.push_back(current);
    return out;
}

std::size_t PrevCharStart(const std::string& s, std::size_t end) {
    std::size_t i = end;
    while (i > 0) {
        --i;
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            return i;
        }
    }
    return 0;
}

std::string WithEllipsis(const std::string& line, int width, ITextEngine& engine,
                         const LOGFONT& font) {
    if (engine.Width(font, line) <= width) {
        return line;
    }
    std::string cut = line;
    while (!cut.empty()) {
        cut.erase(PrevCharStart(cut, cut.size()));
        if (engine.Width(font, cut + "...") <= width) {
            break;
        }
    }
    return cut + "...";
}

void DrawRun(DeviceContext& dc, ITextEngine& engine, const LOGFONT& font, int x, int y,
             const std::string& text, const RECT* clipRect, int height) {
    const POINT d = ToDevice(dc, x, y);
    std::optional<RECT> limit;
    if (clipRect != nullptr) {
        const POINT a = ToDevice(dc, clipRect->left, clipRect->top);
        const POINT b = ToDevice(dc, clipRect->right, clipRect->bottom);
        limit = RECT{a.x, a.y, b.x, b.y};
    }
    const int width = engine.Width(font, text);
    const RECT background{d.x, d.y, d.x + width, d.y + height};
    const RECT reach{d.x - height, d.y - height, d.x + width + height, d.y + 2 * height};
    for (RECT clip : ClipRects(dc)) {
        if (limit && !IntersectRect(&clip, &clip, &*limit)) {
            continue;
        }
        RECT bg;
        if (dc.state.bkMode == OPAQUE && IntersectRect(&bg, &background, &clip)) {
            dc.surface->FillRect(bg, Surface::FromColorRef(dc.state.bkColor));
        }
        engine.Draw(*dc.surface, clip, d.x, d.y, font, text, dc.state.textColor);
        RECT dirty;
        if (IntersectRect(&dirty, &reach, &clip)) {
            MarkDirty(dc, dirty);
        }
    }
}

int DrawTextImpl(HDC hdc, LPCSTR text, int length, LPRECT rect, UINT format,
                 DRAWTEXTPARAMS* params) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || rect == nullptr || text == nullptr) {
        return 0;
    }
    const std::string_view raw(text,
                               length < 0 ? std::strlen(text) : static_cast<std::size_t>(length));
    ITextEngine& engine = GetTextEngine();
    const LOGFONT& font = SelectedFont(*dc);
    const TextMetricsInfo m = engine.Metrics(font);
    int lineHeight = LineHeight(m);
    if (format & DT_EXTERNALLEADING) {
        lineHeight += m.externalLeading;
    }
    RECT area = *rect;
    if (params != nullptr) {
        area.left += params->iLeftMargin;
        area.right -= params->iRightMargin;
    }
    std::string body = (format & DT_NOPREFIX) ? std::string(raw) : StripPrefixes(raw);
    const int tabChars =
        (format & DT_TABSTOP)
            ? static_cast<int>((format >> 8) & 0xFF)
            : (params != nullptr && params->iTabLength > 0 ? params->iTabLength : 8);
    body = ExpandTabs(body, engine, font, tabChars * std::max(1, m.aveCharWidth));

    std::vector<std::string> lines;
    if (format & DT_SINGLELINE) {
        std::string single;
        for (char c : body) {
            if (c != '\r' && c != '\n') {
                single.push_back(c);
            }
        }
        lines.push_back(single);
    } else {
        for (const auto& line : SplitLines(body)) {
            if (format & DT_WORDBREAK) {
                for (auto& piece : WrapLine(line, area.right - area.left, engine, font)) {
                    lines.push_back(std::move(piece));
                }
            } else {
                lines.push_back(line);
            }
        }
    }
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
        for (auto& line : lines) {
            line = WithEllipsis(line, area.right - area.left, engine, font);
        }
    }
    int widest = 0;
    for (const auto& line : lines) {
        widest = std::max(widest, engine.Width(font, line));
    }
    const int total = lineHeight * static_cast<int>(lines.size());
    if (params != nullptr) {
        params->uiLengthDrawn = static_cast<UINT>(raw.size());
    }
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest +
                      (params != nullptr ? params->iLeftMargin + params->iRightMargin : 0);
        rect->bottom = rect->top + total;
        return total;
    }
    int y = area.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) {
            y = area.top + ((area.bottom - area.top) - lineHeight) / 2;
        } else if (format & DT_BOTTOM) {
            y = area.bottom - lineHeight;
        }
    }
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
    for (const auto& line : lines) {
        const int w = engine.Width(font, line);
        int x = area.left;
        if (format & DT_CENTER) {
            x = area.left + ((area.right - area.left) - w) / 2;
        } else if (format & DT_RIGHT) {
            x = area.right - w;
        }
        if (!line.empty()) {
            DrawRun(*dc, engine, font, x, y, line, clip, LineHeight(m));
        }
        y += lineHeight;
    }
    return (format & (DT_VCENTER | DT_BOTTOM)) && (format & DT_SINGLELINE) ? y - rect->top : total;
}

} // namespace

int DrawText(HDC hdc, LPCSTR text, int length, LPRECT rect, UINT format) {
    return DrawTextImpl(hdc, text, length, rect, format, nullptr);
}

int DrawTextEx(HDC hdc, LPSTR text, int length, LPRECT rect, UINT format, DRAWTEXTPARAMS* params) {
    return DrawTextImpl(hdc, text, length, rect, format, params);
}

BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int length) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || text == nullptr) {
        return FALSE;
    }
    const std::string s(text, length < 0 ? std::strlen(text) : static_cast<std::size_t>(length));
    ITextEngine& engine = GetTextEngine();
    const LOGFONT& font = SelectedFont(*dc);
    const TextMetricsInfo m = engine.Metrics(font);
    const int w = engine.Width(font, s);
    const UINT align = dc->state.textAlign;
    if (align & TA_UPDATECP) {
        x = dc->state.position.x;
        y = dc->state.position.y;
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER) {
        left = x - w / 2;
    } else if (align & TA_RIGHT) {
        left = x - w;
    }
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE) {
        top = y - m.ascent;
    } else if (align & TA_BOTTOM) {
        top = y - LineHeight(m);
    }
    DrawRun(*dc, engine, font, left, top, s, nullptr, LineHeight(m));
    if (align & TA_UPDATECP) {
        dc->state.position.x = x + w;
    }
    return TRUE;
}

BOOL GetTextExtentPoint32(HDC hdc, LPCSTR text, int length, LPSIZE size) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || text == nullptr || size == nullptr) {
        return FALSE;
    }
    const std::string_view s(text,
                             length < 0 ? std::strlen(text) : static_cast<std::size_t>(length));
    ITextEngine& engine = GetTextEngine();
    const LOGFONT& font = SelectedFont(*dc);
    size->cx = engine.Width(font, s);
    size->cy = LineHeight(engine.Metrics(font));
    return TRUE;
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC metrics) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || metrics == nullptr) {
        return FALSE;
    }
    const LOGFONT& font = SelectedFont(*dc);
    const TextMetricsInfo m = GetTextEngine().Metrics(font);
    *metrics = TEXTMETRIC{};
    metrics->tmHeight = m.ascent + m.descent;
    metrics->tmAscent = m.ascent;
    metrics->tmDescent = m.descent;
    metrics->tmInternalLeading = m.internalLeading;
    metrics->tmExternalLeading = m.externalLeading;
    metrics->tmAveCharWidth = m.aveCharWidth;
    metrics->tmMaxCharWidth = m.maxCharWidth;
    metrics->tmWeight = font.lfWeight == 0 ? FW_NORMAL : font.lfWeight;
    metrics->tmItalic = font.lfItalic;
    metrics->tmUnderlined = font.lfUnderline;
    metrics->tmStruckOut = font.lfStrikeOut;
    metrics->tmFirstChar = ' ';
    metrics->tmLastChar = '~';
    metrics->tmDefaultChar = '?';
    metrics->tmBreakChar = ' ';
    metrics->tmDigitizedAspectX = 96;
    metrics->tmDigitizedAspectY = 96;
    metrics->tmCharSet = font.lfCharSet;
    return TRUE;
}

int GetTextFace(HDC hdc, int size, LPSTR face) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return 0;
    }
    const std::string name = GetTextEngine().ResolvedFace(SelectedFont(*dc));
    if (face == nullptr || size <= 0) {
        return static_cast<int>(name.size() + 1);
    }
    const int n = std::min<int>(static_cast<int>(name.size()), size - 1);
    std::memcpy(face, name.data(), static_cast<std::size_t>(n));
    face[n] = '\0';
    return n + 1;
}
