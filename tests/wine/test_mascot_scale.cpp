// The mascot at every screen density and on any monitor: the figure scaled in
// whole pixels and cut exactly around, facing either way; the drift in steps
// of the scale within the monitor it is on; density changes (sent, as Wine
// never sends them) in every state the window can be in.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/Mirror.h"
#include "assets/resource.h"
#include "dialogs/AboutBox.h"
#include "dialogs/CallNotice.h"
#include "mascot/MascotWindow.h"
#include "toolkit/Dialog.h"

namespace pelnor {
namespace {

using testing_support::ModalResponder;

// A 32-bit top-down bitmap to draw into and read back.
class Canvas {
  public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<const std::uint32_t*>(bits);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const std::uint32_t v = bits_[y * width_ + x];
        return RGB(v >> 16 & 0xFF, v >> 8 & 0xFF, v & 0xFF);
    }

  private:
    int width_, height_;
    HBITMAP bitmap_;
    const std::uint32_t* bits_;
    HDC dc_;
    HGDIOBJ old_;
};

// The stored picture: palette index and colour of each pixel.
struct StoredPicture {
    explicit StoredPicture(HBITMAP bitmap) {
        DIBSECTION section{};
        GetObjectW(bitmap, sizeof section, &section);
        width = section.dsBm.bmWidth;
        height = section.dsBm.bmHeight;
        stride = section.dsBm.bmWidthBytes;
        const auto* data = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
        bits.assign(data, data + stride * height);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        GetDIBColorTable(dc, 0, 16, palette);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    int Index(int x, int y) const { return Pixel4(bits, stride, x, height - 1 - y); }
    COLORREF Colour(int x, int y) const {
        const RGBQUAD q = palette[Index(x, y)];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    int width = 0, height = 0;
    std::size_t stride = 0;
    std::vector<std::uint8_t> bits;
    RGBQUAD palette[16] = {};
};

void SendDpiChange(HWND hwnd, UINT dpi) {
    RECT suggested{};
    GetWindowRect(hwnd, &suggested);
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

RECT Frame(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

// The mascot's hint, the pop-up that shows while the mouse rests on it.
HWND HintWindow() {
    HWND hint = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM found) -> BOOL {
            if (testing_support::ClassOf(hwnd) != L"PelnorHoverHint") return TRUE;
            *reinterpret_cast<HWND*>(found) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&hint));
    return hint;
}

class MascotScale : public testing::Test {
  protected:
    void SetUp() override {
        MascotEnvironment environment = MascotEnvironment::System();
        environment.monitorRect = [this](HWND) { return monitor; };
        main = std::make_unique<MascotWindow>(environment);
        ASSERT_TRUE(main->Create());
        MascotProbe::TickTimer(*main).SetEnabled(false);  // the tests tick by hand
        ShowWindow(main->Handle(), SW_SHOWNOACTIVATE);
        UpdateWindow(main->Handle());
    }

    void MoveTo(int x, int y) {
        SetWindowPos(main->Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }

    // What the window shows, compared pixel by pixel with the stored picture
    // scaled by `scale`: every pixel inside the region is the picture's pixel
    // it comes from (never the white background), every figure pixel is inside,
    // and nothing below the picture is. Returns the number of faults.
    int Faults(int scale, bool inverted) {
        const StoredPicture picture(MascotProbe::Sprite(*main).Handle());
        const int width = picture.width * scale;
        const int height = 56 * scale;
        Canvas drawn(width, height);
        Canvas region(width, height);
        MascotProbe::DrawPicture(*main, drawn.Dc());
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(GetWindowRgn(main->Handle(), rgn), ERROR);
        FillRgn(region.Dc(), rgn, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DeleteObject(rgn);

        int faults = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const bool inside = region.At(x, y) == RGB(255, 255, 255);
                if (y >= picture.height * scale) {
                    faults += inside;
                    continue;
                }
                const int column =
                    MascotProbe::Motion(*main).FaceLeft ? x / scale : picture.width - 1 - x / scale;
                const bool figure = picture.Index(column, y / scale) != 0;
                COLORREF want = picture.Colour(column, y / scale);
                if (inverted) want = RGB(255, 255, 255) ^ want;
                const bool fault = inside != figure || drawn.At(x, y) != want;
                if (fault && faults < 5)
                    ADD_FAILURE() << "(" << x << ", " << y << "): " << (inside ? "in" : "out")
                                  << "side the region, picture index "
                                  << picture.Index(column, y / scale);
                faults += fault;
            }
        return faults;
    }

    RECT monitor{0, 0, 1280, 800};
    std::unique_ptr<MascotWindow> main;
};

// The window is 74s x 56s and shows the figure in s x s blocks, cut exactly
// around it, facing left and facing right: a mirrored polygon let 19 white
// pixels show facing right even at 96 DPI.
TEST_F(MascotScale, ShowsExactlyTheFigureInWholePixelBlocksFacingEitherWay) {
    const struct {
        UINT dpi;
        int scale;
    } densities[] = {{96, 1}, {144, 2}, {192, 2}, {288, 3}, {384, 4}, {480, 5}, {72, 1}};
    for (const auto& d : densities) {
        SCOPED_TRACE(std::to_string(d.dpi) + " DPI");
        SendDpiChange(main->Handle(), d.dpi);
        EXPECT_EQ(main->Scale(), d.scale);
        const RECT frame = Frame(main->Handle());
        EXPECT_EQ(frame.right - frame.left, 74 * d.scale);
        EXPECT_EQ(frame.bottom - frame.top, 56 * d.scale);
        for (const bool faceLeft : {true, false}) {
            SCOPED_TRACE(faceLeft ? "facing left" : "facing right");
            MascotProbe::Motion(*main).FaceLeft = faceLeft;
            MascotProbe::ReshapeAndDraw(*main);
            EXPECT_EQ(Faults(d.scale, false), 0);
        }
    }
}

// One tick on the monitor the environment names: s pixels a step, bouncing
// at that monitor's edges, which need not start at 0.
TEST_F(MascotScale, DriftsByTheScaleWithinItsMonitor) {
    const MascotState upLeft{.MoveY = -1, .MoveX = -1, .FaceLeft = true};
    const MascotState downRight{.MoveY = 1, .MoveX = 1, .FaceLeft = false};
    const struct {
        const char* what;
        RECT monitor;
        UINT dpi;
        MascotState motion;
        POINT from;
        POINT want;
        bool faceLeft;
    } cases[] = {
        {"192 DPI in the open", {0, 0, 1280, 800}, 192, upLeft, {400, 300}, {398, 298}, true},
        {"192 DPI at the second monitor's right edge",
         {1280, 0, 2560, 800},
         192,
         downRight,
         {2560 - 148, 300},
         {2560 - 148, 302},
         true},
        {"96 DPI at the left edge of a monitor left of the primary",
         {-1280, -100, 0, 700},
         96,
         upLeft,
         {-1280, 200},
         {-1280, 199},
         false},
        {"480 DPI: 370 x 280 on 1280 x 800",
         {0, 0, 1280, 800},
         480,
         downRight,
         {0, 0},
         {5, 5},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        monitor = c.monitor;
        SendDpiChange(main->Handle(), c.dpi);
        MascotProbe::Motion(*main) = c.motion;
        MascotProbe::ReshapeAndDraw(*main);
        MoveTo(c.from.x, c.from.y);
        MascotProbe::OnTick(*main);
        const RECT frame = Frame(main->Handle());
        EXPECT_EQ(frame.left, c.want.x);
        EXPECT_EQ(frame.top, c.want.y);
        EXPECT_EQ(MascotProbe::Motion(*main).FaceLeft, c.faceLeft);
        EXPECT_EQ(Faults(main->Scale(), false), 0) << "the outline turned with the figure";
    }
}

// A change of density re-scales the window about its centre at once, in
// whatever state it comes: frozen (drawn inverted), under the open menu, or
// under an open dialog.
TEST_F(MascotScale, DensityChangeRescalesAboutTheCentreInEveryState) {
    SendMessageW(main->Handle(), WM_MOUSEHOVER, 0, 0);  // the hint and its font
    ASSERT_TRUE(HintWindow());
    const auto check = [&](UINT dpi, int scale, bool frozen) {
        const RECT frame = Frame(main->Handle());
        SendDpiChange(main->Handle(), dpi);
        const RECT now = Frame(main->Handle());
        EXPECT_EQ(now.right - now.left, 74 * scale);
        EXPECT_EQ(now.bottom - now.top, 56 * scale);
        EXPECT_EQ(now.left + now.right, frame.left + frame.right) << "the centre moved";
        EXPECT_EQ(now.top + now.bottom, frame.top + frame.bottom) << "the centre moved";
        EXPECT_EQ(Faults(scale, frozen), 0);
        LOGFONTW hint{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(HintWindow(), WM_GETFONT, 0, 0)),
                   sizeof hint, &hint);
        EXPECT_EQ(hint.lfHeight, -MulDiv(12, static_cast<int>(dpi), 96)) << "the hint's font";
    };

    check(192, 2, false);
    check(96, 1, false);

    MascotProbe::ToggleFreeze(*main);
    check(192, 2, true);
    MascotProbe::ToggleFreeze(*main);

    {
        // Shift+F10 opens the menu at the same place on the figure as at 96 DPI.
        const RECT frame = Frame(main->Handle());
        POINT menuAt{};
        ModalResponder whileMenuOpen(
            [&](HWND menu) {
                const RECT r = Frame(menu);
                menuAt = {r.left, r.top};
                check(96, 1, false);
                SendMessageW(main->Handle(), WM_MOUSEHOVER, 0, 0);
                EXPECT_FALSE(IsWindowVisible(HintWindow())) << "a hint over the open menu";
                EndMenu();
            },
            main->Handle());
        MascotProbe::OnKeyDown(*main, VK_F10, true, false, false);
        ASSERT_TRUE(whileMenuOpen.Answered()) << "the menu never opened";
        EXPECT_EQ(whileMenuOpen.ClassName(), L"#32768");
        EXPECT_EQ(menuAt.x, frame.left + 2 * 40);
        EXPECT_EQ(menuAt.y, frame.top + 2 * 50);
    }

    bool dialogShown = false;
    tk::Dialog::ShownHook = [&](HWND box) {
        dialogShown = true;
        check(192, 2, false);
        PostMessageW(box, WM_CLOSE, 0, 0);
    };
    MascotProbe::ShowAbout(*main);
    tk::Dialog::ShownHook = nullptr;
    EXPECT_TRUE(dialogShown);
}

// The menu opens with its icons at the mascot's density, each pixel of the
// 16 x 16 art an s x s square, in rows that hold both the icon and the menu's
// text; a density change while it is open leaves the open menu alone.
TEST_F(MascotScale, MenuIconsAreTheirPixelArtInWholePixelBlocks) {
    tk::ImageList& icons = MascotProbe::MenuIcons(*main);
    const auto pixels = [&](int index) { return testing_support::PixelsOf(icons.Bitmap(index)); };
    std::vector<std::vector<DWORD>> art;
    for (int i = 0; i < icons.Count(); ++i) art.push_back(pixels(i));

    // The height a row's text needs, in the menu's font.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const tk::UniqueFont menuFont(CreateFontIndirectW(&metrics.lfMenuFont));
    SIZE text{};
    {
        const tk::WindowDc screen(nullptr);
        const tk::ScopedSelect select(screen.get(), menuFont.get());
        GetTextExtentPoint32W(screen.get(), L"常に上に表示", 6, &text);
    }

    const struct {
        UINT dpi;
        int scale;
    } densities[] = {{96, 1}, {144, 2}, {192, 2}, {288, 3}};
    for (const auto& d : densities) {
        SCOPED_TRACE(std::to_string(d.dpi) + " DPI");
        SendDpiChange(main->Handle(), d.dpi);
        ModalResponder inMenu(
            [&](HWND menuWindow) {
                EXPECT_EQ(icons.Width(), 16 * d.scale);
                EXPECT_EQ(icons.Height(), 16 * d.scale);
                for (int i = 0; i < icons.Count(); ++i) {
                    const auto big = pixels(i);
                    ASSERT_EQ(big.size(), 256u * d.scale * d.scale);
                    int faults = 0;
                    for (int y = 0; y < 16 * d.scale; ++y)
                        for (int x = 0; x < 16 * d.scale; ++x)
                            faults +=
                                big[y * 16 * d.scale + x] != art[i][y / d.scale * 16 + x / d.scale];
                    EXPECT_EQ(faults, 0) << "icon " << i;
                }
                const auto menu =
                    reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
                for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                    MENUITEMINFOW item{};
                    item.cbSize = sizeof item;
                    item.fMask = MIIM_FTYPE | MIIM_BITMAP;
                    GetMenuItemInfoW(menu, i, TRUE, &item);
                    if (item.fType & MFT_SEPARATOR) continue;
                    RECT row{};
                    GetMenuItemRect(main->Handle(), menu, i, &row);
                    const bool icon = item.hbmpItem != nullptr;
                    EXPECT_EQ(item.hbmpItem, icons.Bitmap(MascotProbe::Menu(*main)[i].ImageIndex));
                    EXPECT_GE(row.bottom - row.top, std::max(text.cy, icon ? 16L * d.scale : 0L))
                        << "row " << i;
                }
                SendDpiChange(main->Handle(), 96);
                EXPECT_EQ(icons.Scale(), d.scale) << "the open menu's icons changed";
                EndMenu();
            },
            main->Handle());
        SendMessageW(main->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(400, 300));
        EXPECT_TRUE(inMenu.Answered());
    }
}

// Monitors that are too small, taken away, shrunk or re-arranged, and a mascot
// held by the mouse.
TEST_F(MascotScale, KeepsToItsMonitorWhenSmallerGoneOrMovedAndStaysWhereHeld) {
    // Smaller than the window: held at the far edge, never turning about.
    monitor = {0, 0, 50, 40};
    const int regions = main->RegionCount();
    for (int tick = 0; tick < 4; ++tick) {
        MascotProbe::OnTick(*main);
        EXPECT_EQ(Frame(main->Handle()).left, 50 - 74);
        EXPECT_EQ(Frame(main->Handle()).top, 40 - 56);
        EXPECT_TRUE(MascotProbe::Motion(*main).FaceLeft);
    }
    EXPECT_EQ(main->RegionCount(), regions) << "the outline was re-applied";

    // Its monitor taken away while frozen: it lands on the one left at once.
    monitor = {-1280, 0, 0, 1024};
    MascotProbe::ToggleFreeze(*main);
    MoveTo(1500, 300);
    SendMessageW(main->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
    EXPECT_EQ(Frame(main->Handle()).left, -74);
    EXPECT_EQ(Frame(main->Handle()).top, 300);
    // Its monitor shrunk with no message at all (a mode change under Wine):
    // within two ticks it is back on it, at its distance from the edges.
    monitor = {0, 0, 2560, 1440};
    MoveTo(2000, 1200);
    MascotProbe::OnTick(*main), MascotProbe::OnTick(*main), monitor = {0, 0, 1280, 800};
    MascotProbe::OnTick(*main), MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame(main->Handle()).left, 720);
    EXPECT_EQ(Frame(main->Handle()).top, 560);
    MascotProbe::ToggleFreeze(*main);

    // Its monitor re-arranged under it while it drifts: the next step keeps to
    // the monitor as it is now.
    monitor = {0, 0, 1280, 800};
    MascotProbe::Motion(*main) = {.MoveY = 1, .MoveX = 1, .FaceLeft = false};
    MoveTo(1000, 300);
    MascotProbe::OnTick(*main);
    monitor = {0, 0, 1075, 800};
    SendMessageW(main->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1075, 800));
    EXPECT_EQ(Frame(main->Handle()).left, 1001) << "still on the narrower monitor";
    MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame(main->Handle()).left, 1075 - 74);
    EXPECT_TRUE(MascotProbe::Motion(*main).FaceLeft) << "it bounced off the new right edge";

