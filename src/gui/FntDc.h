// The drawing font of the views and dialogs, scoped to a painter so a view never
// leaves its font behind.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QString>

#include <optional>

class QPainter;

namespace orv {

// The drawing font of views and dialogs, selected into a painter for the
// lifetime of the object. It restores on destruction only what Select
// changed, so a font that was never selected leaves the painter alone.
class CFntDc {
public:
    struct Params {
        QPainter* painter = nullptr;  // not owned
        QString face;
        int height = 0;     // < 0: character height, > 0: cell height, 0: default
        int weight = 0;     // 400 normal, 700 bold, 0 default
        int alignment = 0;  // Qt::Alignment flags for the caller's text
    };

    explicit CFntDc(const Params& params);
    ~CFntDc();
    CFntDc(const CFntDc&) = delete;
    CFntDc& operator=(const CFntDc&) = delete;

    // Builds the font from the parameters.
    void Create();
    // Sets the font, the window-text pen and a transparent background on the
    // painter, keeping what they were.
    void Select();

    const QFont& Font() const { return m_font; }
    // Valid after Select.
    const QFontMetrics& Metrics() const { return *m_metrics; }
    int Alignment() const { return m_params.alignment; }

private:
    struct Saved {
        QFont font;
        QPen pen;
        Qt::BGMode bgMode;
    };

    Params m_params;
    QFont m_font;
    std::optional<QFontMetrics> m_metrics;
    std::optional<Saved> m_saved;
};

} // namespace orv
