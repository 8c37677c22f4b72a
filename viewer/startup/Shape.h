// Shape control: an outlined rectangle (the red highlight of the selected hotspot), geometry in twips.
#pragma once

#include <QColor>
#include <QWidget>

class Shape : public QWidget {
    Q_OBJECT
public:
    explicit Shape(QWidget* parent = nullptr);
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void Move(float left, float top, float width, float height);
    void Move(float left, float top) { Move(left, top, width_, height_); }
    void SetBorderColor(const QColor& color) { color_ = color; update(); }
    void SetBorderWidth(int pixels) { borderWidth_ = pixels; update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    QColor color_ = Qt::red;
    int borderWidth_ = 2;
};
