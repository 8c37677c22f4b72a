// The pictures of the trees, the part list, the toolbar and the hotspots, drawn in code.
#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

namespace ImageLists {
// Tree pictures by number: 1 series (yellow folder), 2 spare, 3 root (small house),
// 4 catalogue (multicoloured emblem), 5 chapter (blank page), 6 drawing (document with pen).
QList<QIcon> ImageList1();
// Part-list marks: 1 in the basket, 2 not in the basket.
QList<QIcon> ImageList5();
// Toolbar picture for a button key ("refesh", "Normal", "ViewL", "ViewS", "Query", "Option", "Quit").
QIcon ToolbarIcon(const QString& key);
// The hotspot marker, 20 x 20 pixels.
QImage HotspotMarker();
}
