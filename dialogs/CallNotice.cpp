#include "dialogs/CallNotice.h"

#include "assets/resource.h"
#include "core/CallCheck.h"

namespace pelnor {
namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kPanelColour = RGB(255, 182, 182);

// Each navy text lies on a white copy of itself shifted down (and right for
// the name and errand): navy writing with a white shadow.
constexpr struct {
    tk::DialogLayout form{.caption = L"モフレン",
                          .clientWidth = 313,
                          .clientHeight = 183,
                          .font = {.face = L"ＭＳ Ｐゴシック", .height = 16, .bold = true},
                          .stayOnTop = true};
    tk::ControlLayout OKBtn{
        .text = L"OK", .left = 115, .top = 149, .width = 75, .height = 25, .modalResult = IDOK};
    tk::ControlLayout Panel1{
        .left = 10, .top = 6, .width = 295, .height = 133, .background = kPanelColour};
    tk::ControlLayout Image1{
        .left = 216, .top = 61, .width = 74, .height = 55, .bitmap = IDB_NOTICE};
    tk::ControlLayout Label2{.text = L"－モフレン－", .left = 155, .top = 107, .color = kWhite};
    tk::ControlLayout Label1{.text = L"－モフレン－", .left = 155, .top = 105, .color = kNavy};
    tk::ControlLayout MyName{.text = L"さん、", .left = 21, .top = 18, .color = kWhite};
    tk::ControlLayout MyTask{.text = L"時がきました。",
                             .left = 22,
                             .top = 46,
                             .width = 251,
                             .height = 46,
                             .color = kWhite,
                             .wordWrap = true};
    tk::ControlLayout MyName2{.text = L"さん、", .left = 20, .top = 17, .color = kNavy};
    tk::ControlLayout MyTask2{.text = L"時がきました。",
                              .left = 21,
                              .top = 45,
                              .width = 251,
                              .height = 46,
                              .color = kNavy,
                              .wordWrap = true};
} kLayout{};

}  // namespace

CallNotice::CallNotice()
    : TDialog(kLayout.form),
      OKBtn(kLayout.OKBtn),
      Panel1(kLayout.Panel1),
      Image1(kLayout.Image1),
      Label2(kLayout.Label2),
      Label1(kLayout.Label1),
      MyName(kLayout.MyName),
      MyTask(kLayout.MyTask),
      MyName2(kLayout.MyName2),
      MyTask2(kLayout.MyTask2) {}

void CallNotice::SetName(std::wstring_view callName) {
    const std::wstring line = NoticeNameLine(callName);
    MyName.SetText(line);
    MyName2.SetText(line);
}

void CallNotice::SetTask(std::wstring_view callTask) {
    const std::wstring line = NoticeTaskLine(callTask);
    MyTask.SetText(line);
    MyTask2.SetText(line);
}

void CallNotice::CreateControls() {
    Panel1.Create(*this);
    // The picture first: the banner and texts are drawn over it.
    Image1.Create(*this, &Panel1);
    Label2.Create(*this, &Panel1);
    Label1.Create(*this, &Panel1);
    MyName.Create(*this, &Panel1);
    MyTask.Create(*this, &Panel1);
    MyName2.Create(*this, &Panel1);
    MyTask2.Create(*this, &Panel1);
    OKBtn.Create(*this);
    SetDefaultButton(OKBtn);
}

}  // namespace pelnor
