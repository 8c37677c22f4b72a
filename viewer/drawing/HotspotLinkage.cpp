#include "drawing/HotspotLinkage.h"
#include "catalogue/frmExplore.h"
#include "drawing/DrawingPage.h"
#include "drawing/Zoom.h"
#include "startup/PictureArray.h"
#include "startup/PictureBox.h"
#include "startup/ReportList.h"
#include "startup/Shape.h"
#include "startup/TextRules.h"
#include "startup/Twips.h"

#include <QCursor>
#include <QMenu>

namespace HotspotLinkage {

namespace {
// The highlight sits one pixel right of and below the hotspot's corner, in front of everything.
void MarkHotspot(frmExplore& frm, const PictureBox& hot)
{
    frm.Shp->Move(hot.Left() + Twips::PerPixel, hot.Top() + Twips::PerPixel, hot.Width(), hot.Height());
    frm.Shp->raise();
    frm.Shp->setVisible(true);
}
} // namespace

int FirstRowWithCell(const frmExplore& frm, const QString& text)
{
    const int rows = frm.LVpart->Count();
    const int subItems = frm.LVpart->ColumnCount() - 1;
    for (int row = 1; row <= rows; ++row)
        for (int s = 1; s <= subItems; ++s)
            if (frm.LVpart->SubItem(row, s) == text) return row;
    return 0;
}

void RowClicked(frmExplore& frm, int row)
{
    const QString part = frm.LVpart->SubItem(row, DrawingPage::PartNumber);
    for (int i = 1; i <= frm.HotImg->UBound(); ++i) {
        const PictureBox* hot = frm.HotImg->Element(i);
        if (hot && hot->Tag() == part) {
            MarkHotspot(frm, *hot);
            return;
        }
    }
}

void ListDoubleClicked(frmExplore& frm)
{
    if (frm.LVpart->Count() >= 1) frm.mnuOrder_1_Click();
}

void ListMouseUp(frmExplore& frm, int button)
{
    if (button == DrawingPage::RightButton && frm.LVpart->SelectedRow() != 0) frm.mnuOrder1->popup(QCursor::pos());
}

void HotspotPressed(frmExplore& frm, int index, int button)
{
    PictureBox* hot = frm.HotImg->Element(index);
    if (!hot) return;
    if (button == DrawingPage::RightButton) {
        frm.HotspotRightPressed = true;
    } else if (button == DrawingPage::LeftButton) {
        const int row = FirstRowWithCell(frm, hot->Tag());
        if (row == 0) return;
        frm.LVpart->Select(row, false);
        frm.HotspotRightPressed = false;
        MarkHotspot(frm, *hot);
    }
}

void HotspotReleased(frmExplore& frm, int index, int button)
{
    PictureBox* hot = frm.HotImg->Element(index);
    if (!hot) return;
    if (button == DrawingPage::RightButton) {
        frm.Shp->setVisible(false);
        return;
    }
    if (button != DrawingPage::LeftButton || frm.HotspotRightPressed) return;
    const int row = FirstRowWithCell(frm, hot->Tag());
    if (row == 0 || !Zoom::HasMeasuredPicture(frm) || frm.imgMain->Width() <= 0 || frm.imgMain->Height() <= 0) return;
    hot->Move(frm.Shp->Left() - Twips::PerPixel, frm.Shp->Top() - Twips::PerPixel);
    frm.LVpart->Select(row, false);
    // Back to natural-picture pixels: x in single precision, y in double, as the cells always held them.
    const float x = (hot->Left() / Twips::PerPixel + DrawingPage::HotspotOffsetPixels) * frm.NaturalWidth / frm.imgMain->Width();
    const double y = (static_cast<double>(hot->Top()) / Twips::PerPixel + DrawingPage::HotspotOffsetPixels) * frm.NaturalHeight /
                     static_cast<double>(frm.imgMain->Height());
    frm.LVpart->SetSubItem(row, DrawingPage::X, TextRules::DecimalTextSingle(x));
    frm.LVpart->SetSubItem(row, DrawingPage::Y, TextRules::DecimalText(y));
}

} // namespace HotspotLinkage
