// Draws Quarv's pictures into resources/: the window icon, the logo, the help picture and the
// About picture. Run it again after changing the art: draw_art <resources folder>.
#include <QApplication>
#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor Navy(0, 0, 128);
const QColor Teal(0, 128, 128);
const QColor Cream(255, 250, 235);

// A few piano keys, the program's motif.
void drawKeys(QPainter &p, const QRectF &area, int whiteKeys)
{
    const qreal w = area.width() / whiteKeys;
    p.setPen(QPen(Qt::black, 1));
    for (int k = 0; k < whiteKeys; ++k) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(area.left() + k * w, area.top(), w, area.height()));
    }
    p.setBrush(Qt::black);
    for (int k = 0; k < whiteKeys - 1; ++k) {
        if (k % 7 == 2 || k % 7 == 6)
            continue;
        p.drawRect(QRectF(area.left() + (k + 0.65) * w, area.top(), w * 0.7, area.height() * 0.6));
    }
}

// A picture of w x h points drawn at `scale` pixels per point, for screens at that scale.
QPixmap canvas(int w, int h, qreal scale, const QColor &top, const QColor &bottom)
{
    QPixmap pixmap(qRound(w * scale), qRound(h * scale));
    QPainter p(&pixmap);
    QLinearGradient gradient(0, 0, 0, pixmap.height());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.fillRect(pixmap.rect(), gradient);
    return pixmap;
}

// Drawn on a 32-pixel grid and scaled, so every size shows the same picture.
QPixmap icon(int size)
{
    QPixmap pixmap = canvas(size, size, 1, Teal, Navy);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    drawKeys(p, QRectF(3, 14, 26, 15), 5);
    p.setPen(QPen(Qt::white, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(8, 2, 11, 10));
    p.drawLine(QPointF(17, 10), QPointF(22, 13));
    return pixmap;
}

QPixmap banner(int w, int h, qreal scale, const QString &title, const QString &subtitle)
{
    QPixmap pixmap = canvas(w, h, scale, Cream, QColor(220, 235, 240));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    drawKeys(p, QRectF(4, h - 18, w - 8, 14), 21);
    QFont big(QStringLiteral("DejaVu Serif"));
    big.setPixelSize(26);
    big.setBold(true);
    big.setItalic(true);
    p.setFont(big);
    p.setPen(Navy);
    p.drawText(QRect(0, 0, w, h - 22), Qt::AlignHCenter | Qt::AlignTop, title);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(Teal);
    p.drawText(QRect(0, 0, w, h - 20), Qt::AlignHCenter | Qt::AlignBottom, subtitle);
    return pixmap;
}

QPixmap about(qreal scale)
{
    QPixmap pixmap = canvas(496, 340, scale, Cream, QColor(205, 225, 235));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    drawKeys(p, QRectF(24, 150, 448, 44), 35);
    QFont big(QStringLiteral("DejaVu Serif"));
    big.setPixelSize(56);
    big.setBold(true);
    big.setItalic(true);
    p.setFont(big);
    p.setPen(Navy);
    p.drawText(QRect(0, 20, 496, 80), Qt::AlignCenter, QStringLiteral("Quarv"));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(15);
    p.setFont(small);
    p.setPen(Teal);
    p.drawText(QRect(0, 96, 496, 40), Qt::AlignCenter,
        QStringLiteral("Style file inspector for arranger keyboards"));
    // A pale band behind the notices keeps the navy text legible.
    p.fillRect(QRect(0, 206, 496, 134), QColor(255, 255, 255, 150));
    return pixmap;
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources"));
    bool ok = true;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("icons/%1x%1").arg(size);
        ok = ok && out.mkpath(folder)
            && icon(size).save(out.filePath(folder + QStringLiteral("/quarv.png")));
    }
    // Each picture also at twice its size, "@2x", which Qt takes on screens at scale 2.
    for (const qreal scale : {1.0, 2.0}) {
        const QString suffix = scale > 1 ? QStringLiteral("@2x.png") : QStringLiteral(".png");
        ok = ok && icon(qRound(32 * scale)).save(out.filePath(QStringLiteral("icon") + suffix))
            && banner(200, 63, scale, QStringLiteral("Quarv"), QStringLiteral("Brennix 3.00"))
                   .save(out.filePath(QStringLiteral("logo") + suffix))
            && banner(200, 63, scale, QStringLiteral("How to..."), QStringLiteral("Quarv help"))
                   .save(out.filePath(QStringLiteral("help") + suffix))
            && about(scale).save(out.filePath(QStringLiteral("about") + suffix));
    }
    return ok ? 0 : 1;
}
