// The shipped pictures and icons: that they match their text sources, that
// the files are laid out the way Windows reads them, and that the mascot
// picture fits the window outline it is cut to.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "../../assets/tools/assetlib.h"
#include "../../assets/tools/Outline.h"

namespace {

using assetgen::PixelArt;
using assetgen::Rgb;
using Bytes = std::vector<std::uint8_t>;

const std::string kRoot = PELNOR_SOURCE_DIR;
const std::string kAssets = kRoot + "/assets/";
const std::string kSources = kRoot + "/assets/src/";

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

PixelArt loadSource(const std::string& name) {
    return assetgen::loadPixelArt(kSources + name);
}

PixelArt parseText(const std::string& text) {
    std::istringstream in(text);
    return assetgen::parsePixelArt(in, "test");
}

std::uint32_t u16At(const Bytes& bytes, size_t offset) {
    return bytes.at(offset) | bytes.at(offset + 1) << 8;
}

std::uint32_t u32At(const Bytes& bytes, size_t offset) {
    return u16At(bytes, offset) | u16At(bytes, offset + 2) << 16;
}

std::int32_t s32At(const Bytes& bytes, size_t offset) {
    return static_cast<std::int32_t>(u32At(bytes, offset));
}

// --- Reading the files back the way Windows does ---------------------------

struct DecodedBitmap {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<int> indices;  // top row first
    std::vector<bool> transparent;

