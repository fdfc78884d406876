// Colours each block with the spans the workspace tokenizer finds, so the
// colouring rules stay testable without Qt.
#include "gui/SourceHighlighter.h"

#include "workspace/SourceTokenizer.h"

#include <QColor>
#include <QTextCharFormat>

namespace orv {

void CSourceHighlighter::highlightBlock(const QString& text)
{
    const std::u16string_view line(reinterpret_cast<const char16_t*>(text.utf16()),
                                   static_cast<size_t>(text.size()));
    for (const orv::SrcSpan& span : orv::ScanSourceLine(line).spans) {
        const orv::SrcTokenStyle style = orv::StyleOf(span.kind);
        QTextCharFormat format;
        format.setForeground(QColor::fromRgb(style.rgb));
        format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
        setFormat(span.start, span.length, format);
    }
}

} // namespace orv
