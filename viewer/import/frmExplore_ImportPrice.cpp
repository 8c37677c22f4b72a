// The main window's command that opens the price import.
#include "catalogue/frmExplore.h"
#include "import/frmImportPrice.h"
#include "startup/Forms.h"

void frmExplore::mnuFile_ImportPrice_Click() { Forms::showModal<frmImportPrice>(this); }
