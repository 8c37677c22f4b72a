#include "drawing/Zoom.h"
#include "catalogue/frmExplore.h"
#include "drawing/DrawingPage.h"
#include "startup/PictureArray.h"
#include "startup/PictureBox.h"
#include "startup/ReportList.h"
#include "startup/ScrollArea.h"
#include "startup/Shape.h"
#include "startup/TextRules.h"
#include "startup/Twips.h"

#include <cmath>

namespace Zoom {

namespace {
constexpr float kDrawingLimit = 6000;

int32_t WholeTwips(float twips) { return static_cast<int32_t>(std::lrint(twips)); }

void SetHotspotsVisible(frmExplore& frm, int count, bool visible)
{
    for (int i = 1; i <= count; ++i)
        if (PictureBox* hot = frm.HotImg->Element(i)) hot->setVisible(visible);
}

void SetContentToShownSize(frmExplore& frm)
{
    frm.S1->SetContentHeight(WholeTwips(frm.imgMain->Height()));
    frm.S1->SetContentWidth(WholeTwips(frm.imgMain->Width()));
}

// Moves the picture to (0, 0) with the given size, stretched.
void ShowStretched(frmExplore& frm, Size size)
{
    frm.imgMain->SetStretch(true);
    frm.imgMain->Move(0, 0, size.width, size.height);
}

Size Shown(const frmExplore& frm) { return {frm.imgMain->Width(), frm.imgMain->Height()}; }
} // namespace

float HotspotLeft(double x, float shownWidth, float naturalWidth)
{
    return static_cast<float>((x * shownWidth / naturalWidth - DrawingPage::HotspotOffsetPixels) * Twips::PerPixel);
}

float HotspotTop(double y, float shownHeight, int32_t naturalHeight)
{
    return static_cast<float>((y * shownHeight / naturalHeight - DrawingPage::HotspotOffsetPixels) * Twips::PerPixel);
}

bool FitSize(float areaWidth, float areaHeight, float naturalWidth, int32_t naturalHeight, Size& fitted)
{
    if (areaWidth <= 0 || areaHeight <= 0 || naturalWidth <= 0 || naturalHeight <= 0) return false;
    if (areaWidth / areaHeight >= naturalWidth / static_cast<float>(naturalHeight)) {
        fitted.height = areaHeight;
        fitted.width = areaHeight * naturalWidth / static_cast<float>(naturalHeight);
    } else {
        fitted.width = areaWidth;
        fitted.height = areaWidth * static_cast<float>(naturalHeight) / naturalWidth;
    }
    return true;
}

Size ByTenth(Size shown, int steps)
{
    for (; steps > 0; --steps) shown = {shown.width + shown.width / 10.0f, shown.height + shown.height / 10.0f};
    for (; steps < 0; ++steps) shown = {shown.width - shown.width / 10.0f, shown.height - shown.height / 10.0f};
    return shown;
}

Size Percentage(const QString& itemText, float naturalWidth, int32_t naturalHeight)
{
    const float f = static_cast<float>(TextRules::NumericValue(itemText) * 0.01);
    return {f * naturalWidth, static_cast<float>(static_cast<double>(f) * naturalHeight)};
}

Size LimitTo6000(Size natural)
{
    if (natural.width <= kDrawingLimit && natural.height <= kDrawingLimit) return natural;
    if (natural.width >= natural.height) return {kDrawingLimit, kDrawingLimit * natural.height / natural.width};
    return {kDrawingLimit * natural.width / natural.height, kDrawingLimit};
}

bool HasMeasuredPicture(const frmExplore& frm)
{
    return frm.imgMain->HasPicture() && frm.NaturalWidth > 0 && frm.NaturalHeight > 0;
}

void ReplaceHotspots(frmExplore& frm, bool hideHighlight)
{
    // Without a measured picture the hotspots have nothing to lie on and stay as they are.
    if (HasMeasuredPicture(frm)) {
        const int n = frm.LVpart->Count();
        SetHotspotsVisible(frm, n, false);
        for (int i = 1; i <= n; ++i) {
            PictureBox* hot = frm.HotImg->Element(i);
            double x = 0, y = 0;
            // A cell that is not a number leaves its hotspot where it is.
            if (!hot || !TextRules::StrictNumber(frm.LVpart->SubItem(i, DrawingPage::X), x) ||
                !TextRules::StrictNumber(frm.LVpart->SubItem(i, DrawingPage::Y), y))
                continue;
            hot->Move(HotspotLeft(x, frm.imgMain->Width(), frm.NaturalWidth),
                      HotspotTop(y, frm.imgMain->Height(), frm.NaturalHeight));
        }
        SetHotspotsVisible(frm, n, true);
    }
    if (hideHighlight) frm.Shp->setVisible(false);
    SetContentToShownSize(frm);
}

void BestFit(frmExplore& frm)
{
    if (!HasMeasuredPicture(frm)) return;
    const float vw = frm.S1->OuterWidth();
    const float vh = frm.S1->OuterHeight();
    frm.S1->SetContentHeight(0);
    frm.S1->SetContentWidth(0);
    SetHotspotsVisible(frm, frm.LVpart->Count(), false);
    Size fitted;
    if (FitSize(vw, vh, frm.NaturalWidth, frm.NaturalHeight, fitted)) {
        frm.imgMain->SetHeight(fitted.height);
        frm.imgMain->SetWidth(fitted.width);
    }
    ReplaceHotspots(frm, false);
}

void ResizeByTenth(frmExplore& frm, int steps)
{
    if (!HasMeasuredPicture(frm)) return;
    ShowStretched(frm, ByTenth(Shown(frm), steps));
}

void ZoomIn(frmExplore& frm)
{
    if (!HasMeasuredPicture(frm)) return;
    ResizeByTenth(frm, 1);
    ReplaceHotspots(frm, true);
}

void ZoomOut(frmExplore& frm)
{
    if (!HasMeasuredPicture(frm)) return;
    ResizeByTenth(frm, -1);
    ReplaceHotspots(frm, true);
}

void ActualSize(frmExplore& frm)
{
    if (!HasMeasuredPicture(frm)) return;
    frm.imgMain->Move(0, 0, frm.NaturalWidth, static_cast<float>(frm.NaturalHeight));
    ReplaceHotspots(frm, false);
}

void ToPercentage(frmExplore& frm, const QString& itemText)
{
    if (!HasMeasuredPicture(frm)) return;
    const Size s = Percentage(itemText, frm.NaturalWidth, frm.NaturalHeight);
    frm.imgMain->Move(0, 0, s.width, s.height);
    ReplaceHotspots(frm, false);
}

} // namespace Zoom
