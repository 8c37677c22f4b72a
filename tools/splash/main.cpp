// Paints the splash pictures: a bulldozer on a work site under the product's name, in Chinese and English.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

constexpr int kWidth = 499;    // the splash window's designed size, 7485 x 4965 twips
constexpr int kHeight = 331;
const QColor kYellow(0xF2, 0xB1, 0x1D);
const QColor kDarkYellow(0xC7, 0x7A, 0x06);
const QColor kSteel(0x33, 0x36, 0x3B);
const QColor kInk(0x1E, 0x22, 0x28);

QFont Font(int pixels, bool bold)
{
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void Background(QPainter& p)
{
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(0x2B, 0x4C, 0x7E));
    sky.setColorAt(0.62, QColor(0x8F, 0xB3, 0xD9));
    sky.setColorAt(0.63, QColor(0x9C, 0x7A, 0x52));
    sky.setColorAt(1, QColor(0x6B, 0x50, 0x33));
    p.fillRect(0, 0, kWidth, kHeight, sky);
    // A spoil heap the blade is pushing.
    QPainterPath heap;
    heap.moveTo(20, 262);
    heap.cubicTo(45, 222, 85, 214, 118, 262);
    heap.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x84, 0x63, 0x3F));
    p.drawPath(heap);
    // Faint grid lines, as on a drawing sheet.
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int x = 0; x < kWidth; x += 24) p.drawLine(x, 0, x, 205);
    for (int y = 0; y < 205; y += 24) p.drawLine(0, y, kWidth, y);
}

void Bulldozer(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(kInk, 2.5);
    // Track: a long rounded band with road wheels.
    p.setPen(outline);
    p.setBrush(kSteel);
    p.drawRoundedRect(QRectF(140, 228, 230, 40), 20, 20);
    p.setBrush(QColor(0x6C, 0x71, 0x78));
    for (int k = 0; k < 6; ++k) p.drawEllipse(QPointF(162 + k * 37.2, 248), 11, 11);
    // Engine hood and body.
    p.setBrush(kYellow);
    QPainterPath body;
    body.moveTo(150, 228);
    body.lineTo(150, 190);
    body.lineTo(268, 186);
    body.lineTo(276, 172);
    body.lineTo(362, 172);
    body.lineTo(366, 228);
    body.closeSubpath();
    p.drawPath(body);
    // Cab with its window.
    p.drawRect(QRectF(282, 118, 74, 56));
    p.setBrush(QColor(0xBF, 0xDB, 0xF0));
    p.drawRect(QRectF(292, 128, 54, 30));
    // Exhaust stack.
    p.setBrush(kSteel);
    p.drawRect(QRectF(222, 160, 9, 28));
    // Push arm and blade.
    p.setBrush(kDarkYellow);
    QPainterPath arm;
    arm.moveTo(152, 232);
    arm.lineTo(118, 236);
    arm.lineTo(118, 246);
    arm.lineTo(156, 244);
    arm.closeSubpath();
    p.drawPath(arm);
    QPainterPath blade;
    blade.moveTo(96, 182);
    blade.quadTo(126, 220, 112, 268);
    blade.lineTo(128, 268);
    blade.quadTo(140, 220, 110, 182);
    blade.closeSubpath();
    p.setBrush(kYellow);
    p.drawPath(blade);
    // Ripper at the back.
    p.setBrush(kSteel);
    QPainterPath ripper;
    ripper.moveTo(366, 210);
    ripper.lineTo(396, 214);
    ripper.lineTo(400, 262);
    ripper.lineTo(392, 262);
    ripper.lineTo(388, 222);
    ripper.lineTo(366, 222);
    ripper.closeSubpath();
    p.drawPath(ripper);
    // Callout balloons, as on the catalogue's exploded views.
    p.setFont(Font(11, true));
    const QPointF callouts[] = {{112, 170}, {268, 132}, {226, 146}, {402, 200}};
    int number = 1;
    for (const QPointF& c : callouts) {
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(QColor(0xC0, 0x1C, 0x28));
        p.drawEllipse(c, 10, 10);
        p.drawText(QRectF(c.x() - 10, c.y() - 10, 20, 20), Qt::AlignCenter, QString::number(number++));
    }
}

void Texts(QPainter& p, bool english)
{
    p.setPen(Qt::white);
    p.setFont(Font(34, true));
    p.drawText(QRect(0, 14, kWidth - 20, 44), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Marlinex"));
    p.setFont(Font(english ? 17 : 22, true));
    p.drawText(QRect(0, 58, kWidth - 20, 30), Qt::AlignRight | Qt::AlignVCenter,
               english ? QStringLiteral("Electronic Spare-Parts Catalogue for Bulldozers")
                       : QStringLiteral("推土机电子零件目录"));
    p.setFont(Font(12, false));
    p.drawText(QRect(0, 88, kWidth - 20, 20), Qt::AlignRight | Qt::AlignVCenter,
               english ? QStringLiteral("Drawings - part lists - order basket - price import")
                       : QStringLiteral("图册 · 零件明细 · 订货购物箱 · 价格导入"));
    p.fillRect(0, kHeight - 30, kWidth, 30, QColor(0, 0, 0, 120));
    p.setPen(QColor(0xEE, 0xEE, 0xEE));
    p.setFont(Font(12, false));
    p.drawText(QRect(14, kHeight - 30, kWidth - 28, 30), Qt::AlignLeft | Qt::AlignVCenter,
               english ? QStringLiteral("Version 1.0") : QStringLiteral("版本 1.0"));
    p.drawText(QRect(14, kHeight - 30, kWidth - 28, 30), Qt::AlignRight | Qt::AlignVCenter,
               english ? QStringLiteral("Click anywhere to start") : QStringLiteral("单击任意处开始"));
}

QImage Splash(bool english)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    Background(p);
    Bulldozer(p);
    Texts(p, english);
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: marlinex-splash OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    // The names say nothing of the format; the viewer decides it from the content.
    const bool ok = Splash(false).save(out.filePath(QStringLiteral("view.Res")), "PNG")
        && Splash(true).save(out.filePath(QStringLiteral("viewen.Res")), "PNG");
    if (!ok) std::fprintf(stderr, "cannot write the pictures into %s\n", argv[1]);
    return ok ? 0 : 1;
}
