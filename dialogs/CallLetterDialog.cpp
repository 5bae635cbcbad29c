#include "dialogs/CallLetterDialog.h"

#include <string>

#include "core/ClockText.h"
#include "help/HelpViewer.h"
#include "toolkit/Application.h"
#include "toolkit/MessageBoxes.h"

namespace pelnor {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr tk::FontStyle kSmall{.height = 15};

constexpr const wchar_t* kArmed = L"設定中";
constexpr const wchar_t* kSetQuestion = L"に呼出メッセージを出すように設定します。";
constexpr const wchar_t* kCancelQuestion = L"設定を解除します。";

// Rows in tab order; the labels after them.
constexpr struct {
    tk::DialogLayout form{.caption = L"呼び出し状",
                          .clientWidth = 365,
                          .clientHeight = 263,
                          .font = {.face = L"ＭＳ Ｐゴシック", .height = 16},
                          .contextHelpBox = true,
                          .hint = L"モフレンタイマー機能設定",
                          .helpContext = 1};
    tk::ControlLayout DegiClock{.text = L"00:00",
                                .left = 10,
                                .top = 6,
                                .width = 50,
                                .height = 20,
                                .font = {.face = L"ＭＳ ゴシック", .height = 16, .bold = true},
                                .color = kLime,
                                .background = kBlack,
                                .hint = L"今の時刻",
                                .helpContext = 2};
    tk::ControlLayout Btn30min{.text = L"30分後",
                               .left = 66,
                               .top = 1,
                               .width = 60,
                               .height = 25,
                               .hint = L"呼出時間を今から30分後にする",
                               .helpContext = 3};
    tk::ControlLayout Btn1Hour{.text = L"1時間後",
                               .left = 127,
                               .top = 1,
                               .width = 70,
                               .height = 25,
                               .hint = L"呼出時間を今から1時間後にする",
                               .helpContext = 4};
    tk::ControlLayout Btn1half{.text = L"1時間半後",
                               .left = 198,
                               .top = 1,
                               .width = 85,
                               .height = 25,
                               .hint = L"呼出時間を今から1時間半後にする",
                               .helpContext = 5};
    tk::ControlLayout Btn2Hout{.text = L"2時間後",
                               .left = 284,
                               .top = 1,
                               .width = 70,
                               .height = 25,
                               .hint = L"呼出時間を今から2時間後にする",
                               .helpContext = 6};
    tk::ControlLayout SetHour{.text = L"0",
                              .left = 112,
                              .top = 49,
                              .width = 46,
                              .height = 26,
                              .hint = L"0時から23時のどれかを選ぶ",
                              .helpContext = 7,
                              .maxLength = 2,
                              .minValue = 0,
                              .maxValue = 23};
    tk::ControlLayout SetMin{.text = L"0",
                             .left = 186,
                             .top = 49,
                             .width = 46,
                             .height = 26,
                             .hint = L"0分から59分のどれかを選ぶ",
                             .helpContext = 8,
                             .maxLength = 2,
                             .minValue = 0,
                             .maxValue = 59};
    tk::ControlLayout MyName{.left = 113,
                             .top = 125,
                             .width = 132,
                             .height = 24,
                             .hint = L"呼出の呼びかけに使います。",
                             .helpContext = 10,
                             .hiragana = true,
                             .maxLength = 20};
    tk::ControlLayout MyTask{.left = 113,
                             .top = 155,
                             .width = 239,
                             .height = 24,
                             .hint = L"呼ぶ用件を書きます",
                             .helpContext = 11,
                             .hiragana = true,
                             .maxLength = 40};
    tk::ControlLayout BtnSetOk{.text = L"設定",
                               .left = 88,
                               .top = 227,
                               .width = 75,
                               .height = 25,
                               .font = kSmall,
                               .hint = L"ここをクリックすると上の内容で呼び出します",
                               .helpContext = 13};
    tk::ControlLayout BtnSetNo{.text = L"解除",
                               .left = 171,
                               .top = 227,
                               .width = 75,
                               .height = 25,
                               .font = kSmall,
                               .hint = L"ここをクリックすると設定内容がキャンセルされます",
                               .helpContext = 14};
    tk::ControlLayout Button2{.text = L"閉じる",
                              .left = 280,
                              .top = 227,
                              .width = 75,
                              .height = 25,
                              .font = kSmall,
                              .hint = L"このウィンドウを閉じます。",
                              .helpContext = 15,
                              .modalResult = IDCANCEL};
    tk::ControlLayout SetFlg{.left = 11,
                             .top = 231,
                             .width = 56,
                             .height = 20,
                             .font = {.height = 16, .bold = true},
                             .color = kRed,
                             .background = kBlack,
                             .hint = L"設定中かどうか知らせます",
                             .helpContext = 12};
    tk::ControlLayout BeepCheck{.text = L"音を出す",
                                .left = 269,
                                .top = 128,
                                .width = 89,
                                .height = 17,
                                .hint = L"呼び出すとき音を出すかどうか",
                                .helpContext = 9,
                                .checked = true};
    tk::ControlLayout Label5{.text = L"呼出時間", .left = 12, .top = 55};
    tk::ControlLayout Label1{.text = L"時", .left = 158, .top = 53};
    tk::ControlLayout Label2{.text = L"分", .left = 234, .top = 53};
    tk::ControlLayout Label3{.text = L"0～23", .left = 112, .top = 78};
    tk::ControlLayout Label4{.text = L"0～59", .left = 186, .top = 79};
    tk::ControlLayout Label8{.text = L"呼び出しは１回だけです。", .left = 111, .top = 98};
    tk::ControlLayout Label6{.text = L"あなたの名前", .left = 13, .top = 129};
    tk::ControlLayout Label7{.text = L"用件", .left = 15, .top = 161};
    tk::ControlLayout Label9{
        .text = L"半角文字を空白なしで続けて書くと最後まで表示されないことがあります。",
        .left = 12,
        .top = 185,
        .width = 346,
        .height = 30,
        .font = kSmall,
        .wordWrap = true};
} kLayout{};

}  // namespace

