// The main window's search command.
#include "catalogue/frmExplore.h"
#include "search/frmQuery.h"

void frmExplore::mnuQuery_Click() { OpenSearch(this, false); }
