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

class CallLetterDialog : public tk::Dialog {
  public:
    static constexpr UINT_PTR kClockTimerId = 1;
    static constexpr UINT kClockIntervalMs = 2000;

    // Shows `call`, the state of the call its owner keeps; `clock` gives the
    // local time of day; the pop-up help of its controls comes from `helpFile`.
    CallLetterDialog(const CallState& call, std::function<ClockTime()> clock,
                     std::wstring helpFile = {});

    // What the user decided (set, after a Yes, or cancel the call), for the
    // owner of the call to apply; the dialog shows the call as it is after.
    std::function<void(const CallDecision&)> Decided;

    tk::StaticText ClockDisplay;
    tk::Button HalfHourButton;
    tk::Button OneHourButton;
    tk::Button HourAndHalfButton;
    tk::Button TwoHoursButton;
    tk::SpinEdit HourField;
    tk::SpinEdit MinuteField;
    tk::Edit NameField;
    tk::Edit ErrandField;
    tk::Button SetButton;
    tk::Button CancelCallButton;
    tk::Button CloseButton;
    tk::StaticText ArmedIndicator;
    tk::CheckBox BeepCheckBox;
    tk::Label CallTimeLabel;
    tk::Label HourLabel;
    tk::Label MinuteLabel;
    tk::Label HourRangeLabel;
    tk::Label MinuteRangeLabel;
    tk::Label OnceOnlyLabel;
    tk::Label NameLabel;
    tk::Label ErrandLabel;
    tk::Label WrapWarningLabel;

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
    const CallState& call_;
    std::function<ClockTime()> clock_;
    std::wstring helpFile_;
    tk::Timer clockTimer_;
};

}  // namespace pelnor
