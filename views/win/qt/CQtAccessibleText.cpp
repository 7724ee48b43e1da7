#include "views/win/qt/CQtAccessibleText.h"

#include "views/win/accessibility/IAccessibleText.h"
#include "views/win/qt/CQtAccessibleWindow.h"

#include <algorithm>

namespace kwin::qt {

CQtAccessibleText::CQtAccessibleText(CQtAccessibleWindow& window) : m_window(window) {}

IAccessibleText* CQtAccessibleText::Text() const {
    IAccessibleObject* object = m_window.Object();
    return object != nullptr ? object->AsText() : nullptr;
}

int CQtAccessibleText::ToQt(const std::string& text, std::size_t bytes) {
    return static_cast<int>(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(std::min(bytes, text.size())))
            .size());
}

std::size_t CQtAccessibleText::ToBytes(const std::string& text, int offset) {
    const QString whole = QString::fromStdString(text);
    return static_cast<std::size_t>(whole.left(std::max(offset, 0)).toUtf8().size());
}

void CQtAccessibleText::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    const IAccessibleText* text = Text();
    if (text == nullptr || selectionIndex != 0) {
        return;
    }
    const std::string content = text->Content();
    const auto [from, to] = text->Selection();
    *startOffset = ToQt(content, from);
    *endOffset = ToQt(content, to);
}

int CQtAccessibleText::selectionCount() const {
    const IAccessibleText* text = Text();
    if (text == nullptr) {
        return 0;
    }
    const auto [from, to] = text->Selection();
    return from != to ? 1 : 0;
}

void CQtAccessibleText::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void CQtAccessibleText::removeSelection(int) {
    if (IAccessibleText* text = Text()) {
        text->Select(text->Caret(), text->Caret());
    }
}

void CQtAccessibleText::setSelection(int, int startOffset, int endOffset) {
    if (IAccessibleText* text = Text()) {
        const std::string content = text->Content();
        text->Select(ToBytes(content, startOffset), ToBytes(content, endOffset));
    }
}

int CQtAccessibleText::cursorPosition() const {
    const IAccessibleText* text = Text();
    return text != nullptr ? ToQt(text->Content(), text->Caret()) : 0;
}

void CQtAccessibleText::setCursorPosition(int position) {
    setSelection(0, position, position);
}

QString CQtAccessibleText::text(int startOffset, int endOffset) const {
    const IAccessibleText* text = Text();
    if (text == nullptr) {
        return {};
    }
    const QString whole = QString::fromStdString(text->Content());
    if (endOffset < 0 || endOffset > whole.size()) {
        endOffset = static_cast<int>(whole.size());
    }
    startOffset = std::clamp(startOffset, 0, endOffset);
    return whole.mid(startOffset, endOffset - startOffset);
}

int CQtAccessibleText::characterCount() const {
    const IAccessibleText* text = Text();
    return text != nullptr ? static_cast<int>(QString::fromStdString(text->Content()).size()) : 0;
}

QString CQtAccessibleText::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void CQtAccessibleText::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void CQtAccessibleText::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void CQtAccessibleText::replaceText(int startOffset, int endOffset, const QString& text) {
    if (IAccessibleText* target = Text()) {
        const std::string content = target->Content();
        target->Replace(ToBytes(content, startOffset), ToBytes(content, endOffset),
                        text.toStdString());
    }
}

} // namespace kwin::qt
