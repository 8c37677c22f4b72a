// The drawing page of a book-tree drawing node: the part list, one hotspot per row over the callouts,
// the title and the picture fitted into the drawing area.
#pragma once

#include <QString>

class frmExplore;

namespace DrawingPage {

// The part list's columns as sub-items (column k is sub-item k - 1; column 1 is the row text).
enum SubItem {
    PartNumber = 1, Name, Quantity, Unit, UnitPrice, TotalPrice, UnitWeight, TotalWeight, Assembly, RowNumber, X, Y
};
inline constexpr int ColumnCount = 13;

// A hotspot's corner lies this many pixels left of and above its callout.
inline constexpr int HotspotOffsetPixels = 8;
// Where a part without a callout (serial number 0) parks its hotspot, and what its "x" and "y" cells say.
inline constexpr float ParkedTwips = -30;

// Mouse buttons as the events number them.
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;

// Clears the page and, for a drawing node selected in TVbook, builds it from the open catalogue.
void Load(frmExplore& frm);

// The picture file of a drawing row's 文件 inside the catalogue folder: its last four characters become
// ".rs_", a name differing only in letter case is accepted, and a name that would leave the folder
// (an absolute path or a ".." part) gives "" as a missing file does.
QString PictureFile(const QString& catalogueFolder, const QString& file);

} // namespace DrawingPage
