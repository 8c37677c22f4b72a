// Opening a catalogue: a click in the library tree clears the drawing page and, for a catalogue node, makes
// its database the open one (BookConnection), fills the book tree with its root, chapters and drawings, and
// shows its cover.
//
// Book-tree nodes: the root has the key "Root"; chapters and drawings have "B" followed by their trimmed 图号
// (the drawing number is the key without its first character); each node's tag is its level code ("Root",
// "C", "D1"). A drawing hangs below the chapter or drawing named by its trimmed 归属 once that node is in the
// tree; drawings come in ascending 序号, so a parent with a higher 序号 drops the drawing.
#pragma once

class frmExplore;

namespace BookTree {

// Largest side of a cover, in twips; a larger cover is shrunk to it, keeping its proportions.
constexpr int CoverLimit = 8000;

// The shown size of a cover of natural size width x height (twips): shrunk, never enlarged, so that its
// longer side is at most CoverLimit.
void LimitCoverSize(float& width, float& height);

// The click handler of the library tree, on the node selected at the moment of the call.
void OpenSelectedCatalogue(frmExplore& window);

} // namespace BookTree
