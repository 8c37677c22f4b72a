#include "drawing/MouseTools.h"
#include "ModExplor.h"
#include "catalogue/frmExplore.h"
#include "drawing/DrawingPage.h"
#include "drawing/Zoom.h"
#include "startup/PictureBox.h"
#include "startup/ScrollArea.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace MouseTools {

namespace {
constexpr int16_t kNormalTool = 1;
constexpr int16_t kZoomInTool = 2;
constexpr int16_t kZoomOutTool = 3;
// One notch of a mouse wheel; finer wheels add up to it.
constexpr int kWheelNotch = 120;

class DrawingAreaFilter : public QObject {
public:
    DrawingAreaFilter(frmExplore& frm) : QObject(&frm), frm_(frm) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Wheel: return Wheel(static_cast<QWheelEvent*>(event));
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::MiddleButton) {
                dragging_ = true;
                last_ = e->globalPosition().toPoint();
            }
            return false;   // the press still reaches the picture's own handler
        }
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (!dragging_ || !(e->buttons() & Qt::MiddleButton)) return false;
            const QPoint now = e->globalPosition().toPoint();
            const QPoint moved = now - last_;
            last_ = now;
            frm_.S1->horizontalScrollBar()->setValue(frm_.S1->horizontalScrollBar()->value() - moved.x());
            frm_.S1->verticalScrollBar()->setValue(frm_.S1->verticalScrollBar()->value() - moved.y());
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) dragging_ = false;
            return false;
        default: return false;
        }
    }

private:
    bool Wheel(QWheelEvent* e)
    {
        if (!(e->modifiers() & Qt::ControlModifier)) return false;
        wheel_ += e->angleDelta().y();
        for (; wheel_ >= kWheelNotch; wheel_ -= kWheelNotch) frm_.mnuTools_A_Click();
        for (; wheel_ <= -kWheelNotch; wheel_ += kWheelNotch) frm_.mnuTools_B_Click();
        e->accept();
        return true;
    }

    frmExplore& frm_;
    bool dragging_ = false;
    QPoint last_;
    int wheel_ = 0;
};
} // namespace

void PicturePressed(frmExplore& frm, int button)
{
    if (button == DrawingPage::RightButton) ModExplor::MouseTool = kNormalTool;
    if (button == DrawingPage::LeftButton && ModExplor::MouseTool == kZoomInTool) Zoom::ResizeByTenth(frm, 1);
    if (button == DrawingPage::LeftButton && ModExplor::MouseTool == kZoomOutTool) Zoom::ResizeByTenth(frm, -1);
    Zoom::ReplaceHotspots(frm, true);
}

void Install(frmExplore& frm)
{
    auto* filter = new DrawingAreaFilter(frm);
    frm.imgMain->installEventFilter(filter);
    frm.S1->viewport()->installEventFilter(filter);
}

} // namespace MouseTools
