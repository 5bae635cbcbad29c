// The About box: product name, version and a short description.
#pragma once

#include <windows.h>

#include "toolkit/Controls.h"
#include "toolkit/Dialog.h"

namespace pelnor {

class AboutBox : public tk::TDialog {
  public:
    AboutBox();

    tk::TPanel InfoPanel;
    tk::TImage ProgramIcon;
    tk::TLabel ProductName;
    tk::TLabel Version;
    tk::TLabel Comments;
    tk::TLabel Copyright;
    tk::TLabel WebPageLabel;
    tk::TButton OkButton;
    tk::TEdit WebAddressField;

  protected:
    void CreateControls() override;
};

}  // namespace pelnor
