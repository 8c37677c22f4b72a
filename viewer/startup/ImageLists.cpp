#include "startup/ImageLists.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ImageLists {

namespace {
using Draw = void (*)(QPainter&);

QIcon Paint(Draw draw)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return QIcon(pixmap);
}

void Folder(QPainter& p)
{
    p.setPen(QColor(160, 120, 0));
    p.setBrush(QColor(250, 200, 40));
    p.drawRect(1, 4, 14, 10);
    p.drawRect(1, 2, 6, 3);
}

void Spare(QPainter& p)
{
    p.setPen(Qt::gray);
    p.drawRect(2, 2, 12, 12);
}

void House(QPainter& p)
{
    p.setPen(QColor(90, 50, 20));
    p.setBrush(QColor(200, 60, 40));
    p.drawPolygon(QPolygon({{1, 8}, {8, 1}, {15, 8}}));
    p.setBrush(QColor(240, 230, 200));
    p.drawRect(3, 8, 10, 7);
    p.setBrush(QColor(120, 70, 30));
    p.drawRect(7, 10, 3, 5);
}

void Emblem(QPainter& p)
{
    const QColor colours[] = {QColor(220, 40, 40), QColor(40, 160, 60), QColor(40, 90, 220), QColor(240, 190, 20)};
    for (int i = 0; i < 4; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        p.drawPie(QRect(1, 1, 14, 14), i * 90 * 16, 90 * 16);
    }
    p.setBrush(Qt::white);
    p.drawEllipse(QRect(5, 5, 6, 6));
}

void Page(QPainter& p)
{
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 10, 14);
}

void Document(QPainter& p)
{
    Page(p);
    p.setPen(QColor(150, 150, 150));
    for (int y = 4; y < 13; y += 3) p.drawLine(5, y, 10, y);
    p.setPen(QPen(QColor(30, 60, 160), 2));
    p.drawLine(9, 14, 15, 6);
}

void InBasket(QPainter& p)
{
    p.setPen(QPen(QColor(0, 140, 0), 2.5));
    p.drawLine(3, 8, 7, 12);
    p.drawLine(7, 12, 14, 3);
}

void NotInBasket(QPainter& p)
{
    p.setPen(QColor(120, 120, 120));
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(3, 6, 10, 7);
    p.drawLine(1, 4, 3, 6);
}
} // namespace

QList<QIcon> ImageList1()
{
    return {Paint(Folder), Paint(Spare), Paint(House), Paint(Emblem), Paint(Page), Paint(Document)};
}

QList<QIcon> ImageList5() { return {Paint(InBasket), Paint(NotInBasket)}; }

QIcon ToolbarIcon(const QString& key)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 70, 130), 2));
    if (key == QLatin1String("refesh")) {
        p.drawArc(QRect(4, 4, 16, 16), 30 * 16, 300 * 16);
        p.drawLine(17, 3, 19, 8);
        p.drawLine(19, 8, 14, 8);
    } else if (key == QLatin1String("Normal")) {
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygon({{6, 3}, {6, 19}, {10, 15}, {13, 21}, {15, 20}, {12, 14}, {17, 14}}));
    } else if (key == QLatin1String("ViewL") || key == QLatin1String("ViewS")) {
        p.drawEllipse(QRect(3, 3, 13, 13));
        p.drawLine(15, 15, 21, 21);
        p.drawLine(6, 9, 13, 9);
        if (key == QLatin1String("ViewL")) p.drawLine(9, 6, 9, 13);
    } else if (key == QLatin1String("Query")) {
        p.drawRect(4, 3, 12, 16);
        p.drawEllipse(QRect(10, 10, 8, 8));
        p.drawLine(17, 17, 21, 21);
    } else if (key == QLatin1String("Option")) {
        p.drawEllipse(QRect(6, 6, 12, 12));
        for (int a = 0; a < 8; ++a) {
            p.save();
            p.translate(12, 12);
            p.rotate(a * 45);
            p.drawLine(0, -9, 0, -11);
            p.restore();
        }
    } else if (key == QLatin1String("Quit")) {
        p.setPen(QPen(QColor(180, 30, 30), 2.5));
        p.drawLine(6, 6, 18, 18);
        p.drawLine(18, 6, 6, 18);
    }
    p.end();
    return QIcon(pixmap);
}

QImage HotspotMarker()
{
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 90, 200, 220), 2));
    p.setBrush(QColor(0, 120, 255, 60));
    p.drawEllipse(QRectF(2, 2, 16, 16));
    p.end();
    return image;
}

} // namespace ImageLists
