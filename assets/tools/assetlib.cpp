#include "assetlib.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Outline.h"

namespace assetgen {
namespace {

[[noreturn]] void fail(const std::string& name, int lineNumber, const std::string& message) {
    throw std::runtime_error(name + ":" + std::to_string(lineNumber) + ": " + message);
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isSkippable(const std::string& line) {
    return line.empty() || line[0] == '#' || line.find_first_not_of(" \t\r") == std::string::npos;
}

std::string withoutCarriageReturn(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

class SourceParser {
  public:
    SourceParser(std::istream& in, std::string name) : in_(in), name_(std::move(name)) {}

    PixelArt parse() {
        PixelArt art;
        parseHeader(art);
        parseRows(art);
        return art;
    }

  private:
    bool nextLine(std::string& line) {
        while (std::getline(in_, line)) {
            ++lineNumber_;
            line = withoutCarriageReturn(line);
            if (!isSkippable(line)) return true;
        }
        return false;
    }

    void parseHeader(PixelArt& art) {
        std::string line;
        bool sawSize = false;
        while (nextLine(line)) {
            std::istringstream words(line);
            std::string keyword;
            words >> keyword;
            if (keyword == "pixels") break;
            if (keyword == "size") {
                parseSize(words, art);
                sawSize = true;
            } else if (keyword == "palette") {
                parsePaletteEntry(words, art);
            } else {
                fail(name_, lineNumber_, "unknown keyword '" + keyword + "'");
            }
        }
        if (!sawSize) fail(name_, lineNumber_, "missing 'size' before pixels");
    }

    void parseSize(std::istringstream& words, PixelArt& art) {
        if (!(words >> art.width >> art.height) || art.width <= 0 || art.height <= 0 ||
            art.width > 256 || art.height > 256) {
            fail(name_, lineNumber_, "size needs a width and height (1-256)");
        }
    }

    void parsePaletteEntry(std::istringstream& words, PixelArt& art) {
        std::string index, colour;
        words >> index >> colour;
        if (index.size() != 1 || hexDigitValue(index[0]) < 0) {
            fail(name_, lineNumber_, "palette index must be one hex digit");
        }
        try {
            art.palette[hexDigitValue(index[0])] = parseRgb(colour);
        } catch (const std::runtime_error& error) {
            fail(name_, lineNumber_, error.what());
        }
    }

    void parseRows(PixelArt& art) {
        art.pixels.reserve(static_cast<size_t>(art.width) * art.height);
        std::string row;
        for (int y = 0; y < art.height; ++y) {
            if (!nextLine(row)) fail(name_, lineNumber_, "too few pixel rows");
            parseRow(row, art);
        }
        if (nextLine(row)) fail(name_, lineNumber_, "too many pixel rows");
    }

    void parseRow(const std::string& row, PixelArt& art) {
        if (static_cast<int>(row.size()) != art.width) {
            fail(name_, lineNumber_,
                 "row is " + std::to_string(row.size()) + " pixels wide, not " +
                     std::to_string(art.width));
        }
        for (char c : row) {
            int index = c == '.' ? kTransparent : hexDigitValue(c);
            if (c != '.' && index < 0) {
                fail(name_, lineNumber_, std::string("bad pixel '") + c + "'");
            }
            art.pixels.push_back(index);
        }
    }

    std::istream& in_;
    std::string name_;
    int lineNumber_ = 0;
};

class ByteWriter {
  public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value) {
        u8(value & 0xff);
        u8(value >> 8);
    }
    void u32(std::uint32_t value) {
        u16(value & 0xffff);
        u16(value >> 16);
    }
    void append(const std::vector<std::uint8_t>& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteBytes = kPaletteSize * 4;
constexpr std::uint32_t kIconDirSize = 6;
constexpr std::uint32_t kIconDirEntrySize = 16;

std::uint32_t paddedRowBytes(int width, int bitsPerPixel) {
    return ((static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

std::uint32_t colourBitsSize(const PixelArt& art) {
    return paddedRowBytes(art.width, 4) * art.height;
}

std::uint32_t maskBitsSize(const PixelArt& art) {
    return paddedRowBytes(art.width, 1) * art.height;
}

void writeInfoHeader(ByteWriter& out, const PixelArt& art, int storedHeight,
                     std::uint32_t imageSize) {
    out.u32(kInfoHeaderSize);
    out.u32(static_cast<std::uint32_t>(art.width));
    out.u32(static_cast<std::uint32_t>(storedHeight));
    out.u16(1);  // planes
    out.u16(4);  // bits per pixel
    out.u32(0);  // BI_RGB
    out.u32(imageSize);
    out.u32(0);  // horizontal resolution
    out.u32(0);  // vertical resolution
    out.u32(kPaletteSize);
    out.u32(0);  // all colours important
}

void writePalette(ByteWriter& out, const PixelArt& art) {
    for (const Rgb& colour : art.palette) {
        out.u8(colour.blue);
        out.u8(colour.green);
        out.u8(colour.red);
        out.u8(0);
    }
}

// Rows go bottom-up; a transparent pixel is stored as index 0 under a set
// mask bit.
void writeColourBits(ByteWriter& out, const PixelArt& art) {
    const std::uint32_t rowBytes = paddedRowBytes(art.width, 4);
    for (int y = art.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < art.width; ++x) {
            const int index = art.isTransparent(x, y) ? 0 : art.at(x, y);
            row[x / 2] |= static_cast<std::uint8_t>(index << (x % 2 ? 0 : 4));
        }
        out.append(row);
    }
}

void writeMaskBits(ByteWriter& out, const PixelArt& art) {
    const std::uint32_t rowBytes = paddedRowBytes(art.width, 1);
    for (int y = art.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < art.width; ++x) {
            if (art.isTransparent(x, y)) {
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.append(row);
    }
}

std::vector<std::uint8_t> encodeIconImage(const PixelArt& art) {
    ByteWriter out;
    writeInfoHeader(out, art, art.height * 2, colourBitsSize(art) + maskBitsSize(art));
    writePalette(out, art);
    writeColourBits(out, art);
    writeMaskBits(out, art);
    return out.take();
}

// The icon file's header for `count` images; returns where the first image starts.
std::uint32_t writeIconDirHeader(ByteWriter& out, std::size_t count) {
    out.u16(0);  // reserved
    out.u16(1);  // icon, not cursor
    out.u16(static_cast<std::uint16_t>(count));
    return kIconDirSize + kIconDirEntrySize * static_cast<std::uint32_t>(count);
}

void writeIconDirEntry(ByteWriter& out, const PixelArt& art, std::uint32_t imageBytes,
                       std::uint32_t imageOffset) {
    out.u8(static_cast<std::uint8_t>(art.width % 256));  // 0 means 256
    out.u8(static_cast<std::uint8_t>(art.height % 256));
    out.u8(kPaletteSize);
    out.u8(0);   // reserved
    out.u16(1);  // planes
    out.u16(4);  // bits per pixel
    out.u32(imageBytes);
    out.u32(imageOffset);
}

bool hasTransparentPixel(const PixelArt& art) {
    for (int index : art.pixels) {
        if (index == kTransparent) return true;
    }
    return false;
}

// --- 32-bit icons ----------------------------------------------------------

struct Rgba {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 0;
};

// The image's pixels, top row first.
std::vector<Rgba> enlarged(const IconImage& image) {
    const PixelArt& art = image.art;
    const int scale = std::min(image.size / art.width, image.size / art.height);
    if (scale < 1) throw std::runtime_error("pixel art larger than its icon");
    const int left = (image.size - art.width * scale) / 2;
    const int top = (image.size - art.height * scale) / 2;
    std::vector<Rgba> pixels(static_cast<size_t>(image.size) * image.size);
    for (int y = top; y < top + art.height * scale; ++y) {
        for (int x = left; x < left + art.width * scale; ++x) {
            const int ax = (x - left) / scale, ay = (y - top) / scale;
            if (art.isTransparent(ax, ay)) continue;
            const Rgb c = art.colourAt(ax, ay);
            pixels[static_cast<size_t>(y) * image.size + x] = {c.red, c.green, c.blue, 255};
        }
    }
    return pixels;
}

// BITMAPINFOHEADER, bottom-up BGRA rows, then the AND mask (1 = transparent).
std::vector<std::uint8_t> encodeBgraImage(const std::vector<Rgba>& pixels, int size) {
    const std::uint32_t maskRow = paddedRowBytes(size, 1);
    ByteWriter out;
    out.u32(kInfoHeaderSize);
    out.u32(static_cast<std::uint32_t>(size));
    out.u32(static_cast<std::uint32_t>(size * 2));
    out.u16(1);   // planes
    out.u16(32);  // bits per pixel
    out.u32(0);   // BI_RGB
    out.u32(static_cast<std::uint32_t>(size) * size * 4 + maskRow * size);
    for (int i = 0; i < 4; ++i) out.u32(0);  // resolution, palette
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Rgba& p = pixels[static_cast<size_t>(y) * size + x];
            out.u8(p.blue);
            out.u8(p.green);
            out.u8(p.red);
            out.u8(p.alpha);
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRow, 0);
        for (int x = 0; x < size; ++x) {
            if (pixels[static_cast<size_t>(y) * size + x].alpha == 0)
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.append(row);
    }
    return out.take();
}

// Deflate with the fixed codes, matching only the pixel before and the row
// above: enough for pixel art, whose runs and repeated rows are all there is.
class Deflater {
  public:
    std::vector<std::uint8_t> compress(const std::vector<std::uint8_t>& data, size_t rowBytes) {
        bits(1, 1);  // the last block
        bits(1, 2);  // fixed codes
        for (size_t i = 0; i < data.size();) {
            size_t best = 0, distance = 0;
            for (size_t d : {size_t{4}, rowBytes}) {
                size_t n = 0;
                while (i >= d && i + n < data.size() && n < 258 && data[i + n] == data[i + n - d])
                    ++n;
                if (n > best) best = n, distance = d;
            }
            if (best >= 3) {
                match(best, distance);
                i += best;
            } else {
                symbol(data[i++]);
            }
        }
        symbol(256);
        if (used_) out_.push_back(static_cast<std::uint8_t>(pending_));
        return std::move(out_);
    }

  private:
    void bits(std::uint32_t value, int count) {  // least significant bit first
        for (int b = 0; b < count; ++b) {
            pending_ |= ((value >> b) & 1u) << used_;
            if (++used_ == 8) {
                out_.push_back(static_cast<std::uint8_t>(pending_));
                pending_ = used_ = 0;
            }
        }
    }
    void code(std::uint32_t value, int count) {  // Huffman codes: most significant bit first
        for (int b = count - 1; b >= 0; --b) bits((value >> b) & 1u, 1);
    }
    void symbol(int s) {
        if (s < 144)
            code(0x30 + s, 8);
        else if (s < 256)
            code(0x190 + s - 144, 9);
        else if (s < 280)
            code(s - 256, 7);
        else
            code(0xc0 + s - 280, 8);
    }
    void match(size_t length, size_t distance) {
        static const int lengthBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                         15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                         67, 83, 99, 115, 131, 163, 195, 227, 258};
        int l = 28;
        while (lengthBase[l] > static_cast<int>(length)) --l;
        symbol(257 + l);
        const int lengthExtra = l < 8 || l == 28 ? 0 : (l - 4) / 4;
        bits(static_cast<std::uint32_t>(length) - lengthBase[l], lengthExtra);
        int d = 0, base = 1;  // distance codes: 1, 2, 3, 4, 5, 7, 9, 13, ...
        for (;;) {
            const int extra = d < 4 ? 0 : d / 2 - 1;
            if (distance < static_cast<size_t>(base + (1 << extra))) {
                code(static_cast<std::uint32_t>(d), 5);
                bits(static_cast<std::uint32_t>(distance) - base, extra);
                return;
            }
            base += 1 << extra;
            ++d;
        }
    }
    std::vector<std::uint8_t> out_;
    std::uint32_t pending_ = 0;
    int used_ = 0;
};

std::uint32_t crc32(const std::vector<std::uint8_t>& bytes, size_t from) {
    std::uint32_t crc = 0xffffffffu;
    for (size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void bigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void pngChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
    bigEndian(out, static_cast<std::uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    bigEndian(out, crc32(out, start));
}

std::vector<std::uint8_t> encodePngImage(const std::vector<Rgba>& pixels, int size) {
    std::vector<std::uint8_t> rows;  // each row: filter 0, then RGBA
    for (int y = 0; y < size; ++y) {
        rows.push_back(0);
        for (int x = 0; x < size; ++x) {
            const Rgba& p = pixels[static_cast<size_t>(y) * size + x];
            rows.insert(rows.end(), {p.red, p.green, p.blue, p.alpha});
        }
    }
    std::vector<std::uint8_t> zlib = {0x78, 0x01};
    const auto deflated = Deflater().compress(rows, static_cast<size_t>(size) * 4 + 1);
    zlib.insert(zlib.end(), deflated.begin(), deflated.end());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : rows) a = (a + byte) % 65521, b = (b + a) % 65521;
    bigEndian(zlib, (b << 16) | a);

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a};
    std::vector<std::uint8_t> header;
    bigEndian(header, static_cast<std::uint32_t>(size));
    bigEndian(header, static_cast<std::uint32_t>(size));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
    pngChunk(png, "IHDR", header);
    pngChunk(png, "IDAT", zlib);
    pngChunk(png, "IEND", {});
    return png;
}

}  // namespace

std::vector<std::uint8_t> encodeIco32(const std::vector<IconImage>& images) {
    std::vector<std::vector<std::uint8_t>> encoded;
    for (const IconImage& image : images) {
        const auto pixels = enlarged(image);
        encoded.push_back(image.size >= 256 ? encodePngImage(pixels, image.size)
                                            : encodeBgraImage(pixels, image.size));
    }
    ByteWriter out;
    std::uint32_t offset = writeIconDirHeader(out, images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.u8(static_cast<std::uint8_t>(images[i].size % 256));  // 0 means 256
        out.u8(static_cast<std::uint8_t>(images[i].size % 256));
        out.u8(0);   // no palette
        out.u8(0);   // reserved
        out.u16(1);  // planes
        out.u16(32);
        out.u32(static_cast<std::uint32_t>(encoded[i].size()));
        out.u32(offset);
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const auto& image : encoded) out.append(image);
    return out.take();
}

PixelArt parsePixelArt(std::istream& in, const std::string& name) {
    return SourceParser(in, name).parse();
}

PixelArt loadPixelArt(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error(path + ": cannot open");
    return parsePixelArt(in, path);
}

Rgb parseRgb(const std::string& hex) {
    if (hex.size() != 6) throw std::runtime_error("colour must be RRGGBB");
    int digits[6];
    for (int i = 0; i < 6; ++i) {
        digits[i] = hexDigitValue(hex[i]);
        if (digits[i] < 0) throw std::runtime_error("colour must be RRGGBB");
    }
    auto component = [&](int i) {
        return static_cast<std::uint8_t>(digits[i] * 16 + digits[i + 1]);
    };
    return Rgb{component(0), component(2), component(4)};
}

std::vector<std::uint8_t> encodeBmp(const PixelArt& art) {
    if (hasTransparentPixel(art)) {
        throw std::runtime_error("a BMP cannot hold transparent pixels");
    }
    const std::uint32_t bitsOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteBytes;
    const std::uint32_t imageSize = colourBitsSize(art);
    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(bitsOffset + imageSize);
    out.u16(0);
    out.u16(0);
    out.u32(bitsOffset);
    writeInfoHeader(out, art, art.height, imageSize);
    writePalette(out, art);
    writeColourBits(out, art);
    return out.take();
}

std::vector<std::uint8_t> encodeIco(const std::vector<PixelArt>& images) {
    std::vector<std::vector<std::uint8_t>> encoded;
    for (const PixelArt& art : images) encoded.push_back(encodeIconImage(art));

    ByteWriter out;
    std::uint32_t offset = writeIconDirHeader(out, images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const auto imageBytes = static_cast<std::uint32_t>(encoded[i].size());
        writeIconDirEntry(out, images[i], imageBytes, offset);
        offset += imageBytes;
    }
    for (const auto& image : encoded) out.append(image);
    return out.take();
}

namespace {

bool insidePolygon(double px, double py) {
    bool inside = false;
    for (int i = 0, j = pelnor::kOutlinePoints - 1; i < pelnor::kOutlinePoints; j = i++) {
        const double xi = pelnor::OutlineX[i], yi = pelnor::OutlineY[i];
        const double xj = pelnor::OutlineX[j], yj = pelnor::OutlineY[j];
        const bool edgeSpansRow = (yi > py) != (yj > py);
        if (edgeSpansRow && px < xi + (py - yi) * (xj - xi) / (yj - yi)) {
            inside = !inside;
        }
    }
    return inside;
}

}  // namespace

// GDI fills a polygon region by scan lines through the pixels' top edges,
// taking a pixel whose top-left corner lies inside, on a left edge included and
// on a right edge left out; the ray test above does the same for the corner.
// So a pixel whose centre is inside can still be cut off on a sloping edge, and
// one whose centre is outside can still show.
bool insideOutline(int x, int y) {
    return insidePolygon(x, y);
}

std::vector<std::string> outlineMaskRows() {
    std::vector<std::string> rows;
    for (int y = 0; y < pelnor::kPictureHeight; ++y) {
        std::string row;
        for (int x = 0; x < pelnor::kPictureWidth; ++x) {
            row += insideOutline(x, y) ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<PixelPosition> pixelsOutsideOutline(const PixelArt& art) {
    std::vector<PixelPosition> outside;
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            if (art.isTransparent(x, y) || art.colourAt(x, y) == kWhite) continue;
            if (!insideOutline(x, y)) outside.push_back({x, y});
        }
    }
    return outside;
}

}  // namespace assetgen
