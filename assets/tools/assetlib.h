// Pixel-art sources and the Windows BMP/ICO files made from them.
//
// Source format (one text file per image):
//
//   # comment lines start with '#'; blank lines are ignored
//   size WIDTH HEIGHT
//   palette INDEX RRGGBB        (INDEX is one hex digit 0-f; up to 16 lines)
//   pixels
//   HEIGHT rows of exactly WIDTH characters, top row first
//
// Each pixel character is a palette index as a hex digit (0-9, a-f), or '.'
// for a transparent pixel (icons only; a BMP has no transparency).
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace assetgen {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};

inline constexpr int kPaletteSize = 16;
inline constexpr int kTransparent = -1;
inline constexpr Rgb kWhite{255, 255, 255};

struct PixelArt {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette = std::vector<Rgb>(kPaletteSize);
    std::vector<int> pixels;  // row-major, top row first; kTransparent or 0-15

    int at(int x, int y) const { return pixels[y * width + x]; }
    bool isTransparent(int x, int y) const { return at(x, y) == kTransparent; }
    Rgb colourAt(int x, int y) const { return palette[at(x, y)]; }
};

// Throws std::runtime_error naming the offending line.
PixelArt parsePixelArt(std::istream& in, const std::string& name);
PixelArt loadPixelArt(const std::string& path);

// Parses "RRGGBB" (no '#'); throws std::runtime_error when malformed.
Rgb parseRgb(const std::string& hex);

// A bottom-up, uncompressed 4-bpp BMP with a 16-entry palette.
std::vector<std::uint8_t> encodeBmp(const PixelArt& art);

// One 4-bpp image with a 1-bpp transparency mask per entry of `images`.
std::vector<std::uint8_t> encodeIco(const std::vector<PixelArt>& images);

// One image of a 32-bit icon: `art` enlarged by the largest whole factor that
// fits, every pixel a square, centred on a transparent `size` x `size` canvas.
struct IconImage {
    PixelArt art;
    int size = 0;
};

// A 32-bit icon with alpha (and the mask older readers still use) per image;
// a 256-pixel image is stored as PNG, which Windows reads from Vista on.
std::vector<std::uint8_t> encodeIco32(const std::vector<IconImage>& images);

// True when pixel (x, y) is inside the mascot's outline polygon as GDI fills
// it (even-odd rule; see the .cpp).
bool insideOutline(int x, int y);

// The outline's inside as text rows: '#' inside, '.' outside.
std::vector<std::string> outlineMaskRows();

struct PixelPosition {
    int x;
    int y;
};

// Opaque, non-white pixels of `art` whose centres lie outside the outline.
std::vector<PixelPosition> pixelsOutsideOutline(const PixelArt& art);

}  // namespace assetgen
