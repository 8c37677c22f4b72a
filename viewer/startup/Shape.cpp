#include "startup/Shape.h"
#include "startup/Twips.h"

#include <QPainter>

Shape::Shape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::Move(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    setGeometry(Twips::ToPixels(left), Twips::ToPixels(top), Twips::ToPixels(width), Twips::ToPixels(height));
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPen pen(color_, borderWidth_);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const int half = borderWidth_ / 2;
    painter.drawRect(rect().adjusted(half, half, -half - (borderWidth_ % 2 ? 1 : 0), -half - (borderWidth_ % 2 ? 1 : 0)));
}
