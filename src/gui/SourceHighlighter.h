// The source editor's highlighter, a thin Qt shell over the workspace's
// source tokenizer.
#pragma once

#include <QSyntaxHighlighter>

namespace orv {

// Colours project source text line by line: comments, strings, numbers and
// the two keyword lists. Tokens never span lines, so each block is coloured
// on its own.
class CSourceHighlighter final : public QSyntaxHighlighter {
    Q_OBJECT
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString& text) override;
};

} // namespace orv
