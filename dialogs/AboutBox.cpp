#include "dialogs/AboutBox.h"

#include "PelnorVersion.h"
#include "assets/resource.h"
#include "toolkit/Font.h"

namespace pelnor {
namespace {

constexpr struct {
    tk::DialogLayout form{.caption = L"バージョン情報",
                          .clientWidth = 293,
                          .clientHeight = 157,
                          .font = {.face = tk::kTextFace, .height = 12}};
    tk::ControlLayout InfoPanel{
        .left = 6, .top = 5, .width = 279, .height = 96, .background = RGB(255, 175, 175)};
    tk::ControlLayout ProgramIcon{
        .left = 23, .top = 21, .width = 38, .height = 38, .icon = IDI_PELNOR};
    tk::ControlLayout ProductName{.text = L"モフレン",
                                  .left = 88,
                                  .top = 10,
                                  .font = {.face = tk::kFixedFace, .height = 16, .bold = true}};
    tk::ControlLayout Version{.text = L"Ver." PELNOR_PRODUCT_VERSION,
                              .left = 210,
                              .top = 10,
                              .font = {.face = tk::kFixedFace, .height = 15}};
    tk::ControlLayout Comments{.text = L"デスクトップマスコット",
                               .left = 89,
                               .top = 55,
                               .width = 110,
                               .height = 12,
                               .wordWrap = true};
    tk::ControlLayout Copyright{
        .text = L"Copyright (C) 2026 Pelnor developers", .left = 10, .top = 79};
    tk::ControlLayout WebPageLabel{.text = L"Webページ",
                                   .left = 6,
                                   .top = 108,
                                   .width = 66,
                                   .height = 12,
                                   .font = {.face = tk::kFixedFace, .height = 12, .bold = true}};
    tk::ControlLayout OkButton{
        .text = L"OK", .left = 102, .top = 128, .width = 75, .height = 25, .modalResult = IDOK};
    tk::ControlLayout WebAddressField{.text = L"https://pelnor.example/",
                                      .left = 78,
                                      .top = 108,
                                      .width = 206,
                                      .height = 17,
                                      .border = false,
                                      .readOnly = true};
} kLayout{};

}  // namespace

AboutBox::AboutBox()
    : Dialog(kLayout.form),
      InfoPanel(kLayout.InfoPanel),
      ProgramIcon(kLayout.ProgramIcon),
      ProductName(kLayout.ProductName),
      Version(kLayout.Version),
      Comments(kLayout.Comments),
      Copyright(kLayout.Copyright),
      WebPageLabel(kLayout.WebPageLabel),
      OkButton(kLayout.OkButton),
      WebAddressField(kLayout.WebAddressField) {}

void AboutBox::CreateControls() {
    InfoPanel.Create(*this);
    ProgramIcon.Create(*this, &InfoPanel);
    ProductName.Create(*this, &InfoPanel);
    Version.Create(*this, &InfoPanel);
    Comments.Create(*this, &InfoPanel);
    Copyright.Create(*this, &InfoPanel);
    // Tab order: the OK button (which has the focus on opening), then the
    // address, named by the label just before it.
    OkButton.Create(*this);
    SetDefaultButton(OkButton);
    WebPageLabel.Create(*this);
    WebAddressField.Create(*this);
}

}  // namespace pelnor
