#include "startup/ScrollArea.h"
#include "startup/Twips.h"

#include <QResizeEvent>

ScrollArea::ScrollArea(QWidget* parent) : QScrollArea(parent), content_(new QWidget)
{
    content_->setObjectName(QStringLiteral("S1Content"));
    setWidget(content_);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Apply();
}

// The area a picture may fill without scroll bars, whether or not scroll bars show at the moment.
float ScrollArea::OuterWidth() const { return Twips::FromPixels(maximumViewportSize().width()); }
float ScrollArea::OuterHeight() const { return Twips::FromPixels(maximumViewportSize().height()); }

void ScrollArea::SetContentWidth(int32_t twips)
{
    contentWidth_ = twips;
    Apply();
}

void ScrollArea::SetContentHeight(int32_t twips)
{
    contentHeight_ = twips;
    Apply();
}

void ScrollArea::Apply()
{
    // The content never gets smaller than the visible area, so controls inside it stay visible.
    const int w = std::max(Twips::ToPixels(contentWidth_), viewport()->width());
    const int h = std::max(Twips::ToPixels(contentHeight_), viewport()->height());
    content_->resize(w, h);
}

void ScrollArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    Apply();
    Q_EMIT Resized();
}
