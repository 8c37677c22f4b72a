// The windows the start-up sequence closes so that a restart rebuilds them from the new settings.
#pragma once

namespace Restart {
void UnloadMainWindows();   // frmExplore, frmImportPrice, frmQuery
}
