#pragma once

#include "midi/pattern_layout.h"

#include <QWidget>

// Draws a chord variation's pattern: a lane for each track that plays, named at the left; bars
// and beats from left to right, numbered at the top; each note a bar at its pitch, its shade from
// its velocity; drum notes short hits on rows by key. Colours come from the palette, so that a
// dark one reads too. A note's tooltip names it.
class PatternView : public QWidget {
    Q_OBJECT

public:
    explicit PatternView(QWidget *parent = nullptr);

    void showPattern(const PatternLayout &layout, const QString &summary);
    // Draws the pattern into `area` of any paint device: the widget, a picture or an SVG file.
    void paintPattern(QPainter &painter, const QRectF &area) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Geometry {
        QRectF grid;  // the lanes' area, right of the names and below the bar numbers
        double beatWidth = 0;
        double rowHeight = 0;
        double laneHeight = 0;  // at least a line of text, so that the names stand apart
        double laneGap = 0;
    };
    [[nodiscard]] Geometry geometryIn(const QRectF &area) const;
    [[nodiscard]] static double laneHeight(const Geometry &geometry, const PatternLane &lane);
    [[nodiscard]] static QRectF noteRect(
        const Geometry &geometry, double laneTop, const PatternLane &lane, const PatternNote &note);
    [[nodiscard]] const PatternNote *noteAt(const QPointF &point) const;

    PatternLayout mLayout;
};
