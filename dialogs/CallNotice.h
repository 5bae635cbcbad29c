// The call notice: a stay-on-top box that names the user and the errand.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/Controls.h"
#include "toolkit/Dialog.h"

namespace pelnor {

class CallNotice : public tk::TDialog {
  public:
    CallNotice();

    // "<name>さん、", or no name line for an empty name.
    void SetName(std::wstring_view callName);
    // "<errand>時がきました。".
    void SetTask(std::wstring_view callTask);
    // A notice that comes more than a minute late names the armed time in
    // its caption; set before it is shown.
    void SetLateCall(std::uint16_t callHour, std::uint16_t callMin);

    tk::TButton OkButton;
    tk::TPanel MessagePanel;
    tk::TImage MascotPicture;
    tk::TLabel SignatureShadow;
    tk::TLabel Signature;
    tk::TLabel NameShadow;
    tk::TLabel ErrandShadow;
    tk::TLabel NameLine;
    tk::TLabel ErrandLine;

  protected:
    void CreateControls() override;

  private:
    std::wstring lateCaption_;
};

}  // namespace pelnor
