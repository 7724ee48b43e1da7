#include "views/win/qt/CQtClipboardHost.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace kwin::qt {

void CQtClipboardHost::SetText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (text.empty()) {
        clipboard->clear();
    } else {
        clipboard->setText(QString::fromStdString(text));
    }
}

std::optional<std::string> CQtClipboardHost::Text() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return data->text().toStdString();
}

} // namespace kwin::qt
