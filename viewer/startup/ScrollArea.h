// The scrolling drawing area (S1): its outer size, and the scrollable content size that the page sets
// (32-bit twips). The controls inside are children of Content().
#pragma once

#include <QScrollArea>
#include <cstdint>

class ScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit ScrollArea(QWidget* parent = nullptr);

    QWidget* Content() const { return content_; }
    float OuterWidth() const;    // twips of the visible area
    float OuterHeight() const;
    int32_t ContentWidth() const { return contentWidth_; }
    int32_t ContentHeight() const { return contentHeight_; }
    void SetContentWidth(int32_t twips);
    void SetContentHeight(int32_t twips);

Q_SIGNALS:
    void Resized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Apply();
    QWidget* content_;
    int32_t contentWidth_ = 0, contentHeight_ = 0;
};
