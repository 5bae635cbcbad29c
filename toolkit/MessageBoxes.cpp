#include "toolkit/MessageBoxes.h"

#include <algorithm>
#include <string>

#include "core/Scale.h"
#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "toolkit/Dialog.h"
#include "toolkit/Font.h"

namespace tk {
namespace {

// The boxes' fixed measures in 96-DPI pixels; the client grows with the text.
constexpr struct {
    FontStyle font{.face = kTextFace, .height = 12};
    int margin = 16;
    int minClientWidth = 200;
    int iconSize = 32;
    int iconGap = 12;
    int maxTextWidth = 360;
    int textToButtons = 18;
    int buttonWidth = 75;
    int buttonHeight = 25;
    int buttonGap = 8;
    int bottomMargin = 12;
    const wchar_t* confirmTitle = L"確認";
    const wchar_t* yes = L"はい(&Y)";
    const wchar_t* no = L"いいえ(&N)";
    const wchar_t* ok = L"OK";
} kBox{};

struct BoxLayout {
    DialogLayout form;
    ControlLayout icon;
    ControlLayout message;
    ControlLayout first;
    ControlLayout second;
};

// The text's size in 96-DPI pixels, wrapped at the widest line a box allows.
// It is measured in the font the box shows at `dpi` (glyph widths do not
// scale evenly) and rounded up, so the scaled rectangle holds it.
SIZE MeasureText(const std::wstring& text, int dpi) {
    const UniqueFont font = MakeFont(kBox.font.face, pelnor::AtDpi(kBox.font.height, dpi));
    const WindowDc screen(nullptr);
    const ScopedSelect select(screen.get(), font.get());
    RECT r{0, 0, pelnor::AtDpi(kBox.maxTextWidth, dpi), 0};
    DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    const auto unscale = [dpi](LONG pixels) {
        return static_cast<LONG>((pixels * 96 + dpi - 1) / dpi);
    };
    // A little room, so that the static control's own wrapping never breaks a
    // line earlier than this measure did.
    return {unscale(r.right) + 4, unscale(r.bottom)};
}

BoxLayout MakeLayout(const std::wstring& text, bool confirm, int dpi) {
    BoxLayout box;
    const SIZE textSize = MeasureText(text, dpi);
    const int textLeft = kBox.margin + (confirm ? kBox.iconSize + kBox.iconGap : 0);
    const int textTop =
        kBox.margin +
        (confirm ? std::max(0, (kBox.iconSize - static_cast<int>(textSize.cy)) / 2) : 0);
    const int contentBottom = std::max(textTop + static_cast<int>(textSize.cy),
                                       confirm ? kBox.margin + kBox.iconSize : 0);
    const int buttons = confirm ? 2 : 1;
    const int buttonsWidth = buttons * kBox.buttonWidth + (buttons - 1) * kBox.buttonGap;
    const int clientWidth = std::max({textLeft + static_cast<int>(textSize.cx) + kBox.margin,
                                      buttonsWidth + 2 * kBox.margin, kBox.minClientWidth});
    const int buttonTop = contentBottom + kBox.textToButtons;
    const int buttonLeft = (clientWidth - buttonsWidth) / 2;

    box.form = {.caption = confirm ? kBox.confirmTitle : Application().Title.c_str(),
                .clientWidth = clientWidth,
                .clientHeight = buttonTop + kBox.buttonHeight + kBox.bottomMargin,
                .font = kBox.font};
    box.icon = {
        .left = kBox.margin, .top = kBox.margin, .width = kBox.iconSize, .height = kBox.iconSize};
    box.message = {.left = textLeft,
                   .top = textTop,
                   .width = static_cast<int>(textSize.cx),
                   .height = static_cast<int>(textSize.cy),
                   .wordWrap = true,
                   .border = false};
    box.first = {.text = confirm ? kBox.yes : kBox.ok,
                 .left = buttonLeft,
                 .top = buttonTop,
                 .width = kBox.buttonWidth,
                 .height = kBox.buttonHeight,
                 .modalResult = confirm ? IDYES : IDOK,
                 .id = confirm ? IDYES : IDOK};
    box.second = {.text = kBox.no,
                  .left = buttonLeft + kBox.buttonWidth + kBox.buttonGap,
                  .top = buttonTop,
                  .width = kBox.buttonWidth,
                  .height = kBox.buttonHeight,
                  .modalResult = IDNO,
                  .id = IDNO};
    return box;
}

class BoxDialog : public Dialog {
  public:
    BoxDialog(std::wstring_view text, bool confirm)
        : BoxDialog(std::wstring(text), confirm, MakeLayout(std::wstring(text), confirm, 96)) {}

  protected:
    // Measured again in the font the box shows on its screen.
    void FitLayout() override {
        const BoxLayout box = MakeLayout(text_, confirm_, Dpi());
        form_ = box.form;
        Icon.Relayout(box.icon);
        Message.Relayout(box.message);
        First.Relayout(box.first);
        Second.Relayout(box.second);
    }

    void CreateControls() override {
        if (confirm_) {
            Icon.Create(*this);
            Icon.SetIcon(UniqueIcon(CopyIcon(LoadIconW(nullptr, IDI_QUESTION))));
        }
        Message.Create(*this);
        First.Create(*this);
        SetDefaultButton(First);
        if (confirm_) {
            Second.Create(*this);
            SetCancelButton(Second);
        } else {
            SetCancelButton(First);
        }
    }

  private:
    BoxDialog(std::wstring text, bool confirm, const BoxLayout& box)
        : Dialog(box.form),
          confirm_(confirm),
          text_(std::move(text)),
          Icon(box.icon),
          Message(box.message),
          First(box.first),
          Second(box.second) {
        Message.SetText(text_);
    }

    bool confirm_;
    std::wstring text_;
    Image Icon;
    StaticText Message;
    Button First;
    Button Second;
};

}  // namespace

bool ConfirmBox(HWND owner, std::wstring_view text) {
    BoxDialog box(text, true);
    return box.ShowModal(owner) == IDYES;
}

void InformationBox(HWND owner, std::wstring_view text) {
    BoxDialog box(text, false);
    box.ShowModal(owner);
}

}  // namespace tk
