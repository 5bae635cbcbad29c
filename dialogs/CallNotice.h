// The call notice: a stay-on-top box that names the user and the errand.
#pragma once

#include <windows.h>

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

    tk::TButton OKBtn;
    tk::TPanel Panel1;
    tk::TImage Image1;
    tk::TLabel Label2;
    tk::TLabel Label1;
    tk::TLabel MyName;
    tk::TLabel MyTask;
    tk::TLabel MyName2;
    tk::TLabel MyTask2;

  protected:
    void CreateControls() override;
};

}  // namespace pelnor
