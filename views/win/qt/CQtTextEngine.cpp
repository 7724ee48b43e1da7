#include "views/win/qt/CQtTextEngine.h"

#include "views/win/api/WinGdiConsts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace kwin::qt {
namespace {

constexpr int DefaultCharHeight = 12;
constexpr BYTE NonAntialiasedQuality = 3;

std::string Key(const LOGFONT& f) {
    return std::to_string(f.lfHeight) + '/' + std::to_string(f.lfWeight) + '/' +
           std::to_string(f.lfItalic) + std::to_string(f.lfUnderline) +
           std::to_string(f.lfStrikeOut) + '/' + std::to_string(f.lfEscapement) + '/' +
           std::to_string(f.lfQuality) + '/' +
           std::string(f.lfFaceName, strnlen(f.lfFaceName, LF_FACESIZE));
}

bool SameFace(const char* a, const char* b) {
    return strcasecmp(a, b) == 0;
}

int CellHeight(QFont font, int pixels) {
    font.setPixelSize(pixels);
    const QFontMetrics m(font);
    return m.ascent() + m.descent();
}

// A negative height is the character height; a positive one the cell height,
// met by the largest pixel size whose ascent plus descent does not exceed it.
int PixelSizeFor(const QFont& font, LONG height) {
    if (height < 0) {
        return static_cast<int>(-height);
    }
    if (height == 0) {
        return DefaultCharHeight;
    }
    QFont probe(font);
    probe.setPixelSize(1000);
    const QFontMetricsF m(probe);
    int pixels =
        std::max(1, static_cast<int>(std::lround(height * 1000.0 / (m.ascent() + m.descent()))));
    while (pixels > 1 && CellHeight(font, pixels) > height) {
        --pixels;
    }
    while (CellHeight(font, pixels + 1) <= height) {
        ++pixels;
    }
    return pixels;
}

// The logical rectangle whose pixels are the pixels of clip, so the painter
// clips on the same pixel edges as every other drawing.
QRectF ClipArea(const Surface& surface, const RECT& clip) {
    const RECT p = surface.ToPixels(clip);
    const double ratio = surface.Ratio();
    return QRectF(p.left / ratio, p.top / ratio, (p.right - p.left) / ratio,
                  (p.bottom - p.top) / ratio);
}

} // namespace

QString CQtTextEngine::FamilyFor(const char* face) {
    if (face == nullptr || *face == '\0' || SameFace(face, "MS Shell Dlg") ||
        SameFace(face, "MS Shell Dlg 2") || SameFace(face, "MS Sans Serif") ||
        SameFace(face, "System") || SameFace(face, "Segoe UI") || SameFace(face, "Tahoma")) {
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }
    if (SameFace(face, "Arial") || SameFace(face, "Helvetica")) {
        return QStringLiteral("Liberation Sans");
    }
    if (SameFace(face, "Courier New") || SameFace(face, "Courier")) {
        return QStringLiteral("Liberation Mono");
    }
    if (SameFace(face, "Times New Roman")) {
        return QStringLiteral("Liberation Serif");
    }
    return QString::fromUtf8(face);
}

CQtTextEngine::Entry& CQtTextEngine::Resolve(const LOGFONT& lf) {
    const std::string key = Key(lf);
    if (const auto it = m_cache.find(key); it != m_cache.end()) {
        return it->second;
    }
    QFont font(FamilyFor(lf.lfFaceName));
    font.setWeight(static_cast<QFont::Weight>(
        lf.lfWeight == 0 ? FW_NORMAL : std::clamp<LONG>(lf.lfWeight, 100, 900)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfQuality == NonAntialiasedQuality) {
        font.setStyleStrategy(QFont::NoAntialias);
    }
    const int pixels = PixelSizeFor(font, lf.lfHeight);
    font.setPixelSize(pixels);
    Entry entry;
    entry.font = font;
    entry.metrics = std::make_unique<QFontMetrics>(font);
    const QFontMetrics& fm = *entry.metrics;
    entry.info.ascent = fm.ascent();
    entry.info.descent = fm.descent();
    if (lf.lfHeight > 0) {
        // The cell height asked for is the height reported, whatever rounding did.
        entry.info.descent = std::max(0, lf.lfHeight - entry.info.ascent);
    }
    entry.info.internalLeading = std::max(0, entry.info.ascent + entry.info.descent - pixels);
    entry.info.externalLeading = std::max(0, fm.leading());
    entry.info.aveCharWidth = std::max(1, fm.averageCharWidth());
    entry.info.maxCharWidth = std::max(1, fm.maxWidth());
    return m_cache.emplace(key, std::move(entry)).first->second;
}

TextMetricsInfo CQtTextEngine::Metrics(const LOGFONT& font) {
    return Resolve(font).info;
}

int CQtTextEngine::Width(const LOGFONT& font, std::string_view text) {
    return Resolve(font).metrics->horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// The glyphs are drawn in the surface's pixels: the image carries the
// surface's ratio, so the painter takes logical coordinates and fonts and
// rasterises them that much finer.
void CQtTextEngine::Draw(Surface& surface, const RECT& clip, int x, int y, const LOGFONT& lf,
                         std::string_view text, COLORREF color) {
    if (surface.PixelWidth() == 0 || surface.PixelHeight() == 0 || text.empty()) {
        return;
    }
    Entry& entry = Resolve(lf);
    QImage image(reinterpret_cast<uchar*>(surface.Bits()), surface.PixelWidth(),
                 surface.PixelHeight(), surface.BytesPerLine(), QImage::Format_RGB32);
    image.setDevicePixelRatio(surface.Ratio());
    QPainter painter(&image);
    painter.setClipRect(ClipArea(surface, clip));
    painter.setFont(entry.font);
    painter.setPen(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (lf.lfEscapement != 0) {
        painter.translate(x, y);
        painter.rotate(-lf.lfEscapement / 10.0); // counter-clockwise, in tenths of a degree
        painter.drawText(0, entry.info.ascent, s);
    } else {
        painter.drawText(x, y + entry.info.ascent, s);
    }
}

std::string CQtTextEngine::ResolvedFace(const LOGFONT& font) {
    return QFontInfo(Resolve(font).font).family().toStdString();
}

} // namespace kwin::qt