    // Held by the mouse in the system's move loop, it does not drift; let go,
    // it drifts on from where it was dropped.
    monitor = {0, 0, 1280, 800};
    MoveTo(1250, 300);  // partly off the monitor, as in the middle of a drag
    SendMessageW(main->Handle(), WM_ENTERSIZEMOVE, 0, 0);
    MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame(main->Handle()).left, 1250);
    SendMessageW(main->Handle(), WM_EXITSIZEMOVE, 0, 0);
    MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame(main->Handle()).left, 1280 - 74);
}

// The notice's figure at 144 DPI: its picture in the largest whole-pixel
// squares its box holds (1 x 1, the box being 1.5 times the picture), centred.
TEST(NoticeFigure, IsItsPictureScaledByAWholeFactor) {
    const tk::UniqueBitmap stored(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_NOTICE), IMAGE_BITMAP, 0, 0,
                   LR_CREATEDIBSECTION)));
    const StoredPicture picture(stored.get());
    CallNotice notice;
    int faults = -1;
    tk::Dialog::DpiForTesting = 144;
    tk::Dialog::ShownHook = [&](HWND box) {
        const RECT r = notice.MascotPicture.BoundsRect();
        Canvas drawn(r.right, r.bottom);
        notice.MascotPicture.Paint(drawn.Dc());
        const int left = (r.left + r.right - 74) / 2, top = (r.top + r.bottom - 55) / 2;
        faults = 0;
        for (int y = 0; y < 55; ++y)
            for (int x = 0; x < 74; ++x)
                faults += drawn.At(left + x, top + y) != picture.Colour(x, y);
        PostMessageW(box, WM_CLOSE, 0, 0);
    };
    notice.ShowModal(nullptr);
    tk::Dialog::ShownHook = nullptr;
    tk::Dialog::DpiForTesting.reset();
    EXPECT_EQ(faults, 0);
}

}  // namespace
}  // namespace pelnor
