// The main window's help-menu windows.
#include "about/Dialog.h"
#include "about/frmAbout.h"
#include "catalogue/frmExplore.h"

void frmExplore::mnuHelp_AboutView_Click() { frmAbout::ShowModal(this); }
void frmExplore::mnuHelp_About_Click() { Dialog::ShowModal(this); }
