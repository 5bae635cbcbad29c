#include "dialogs/CallLetterDialog.h"

#include <oleacc.h>

#include <string>

#include "core/ClockText.h"
#include "help/HelpViewer.h"
#include "toolkit/Accessibility.h"
#include "toolkit/Application.h"
#include "toolkit/Font.h"
#include "toolkit/MessageBoxes.h"

namespace pelnor {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr tk::FontStyle kSmall{.height = 15};

constexpr const wchar_t* kArmed = L"設定中";

// What assistive technology is told of the controls that show no text of
// their own; each field is named by the label made just before it.
constexpr struct {
    const wchar_t* clock = L"今の時刻";
    const wchar_t* hourButtons = L"時の増減";
    const wchar_t* minuteButtons = L"分の増減";
    const wchar_t* unarmed = L"未設定";
} kSpoken{};
constexpr const wchar_t* kSetQuestion = L"に呼出メッセージを出すように設定します。";
constexpr const wchar_t* kCancelQuestion = L"設定を解除します。";

constexpr const wchar_t* kHourRange = L"0～23";
constexpr const wchar_t* kMinuteRange = L"0～59";

constexpr tk::DialogLayout kForm{.caption = L"呼び出し状",
                                 .clientWidth = 365,
                                 .clientHeight = 263,
                                 .font = {.face = tk::kTextFace, .height = 16},
                                 .contextHelpBox = true,
                                 .hint = L"モフレンタイマー機能設定",
                                 .helpContext = 1};

using Row = tk::ControlRow<CallLetterDialog>;

// In tab order; each label just before the field it names, the others where
// they are read.
constexpr Row kRows[] = {
    {&Row::Of<&CallLetterDialog::ClockDisplay>,
     {.text = L"00:00",
      .left = 10,
      .top = 6,
      .width = 50,
      .height = 20,
      .font = {.face = tk::kFixedFace, .height = 16, .bold = true},
      .color = kLime,
      .background = kBlack,
      .hint = L"今の時刻",
      .helpContext = 2}},
    {&Row::Of<&CallLetterDialog::HalfHourButton>,
     {.text = L"30分後",
      .left = 66,
      .top = 1,
      .width = 60,
      .height = 25,
      .hint = L"呼出時間を今から30分後にする",
      .helpContext = 3}},
    {&Row::Of<&CallLetterDialog::OneHourButton>,
     {.text = L"1時間後",
      .left = 127,
      .top = 1,
      .width = 70,
      .height = 25,
      .hint = L"呼出時間を今から1時間後にする",
      .helpContext = 4}},
    {&Row::Of<&CallLetterDialog::HourAndHalfButton>,
     {.text = L"1時間半後",
      .left = 198,
      .top = 1,
      .width = 85,
      .height = 25,
      .hint = L"呼出時間を今から1時間半後にする",
      .helpContext = 5}},
    {&Row::Of<&CallLetterDialog::TwoHoursButton>,
     {.text = L"2時間後",
      .left = 284,
      .top = 1,
      .width = 70,
      .height = 25,
      .hint = L"呼出時間を今から2時間後にする",
      .helpContext = 6}},
    {&Row::Of<&CallLetterDialog::CallTimeLabel>, {.text = L"呼出時間", .left = 12, .top = 55}},
    {&Row::Of<&CallLetterDialog::HourLabel>, {.text = L"時", .left = 158, .top = 53}},
    {&Row::Of<&CallLetterDialog::HourField>,
     {.text = L"0",
      .left = 112,
      .top = 49,
      .width = 46,
      .height = 26,
      .hint = L"0時から23時のどれかを選ぶ",
      .helpContext = 7,
      .maxLength = 2,
      .minValue = 0,
      .maxValue = 23}},
    {&Row::Of<&CallLetterDialog::MinuteLabel>, {.text = L"分", .left = 234, .top = 53}},
    {&Row::Of<&CallLetterDialog::MinuteField>,
     {.text = L"0",
      .left = 186,
      .top = 49,
      .width = 46,
      .height = 26,
      .hint = L"0分から59分のどれかを選ぶ",
      .helpContext = 8,
      .maxLength = 2,
      .minValue = 0,
      .maxValue = 59}},
    {&Row::Of<&CallLetterDialog::HourRangeLabel>, {.text = kHourRange, .left = 112, .top = 78}},
    {&Row::Of<&CallLetterDialog::MinuteRangeLabel>, {.text = kMinuteRange, .left = 186, .top = 79}},
    {&Row::Of<&CallLetterDialog::OnceOnlyLabel>,
     {.text = L"呼び出しは１回だけです。", .left = 111, .top = 98}},
    {&Row::Of<&CallLetterDialog::NameLabel>, {.text = L"あなたの名前", .left = 13, .top = 129}},
    {&Row::Of<&CallLetterDialog::NameField>,
     {.left = 113,
      .top = 125,
      .width = 132,
      .height = 24,
      .hint = L"呼出の呼びかけに使います。",
      .helpContext = 10,
      .hiragana = true,
      .maxLength = 20}},
    {&Row::Of<&CallLetterDialog::ErrandLabel>, {.text = L"用件", .left = 15, .top = 161}},
    {&Row::Of<&CallLetterDialog::ErrandField>,
     {.left = 113,
      .top = 155,
      .width = 239,
      .height = 24,
      .hint = L"呼ぶ用件を書きます",
      .helpContext = 11,
      .hiragana = true,
      .maxLength = 40}},
    {&Row::Of<&CallLetterDialog::WrapWarningLabel>,
     {.text = L"半角文字を空白なしで続けて書くと最後まで表示されないことがあります。",
      .left = 12,
      .top = 185,
      .width = 346,
      .height = 30,
      .font = kSmall,
      .wordWrap = true}},
    {&Row::Of<&CallLetterDialog::SetButton>,
     {.text = L"設定",
      .left = 88,
      .top = 227,
      .width = 75,
      .height = 25,
      .font = kSmall,
      .hint = L"ここをクリックすると上の内容で呼び出します",
      .helpContext = 13}},
    {&Row::Of<&CallLetterDialog::CancelCallButton>,
     {.text = L"解除",
      .left = 171,
      .top = 227,
      .width = 75,
      .height = 25,
      .font = kSmall,
      .hint = L"ここをクリックすると設定内容がキャンセルされます",
      .helpContext = 14}},
    {&Row::Of<&CallLetterDialog::CloseButton>,
     {.text = L"閉じる",
      .left = 280,
      .top = 227,
      .width = 75,
      .height = 25,
      .font = kSmall,
      .hint = L"このウィンドウを閉じます。",
      .helpContext = 15,
      .modalResult = IDCANCEL}},
    {&Row::Of<&CallLetterDialog::ArmedIndicator>,
     {.left = 11,
      .top = 231,
      .width = 56,
      .height = 20,
      .font = {.height = 16, .bold = true},
      .color = kRed,
      .background = kBlack,
      .hint = L"設定中かどうか知らせます",
      .helpContext = 12}},
    {&Row::Of<&CallLetterDialog::BeepCheckBox>,
     {.text = L"音を出す",
      .left = 269,
      .top = 128,
      .width = 89,
      .height = 17,
      .hint = L"呼び出すとき音を出すかどうか",
      .helpContext = 9,
      .checked = true}},
};

}  // namespace