    int index(int x, int y) const { return indices[y * width + x]; }
    Rgb colour(int x, int y) const { return palette[index(x, y)]; }
    bool isTransparent(int x, int y) const { return transparent[y * width + x]; }
};

size_t rowStride(int width, int bitsPerPixel) {
    return ((static_cast<size_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

// Decodes a BITMAPINFOHEADER-based 4-bpp image starting at `info`. For icon
// images the stored height covers the colour bits and the mask.
DecodedBitmap decodeDib(const Bytes& bytes, size_t info, bool withMask) {
    DecodedBitmap image;
    EXPECT_EQ(u32At(bytes, info), 40u);
    EXPECT_EQ(u16At(bytes, info + 14), 4u) << "bits per pixel";
    EXPECT_EQ(u32At(bytes, info + 16), 0u) << "compression";
    image.width = s32At(bytes, info + 4);
    image.height = s32At(bytes, info + 8) / (withMask ? 2 : 1);
    const size_t paletteAt = info + 40;
    for (int i = 0; i < 16; ++i) {
        const size_t entry = paletteAt + 4 * i;
        image.palette.push_back(Rgb{bytes.at(entry + 2), bytes.at(entry + 1), bytes.at(entry)});
    }
    const size_t colourAt = paletteAt + 64;
    const size_t maskAt = colourAt + rowStride(image.width, 4) * image.height;
    for (int y = 0; y < image.height; ++y) {
        const int storedRow = image.height - 1 - y;  // bottom-up
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t pair =
                bytes.at(colourAt + storedRow * rowStride(image.width, 4) + x / 2);
            image.indices.push_back(x % 2 ? pair & 0x0f : pair >> 4);
            const bool masked =
                withMask && (bytes.at(maskAt + storedRow * rowStride(image.width, 1) + x / 8) &
                             (0x80 >> (x % 8)));
            image.transparent.push_back(masked);
        }
    }
    return image;
}

DecodedBitmap decodeBmpFile(const Bytes& bytes) {
    EXPECT_EQ(bytes.at(0), 'B');
    EXPECT_EQ(bytes.at(1), 'M');
    EXPECT_EQ(u32At(bytes, 2), bytes.size()) << "bfSize";
    EXPECT_EQ(u32At(bytes, 10), 14u + 40u + 64u) << "bfOffBits";
    return decodeDib(bytes, 14, false);
}

std::vector<DecodedBitmap> decodeIcoFile(const Bytes& bytes) {
    EXPECT_EQ(u16At(bytes, 0), 0u);
    EXPECT_EQ(u16At(bytes, 2), 1u) << "resource type must be icon";
    std::vector<DecodedBitmap> images;
    const int count = static_cast<int>(u16At(bytes, 4));
    size_t nextImage = 6 + 16 * static_cast<size_t>(count);
    for (int i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * i;
        const size_t offset = u32At(bytes, entry + 12);
        EXPECT_EQ(offset, nextImage) << "images must follow one another";
        DecodedBitmap image = decodeDib(bytes, offset, true);
        EXPECT_EQ(bytes.at(entry), image.width);
        EXPECT_EQ(bytes.at(entry + 1), image.height);
        EXPECT_EQ(bytes.at(entry + 2), 16) << "colour count";
        nextImage = offset + u32At(bytes, entry + 8);
        images.push_back(image);
    }
    EXPECT_EQ(nextImage, bytes.size()) << "last image must end the file";
    return images;
}

bool isWhite(const Rgb& colour) {
    return colour == assetgen::kWhite;
}

// --- Shipped files match their sources -------------------------------------

struct ShippedFile {
    std::string file;
    Bytes (*build)();
};

// Names the file in failure messages instead of dumping the struct's bytes.
void PrintTo(const ShippedFile& shipped, std::ostream* out) {
    *out << shipped.file;
}

Bytes buildMascot() {
    return assetgen::encodeBmp(loadSource("mascot.txt"));
}

Bytes buildNotice() {
    PixelArt art = loadSource("mascot.txt");
    art.palette[0] = Rgb{0xff, 0xb6, 0xb6};
    return assetgen::encodeBmp(art);
}

template <const char* kSource>
Bytes buildMenuIcon() {
    return assetgen::encodeIco({loadSource(kSource)});
}

constexpr char kExplorer[] = "menu0_explorer.txt";
constexpr char kLetter[] = "menu1_letter.txt";
constexpr char kRoom[] = "menu2_room.txt";
constexpr char kHelp[] = "menu3_help.txt";
constexpr char kAbout[] = "menu4_about.txt";
constexpr char kExit[] = "menu5_exit.txt";

Bytes buildProgramIcon() {
    const PixelArt p16 = loadSource("program16.txt"), p32 = loadSource("program32.txt");
    return assetgen::encodeIco32(
        {{p16, 16}, {p16, 20}, {p16, 24}, {p32, 32}, {p32, 40}, {p16, 48}, {p32, 64}, {p32, 256}});
}

class ShippedFileTest : public testing::TestWithParam<ShippedFile> {};

TEST_P(ShippedFileTest, MatchesWhatItsSourceProduces) {
    const Bytes shipped = readFile(kAssets + GetParam().file);
    EXPECT_TRUE(shipped == GetParam().build())
        << "assets/" << GetParam().file << " is stale; regenerate it with assets/generate.sh";
}

INSTANTIATE_TEST_SUITE_P(
    Assets, ShippedFileTest,
    testing::Values(ShippedFile{"mascot.bmp", buildMascot}, ShippedFile{"notice.bmp", buildNotice},
                    ShippedFile{"menu0_explorer.ico", buildMenuIcon<kExplorer>},
                    ShippedFile{"menu1_letter.ico", buildMenuIcon<kLetter>},
                    ShippedFile{"menu2_room.ico", buildMenuIcon<kRoom>},
                    ShippedFile{"menu3_help.ico", buildMenuIcon<kHelp>},
                    ShippedFile{"menu4_about.ico", buildMenuIcon<kAbout>},
                    ShippedFile{"menu5_exit.ico", buildMenuIcon<kExit>},
                    ShippedFile{"Pelnor.ico", buildProgramIcon}),
    [](const testing::TestParamInfo<ShippedFile>& param) {
        std::string name = param.param.file;
        for (char& c : name) {
            if (c == '.') c = '_';
        }
        return name;
    });

// --- The mascot picture ----------------------------------------------------

class MascotPictureTest : public testing::Test {
  protected:
    void SetUp() override {
        picture = decodeBmpFile(readFile(kAssets + "mascot.bmp"));
        ASSERT_EQ(picture.width, pelnor::kPictureWidth);
        ASSERT_EQ(picture.height, pelnor::kPictureHeight);
    }

    template <typename Predicate>
    int countPixels(int left, int top, int right, int bottom, Predicate matches) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) count += matches(picture.colour(x, y));
        }
        return count;
    }

    DecodedBitmap picture;
};

TEST_F(MascotPictureTest, IsA16ColourBitmapOnWhite) {
    const Bytes bytes = readFile(kAssets + "mascot.bmp");
    EXPECT_EQ(u32At(bytes, 14 + 32), 16u) << "biClrUsed";
    EXPECT_EQ(u32At(bytes, 14 + 20), rowStride(74, 4) * 55) << "biSizeImage";
    EXPECT_GT(s32At(bytes, 14 + 8), 0) << "rows must be stored bottom-up";
    EXPECT_TRUE(isWhite(picture.palette[0]));
}

TEST_F(MascotPictureTest, FigureStaysInsideTheWindowOutline) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (!assetgen::insideOutline(x, y)) {
                EXPECT_TRUE(isWhite(picture.colour(x, y)))
                    << "figure pixel outside the outline at " << x << "," << y;
            }
        }
    }
}

