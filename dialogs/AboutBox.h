// The About box: product name, version and a short description.
#pragma once

#include <windows.h>

#include "toolkit/Controls.h"
#include "toolkit/Dialog.h"

namespace pelnor {

class AboutBox : public tk::TDialog {
  public:
    AboutBox();

    tk::TPanel Panel1;
    tk::TImage ProgramIcon;
    tk::TLabel ProductName;
    tk::TLabel Version;
    tk::TLabel Comments;
    tk::TLabel Copyright;
    tk::TLabel Label1;
    tk::TButton OKButton;
    tk::TEdit Edit1;

  protected:
    void CreateControls() override;
};

}  // namespace pelnor