CallLetterDialog::CallLetterDialog(const CallState& call, std::function<ClockTime()> clock,
                                   std::wstring helpFile)
    : Dialog(kForm),
      call_(call),
      clock_(std::move(clock)),
      helpFile_(std::move(helpFile)),
      clockTimer_(*this, kClockTimerId, kClockIntervalMs, [this] { OnTick(); }) {
    tk::LayOut(*this, kRows);
    HalfHourButton.OnClick = [this] { FillTimeAhead(0, 30); };
    OneHourButton.OnClick = [this] { FillTimeAhead(1, 0); };
    HourAndHalfButton.OnClick = [this] { FillTimeAhead(1, 30); };
    TwoHoursButton.OnClick = [this] { FillTimeAhead(2, 0); };
    SetButton.OnClick = [this] { OnSetClicked(); };
    CancelCallButton.OnClick = [this] { OnCancelCallClicked(); };
    ContextHelp = [this](DWORD context, POINT point) {
        HelpContextPopup(Handle(), helpFile_, point, context);
    };
}

void CallLetterDialog::CreateControls() {
    tk::CreateRows(*this, kRows);
    SetDefaultButton(SetButton);
    SetCancelButton(CloseButton);

    tk::DescribeForAssistiveTechnology(ClockDisplay.Handle(), nullptr, kSpoken.clock);
    tk::DescribeForAssistiveTechnology(HourField.Handle(), nullptr, kHourRange);
    tk::DescribeForAssistiveTechnology(MinuteField.Handle(), nullptr, kMinuteRange);
    tk::DescribeForAssistiveTechnology(HourField.ButtonHandle(), kSpoken.hourButtons, nullptr,
                                       ROLE_SYSTEM_SPINBUTTON);
    tk::DescribeForAssistiveTechnology(MinuteField.ButtonHandle(), kSpoken.minuteButtons, nullptr,
                                       ROLE_SYSTEM_SPINBUTTON);
    tk::DescribeForAssistiveTechnology(ArmedIndicator.Handle(), kSpoken.unarmed, nullptr);
}

