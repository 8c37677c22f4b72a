// Mouse actions on the drawing: a press under the current tool (normal, zoom in, zoom out), and what users
// of viewers expect besides: the wheel with Ctrl zooms by a tenth, the middle button drags the drawing.
#pragma once

class frmExplore;

namespace MouseTools {

// A press on the picture: the right button returns to the normal tool; the left button zooms under the zoom
// tools; every press re-places the hotspots and hides the highlight.
void PicturePressed(frmExplore& frm, int button);

// Watches the drawing area for the wheel and the middle-button drag.
void Install(frmExplore& frm);

} // namespace MouseTools
