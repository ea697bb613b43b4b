#include "pattern_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

PatternView::PatternView(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(tr("Pattern"));
    setMinimumHeight(fontMetrics().height() * 10);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void PatternView::showPattern(const PatternLayout &layout, const QString &summary)
{
    mLayout = layout;
    setAccessibleDescription(summary);
    update();
}

PatternView::Geometry PatternView::geometryIn(const QRectF &area) const
{
    const QFontMetricsF metrics(font());
    const double names = metrics.horizontalAdvance(QStringLiteral("Acc5")) + metrics.height();
    Geometry geometry;
    geometry.grid = area.adjusted(names, metrics.height() * 1.5, -metrics.height() / 2, -2);
    geometry.laneGap = metrics.height() / 2;
    int rows = 0;
    for (const PatternLane &lane : mLayout.lanes)
        rows += lane.rows;
    const double gaps = geometry.laneGap * qMax<qsizetype>(0, mLayout.lanes.size() - 1);
    geometry.laneHeight = metrics.height();
    // Rows as high as the lanes, each at least a line high, leave them: a few narrowing steps.
    geometry.rowHeight = qMin(12.0, (geometry.grid.height() - gaps) / qMax(1, rows));
    const auto lanesHeight = [&] {
        double height = gaps;
        for (const PatternLane &lane : mLayout.lanes)
            height += laneHeight(geometry, lane);
        return height;
    };
    while (geometry.rowHeight > 1.5 && lanesHeight() > geometry.grid.height())
        geometry.rowHeight *= 0.9;
    geometry.beatWidth = geometry.grid.width() / qMax(1.0, mLayout.beats());
    return geometry;
}

double PatternView::laneHeight(const Geometry &geometry, const PatternLane &lane)
{
    return qMax(geometry.laneHeight, lane.rows * geometry.rowHeight);
}

QRectF PatternView::noteRect(
    const Geometry &geometry, double laneTop, const PatternLane &lane, const PatternNote &note)
{
    const double row = laneHeight(geometry, lane) / qMax(1, lane.rows);
    return {geometry.grid.left() + note.start * geometry.beatWidth, laneTop + note.row * row,
        qMax(1.5, note.length * geometry.beatWidth), qMax(1.0, row - 0.5)};
}

void PatternView::paintPattern(QPainter &painter, const QRectF &area) const
{
    const Geometry geometry = geometryIn(area);
    const QRectF grid = geometry.grid;
    const QPalette colours = palette();
    painter.fillRect(area, colours.color(QPalette::Base));
    painter.setFont(font());
    // Beat lines faint, bar lines and their numbers plain.
    const double beats = mLayout.beats();
    for (int beat = 0; beat <= int(beats); ++beat) {
        const double x = grid.left() + beat * geometry.beatWidth;
        const bool bar = beat % qMax(1, int(mLayout.beatsPerBar)) == 0;
        QColor line = colours.color(QPalette::Text);
        line.setAlphaF(bar ? 0.6 : 0.15);
        painter.setPen(QPen(line, 0));
        painter.drawLine(QPointF(x, grid.top()), QPointF(x, grid.bottom()));
        if (bar && beat < int(beats)) {
            painter.setPen(colours.color(QPalette::Text));
            painter.drawText(
                QRectF(x + 2, area.top(), geometry.beatWidth * 4, grid.top() - area.top()),
                Qt::AlignLeft | Qt::AlignVCenter,
                QString::number(beat / int(mLayout.beatsPerBar) + 1));
        }
    }
    double top = grid.top();
    QColor note = colours.color(QPalette::Highlight);
    for (const PatternLane &lane : mLayout.lanes) {
        const double height = laneHeight(geometry, lane);
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(QRectF(area.left() + 2, top, grid.left() - area.left() - 4, height),
            Qt::AlignLeft | Qt::AlignVCenter, trackName(lane.trackNumber));
        for (const PatternNote &each : lane.notes) {
            note.setAlphaF(each.shade);
            painter.fillRect(noteRect(geometry, top, lane, each), note);
        }
        top += height + geometry.laneGap;
    }
}

void PatternView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintPattern(painter, rect());
}

const PatternNote *PatternView::noteAt(const QPointF &point) const
{
    const Geometry geometry = geometryIn(rect());
    double top = geometry.grid.top();
    for (const PatternLane &lane : mLayout.lanes) {
        for (const PatternNote &note : lane.notes) {
            if (noteRect(geometry, top, lane, note).adjusted(-1, -1, 1, 1).contains(point))
                return &note;
        }
        top += laneHeight(geometry, lane) + geometry.laneGap;
    }
    return nullptr;
}

bool PatternView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    if (const PatternNote *note = noteAt(help->pos()))
        QToolTip::showText(help->globalPos(), noteText(*note, mLayout), this);
    else
        QToolTip::hideText();
    return true;
}
