// The call notice: a stay-on-top box that names the user and the errand.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/Controls.h"
#include "toolkit/Dialog.h"

namespace pelnor {

class CallNotice : public tk::Dialog {
  public:
    CallNotice();

    // "<name>さん、", or no name line for an empty name.
    void SetName(std::wstring_view callName);
    // "<errand>時がきました。".
    void SetTask(std::wstring_view callTask);
    // A notice that comes more than a minute late names the armed time in
    // its caption; set before it is shown.
    void SetLateCall(std::uint16_t callHour, std::uint16_t callMin);

    tk::Button OkButton;
    tk::Panel MessagePanel;
    tk::Image MascotPicture;
    tk::Label SignatureShadow;
    tk::Label Signature;
    tk::Label NameShadow;
    tk::Label ErrandShadow;
    tk::Label NameLine;
    tk::Label ErrandLine;

    // How the notice asks for attention; tests record it.
    static inline BOOL(WINAPI* Flash)(PFLASHWINFO) = ::FlashWindowEx;

  protected:
    void CreateControls() override;
    void FormShow() override;

  private:
    std::wstring lateCaption_;
};

}  // namespace pelnor
