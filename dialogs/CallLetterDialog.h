// The call letter dialog: the hour and minute, name, errand and sound of the
// one-shot call, with a running clock and quick buttons.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "core/CallCheck.h"
#include "toolkit/Controls.h"
#include "toolkit/Dialog.h"
#include "toolkit/Timer.h"

namespace pelnor {

class CallLetterDialog : public tk::TDialog {
  public:
    static constexpr UINT_PTR kTimer1 = 1;
    static constexpr UINT kTimer1Interval = 2000;

    // Reads and writes `call`; `clock` gives the local time of day; the pop-up
    // help of its controls comes from `helpFile`.
    CallLetterDialog(CallState& call, std::function<ClockTime()> clock, std::wstring helpFile = {});

    tk::TStaticText DegiClock;
    tk::TButton Btn30min;
    tk::TButton Btn1Hour;
    tk::TButton Btn1half;
    tk::TButton Btn2Hout;
    tk::TSpinEdit SetHour;
    tk::TSpinEdit SetMin;
    tk::TEdit MyName;
    tk::TEdit MyTask;
    tk::TButton BtnSetOk;
    tk::TButton BtnSetNo;
    tk::TButton Button2;
    tk::TStaticText SetFlg;
    tk::TCheckBox BeepCheck;
    tk::TLabel Label5;
    tk::TLabel Label1;
    tk::TLabel Label2;
    tk::TLabel Label3;
    tk::TLabel Label4;
    tk::TLabel Label8;
    tk::TLabel Label6;
    tk::TLabel Label7;
    tk::TLabel Label9;

    void Timer1Timer();
    void Btn30minClick() { TimeUp(0, 30); }
    void Btn1HourClick() { TimeUp(1, 0); }
    void Btn1halfClick() { TimeUp(1, 30); }
    void Btn2HoutClick() { TimeUp(2, 0); }
    void BtnSetOkClick();
    void BtnSetNoClick();
    void TimeUp(std::uint16_t hours, std::uint16_t minutes);

    bool Timer1Enabled() const noexcept { return timer1_.Enabled(); }

  protected:
    void CreateControls() override;
    void FormCreate() override;
    void FormHide() override;

  private:
    CallState& call_;
    std::function<ClockTime()> clock_;
    std::wstring helpFile_;
    tk::TTimer timer1_;
};

}  // namespace pelnor
