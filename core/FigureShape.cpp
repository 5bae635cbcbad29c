#include "core/FigureShape.h"

#include "core/Mirror.h"

namespace pelnor {
namespace {

struct Run {
    int left;
    int right;
    bool operator==(const Run&) const = default;
};

// The runs of figure pixels in picture row y, left to right as shown.
std::vector<Run> RowRuns(std::span<const std::uint8_t> bits, std::size_t stride, int width,
                         int height, bool bottomUp, int y, bool faceLeft) {
    const int stored = bottomUp ? height - 1 - y : y;
    std::vector<Run> runs;
    for (int x = 0; x < width;) {
        const int from = faceLeft ? x : width - 1 - x;
        if (Pixel4(bits, stride, from, stored) == 0) {
            ++x;
            continue;
        }
        const int start = x;
        while (x < width && Pixel4(bits, stride, faceLeft ? x : width - 1 - x, stored) != 0) ++x;
        runs.push_back({start, x});
    }
    return runs;
}

}  // namespace

std::vector<ShapeRect> FigureShape(std::span<const std::uint8_t> bits, std::size_t stride,
                                   int width, int height, bool bottomUp, int scale, bool faceLeft) {
    std::vector<ShapeRect> rects;
    std::vector<Run> band;  // the runs of the rows merged so far
    int bandTop = 0;
    const auto close = [&](int bottom) {
        for (const Run& run : band)
            rects.push_back({run.left * scale, bandTop * scale, run.right * scale, bottom * scale});
    };
    for (int y = 0; y < height; ++y) {
        std::vector<Run> runs = RowRuns(bits, stride, width, height, bottomUp, y, faceLeft);
        if (runs == band) continue;
        close(y);
        band = std::move(runs);
        bandTop = y;
    }
    close(height);
    return rects;
}

}  // namespace pelnor
