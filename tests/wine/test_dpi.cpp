// The dialogs on screens of other densities: positions, sizes and fonts scale
// from their 96-DPI tables, texts still fit where they fitted at 96 DPI, and
// the mascot follows its own window's density, not theirs.
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

#include "assets/tools/Outline.h"
#include "dialogs/AboutBox.h"
#include "dialogs/CallLetterDialog.h"
#include "dialogs/CallNotice.h"
#include "mascot/MascotWindow.h"
#include "toolkit/Dialog.h"
#include "toolkit/MessageBoxes.h"
#include "winbase/Handles.h"

namespace pelnor {
namespace {

using testing_support::Box;
using testing_support::ClassOf;
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
Fit LabelFit(tk::Dialog& dialog, const tk::Label& label) {
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
Fit SpinFit(const tk::SpinEdit& spin) {
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
    tk::Dialog::DpiForTesting = dpi;
    bool ran = false;
    dialog.OnShown = [&](HWND hwnd) {
        ran = true;
        body(hwnd);
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    };
    dialog.ShowModal(nullptr);
    tk::Dialog::DpiForTesting.reset();
    EXPECT_TRUE(ran) << "the dialog was not shown at " << dpi << " DPI";
}

class DensityTest : public testing::TestWithParam<UINT> {
  protected:
    void TearDown() override { tk::Dialog::DpiForTesting.reset(); }
    UINT dpi() const { return GetParam(); }
};

// A dialog's controls by name, for the checks that go over every one of them.
using Controls = std::vector<std::pair<std::string, const tk::Control*>>;

Controls ControlsOf(const CallLetterDialog& d) {
    return {{"ClockDisplay", &d.ClockDisplay},
            {"HalfHourButton", &d.HalfHourButton},
            {"OneHourButton", &d.OneHourButton},
            {"HourAndHalfButton", &d.HourAndHalfButton},
            {"TwoHoursButton", &d.TwoHoursButton},
            {"HourField", &d.HourField},
            {"MinuteField", &d.MinuteField},
            {"NameField", &d.NameField},
            {"ErrandField", &d.ErrandField},
            {"SetButton", &d.SetButton},
            {"CancelCallButton", &d.CancelCallButton},
            {"CloseButton", &d.CloseButton},
            {"ArmedIndicator", &d.ArmedIndicator},
            {"BeepCheckBox", &d.BeepCheckBox},
            {"CallTimeLabel", &d.CallTimeLabel},
            {"HourLabel", &d.HourLabel},
            {"MinuteLabel", &d.MinuteLabel},
            {"HourRangeLabel", &d.HourRangeLabel},
            {"MinuteRangeLabel", &d.MinuteRangeLabel},
            {"OnceOnlyLabel", &d.OnceOnlyLabel},
            {"NameLabel", &d.NameLabel},
            {"ErrandLabel", &d.ErrandLabel},
            {"WrapWarningLabel", &d.WrapWarningLabel}};
}

Controls ControlsOf(const CallNotice& n) {
    return {{"OkButton", &n.OkButton},           {"MessagePanel", &n.MessagePanel},
            {"MascotPicture", &n.MascotPicture}, {"SignatureShadow", &n.SignatureShadow},
            {"Signature", &n.Signature},         {"NameShadow", &n.NameShadow},
            {"ErrandShadow", &n.ErrandShadow},   {"NameLine", &n.NameLine},
            {"ErrandLine", &n.ErrandLine}};
}

Controls ControlsOf(const AboutBox& a) {
    return {{"InfoPanel", &a.InfoPanel},
            {"ProgramIcon", &a.ProgramIcon},
            {"ProductName", &a.ProductName},
            {"Version", &a.Version},
            {"Comments", &a.Comments},
            {"Copyright", &a.Copyright},
            {"WebPageLabel", &a.WebPageLabel},
            {"OkButton", &a.OkButton},
            {"WebAddressField", &a.WebAddressField}};
}

// Each control sits at its layout row scaled to the dialog's density (a side
// the row leaves at 0 follows the text and is not empty), a windowed control's
// window is where the dialog put it, and no child window is left unchecked.
void ExpectLaidOut(HWND hwnd, const tk::Dialog& dialog, const Controls& controls) {
    const UINT dpi = static_cast<UINT>(dialog.Dpi());
    const SIZE client = ClientSize(hwnd);
    EXPECT_EQ(client.cx, Scaled(dialog.Form().clientWidth, dpi));
    EXPECT_EQ(client.cy, Scaled(dialog.Form().clientHeight, dpi));
    for (const auto& [name, control] : controls) {
        const tk::ControlLayout& row = control->Layout();
        const Box want = Scaled({row.left, row.top, row.width, row.height}, dpi);
        const Box placed = ToBox(control->BoundsRect());
        EXPECT_EQ(placed.left, want.left) << name;
        EXPECT_EQ(placed.top, want.top) << name;
        if (row.width) {
            EXPECT_EQ(placed.width, want.width) << name;
        } else {
            EXPECT_GT(placed.width, 0) << name;
        }
        if (row.height) {
            EXPECT_EQ(placed.height, want.height) << name;
        } else {
            EXPECT_GT(placed.height, 0) << name;
        }
        if (control->Handle()) {
            EXPECT_EQ(PlaceOf(control->Handle()), placed) << name;
        }
    }
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const tk::Control* owner = dialog.ControlOf(child);
        const bool listed = std::any_of(controls.begin(), controls.end(),
                                        [owner](const auto& c) { return c.second == owner; });
        EXPECT_TRUE(owner && listed) << "a " << ClassOf(child) << " window not in the list";
    }
}

// Whether the text of each control fits it, by the control's kind; and every
// label and picture of a panel inside the panel.
Fits FitsOf(tk::Dialog& dialog, const Controls& controls) {
    Fits fits;
    const auto nameOf = [&](const tk::Control* control) {
        for (const auto& [name, c] : controls)
            if (c == control) return name;
        return std::string("unlisted");
    };
    for (const auto& [name, control] : controls) {
        const HWND hwnd = control->Handle();
        if (const auto* spin = dynamic_cast<const tk::SpinEdit*>(control)) {
            fits[name] = SpinFit(*spin);
        } else if (dynamic_cast<const tk::Edit*>(control)) {
            fits[name] = EditFit(hwnd);
        } else if (dynamic_cast<const tk::CheckBox*>(control)) {
            fits[name] = CheckBoxFit(hwnd, static_cast<UINT>(dialog.Dpi()));
        } else if (dynamic_cast<const tk::Button*>(control)) {
            fits[name] = ButtonFit(hwnd);
        } else if (dynamic_cast<const tk::StaticText*>(control)) {
            fits[name] = StaticFit(hwnd);
        } else if (const auto* label = dynamic_cast<const tk::Label*>(control)) {
            fits[name] = LabelFit(dialog, *label);
        } else if (const auto* panel = dynamic_cast<const tk::Panel*>(control)) {
            const SIZE room = ClientSize(hwnd);
            for (const tk::Control* graphic : panel->Graphics()) {
                const RECT r = graphic->BoundsRect();
                fits[nameOf(graphic) + " in " + name] = {{r.right, r.bottom}, room};
            }
        }
    }
    return fits;
}

// Shows `dialog` at `dpi`, checks where its controls are and measures its texts.
template <typename Dialog>
Fits LaidOutAndFitting(UINT dpi, Dialog& dialog) {
    Fits fits;
    ShowAt(dpi, dialog, [&](HWND hwnd) {
        EXPECT_EQ(dialog.Dpi(), static_cast<int>(dpi));
        const Controls controls = ControlsOf(dialog);
        ExpectLaidOut(hwnd, dialog, controls);
        fits = FitsOf(dialog, controls);
    });
    return fits;
}

TEST_P(DensityTest, EveryControlSitsAtItsRowAndWhatFitsAt96DpiStillFits) {
    CallState call{
        .Armed = true, .Hour = 23, .Minute = 59, .Name = L"山田", .Task = L"会議の"};
    const std::vector<std::pair<const char*, std::function<Fits(UINT)>>> dialogs = {
        {"call letter",
         [&](UINT d) {
             CallLetterDialog dialog(call, [] { return ClockTime{12, 34, 0, 0}; });
             return LaidOutAndFitting(d, dialog);
         }},
        {"call notice",
         [](UINT d) {
             CallNotice notice;
             notice.SetName(L"山田");
             notice.SetTask(L"会議の");
             return LaidOutAndFitting(d, notice);
         }},
        {"About box",
         [](UINT d) {
             AboutBox about;
             return LaidOutAndFitting(d, about);
         }},
    };
    for (const auto& [name, showAt] : dialogs) {
        SCOPED_TRACE(name);
        const Fits at96 = showAt(96);
        ExpectNoNewClipping(at96, showAt(dpi()), dpi());
    }
}

TEST_P(DensityTest, FontsAndSpinButtonsScale) {
    const UINT d = dpi();
    CallState call;
    CallLetterDialog letter(call, [] { return ClockTime{12, 34, 0, 0}; });
    ShowAt(d, letter, [&](HWND) {
        // The spin buttons sit inside their fields at the right edge.
        EXPECT_EQ(ClientSize(letter.MinuteField.ButtonHandle()).cx, Scaled(15, d));
        EXPECT_EQ(FontOf(letter.HalfHourButton.Handle()).lfHeight, -Scaled(16, d));
        EXPECT_EQ(FontOf(letter.SetButton.Handle()).lfHeight, -Scaled(15, d));
        const LOGFONTW clock = FontOf(letter.ClockDisplay.Handle());
        EXPECT_EQ(clock.lfHeight, -Scaled(16, d));
        EXPECT_EQ(clock.lfWeight, FW_BOLD);
        EXPECT_EQ(FontOf(letter.ArmedIndicator.Handle()).lfHeight, -Scaled(16, d));
        EXPECT_EQ(FontOf(letter.FontFor(letter.WrapWarningLabel.Layout().font)).lfHeight,
                  -Scaled(15, d));
    });
    CallNotice notice;
    ShowAt(d, notice, [&](HWND) {
        const LOGFONTW ok = FontOf(notice.OkButton.Handle());
        EXPECT_EQ(ok.lfHeight, -Scaled(16, d));
        EXPECT_EQ(ok.lfWeight, FW_BOLD);
    });
    AboutBox about;
    ShowAt(d, about, [&](HWND) {
        EXPECT_EQ(FontOf(about.WebAddressField.Handle()).lfHeight, -Scaled(12, d));
        EXPECT_EQ(FontOf(about.OkButton.Handle()).lfHeight, -Scaled(12, d));
        EXPECT_EQ(FontOf(about.FontFor(about.ProductName.Layout().font)).lfHeight, -Scaled(16, d));
    });
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
    tk::Dialog::DpiForTesting = dpi;
    tk::Dialog::ShownHook = [&](HWND box) {
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
    tk::Dialog::ShownHook = nullptr;
    tk::Dialog::DpiForTesting.reset();
    return shape;
}

// Dragged onto a monitor of another density (a change Wine never sends by
// itself), a dialog keeps the layout it opened with: the same client size,
// every control at its row of the density it opened at with the same font, so
// nothing is cut that was not; only its place follows the system's suggestion.
TEST_P(DensityTest, DraggedToAnotherDensityADialogKeepsItsLayout) {
    const auto drag = [](tk::Dialog& dialog, const Controls& controls, HWND hwnd, UINT to) {
        const SIZE client = ClientSize(hwnd);
        const int opened = dialog.Dpi();
        std::vector<LOGFONTW> fonts;
        for (const auto& c : controls)
            if (c.second->Handle()) fonts.push_back(FontOf(c.second->Handle()));
        const Fits before = FitsOf(dialog, controls);

        RECT suggested{40, 30, 40 + MulDiv(client.cx, static_cast<int>(to), opened),
                       30 + MulDiv(client.cy, static_cast<int>(to), opened)};
        SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));

        RECT frame;
        GetWindowRect(hwnd, &frame);
        EXPECT_EQ(frame.left, 40);
        EXPECT_EQ(frame.top, 30);
        EXPECT_EQ(ClientSize(hwnd).cx, client.cx);
        EXPECT_EQ(ClientSize(hwnd).cy, client.cy);
        EXPECT_EQ(dialog.Dpi(), opened);
        ExpectLaidOut(hwnd, dialog, controls);
        std::size_t n = 0;
        for (const auto& c : controls) {
            if (c.second->Handle()) {
                EXPECT_EQ(FontOf(c.second->Handle()).lfHeight, fonts[n++].lfHeight) << c.first;
            }
        }
        ExpectNoNewClipping(before, FitsOf(dialog, controls), to);
    };
    CallState call{
        .Armed = true, .Hour = 7, .Minute = 5, .Name = L"山田", .Task = L"会議の"};
    for (const auto& [from, to] : {std::pair{dpi(), 96u}, std::pair{96u, dpi()}}) {
        SCOPED_TRACE(std::to_string(from) + " DPI to " + std::to_string(to));
        CallLetterDialog letter(call, [] { return ClockTime{12, 34, 0, 0}; });
        ShowAt(from, letter, [&](HWND h) { drag(letter, ControlsOf(letter), h, to); });
        CallNotice notice;
        notice.SetName(L"山田");
        ShowAt(from, notice, [&](HWND h) { drag(notice, ControlsOf(notice), h, to); });
        AboutBox about;
        ShowAt(from, about, [&](HWND h) { drag(about, ControlsOf(about), h, to); });
    }
}

// The boxes are measured from their text in the font they show, so their
// size follows the density only nearly; their buttons and font scale.
TEST_P(DensityTest, MessageBoxesScaleAndFitTheirText) {
    const std::vector<std::function<void()>> boxes = {
        [] { (void)tk::ConfirmBox(nullptr, L"07:05に呼出メッセージを出すように設定します。"); },
        [] {
            (void)tk::ConfirmBox(nullptr,
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

// The mascot follows its own window's density (96 DPI here), not the one the
// dialogs are laid out for: its window and outline stay as at 96 DPI, while
// the About box it opens scales.
TEST_P(DensityTest, MascotKeepsItsScreenPixels) {
    tk::Dialog::DpiForTesting = dpi();
    MascotWindow mascot({[] {
                             return ClockTime{9, 0, 0, 0};
                         },
                         [] { return std::wstring(L"山田"); },
                         [] { return std::wstring(L"C:\\Tools\\Pelnor.exe"); },
                         [](HWND) {
                             return RECT{0, 0, 1024, 768};
                         }});
    ASSERT_TRUE(mascot.Create());
    MascotProbe::TickTimer(mascot).SetEnabled(false);
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
    for (int k = 0; k < kOutlinePoints; ++k) vertices.push_back({OutlineX[k], OutlineY[k]});
    const tk::UniqueRegion outline(
        CreatePolygonRgn(vertices.data(), static_cast<int>(vertices.size()), ALTERNATE));
    EXPECT_TRUE(EqualRgn(region.get(), outline.get()));

    SIZE aboutClient{};
    tk::Dialog::ShownHook = [&](HWND box) {
        aboutClient = ClientSize(box);
        RECT now;
        GetWindowRect(mascot.Handle(), &now);
        EXPECT_EQ(ToBox(now).width, 74);
        EXPECT_EQ(ToBox(now).height, 56);
        PostMessageW(box, WM_CLOSE, 0, 0);
    };
    MascotProbe::ShowAbout(mascot);
    tk::Dialog::ShownHook = nullptr;
    EXPECT_EQ(aboutClient.cx, Scaled(293, dpi()));
    EXPECT_EQ(aboutClient.cy, Scaled(157, dpi()));
}

INSTANTIATE_TEST_SUITE_P(Densities, DensityTest, testing::Values(144u, 192u),
                         [](const testing::TestParamInfo<UINT>& param) {
                             return "Dpi" + std::to_string(param.param);
                         });

}  // namespace
}  // namespace pelnor
