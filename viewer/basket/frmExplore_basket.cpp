// The main window's basket command: the basket window, modal over the main window, loaded afresh each time.
#include "basket/frmOrder.h"
#include "catalogue/frmExplore.h"
#include "startup/Forms.h"

void frmExplore::mnuOrder2_Click() { Forms::showModal<frmOrder>(this); }
