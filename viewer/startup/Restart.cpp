#include "startup/Restart.h"
#include "startup/Forms.h"
#include "catalogue/frmExplore.h"
#include "import/frmImportPrice.h"

namespace Restart {
void UnloadMainWindows()
{
    Forms::unload<frmExplore>();
    Forms::unload<frmImportPrice>();
}
}
