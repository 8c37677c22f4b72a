// The drawing's shown size: the zoom commands, the best fit, and the re-placement of the hotspots that
// ends each of them. Sizes are twips in single precision; the picture's top-left corner stays at (0, 0).
#pragma once

#include <QString>
#include <cstdint>

class frmExplore;

namespace Zoom {

struct Size {
    float width = 0;
    float height = 0;
};

// The arithmetic, kept apart so the figures can be checked without a window.
// Top-left corner of a hotspot whose callout is at (x, y) pixels of the natural picture.
float HotspotLeft(double x, float shownWidth, float naturalWidth);
float HotspotTop(double y, float shownHeight, int32_t naturalHeight);
// The picture's size fitted into the area with its proportions kept; false when the sizes give no ratio.
bool FitSize(float areaWidth, float areaHeight, float naturalWidth, int32_t naturalHeight, Size& fitted);
// One tenth larger (steps > 0) or smaller (steps < 0), once per step.
Size ByTenth(Size shown, int steps);
// A percentage text of the toolbar's drop-down menus ("75%") applied to the natural size.
Size Percentage(const QString& itemText, float naturalWidth, int32_t naturalHeight);
// The drawing's size limited to 6000 twips on its larger side, proportions kept.
Size LimitTo6000(Size natural);

// The commands on the main window. A page whose picture was not measured (no picture, or a natural size of
// 0) has nothing to zoom: every command leaves it as it is.
bool HasMeasuredPicture(const frmExplore& frm);
// Places every hotspot over its callout by the shown size (row cells "x" and "y"), shows them, hides the
// highlight when asked, and sets the scroll area's content to the shown size.
void ReplaceHotspots(frmExplore& frm, bool hideHighlight);
void BestFit(frmExplore& frm);
void ZoomIn(frmExplore& frm);
void ZoomOut(frmExplore& frm);
void ActualSize(frmExplore& frm);
void ToPercentage(frmExplore& frm, const QString& itemText);
// Grows or shrinks the picture by a tenth without re-placing (the mouse tools re-place themselves).
void ResizeByTenth(frmExplore& frm, int steps);

} // namespace Zoom
