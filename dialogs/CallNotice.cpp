#include "dialogs/CallNotice.h"

#include <climits>

#include "assets/resource.h"
#include "core/CallCheck.h"
#include "toolkit/Font.h"

namespace pelnor {
namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kPanelColour = RGB(255, 182, 182);

constexpr tk::DialogLayout kForm{.caption = L"モフレン",
                                 .clientWidth = 313,
                                 .clientHeight = 183,
                                 .font = {.face = tk::kTextFace, .height = 16, .bold = true},
                                 .stayOnTop = true,
                                 .taskbarButton = true};

using Row = tk::ControlRow<CallNotice>;

// The picture first: the signature and texts are drawn over it. Each navy
// text lies on a white copy of itself shifted down (and right for the name
// and errand): navy writing with a white shadow.
constexpr Row kRows[] = {
    {&Row::Of<&CallNotice::MessagePanel>,
     {.left = 10, .top = 6, .width = 295, .height = 133, .background = kPanelColour}},
    {&Row::Of<&CallNotice::MascotPicture>,
     {.left = 216,
      .top = 61,
      .width = 74,
      .height = 55,
      .background = kPanelColour,  // its first palette entry
      .bitmap = IDB_NOTICE},
     &CallNotice::MessagePanel},
    {&Row::Of<&CallNotice::SignatureShadow>,
     {.text = L"－モフレン－", .left = 155, .top = 107, .color = kWhite, .shadow = true},
     &CallNotice::MessagePanel},
    {&Row::Of<&CallNotice::Signature>,
     {.text = L"－モフレン－", .left = 155, .top = 105, .color = kNavy},
     &CallNotice::MessagePanel},
    {&Row::Of<&CallNotice::NameShadow>,
     {.text = L"さん、", .left = 21, .top = 18, .color = kWhite, .shadow = true},
     &CallNotice::MessagePanel},
    {&Row::Of<&CallNotice::ErrandShadow>,
     {.text = L"時がきました。",
      .left = 22,
      .top = 46,
      .width = 251,
      .height = 46,
      .color = kWhite,
      .wordWrap = true,
      .shadow = true},
     &CallNotice::MessagePanel},
    {&Row::Of<&CallNotice::NameLine>,
     {.text = L"さん、", .left = 20, .top = 17, .color = kNavy},
     &CallNotice::MessagePanel},
    {&Row::Of<&CallNotice::ErrandLine>,
     {.text = L"時がきました。",
      .left = 21,
      .top = 45,
      .width = 251,
      .height = 46,
      .color = kNavy,
      .wordWrap = true},
     &CallNotice::MessagePanel},
    {&Row::Of<&CallNotice::OkButton>,
     {.text = L"OK", .left = 115, .top = 149, .width = 75, .height = 25, .modalResult = IDOK}},
};

}  // namespace

CallNotice::CallNotice() : Dialog(kForm) {
    tk::LayOut(*this, kRows);
}

void CallNotice::SetName(std::wstring_view callName) {
    const std::wstring line = NoticeNameLine(callName);
    NameShadow.SetText(line);
    NameLine.SetText(line);
}

void CallNotice::SetTask(std::wstring_view callTask) {
    const std::wstring line = NoticeTaskLine(callTask);
    ErrandShadow.SetText(line);
    ErrandLine.SetText(line);
}

void CallNotice::SetLateCall(std::uint16_t callHour, std::uint16_t callMin) {
    lateCaption_ = LateNoticeCaption(callHour, callMin);
    form_.caption = lateCaption_.c_str();
}

void CallNotice::CreateControls() {
    tk::CreateRows(*this, kRows);
    // Read out in the order they are meant: who is called, why, then who calls.
    SetWindowPos(Signature.Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetDefaultButton(OkButton);
}

// Windows gives a program the foreground only while the user is not busy in
// another one: the notice then shows on top but inactive, and its taskbar
// button flashes until it is activated. Nothing more is tried.
void CallNotice::FormShow() {
    if (GetForegroundWindow() == Handle()) return;
    FLASHWINFO flash{};
    flash.cbSize = sizeof flash;
    flash.hwnd = Handle();
    flash.dwFlags = FLASHW_ALL | FLASHW_TIMERNOFG;
    flash.uCount = UINT_MAX;  // until it comes to the foreground
    Flash(&flash);
}

}  // namespace pelnor
