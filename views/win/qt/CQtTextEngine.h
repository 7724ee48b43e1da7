#pragma once

#include "views/win/backend/Backend.h"

#include <QFont>
#include <QFontMetrics>

#include <memory>
#include <string>
#include <unordered_map>

namespace kwin::qt {

// Fonts from logical-font records, measured and drawn with Qt. A positive
// height is the cell height (ascent plus descent), a negative one the
// character height, as on the platform; the faces the program names resolve
// to installed ones ("Arial" to Liberation Sans, "Courier New" to Liberation
// Mono, the dialog faces to the desktop's font).
class CQtTextEngine final : public ITextEngine {
public:
    TextMetricsInfo Metrics(const LOGFONT& font) override;
    int Width(const LOGFONT& font, std::string_view text) override;
    void Draw(Surface& surface, const RECT& clip, int x, int y, const LOGFONT& font,
              std::string_view text, COLORREF color) override;
    std::string ResolvedFace(const LOGFONT& font) override;

    static QString FamilyFor(const char* face);

private:
    struct Entry {
        QFont font;
        std::unique_ptr<QFontMetrics> metrics;
        TextMetricsInfo info;
    };
    Entry& Resolve(const LOGFONT& font);

    std::unordered_map<std::string, Entry> m_cache;
};

} // namespace kwin::qt
