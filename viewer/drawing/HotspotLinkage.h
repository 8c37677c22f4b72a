// Hotspots and part-list rows point at each other through the part number: a hotspot's tag is its row's
// part number (column 2). A part used at several callouts links to its first row and its first hotspot.
#pragma once

class frmExplore;
class QString;

namespace HotspotLinkage {

// Row click: marks the first hotspot of the row's part number.
void RowClicked(frmExplore& frm, int row);
// Double click: orders the selected part when the list has rows.
void ListDoubleClicked(frmExplore& frm);
// Release over the list: the right button opens the order menu when a row is selected.
void ListMouseUp(frmExplore& frm, int button);
// Press and release on hotspot index. A hotspot whose part number is in no row does nothing.
void HotspotPressed(frmExplore& frm, int index, int button);
void HotspotReleased(frmExplore& frm, int index, int button);

// The first row, from the top, with a cell of columns 2 to 13 equal to text; 0 when none.
int FirstRowWithCell(const frmExplore& frm, const QString& text);

} // namespace HotspotLinkage
