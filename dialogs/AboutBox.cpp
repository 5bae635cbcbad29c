#include "dialogs/AboutBox.h"

#include "PelnorVersion.h"
#include "assets/resource.h"
#include "toolkit/Font.h"

namespace pelnor {
namespace {

constexpr tk::DialogLayout kForm{.caption = L"バージョン情報",
                                 .clientWidth = 293,
                                 .clientHeight = 157,
                                 .font = {.face = tk::kTextFace, .height = 12}};

using Row = tk::ControlRow<AboutBox>;

// The panel and what it shows; then the OK button (which has the focus on
// opening) and the address, named by the label just before it.
constexpr Row kRows[] = {
    {&Row::Of<&AboutBox::InfoPanel>,
     {.left = 6, .top = 5, .width = 279, .height = 96, .background = RGB(255, 175, 175)}},
    {&Row::Of<&AboutBox::ProgramIcon>,
     {.left = 23, .top = 21, .width = 38, .height = 38, .icon = IDI_PELNOR},
     &AboutBox::InfoPanel},
    {&Row::Of<&AboutBox::ProductName>,
     {.text = L"モフレン",
      .left = 88,
      .top = 10,
      .font = {.face = tk::kFixedFace, .height = 16, .bold = true}},
     &AboutBox::InfoPanel},
    {&Row::Of<&AboutBox::Version>,
     {.text = L"Ver." PELNOR_PRODUCT_VERSION,
      .left = 210,
      .top = 10,
      .font = {.face = tk::kFixedFace, .height = 15}},
     &AboutBox::InfoPanel},
    {&Row::Of<&AboutBox::Comments>,
     {.text = L"デスクトップマスコット",
      .left = 89,
      .top = 55,
      .width = 110,
      .height = 12,
      .wordWrap = true},
     &AboutBox::InfoPanel},
    {&Row::Of<&AboutBox::Copyright>,
     {.text = L"Copyright (C) 2026 Pelnor developers", .left = 10, .top = 79},
     &AboutBox::InfoPanel},
    {&Row::Of<&AboutBox::OkButton>,
     {.text = L"OK", .left = 102, .top = 128, .width = 75, .height = 25, .modalResult = IDOK}},
    {&Row::Of<&AboutBox::WebPageLabel>,
     {.text = L"Webページ",
      .left = 6,
      .top = 108,
      .width = 66,
      .height = 12,
      .font = {.face = tk::kFixedFace, .height = 12, .bold = true}}},
    {&Row::Of<&AboutBox::WebAddressField>,
     {.text = L"https://pelnor.example/",
      .left = 78,
      .top = 108,
      .width = 206,
      .height = 17,
      .border = false,
      .readOnly = true}},
};

}  // namespace

AboutBox::AboutBox() : Dialog(kForm) {
    tk::LayOut(*this, kRows);
}

void AboutBox::CreateControls() {
    tk::CreateRows(*this, kRows);
    SetDefaultButton(OkButton);
}

}  // namespace pelnor
