#include "startup/Restart.h"
#include "startup/Forms.h"
#include "catalogue/frmExplore.h"

namespace Restart {
void UnloadMainWindows()
{
    Forms::unload<frmExplore>();
}
}
