// The main window's drawing-page handlers: each forwards to the drawing components.
#include "catalogue/frmExplore.h"
#include "drawing/DrawingPage.h"
#include "drawing/HotspotLinkage.h"
#include "drawing/MouseTools.h"
#include "drawing/Zoom.h"

void frmExplore::TVbook_Click() { DrawingPage::Load(*this); }
void frmExplore::LVpart_ItemClick(int row) { HotspotLinkage::RowClicked(*this, row); }
void frmExplore::LVpart_DblClick() { HotspotLinkage::ListDoubleClicked(*this); }
void frmExplore::LVpart_MouseUp(int button, int, float, float) { HotspotLinkage::ListMouseUp(*this, button); }
void frmExplore::HotImg_MouseDown(int index, int button, int, float, float)
{
    HotspotLinkage::HotspotPressed(*this, index, button);
}
void frmExplore::HotImg_MouseUp(int index, int button, int, float, float)
{
    HotspotLinkage::HotspotReleased(*this, index, button);
}
void frmExplore::imgMain_MouseDown(int button, int, float, float) { MouseTools::PicturePressed(*this, button); }
void frmExplore::mnuTools_A_Click() { Zoom::ZoomIn(*this); }
void frmExplore::mnuTools_B_Click() { Zoom::ZoomOut(*this); }
void frmExplore::mnuTools_Shi_Click() { Zoom::BestFit(*this); }
void frmExplore::mnuTools_D_Click() { Zoom::ActualSize(*this); }
void frmExplore::Toolbar1_ButtonMenuClick(const QString&, const QString& itemText)
{
    Zoom::ToPercentage(*this, itemText);
}