CallLetterDialog::CallLetterDialog(CallState& call, std::function<ClockTime()> clock,
                                   std::wstring helpFile)
    : TDialog(kLayout.form),
      DegiClock(kLayout.DegiClock),
      Btn30min(kLayout.Btn30min),
      Btn1Hour(kLayout.Btn1Hour),
      Btn1half(kLayout.Btn1half),
      Btn2Hout(kLayout.Btn2Hout),
      SetHour(kLayout.SetHour),
      SetMin(kLayout.SetMin),
      MyName(kLayout.MyName),
      MyTask(kLayout.MyTask),
      BtnSetOk(kLayout.BtnSetOk),
      BtnSetNo(kLayout.BtnSetNo),
      Button2(kLayout.Button2),
      SetFlg(kLayout.SetFlg),
      BeepCheck(kLayout.BeepCheck),
      Label5(kLayout.Label5),
      Label1(kLayout.Label1),
      Label2(kLayout.Label2),
      Label3(kLayout.Label3),
      Label4(kLayout.Label4),
      Label8(kLayout.Label8),
      Label6(kLayout.Label6),
      Label7(kLayout.Label7),
      Label9(kLayout.Label9),
      call_(call),
      clock_(std::move(clock)),
      helpFile_(std::move(helpFile)),
      timer1_(*this, kTimer1, kTimer1Interval, [this] { Timer1Timer(); }) {
    Btn30min.OnClick = [this] { Btn30minClick(); };
    Btn1Hour.OnClick = [this] { Btn1HourClick(); };
    Btn1half.OnClick = [this] { Btn1halfClick(); };
    Btn2Hout.OnClick = [this] { Btn2HoutClick(); };
    BtnSetOk.OnClick = [this] { BtnSetOkClick(); };
    BtnSetNo.OnClick = [this] { BtnSetNoClick(); };
    ContextHelp = [this](DWORD context, POINT point) {
        HelpContextPopup(Handle(), helpFile_, point, context);
    };
}

void CallLetterDialog::CreateControls() {
    DegiClock.Create(*this);
    Btn30min.Create(*this);
    Btn1Hour.Create(*this);
    Btn1half.Create(*this);
    Btn2Hout.Create(*this);
    SetHour.Create(*this);
    SetMin.Create(*this);
    MyName.Create(*this);
    MyTask.Create(*this);
    BtnSetOk.Create(*this);
    SetDefaultButton(BtnSetOk);
    BtnSetNo.Create(*this);
    Button2.Create(*this);
    SetCancelButton(Button2);
    SetFlg.Create(*this);
    BeepCheck.Create(*this);
    for (tk::TLabel* label :
         {&Label5, &Label1, &Label2, &Label3, &Label4, &Label8, &Label6, &Label7, &Label9})
        label->Create(*this);
}

void CallLetterDialog::FormCreate() {
    SetFlg.SetText(call_.CallSet ? kArmed : L"");
    SetHour.SetValue(call_.CallHour);
    SetMin.SetValue(call_.CallMin);
    MyName.SetText(call_.CallName);
    MyTask.SetText(call_.CallTask);
    BeepCheck.SetChecked(call_.CallBeep == 1);
    timer1_.SetEnabled(true);
    const ClockTime now = clock_();
    DegiClock.SetText(ClockText(now.hour, now.minute));
}

void CallLetterDialog::FormHide() {
    timer1_.SetEnabled(false);
}

void CallLetterDialog::Timer1Timer() {
    const ClockTime now = clock_();
    DegiClock.SetText(ClockText(now.hour, now.minute));
    // The call fired (and disarmed itself) while the dialog was open.
    if (!call_.CallSet && SetFlg.Text() == kArmed) SetFlg.SetText(L"");
}

void CallLetterDialog::TimeUp(std::uint16_t hours, std::uint16_t minutes) {
    const ClockTime t = pelnor::TimeUp(clock_(), hours, minutes);
    SetHour.SetValue(t.hour);
    SetMin.SetValue(t.minute);
}

void CallLetterDialog::BtnSetOkClick() {
    // A value typed out of range and confirmed with Enter has not lost the
    // focus yet: bring it into range so the question and the call agree.
    SetHour.ClampNow();
    SetMin.ClampNow();
    const int hour = SetHour.Value();
    const int minute = SetMin.Value();
    const std::wstring question =
        ClockText(static_cast<unsigned>(hour), static_cast<unsigned>(minute)) + kSetQuestion;
    if (!tk::ConfirmBox(Handle(), question)) return;
    call_.CallSet = true;
    call_.CallHour = static_cast<std::uint16_t>(hour);
    call_.CallMin = static_cast<std::uint16_t>(minute);
    call_.CallName = MyName.Text();
    call_.CallTask = MyTask.Text();
    SetFlg.SetText(kArmed);
    call_.CallBeep = BeepCheck.Checked() ? 1 : 0;
}

void CallLetterDialog::BtnSetNoClick() {
    if (!tk::ConfirmBox(Handle(), kCancelQuestion)) return;
    call_.CallSet = false;
    call_.CallHour = 0;
    call_.CallMin = 0;
    call_.CallTask.clear();
    SetHour.SetValue(0);
    SetMin.SetValue(0);
    MyTask.SetText(L"");
    SetFlg.SetText(L"");
}

}  // namespace pelnor
