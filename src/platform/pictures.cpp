#include "pictures.h"

#include <QIcon>
#include <QWidget>

QPixmap picture(const QString &name, const QWidget *widget)
{
    const QString path = QStringLiteral(":/quarv/%1.png").arg(name);
    // QIcon knows the "@2x" twin; a plain QPixmap would take the 1x file and blur it.
    return QIcon(path).pixmap(QPixmap(path).size(), widget->devicePixelRatioF());
}
