#include "startup/PictureBox.h"
#include "startup/ReportList.h"
#include "startup/Twips.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

bool PictureBox::LoadPicture(const QString& path)
{
    SetPicture(Picture::Load(path));
    return HasPicture();
}

void PictureBox::SetPicture(const Picture& picture)
{
    picture_ = picture;
    if (!stretch_) {
        const QSize natural = picture_.NaturalSize();
        Move(left_, top_, Twips::FromPixels(natural.width()), Twips::FromPixels(natural.height()));
    }
    update();
}

void PictureBox::RemovePicture() { SetPicture(Picture()); }

void PictureBox::SetStretch(bool on)
{
    stretch_ = on;
    if (!on && HasPicture()) {
        const QSize natural = picture_.NaturalSize();
        Move(left_, top_, Twips::FromPixels(natural.width()), Twips::FromPixels(natural.height()));
    }
    update();
}

void PictureBox::Move(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    setGeometry(Twips::ToPixels(left_), Twips::ToPixels(top_), Twips::ToPixels(width_), Twips::ToPixels(height_));
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (!HasPicture()) return;
    QPainter painter(this);
    const QSizeF natural(picture_.NaturalSize());
    picture_.Paint(painter, stretch_ ? QRectF(rect()) : QRectF(QPointF(0, 0), natural));
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    Q_EMIT MouseDown(MouseButtonCode(event->button()), ShiftCode(event->modifiers()), Twips::FromPixels(p.x()),
                     Twips::FromPixels(p.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    Q_EMIT MouseUp(MouseButtonCode(event->button()), ShiftCode(event->modifiers()), Twips::FromPixels(p.x()),
                   Twips::FromPixels(p.y()));
}

void PictureBox::wheelEvent(QWheelEvent* event)
{
    Q_EMIT Wheel(event->angleDelta().y(), event->modifiers(), event->position());
    event->ignore();
}
