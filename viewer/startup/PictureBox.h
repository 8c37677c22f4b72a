// Image control: shows a Picture; geometry in twips (single precision). With stretching off it takes the
// picture's natural size (pixels x 15); with stretching on the picture is drawn scaled to the control.
#pragma once

#include "startup/Picture.h"

#include <QString>
#include <QWidget>

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Loads the file (the content decides the format); false and no picture when it cannot be read.
    bool LoadPicture(const QString& path);
    void SetPicture(const Picture& picture);
    void RemovePicture();
    const Picture& CurrentPicture() const { return picture_; }
    bool HasPicture() const { return !picture_.IsNull(); }

    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void SetLeft(float twips) { Move(twips, top_, width_, height_); }
    void SetTop(float twips) { Move(left_, twips, width_, height_); }
    void SetWidth(float twips) { Move(left_, top_, twips, height_); }
    void SetHeight(float twips) { Move(left_, top_, width_, twips); }
    void Move(float left, float top, float width, float height);
    void Move(float left, float top) { Move(left, top, width_, height_); }

    QString Tag() const { return tag_; }
    void SetTag(const QString& tag) { tag_ = tag; }
    void BringToFront() { raise(); }

Q_SIGNALS:
    // button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x and y in twips inside the control.
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void Wheel(int delta, Qt::KeyboardModifiers modifiers, QPointF position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    Picture picture_;
    bool stretch_ = false;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    QString tag_;
};