// The notice shows the whole rectangle with palette entry 0 turned pink, so
// everything around the figure has to be that entry, not just any white.
TEST_F(MascotPictureTest, BackgroundIsPaletteEntryZero) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (!assetgen::insideOutline(x, y)) {
                EXPECT_EQ(picture.index(x, y), 0) << "at " << x << "," << y;
            } else if (picture.index(x, y) != 0) {
                EXPECT_FALSE(isWhite(picture.colour(x, y)))
                    << "figure uses a second white entry at " << x << "," << y;
            }
        }
    }
}

// The window is cut to the outline, so any white left inside it shows on the
// desktop as a white patch on the figure; only a sliver of margin is allowed.
TEST_F(MascotPictureTest, FigureFillsTheOutline) {
    int inside = 0;
    int painted = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (!assetgen::insideOutline(x, y)) continue;
            ++inside;
            painted += !isWhite(picture.colour(x, y));
        }
    }
    ASSERT_GT(inside, 1000);
    EXPECT_GE(painted * 100, inside * 95)
        << painted << " of " << inside << " pixels inside the outline painted";
}

// Horn brass in all its shades, but not the pale skin or pinks.
bool isYellow(const Rgb& c) {
    return c.red > 180 && c.green > 140 && c.blue + 40 < c.green;
}

bool isDarkHair(const Rgb& c) {
    const bool dark = c.red < 120 && c.green < 90 && c.blue < 70;
    const bool brownish = c.red > c.blue;
    return dark && brownish;
}

TEST_F(MascotPictureTest, FacesLeftWithTheHornOutFrontAndHairBehind) {
    EXPECT_GE(countPixels(0, 5, 16, 18, isYellow), 40) << "horn bell at the left";
    EXPECT_EQ(countPixels(50, 0, 74, 55, isYellow), 0) << "no horn behind her";
    EXPECT_GE(countPixels(50, 30, 74, 50, isDarkHair), 150)
        << "long dark hair streaming out behind";
    EXPECT_EQ(countPixels(0, 0, 22, 55, isDarkHair), 0) << "no hair in front";
}

TEST_F(MascotPictureTest, NoticeCopyDiffersOnlyInTheBackgroundColour) {
    const Bytes mascot = readFile(kAssets + "mascot.bmp");
    const Bytes notice = readFile(kAssets + "notice.bmp");
    const DecodedBitmap copy = decodeBmpFile(notice);
    EXPECT_EQ(copy.indices, picture.indices);
    EXPECT_TRUE((copy.palette[0] == Rgb{0xff, 0xb6, 0xb6}));
    for (int i = 1; i < 16; ++i) {
        EXPECT_TRUE(copy.palette[i] == picture.palette[i]) << "palette entry " << i;
    }
    ASSERT_EQ(mascot.size(), notice.size());
}

TEST(MascotOutlineTest, PixelsFollowTheWayGdiFillsThePolygon) {
    EXPECT_FALSE(assetgen::insideOutline(0, 0));
    EXPECT_TRUE(assetgen::insideOutline(30, 0));  // crown of the head
    EXPECT_FALSE(assetgen::insideOutline(28, 0));
    EXPECT_TRUE(assetgen::insideOutline(1, 10));  // horn bell
    // Centre inside, top-left corner left of the sloping bell edge: cut off.
    EXPECT_FALSE(assetgen::insideOutline(0, 10));
    EXPECT_FALSE(assetgen::insideOutline(1, 6)) << "a lone vertex fills nothing";
    EXPECT_FALSE(assetgen::insideOutline(8, 15));  // between bell and sleeve
    // Corner on the edge from (11, 12) down to (11, 21): a left edge, taken in.
    EXPECT_TRUE(assetgen::insideOutline(11, 15));
    EXPECT_TRUE(assetgen::insideOutline(47, 11));  // tip of the swept hair
    EXPECT_FALSE(assetgen::insideOutline(46, 10));
    EXPECT_TRUE(assetgen::insideOutline(45, 40));   // robe
    EXPECT_FALSE(assetgen::insideOutline(60, 33));  // notch between hair locks
    EXPECT_FALSE(assetgen::insideOutline(73, 36));  // right edge is exclusive
}

// --- Icons -----------------------------------------------------------------

void expectTransparentCorners(const DecodedBitmap& icon, const std::string& name) {
    const int right = icon.width - 1;
    const int bottom = icon.height - 1;
    for (auto [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}}) {
        EXPECT_TRUE(icon.isTransparent(x, y)) << name << " corner " << x << "," << y;
        EXPECT_EQ(icon.index(x, y), 0) << name << " transparent pixels store index 0";
    }
}

