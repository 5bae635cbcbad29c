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
    static constexpr UINT_PTR kClockTimerId = 1;
    static constexpr UINT kClockIntervalMs = 2000;

    // Reads and writes `call`; `clock` gives the local time of day; the pop-up
    // help of its controls comes from `helpFile`.
    CallLetterDialog(CallState& call, std::function<ClockTime()> clock, std::wstring helpFile = {});

    tk::TStaticText ClockDisplay;
    tk::TButton HalfHourButton;
    tk::TButton OneHourButton;
    tk::TButton HourAndHalfButton;
    tk::TButton TwoHoursButton;
    tk::TSpinEdit HourField;
    tk::TSpinEdit MinuteField;
    tk::TEdit NameField;
    tk::TEdit ErrandField;
    tk::TButton SetButton;
    tk::TButton CancelCallButton;
    tk::TButton CloseButton;
    tk::TStaticText ArmedIndicator;
    tk::TCheckBox BeepCheckBox;
    tk::TLabel CallTimeLabel;
    tk::TLabel HourLabel;
    tk::TLabel MinuteLabel;
    tk::TLabel HourRangeLabel;
    tk::TLabel MinuteRangeLabel;
    tk::TLabel OnceOnlyLabel;
    tk::TLabel NameLabel;
    tk::TLabel ErrandLabel;
    tk::TLabel WrapWarningLabel;

    // Every two seconds while shown: the clock, and the indicator of a call
    // that fired meanwhile.
    void OnTick();
    void OnSetClicked();
    void OnCancelCallClicked();
    // Fills the time fields with now plus the given time; arms nothing.
    void FillTimeAhead(std::uint16_t hours, std::uint16_t minutes);

    bool ClockRunning() const noexcept { return clockTimer_.Enabled(); }

  protected:
    void CreateControls() override;
    void FormCreate() override;
    void FormHide() override;

  private:
    CallState& call_;
    std::function<ClockTime()> clock_;
    std::wstring helpFile_;
    tk::TTimer clockTimer_;
};

}  // namespace pelnor
