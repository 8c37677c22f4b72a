// The main window's options command.
#include "catalogue/frmExplore.h"
#include "startup/Forms.h"
#include "startup/frmOption.h"

void frmExplore::mnuTools_F_Click() { Forms::showModal<frmOption>(this); }
