#include "MetafileWriter.h"

namespace metafile {
namespace {

void Put16(std::string& out, uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xff));
    out.push_back(static_cast<char>((v >> 8) & 0xff));
}
void Put32(std::string& out, uint32_t v)
{
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}
// COLORREF is 0x00BBGGRR.
uint32_t ColorRef(uint32_t rgb) { return ((rgb & 0xff) << 16) | (rgb & 0xff00) | ((rgb >> 16) & 0xff); }

constexpr int kTwipsPerPixel = 15;

} // namespace

std::string Wmf(int width, int height, const std::vector<Shape>& shapes)
{
    // Records: size in 16-bit words, function number, parameters (coordinates in reverse order).
    std::string records;
    int maxRecord = 5;
    auto record = [&](uint16_t function, const std::vector<int>& words) {
        const uint32_t size = 3 + static_cast<uint32_t>(words.size());
        if (static_cast<int>(size) > maxRecord) maxRecord = static_cast<int>(size);
        Put32(records, size);
        Put16(records, function);
        for (int w : words) Put16(records, static_cast<uint16_t>(w));
    };
    const int w = width * kTwipsPerPixel, h = height * kTwipsPerPixel;
    record(0x020B, {0, 0});    // SetWindowOrg y, x
    record(0x020C, {h, w});    // SetWindowExt height, width
    for (const Shape& s : shapes) {
        const uint32_t c = ColorRef(s.rgb);
        if (s.kind == Shape::Text) {
            // CreateFontIndirect: height (negative: of the characters), width, escapement, orientation,
            // weight, then italic..pitch bytes and the face name, NUL-padded to 32 bytes.
            std::vector<int> font = {-(s.bottom - s.top) * kTwipsPerPixel, 0, 0, 0, 400, 0, 0, 0, 0};
            char face[32] = "Arial";
            for (int i = 0; i < 32; i += 2)
                font.push_back(static_cast<unsigned char>(face[i]) | (static_cast<unsigned char>(face[i + 1]) << 8));
            record(0x02FB, font);
            record(0x012D, {0});                                                        // SelectObject font
            record(0x0209, {static_cast<int>(c & 0xffff), static_cast<int>(c >> 16)});  // SetTextColor
            record(0x0102, {1});                                                        // SetBkMode transparent
            std::vector<int> words = {static_cast<int>(s.text.size())};
            std::string padded = s.text;
            if (padded.size() % 2) padded.push_back('\0');
            for (size_t i = 0; i < padded.size(); i += 2)
                words.push_back(static_cast<unsigned char>(padded[i]) | (static_cast<unsigned char>(padded[i + 1]) << 8));
            words.push_back(s.top * kTwipsPerPixel);
            words.push_back(s.left * kTwipsPerPixel);
            record(0x0521, words);                                                      // TextOut
            record(0x01F0, {0});
            continue;
        }
        record(0x02FC, {0, static_cast<int>(c & 0xffff), static_cast<int>(c >> 16), 0});      // CreateBrushIndirect
        record(0x02FA, {0, 0, 0, static_cast<int>(c & 0xffff), static_cast<int>(c >> 16)});  // CreatePenIndirect
        record(0x012D, {0});   // SelectObject brush
        record(0x012D, {1});   // SelectObject pen
        record(s.kind == Shape::Ellipse ? 0x0418 : 0x041B,
               {s.bottom * kTwipsPerPixel, s.right * kTwipsPerPixel, s.top * kTwipsPerPixel, s.left * kTwipsPerPixel});
        record(0x01F0, {0});   // DeleteObject brush
        record(0x01F0, {1});   // DeleteObject pen
    }
    record(0x0000, {});        // end of file

    std::string out;
    Put32(out, 0x9AC6CDD7);    // placeable header: key, handle, frame, units per inch, reserved, checksum
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(w));
    Put16(out, static_cast<uint32_t>(h));
    Put16(out, 1440);
    Put32(out, 0);
    uint16_t sum = 0;
    for (size_t i = 0; i < out.size(); i += 2)
        sum ^= static_cast<uint16_t>(static_cast<unsigned char>(out[i]) | (static_cast<unsigned char>(out[i + 1]) << 8));
    Put16(out, sum);
    Put16(out, 1);             // memory metafile
    Put16(out, 9);             // header size in words
    Put16(out, 0x0300);
    Put32(out, static_cast<uint32_t>(9 + records.size() / 2));
    Put16(out, 2);             // objects
    Put32(out, static_cast<uint32_t>(maxRecord));
    Put16(out, 0);
    return out + records;
}

std::string Emf(int width, int height, const std::vector<Shape>& shapes)
{
    std::string records;
    int count = 1;
    auto record = [&](uint32_t type, const std::vector<int32_t>& values) {
        Put32(records, type);
        Put32(records, static_cast<uint32_t>(8 + 4 * values.size()));
        for (int32_t v : values) Put32(records, static_cast<uint32_t>(v));
        ++count;
    };
    for (const Shape& s : shapes) {
        if (s.kind == Shape::Text) continue;
        const auto c = static_cast<int32_t>(ColorRef(s.rgb));
        record(39, {1, 0, c, 0});        // CreateBrushIndirect: handle 1, solid
        record(38, {2, 0, 1, 0, c});     // CreatePen: handle 2, solid, width 1
        record(37, {1});                 // SelectObject
        record(37, {2});
        record(s.kind == Shape::Ellipse ? 42 : 43, {s.left, s.top, s.right, s.bottom});
        record(37, {static_cast<int32_t>(0x80000000u | 5)});   // select the stock white brush back
        record(37, {static_cast<int32_t>(0x80000000u | 7)});   // and the stock black pen
        record(40, {1});                 // DeleteObject
        record(40, {2});
    }
    record(14, {0, 16, 20});             // end of file

    // Reference device of 96 pixels per inch: 1024 x 768 pixels on 271 x 203 millimetres.
    const int32_t frameW = width * 2540 / 96, frameH = height * 2540 / 96;
    std::string out;
    Put32(out, 1);
    Put32(out, 88);
    for (int32_t v : {0, 0, width - 1, height - 1, 0, 0, frameW, frameH}) Put32(out, static_cast<uint32_t>(v));
    Put32(out, 0x464D4520);              // " EMF"
    Put32(out, 0x10000);
    Put32(out, static_cast<uint32_t>(88 + records.size()));
    Put32(out, static_cast<uint32_t>(count));
    Put16(out, 3);                       // handles, including the reserved 0
    Put16(out, 0);
    for (int32_t v : {0, 0, 0, 1024, 768, 271, 203}) Put32(out, static_cast<uint32_t>(v));
    return out + records;
}

} // namespace metafile
