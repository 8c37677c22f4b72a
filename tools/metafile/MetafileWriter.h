// Writes small Windows metafiles (placeable WMF and EMF) of filled shapes: test pictures and demo drawings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace metafile {

struct Shape {
    enum Kind { Rectangle, Ellipse, Text } kind = Rectangle;
    int left = 0, top = 0, right = 0, bottom = 0;   // in pixels of the picture at its natural size
    uint32_t rgb = 0;                              // 0xRRGGBB, filled and outlined in this colour
    std::string text;                              // Text: ASCII, written from left, top; bottom - top high
};

// A placeable WMF whose frame is width x height pixels (at 96 per inch; drawn in twips).
std::string Wmf(int width, int height, const std::vector<Shape>& shapes);
// An EMF whose frame is width x height pixels (at 96 per inch; drawn in pixels). Text shapes are left out.
std::string Emf(int width, int height, const std::vector<Shape>& shapes);

} // namespace metafile
