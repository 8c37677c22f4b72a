#include "about/ProductIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ProductIcon {

QPixmap Emblem(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(side * 0.04, side * 0.04, side * 0.92, side * 0.92);
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0, QColor(0xF2, 0xB1, 0x1D));   // machine yellow
    fill.setColorAt(1, QColor(0xC7, 0x7A, 0x06));
    p.setPen(QPen(QColor(0x3A, 0x2A, 0x10), side * 0.04));
    p.setBrush(fill);
    p.drawRoundedRect(r, side * 0.16, side * 0.16);
    // A dozer blade under a bold M.
    QPainterPath blade;
    blade.moveTo(side * 0.18, side * 0.70);
    blade.quadTo(side * 0.50, side * 0.62, side * 0.82, side * 0.70);
    blade.lineTo(side * 0.82, side * 0.82);
    blade.quadTo(side * 0.50, side * 0.76, side * 0.18, side * 0.82);
    blade.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3A, 0x2A, 0x10));
    p.drawPath(blade);
    QFont font(QStringLiteral("Sans"));
    font.setBold(true);
    font.setPixelSize(int(side * 0.46));
    p.setFont(font);
    p.setPen(QColor(0x3A, 0x2A, 0x10));
    p.drawText(QRectF(0, side * 0.08, side, side * 0.58), Qt::AlignCenter, QStringLiteral("M"));
    return pixmap;
}

} // namespace ProductIcon
