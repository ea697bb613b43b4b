#pragma once

#include <QPixmap>

class QWidget;

// One of our pictures (resources/<name>.png) for a widget, drawn from its "@2x" file on a
// screen at scale 2 or more, so that it stays sharp there.
[[nodiscard]] QPixmap picture(const QString &name, const QWidget *widget);
