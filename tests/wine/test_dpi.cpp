// The dialogs on screens of other densities: positions, sizes and fonts scale
// from their 96-DPI tables, texts still fit where they fitted at 96 DPI, and
// the mascot keeps its screen pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "dialogs/AboutBox.h"
#include "dialogs/CallNotice.h"
#include "dialogs/CallLetterDialog.h"
#include "core/Outline.h"
#include "mascot/MascotWindow.h"
#include "toolkit/Dialog.h"
#include "toolkit/Handles.h"
#include "toolkit/MessageBoxes.h"

namespace pelnor {
namespace {

using testing_support::Box;
using testing_support::ClientSize;
using testing_support::PlaceOf;
using testing_support::ToBox;
using testing_support::WindowText;

// A 96-DPI rectangle as the toolkit scales it: each edge on its own, so that
// controls that touch at 96 DPI still touch.
Box Scaled(const Box& b, UINT dpi) {
    const auto s = [dpi](int v) { return MulDiv(v, static_cast<int>(dpi), 96); };
    return {s(b.left), s(b.top), s(b.left + b.width) - s(b.left), s(b.top + b.height) - s(b.top)};
}

int Scaled(int v, UINT dpi) {
    return MulDiv(v, static_cast<int>(dpi), 96);
}

LOGFONTW FontOf(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

LOGFONTW FontOf(HWND control) {
    return FontOf(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
}

// The size `text` takes in `font`: on one line, or wrapped at `wrapWidth`.
SIZE Extent(HFONT font, const std::wstring& text, int wrapWidth, UINT prefix = DT_NOPREFIX) {
    const tk::WindowDc dc(nullptr);
    const tk::ScopedSelect select(dc.get(), font);
    RECT r{0, 0, wrapWidth, 0};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_EXPANDTABS | prefix | (wrapWidth > 0 ? DT_WORDBREAK : 0));
    return {r.right, r.bottom};
}

int LineHeight(HFONT font) {
    const tk::WindowDc dc(nullptr);
    const tk::ScopedSelect select(dc.get(), font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.get(), &tm);
    return tm.tmHeight;
}

// Whether a text fits its place: the room it needs and the room it has.
struct Fit {
    SIZE need{};
    SIZE room{};
    bool ok() const { return need.cx <= room.cx && need.cy <= room.cy; }
};

std::ostream& operator<<(std::ostream& out, const Fit& f) {
    return out << f.need.cx << " x " << f.need.cy << " in " << f.room.cx << " x " << f.room.cy;
}

// Each text of a dialog, by name.
using Fits = std::map<std::string, Fit>;

HFONT FontIn(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

LONG Overflow(const Fit& f) {
    return std::max(0L, f.need.cx - f.room.cx) + std::max(0L, f.need.cy - f.room.cy);
}

// A label drawn by its parent, in its own rectangle; one that may wrap is
// taken at its better of wrapped and on one line.
Fit LabelFit(tk::TDialog& dialog, const tk::TLabel& label) {
    const Box b = ToBox(label.BoundsRect());
    const HFONT font = dialog.FontFor(label.Layout().font);
    const Fit line{Extent(font, label.Text(), 0), {b.width, b.height}};
    if (!label.Layout().wordWrap) return line;
    const Fit wrapped{Extent(font, label.Text(), b.width), {b.width, b.height}};
    return Overflow(wrapped) <= Overflow(line) ? wrapped : line;
}

// A push button draws its text inside its raised edge and focus rectangle.
Fit ButtonFit(HWND button) {
    const SIZE client = ClientSize(button);
    return {Extent(FontIn(button), WindowText(button), 0, 0), {client.cx - 4, client.cy - 4}};
}

// A check box's text goes right of the box.
Fit CheckBoxFit(HWND box, UINT dpi) {
    const SIZE client = ClientSize(box);
    return {Extent(FontIn(box), WindowText(box), 0, 0),
            {client.cx - Scaled(13 + 3, dpi), client.cy}};
}

// Static text: inside the client area (within the edge), wrapped if it wraps.
Fit StaticFit(HWND text) {
    const SIZE client = ClientSize(text);
    const bool wraps = !(GetWindowLongPtrW(text, GWL_STYLE) & SS_LEFTNOWORDWRAP);
    return {Extent(FontIn(text), WindowText(text), wraps ? client.cx : 0), client};
}

// An edit shows a whole line of its font.
Fit EditFit(HWND edit) {
    const SIZE client = ClientSize(edit);
    return {{0, LineHeight(FontIn(edit))}, client};
}

// A spin field shows two digits left of its buttons.
Fit SpinFit(const tk::TSpinEdit& spin) {
    const SIZE client = ClientSize(spin.Handle());
    return {Extent(FontIn(spin.Handle()), L"23", 0),
            {client.cx - ClientSize(spin.ButtonHandle()).cx - 2, client.cy}};
}

// What fits at `dpi` must have fitted at 96 DPI; what was already cut at
// 96 DPI is reported, not failed.
void ExpectNoNewClipping(const Fits& at96, const Fits& atDpi, UINT dpi) {
    for (const auto& [name, fit] : at96) {
        if (!fit.ok()) {
            std::cout << "[ note     ] " << name << " is cut at 96 DPI already: " << fit << "\n";
            continue;
        }
        const auto found = atDpi.find(name);
        ASSERT_NE(found, atDpi.end()) << name;
        EXPECT_TRUE(found->second.ok())
            << name << " fits at 96 DPI but not at " << dpi << ": " << found->second;
    }
}

// Shows `dialog` at `dpi` and runs `body` once it is on screen.
template <typename Dialog>
void ShowAt(UINT dpi, Dialog& dialog, const std::function<void(HWND)>& body) {
    tk::TDialog::DpiForTesting = dpi;
    bool ran = false;
    dialog.OnShown = [&](HWND hwnd) {
        ran = true;
        body(hwnd);
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    };
    dialog.ShowModal(nullptr);
    tk::TDialog::DpiForTesting.reset();
    EXPECT_TRUE(ran) << "the dialog was not shown at " << dpi << " DPI";
}

class DensityTest : public testing::TestWithParam<UINT> {
  protected:
    void TearDown() override { tk::TDialog::DpiForTesting.reset(); }
    UINT dpi() const { return GetParam(); }
};

TEST_P(DensityTest, CallLetterScalesAndStaysReadable) {
    CallState call{
        .CallSet = true, .CallHour = 23, .CallMin = 59, .CallName = L"山田", .CallTask = L"会議の"};
    const auto check = [&](UINT d, Fits& fits) {
        CallLetterDialog dialog(call, [] { return ClockTime{12, 34, 0, 0}; });
        ShowAt(d, dialog, [&](HWND hwnd) {
            EXPECT_EQ(dialog.Dpi(), static_cast<int>(d));
            const SIZE client = ClientSize(hwnd);
            EXPECT_EQ(client.cx, Scaled(365, d));
            EXPECT_EQ(client.cy, Scaled(263, d));
            EXPECT_EQ(PlaceOf(dialog.Btn1half.Handle()), Scaled({198, 1, 85, 25}, d));
            EXPECT_EQ(PlaceOf(dialog.SetHour.Handle()), Scaled({112, 49, 46, 26}, d));
            EXPECT_EQ(PlaceOf(dialog.MyTask.Handle()), Scaled({113, 155, 239, 24}, d));
            EXPECT_EQ(PlaceOf(dialog.SetFlg.Handle()), Scaled({11, 231, 56, 20}, d));
            EXPECT_EQ(PlaceOf(dialog.BeepCheck.Handle()), Scaled({269, 128, 89, 17}, d));
            EXPECT_EQ(ToBox(dialog.Label9.BoundsRect()), Scaled({12, 185, 346, 30}, d));
            EXPECT_EQ(dialog.Label8.BoundsRect().left, Scaled(111, d));
            EXPECT_EQ(dialog.Label8.BoundsRect().top, Scaled(98, d));
            // The spin buttons sit inside their fields at the right edge.
            EXPECT_EQ(ClientSize(dialog.SetMin.ButtonHandle()).cx, Scaled(15, d));

            EXPECT_EQ(FontOf(dialog.Btn30min.Handle()).lfHeight, -Scaled(16, d));
            EXPECT_EQ(FontOf(dialog.BtnSetOk.Handle()).lfHeight, -Scaled(15, d));
            const LOGFONTW clock = FontOf(dialog.DegiClock.Handle());
            EXPECT_EQ(clock.lfHeight, -Scaled(16, d));
            EXPECT_EQ(clock.lfWeight, FW_BOLD);
            EXPECT_EQ(FontOf(dialog.SetFlg.Handle()).lfHeight, -Scaled(16, d));
            EXPECT_EQ(FontOf(dialog.FontFor(dialog.Label9.Layout().font)).lfHeight, -Scaled(15, d));

            fits["DegiClock"] = StaticFit(dialog.DegiClock.Handle());
            fits["SetFlg"] = StaticFit(dialog.SetFlg.Handle());
            for (const tk::TButton* b :
                 {&dialog.Btn30min, &dialog.Btn1Hour, &dialog.Btn1half, &dialog.Btn2Hout,
                  &dialog.BtnSetOk, &dialog.BtnSetNo, &dialog.Button2})
                fits["button " + std::to_string(b->Layout().left)] = ButtonFit(b->Handle());
            fits["BeepCheck"] = CheckBoxFit(dialog.BeepCheck.Handle(), d);
            fits["SetHour"] = SpinFit(dialog.SetHour);
            fits["SetMin"] = SpinFit(dialog.SetMin);
            fits["MyName"] = EditFit(dialog.MyName.Handle());
            fits["MyTask"] = EditFit(dialog.MyTask.Handle());
            const std::vector<std::pair<const char*, const tk::TLabel*>> labels = {
                {"Label5", &dialog.Label5}, {"Label1", &dialog.Label1}, {"Label2", &dialog.Label2},
                {"Label3", &dialog.Label3}, {"Label4", &dialog.Label4}, {"Label8", &dialog.Label8},
                {"Label6", &dialog.Label6}, {"Label7", &dialog.Label7}, {"Label9", &dialog.Label9}};
            for (const auto& [name, label] : labels) fits[name] = LabelFit(dialog, *label);
        });
    };
    Fits at96;
    Fits atDpi;
    check(96, at96);
    check(dpi(), atDpi);
    ExpectNoNewClipping(at96, atDpi, dpi());
}

TEST_P(DensityTest, NoticeScalesAndStaysReadable) {
    const auto check = [&](UINT d, Fits& fits) {
        CallNotice notice;
        notice.SetName(L"山田");
        notice.SetTask(L"会議の");
        ShowAt(d, notice, [&](HWND hwnd) {
            const SIZE client = ClientSize(hwnd);
            EXPECT_EQ(client.cx, Scaled(313, d));
            EXPECT_EQ(client.cy, Scaled(183, d));
            EXPECT_EQ(PlaceOf(notice.OKBtn.Handle()), Scaled({115, 149, 75, 25}, d));
            EXPECT_EQ(PlaceOf(notice.Panel1.Handle()), Scaled({10, 6, 295, 133}, d));
            EXPECT_EQ(ToBox(notice.Image1.BoundsRect()), Scaled({216, 61, 74, 55}, d));
            EXPECT_EQ(ToBox(notice.MyTask2.BoundsRect()), Scaled({21, 45, 251, 46}, d));
            // The white shadows stay one or two 96-DPI pixels off their texts.
            EXPECT_EQ(notice.Label2.BoundsRect().top - notice.Label1.BoundsRect().top,
                      Scaled(107, d) - Scaled(105, d));
            EXPECT_EQ(notice.MyName.BoundsRect().left - notice.MyName2.BoundsRect().left,
                      Scaled(21, d) - Scaled(20, d));
            const LOGFONTW ok = FontOf(notice.OKBtn.Handle());
            EXPECT_EQ(ok.lfHeight, -Scaled(16, d));
            EXPECT_EQ(ok.lfWeight, FW_BOLD);

            fits["OKBtn"] = ButtonFit(notice.OKBtn.Handle());
            const std::vector<std::pair<const char*, const tk::TLabel*>> labels = {
                {"Label1", &notice.Label1},
                {"MyName2", &notice.MyName2},
                {"MyTask2", &notice.MyTask2}};
            for (const auto& [name, label] : labels) fits[name] = LabelFit(notice, *label);
            // The banner and the name stay inside the panel.
            const SIZE panel = ClientSize(notice.Panel1.Handle());
            fits["banner in panel"] = {
                {notice.Label2.BoundsRect().right, notice.Label2.BoundsRect().bottom}, panel};
        });
    };
    Fits at96;
    Fits atDpi;
    check(96, at96);
    check(dpi(), atDpi);
    ExpectNoNewClipping(at96, atDpi, dpi());
}

TEST_P(DensityTest, AboutBoxScalesAndStaysReadable) {
    const auto check = [&](UINT d, Fits& fits) {
        AboutBox about;
        ShowAt(d, about, [&](HWND hwnd) {
            const SIZE client = ClientSize(hwnd);
            EXPECT_EQ(client.cx, Scaled(293, d));
            EXPECT_EQ(client.cy, Scaled(157, d));
            EXPECT_EQ(PlaceOf(about.Panel1.Handle()), Scaled({6, 5, 279, 96}, d));
            EXPECT_EQ(PlaceOf(about.Edit1.Handle()), Scaled({78, 108, 206, 17}, d));
            EXPECT_EQ(PlaceOf(about.OKButton.Handle()), Scaled({102, 128, 75, 25}, d));
            EXPECT_EQ(ToBox(about.ProgramIcon.BoundsRect()), Scaled({23, 21, 38, 38}, d));
            EXPECT_EQ(ToBox(about.Comments.BoundsRect()), Scaled({89, 55, 110, 12}, d));
            EXPECT_EQ(FontOf(about.Edit1.Handle()).lfHeight, -Scaled(12, d));
            EXPECT_EQ(FontOf(about.OKButton.Handle()).lfHeight, -Scaled(12, d));
            EXPECT_EQ(FontOf(about.FontFor(about.ProductName.Layout().font)).lfHeight,
                      -Scaled(16, d));

            fits["OKButton"] = ButtonFit(about.OKButton.Handle());
            fits["Edit1"] = EditFit(about.Edit1.Handle());
            const std::vector<std::pair<const char*, const tk::TLabel*>> labels = {
                {"ProductName", &about.ProductName},
                {"Version", &about.Version},
                {"Comments", &about.Comments},
                {"Copyright", &about.Copyright},
                {"Label1", &about.Label1}};
            for (const auto& [name, label] : labels) fits[name] = LabelFit(about, *label);
            // Every label stays inside the panel it is drawn in.
            const SIZE panel = ClientSize(about.Panel1.Handle());
            for (const tk::TControl* c : about.Panel1.Graphics()) {
                const RECT r = c->BoundsRect();
                fits["in panel " + std::to_string(c->Layout().left)] = {{r.right, r.bottom}, panel};
            }
        });
    };
    Fits at96;
    Fits atDpi;
    check(96, at96);
    check(dpi(), atDpi);
    ExpectNoNewClipping(at96, atDpi, dpi());
}

// What a message box shows: its client size, its buttons, its text's font
// and whether its texts fit.
struct BoxShape {
    SIZE client{};
    std::vector<SIZE> buttons;
    LONG textHeight = 0;
    Fits fits;
};

BoxShape ShowBoxAt(UINT dpi, const std::function<void()>& show) {
    BoxShape shape;
    tk::TDialog::DpiForTesting = dpi;
    tk::TDialog::ShownHook = [&](HWND box) {
        shape.client = ClientSize(box);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[16] = {};
            GetClassNameW(child, cls, 16);
            if (lstrcmpiW(cls, L"Button") == 0) {
                shape.buttons.push_back(ClientSize(child));
                shape.fits["button " + std::to_string(shape.buttons.size())] = ButtonFit(child);
            } else if (lstrcmpiW(cls, L"Static") == 0) {
                shape.textHeight = FontOf(child).lfHeight;
                shape.fits["text"] = StaticFit(child);
            }
        }
        PostMessageW(box, WM_CLOSE, 0, 0);
    };
    show();
    tk::TDialog::ShownHook = nullptr;
    tk::TDialog::DpiForTesting.reset();
    return shape;
}

// The boxes are measured from their text in the font they show, so their
// size follows the density only nearly; their buttons and font scale.
TEST_P(DensityTest, MessageBoxesScaleAndFitTheirText) {
    const std::vector<std::function<void()>> boxes = {
        [] { tk::ConfirmBox(nullptr, L"07:05に呼出メッセージを出すように設定します。"); },
        [] {
            tk::ConfirmBox(nullptr,
                           L"設定を解除します。設定を解除します。設定を解除します。"
                           L"設定を解除します。設定を解除します。");
        },
        [] { tk::InformationBox(nullptr, L"お知らせ"); },
        [] {
            tk::InformationBox(nullptr,
                               L"Pelnor.exe のあるフォルダに shortcut files を"
                               L"置くと、メニューから起動できます。");
        },
    };
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        SCOPED_TRACE("box " + std::to_string(i));
        const BoxShape at96 = ShowBoxAt(96, boxes[i]);
        const BoxShape atDpi = ShowBoxAt(dpi(), boxes[i]);
        ASSERT_FALSE(at96.buttons.empty());
        EXPECT_EQ(at96.textHeight, -12);
        EXPECT_EQ(atDpi.textHeight, -Scaled(12, dpi()));
        EXPECT_NEAR(atDpi.client.cx, Scaled(at96.client.cx, dpi()),
                    Scaled(at96.client.cx, dpi()) / 20);
        EXPECT_NEAR(atDpi.client.cy, Scaled(at96.client.cy, dpi()),
                    Scaled(at96.client.cy, dpi()) / 20);
        ASSERT_EQ(atDpi.buttons.size(), at96.buttons.size());
        for (const SIZE& b : atDpi.buttons) {
            EXPECT_NEAR(b.cx, Scaled(75, dpi()), 1);
            EXPECT_NEAR(b.cy, Scaled(25, dpi()), 1);
        }
        ExpectNoNewClipping(at96.fits, atDpi.fits, dpi());
    }
}

// The mascot is a picture in screen pixels: the density the dialogs use does
// not touch its window or outline, while the About box it opens scales.
TEST_P(DensityTest, MascotKeepsItsScreenPixels) {
    tk::TDialog::DpiForTesting = dpi();
    MascotWindow mascot({[] {
                             return ClockTime{9, 0, 0, 0};
                         },
                         [] { return std::wstring(L"山田"); },
                         [] { return std::wstring(L"C:\\Tools\\Pelnor.exe"); },
                         [] {
                             return SIZE{1024, 768};
                         }});
    ASSERT_TRUE(mascot.Create());
    mascot.Timer1.SetEnabled(false);
    RECT frame;
    GetWindowRect(mascot.Handle(), &frame);
    EXPECT_EQ(ToBox(frame).width, 74);
    EXPECT_EQ(ToBox(frame).height, 56);
    EXPECT_EQ(ClientSize(mascot.Handle()).cx, 74);
    EXPECT_EQ(ClientSize(mascot.Handle()).cy, 56);
    // The outline is applied when the window is first painted.
    ShowWindow(mascot.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(mascot.Handle());
    const tk::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(mascot.Handle(), region.get()), ERROR);
    std::vector<POINT> vertices;
    for (const OutlinePoint& p : OutlineFor(true)) vertices.push_back({p.x, p.y});
    const tk::UniqueRegion outline(
        CreatePolygonRgn(vertices.data(), static_cast<int>(vertices.size()), ALTERNATE));
    EXPECT_TRUE(EqualRgn(region.get(), outline.get()));

    SIZE aboutClient{};
    tk::TDialog::ShownHook = [&](HWND box) {
        aboutClient = ClientSize(box);
        RECT now;
        GetWindowRect(mascot.Handle(), &now);
        EXPECT_EQ(ToBox(now).width, 74);
        EXPECT_EQ(ToBox(now).height, 56);
        PostMessageW(box, WM_CLOSE, 0, 0);
    };
    mascot.About1Click();
    tk::TDialog::ShownHook = nullptr;
    EXPECT_EQ(aboutClient.cx, Scaled(293, dpi()));
    EXPECT_EQ(aboutClient.cy, Scaled(157, dpi()));
}

INSTANTIATE_TEST_SUITE_P(Densities, DensityTest, testing::Values(144u, 192u),
                         [](const testing::TestParamInfo<UINT>& param) {
                             return "Dpi" + std::to_string(param.param);
                         });

}  // namespace
}  // namespace pelnor
