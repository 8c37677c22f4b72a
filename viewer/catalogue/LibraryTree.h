// Library discovery: every catalogue folder under the data folder becomes a node of the library tree,
// grouped in the series of its library path ("S1:推土机 Bulldozers-S1.1:D85 D85 Series").
#pragma once

#include <QString>

class KeyedTree;
class frmExplore;

namespace LibraryTree {

// Empties both trees and the drawing area's content size, rebuilds the library tree from DataPath,
// and puts the mouse tool back to normal. Pending events run before, once per catalogue folder, and after.
void RefreshLibrary(frmExplore& window);

// Adds the series and catalogue nodes of every catalogue folder directly under dataPath (ending in "/").
// Folders are visited from the last listed to the first; each book.sd is opened once for its Root row and
// closed before the next. A book.sd that cannot be opened or read is skipped without a message. The tree may
// be destroyed while pending events run; the walk then stops.
void BuildLibraryTree(const QString& dataPath, KeyedTree* tree);

} // namespace LibraryTree
