#include "fixed_cell.h"

#include <QLabel>

QLabel *fixedCell(QWidget *parent, const QRect &geometry, const QColor &background,
    Qt::Alignment alignment, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAutoFillBackground(true);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    setCellBackground(label, background);
    return label;
}

void setCellBackground(QLabel *cell, const QColor &background)
{
    // Text and border are fixed with the background: a dark colour scheme's light text would
    // vanish on these light cells.
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);
    cell->setPalette(palette);
}
