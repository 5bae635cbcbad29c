// The About box: product name, version and a short description.
#pragma once

#include <windows.h>

#include "toolkit/Controls.h"
#include "toolkit/Dialog.h"

namespace pelnor {

class AboutBox : public tk::Dialog {
  public:
    AboutBox();

    tk::Panel InfoPanel;
    tk::Image ProgramIcon;
    tk::Label ProductName;
    tk::Label Version;
    tk::Label Comments;
    tk::Label Copyright;
    tk::Label WebPageLabel;
    tk::Button OkButton;
    tk::Edit WebAddressField;

  protected:
    void CreateControls() override;
};

}  // namespace pelnor