void expectMostlyOpaque(const DecodedBitmap& icon, const std::string& name) {
    int opaque = 0;
    for (bool transparent : icon.transparent) opaque += !transparent;
    EXPECT_GE(opaque * 100, icon.width * icon.height * 30) << name << " has too little drawn in it";
}

class MenuIconTest : public testing::TestWithParam<std::string> {};

TEST_P(MenuIconTest, IsOne16x16ImageWithTransparentCorners) {
    const auto images = decodeIcoFile(readFile(kAssets + GetParam() + ".ico"));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].width, 16);
    EXPECT_EQ(images[0].height, 16);
    expectTransparentCorners(images[0], GetParam());
    expectMostlyOpaque(images[0], GetParam());
}

INSTANTIATE_TEST_SUITE_P(Assets, MenuIconTest,
                         testing::Values("menu0_explorer", "menu1_letter", "menu2_room",
                                         "menu3_help", "menu4_about", "menu5_exit"));

// --- Source parsing and encoding -------------------------------------------

TEST(SourceParserTest, ReadsSizePaletteAndPixels) {
    const PixelArt art = parseText(
        "# two by two\n"
        "size 2 2\n"
        "palette 0 ffffff\n"
        "palette f 12AbCd\n"
        "pixels\n"
        "0f\n"
        "f.\n");
    EXPECT_EQ(art.width, 2);
    EXPECT_EQ(art.height, 2);
    EXPECT_TRUE((art.palette[15] == Rgb{0x12, 0xab, 0xcd}));
    EXPECT_EQ(art.at(1, 0), 15);
    EXPECT_EQ(art.at(0, 1), 15);
    EXPECT_TRUE(art.isTransparent(1, 1));
}

TEST(SourceParserTest, RejectsMalformedSources) {
    const char* const broken[] = {
        "size 2 1\npixels\n0\n",                     // row too short
        "size 1 1\npixels\ng\n",                     // not a palette index
        "size 1 2\npixels\n0\n",                     // missing row
        "size 1 1\npixels\n0\n0\n",                  // extra row
        "pixels\n0\n",                               // no size
        "size 1 1\npalette 10 ffffff\npixels\n0\n",  // index out of range
        "size 1 1\npalette 1 fffff\npixels\n0\n",    // short colour
        "size 1 1\ncolour 1 ffffff\npixels\n0\n",    // unknown keyword
    };
    for (const char* text : broken) {
        EXPECT_THROW(parseText(text), std::runtime_error) << text;
    }
}

TEST(BmpEncoderTest, StoresRowsBottomUpPaddedToFourBytes) {
    const Bytes bmp =
        assetgen::encodeBmp(parseText("size 3 2\npalette 1 ff0000\npixels\n123\n456\n"));
    ASSERT_EQ(bmp.size(), 118u + 2 * 4);
    const Bytes pixels(bmp.begin() + 118, bmp.end());
    EXPECT_EQ(pixels, (Bytes{0x45, 0x60, 0, 0, 0x12, 0x30, 0, 0}));
    EXPECT_EQ(bmp[14 + 40 + 4 + 0], 0x00) << "palette entries are blue first";
    EXPECT_EQ(bmp[14 + 40 + 4 + 2], 0xff);
}

TEST(BmpEncoderTest, RefusesTransparentPixels) {
    EXPECT_THROW(assetgen::encodeBmp(parseText("size 1 1\npixels\n.\n")), std::runtime_error);
}

TEST(IcoEncoderTest, MasksTransparentPixelsAndDoublesTheHeight) {
    const Bytes ico = assetgen::encodeIco({parseText("size 2 2\npixels\n.3\n4.\n")});
    const size_t image = 6 + 16;
    ASSERT_EQ(ico.size(), image + 40 + 64 + 2 * 4 + 2 * 4);
    EXPECT_EQ(s32At(ico, image + 8), 4) << "height covers colour bits and mask";
    const size_t colour = image + 40 + 64;
    EXPECT_EQ(ico[colour], 0x40) << "bottom row: index 4, then transparent 0";
    EXPECT_EQ(ico[colour + 4], 0x03) << "top row: transparent 0, then index 3";
    const size_t mask = colour + 8;
    EXPECT_EQ(ico[mask], 0x40) << "bottom row: right pixel transparent";
    EXPECT_EQ(ico[mask + 4], 0x80) << "top row: left pixel transparent";
}

}  // namespace
