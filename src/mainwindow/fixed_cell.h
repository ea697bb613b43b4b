#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QRect;
class QWidget;

// A cell of the fixed layout: a label with a single black border and black text on a background
// of its own, whatever the desktop's colour scheme.
[[nodiscard]] QLabel *fixedCell(QWidget *parent, const QRect &geometry, const QColor &background,
    Qt::Alignment alignment, const QString &text = {});
void setCellBackground(QLabel *cell, const QColor &background);
