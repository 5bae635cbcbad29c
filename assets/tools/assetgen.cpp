// assetgen: turns the text pixel-art sources in assets/src into the BMP and
// ICO files the program ships. See assetlib.h for the source format.
//
//   assetgen bmp SRC OUT.bmp [--palette0 RRGGBB]
//       4-bpp BMP; --palette0 replaces palette entry 0 (the background).
//   assetgen ico OUT.ico SRC [SRC...]
//       icon with one image per source; '.' pixels become transparent.
//   assetgen ico32 OUT.ico SIZE=SRC [SIZE=SRC...]
//       32-bit icon with alpha: per SIZE, SRC enlarged by whole pixels and centred.
//   assetgen mask
//       prints the mascot outline's inside ('#') as a grid to paint within.
//   assetgen check SRC
//       lists non-white pixels outside the outline; exit status 1 if any.
//
// Build: g++ -std=c++17 -O2 -Wall -Wextra assetgen.cpp assetlib.cpp

#include <cstdio>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "assetlib.h"

namespace {

using assetgen::PixelArt;

int usage() {
    std::cerr << "usage: assetgen bmp SRC OUT.bmp [--palette0 RRGGBB]\n"
                 "       assetgen ico OUT.ico SRC [SRC...]\n"
                 "       assetgen ico32 OUT.ico SIZE=SRC [SIZE=SRC...]\n"
                 "       assetgen mask\n"
                 "       assetgen check SRC\n";
    return 2;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error(path + ": cannot write");
}

int makeBmp(const std::vector<std::string>& args) {
    if (args.size() != 2 && !(args.size() == 4 && args[2] == "--palette0")) {
        return usage();
    }
    PixelArt art = assetgen::loadPixelArt(args[0]);
    if (args.size() == 4) art.palette[0] = assetgen::parseRgb(args[3]);
    writeFile(args[1], assetgen::encodeBmp(art));
    return 0;
}

int makeIco(const std::vector<std::string>& args) {
    if (args.size() < 2) return usage();
    std::vector<PixelArt> images;
    for (size_t i = 1; i < args.size(); ++i) {
        images.push_back(assetgen::loadPixelArt(args[i]));
    }
    writeFile(args[0], assetgen::encodeIco(images));
    return 0;
}

int makeIco32(const std::vector<std::string>& args) {
    if (args.size() < 2) return usage();
    std::vector<assetgen::IconImage> images;
    for (size_t i = 1; i < args.size(); ++i) {
        const size_t equals = args[i].find('=');
        if (equals == std::string::npos) return usage();
        images.push_back({assetgen::loadPixelArt(args[i].substr(equals + 1)),
                          std::stoi(args[i].substr(0, equals))});
    }
    writeFile(args[0], assetgen::encodeIco32(images));
    return 0;
}

int printMask() {
    for (const std::string& row : assetgen::outlineMaskRows()) {
        std::cout << row << '\n';
    }
    return 0;
}

int countInsideOutline() {
    int inside = 0;
    for (const std::string& row : assetgen::outlineMaskRows()) {
        for (char c : row) inside += c == '#';
    }
    return inside;
}

int countPaintedInsideOutline(const PixelArt& art) {
    int painted = 0;
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            painted += assetgen::insideOutline(x, y) && !art.isTransparent(x, y) &&
                       art.colourAt(x, y) != assetgen::kWhite;
        }
    }
    return painted;
}

int checkSource(const std::vector<std::string>& args) {
    if (args.size() != 1) return usage();
    const PixelArt art = assetgen::loadPixelArt(args[0]);
    const auto outside = assetgen::pixelsOutsideOutline(art);
    for (const auto& pixel : outside) {
        std::cout << "outside outline: " << pixel.x << "," << pixel.y << '\n';
    }
    const int inside = countInsideOutline();
    const int painted = countPaintedInsideOutline(art);
    std::printf("%d of %d pixels inside the outline painted (%.1f%%)\n", painted, inside,
                100.0 * painted / inside);
    return outside.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {
        if (command == "bmp") return makeBmp(args);
        if (command == "ico") return makeIco(args);
        if (command == "ico32") return makeIco32(args);
        if (command == "mask") return printMask();
        if (command == "check") return checkSource(args);
    } catch (const std::exception& error) {
        std::cerr << "assetgen: " << error.what() << '\n';
        return 1;
    }
    return usage();
}
