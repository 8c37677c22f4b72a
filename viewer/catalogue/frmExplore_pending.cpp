// Handlers of the main window whose subsystems are not in this build yet: they do nothing.
#include "catalogue/frmExplore.h"

void frmExplore::mnuQuery_Click() {}
void frmExplore::mnuTools_F_Click() {}
void frmExplore::mnuHelp_AboutView_Click() {}
void frmExplore::mnuHelp_About_Click() {}