void CallLetterDialog::FormCreate() {
    ArmedIndicator.SetText(call_.Armed ? kArmed : L"");
    HourField.SetValue(call_.Hour);
    MinuteField.SetValue(call_.Minute);
    NameField.SetText(call_.Name);
    ErrandField.SetText(call_.Task);
    BeepCheckBox.SetChecked(call_.Beep);
    clockTimer_.SetEnabled(true);
    const ClockTime now = clock_();
    ClockDisplay.SetText(ClockText(now.hour, now.minute));
}

void CallLetterDialog::FormHide() {
    clockTimer_.SetEnabled(false);
}

void CallLetterDialog::OnTick() {
    const ClockTime now = clock_();
    ClockDisplay.SetText(ClockText(now.hour, now.minute));
    // The call fired (and disarmed itself) while the dialog was open.
    if (!call_.Armed && ArmedIndicator.Text() == kArmed) ArmedIndicator.SetText(L"");
}

void CallLetterDialog::FillTimeAhead(std::uint16_t hours, std::uint16_t minutes) {
    const ClockTime t = pelnor::TimeUp(clock_(), hours, minutes);
    HourField.SetValue(t.hour);
    MinuteField.SetValue(t.minute);
}

void CallLetterDialog::OnSetClicked() {
    // A value typed out of range and confirmed with Enter has not lost the
    // focus yet: bring it into range so the question and the call agree.
    HourField.ClampNow();
    MinuteField.ClampNow();
    const int hour = HourField.Value();
    const int minute = MinuteField.Value();
    const std::wstring question =
        ClockText(static_cast<unsigned>(hour), static_cast<unsigned>(minute)) + kSetQuestion;
    if (!tk::ConfirmBox(Handle(), question)) return;
    if (Decided)
        Decided({.Arm = true,
                 .Hour = static_cast<std::uint16_t>(hour),
                 .Minute = static_cast<std::uint16_t>(minute),
                 .Name = NameField.Text(),
                 .Task = ErrandField.Text(),
                 .Beep = BeepCheckBox.Checked()});
    ArmedIndicator.SetText(kArmed);
}

void CallLetterDialog::OnCancelCallClicked() {
    if (!tk::ConfirmBox(Handle(), kCancelQuestion)) return;
    if (Decided) Decided(CallDecision{});  // cancel
    HourField.SetValue(0);
    MinuteField.SetValue(0);
    ErrandField.SetText(L"");
    ArmedIndicator.SetText(L"");
}

}  // namespace pelnor
