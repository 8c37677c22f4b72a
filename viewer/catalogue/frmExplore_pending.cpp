// Handlers of the main window whose subsystems are not in this build yet: they do nothing.
#include "catalogue/frmExplore.h"

void frmExplore::RefreshLibrary() {}
void frmExplore::TVbooks_Click() {}
void frmExplore::TVbook_Click() {}
void frmExplore::LVpart_ItemClick(int) {}
void frmExplore::LVpart_DblClick() {}
void frmExplore::LVpart_MouseUp(int, int, float, float) {}
void frmExplore::HotImg_MouseDown(int, int, int, float, float) {}
void frmExplore::HotImg_MouseUp(int, int, int, float, float) {}
void frmExplore::imgMain_MouseDown(int, int, float, float) {}
void frmExplore::mnuTools_A_Click() {}
void frmExplore::mnuTools_B_Click() {}
void frmExplore::mnuTools_Shi_Click() {}
void frmExplore::mnuTools_D_Click() {}
void frmExplore::Toolbar1_ButtonMenuClick(const QString&, const QString&) {}
void frmExplore::mnuOrder_1_Click() {}
void frmExplore::mnuQuery_Click() {}
void frmExplore::mnuTools_F_Click() {}
void frmExplore::mnuHelp_AboutView_Click() {}
void frmExplore::mnuHelp_About_Click() {}
