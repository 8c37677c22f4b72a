// Lets a long loop process pending events at every step while a widget that grows during the loop
// repaints only every few tenths of a second: repainting a list after every catalogue costs far more
// than reading the catalogue.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

class PaintThrottle {
public:
    explicit PaintThrottle(QWidget* widget, qint64 intervalMs = 100)
        : widget_(widget), intervalMs_(intervalMs), enabled_(widget->updatesEnabled())
    {
        sincePaint_.start();
        widget_->setUpdatesEnabled(false);
    }
    ~PaintThrottle()
    {
        if (widget_) {
            widget_->setUpdatesEnabled(enabled_);
            widget_->update();
        }
    }
    PaintThrottle(const PaintThrottle&) = delete;
    PaintThrottle& operator=(const PaintThrottle&) = delete;

    // Processes pending events, letting the widget repaint when its interval has passed.
    template <class ProcessEvents> void Step(ProcessEvents processEvents)
    {
        const bool paint = sincePaint_.elapsed() >= intervalMs_;
        if (paint && widget_) {
            widget_->setUpdatesEnabled(enabled_);
            sincePaint_.restart();
        }
        processEvents();
        if (paint && widget_) widget_->setUpdatesEnabled(false);
    }

private:
    QPointer<QWidget> widget_;
    qint64 intervalMs_;
    bool enabled_;
    QElapsedTimer sincePaint_;
};
