#include "toolkit/InputMethod.h"

#include "winbase/SystemLibrary.h"

namespace tk {
namespace {

constinit SystemLibrary library(L"imm32.dll");

}  // namespace

InputContext::InputContext(HWND hwnd) noexcept : hwnd_(hwnd), context_(nullptr) {
    if (const auto get = library.Find<decltype(::ImmGetContext)>("ImmGetContext"))
        context_ = get(hwnd);
}

InputContext::~InputContext() {
    if (!context_) return;
    if (const auto release = library.Find<decltype(::ImmReleaseContext)>("ImmReleaseContext"))
        release(hwnd_, context_);
}

void InputContext::StartHiragana() const noexcept {
    const auto open = library.Find<decltype(::ImmSetOpenStatus)>("ImmSetOpenStatus");
    const auto getStatus =
        library.Find<decltype(::ImmGetConversionStatus)>("ImmGetConversionStatus");
    const auto setStatus =
        library.Find<decltype(::ImmSetConversionStatus)>("ImmSetConversionStatus");
    if (!context_ || !open || !getStatus || !setStatus) return;
    open(context_, TRUE);
    DWORD conversion = 0;
    DWORD sentence = 0;
    getStatus(context_, &conversion, &sentence);
    // Hiragana, typed the way the user types it: romaji stays romaji.
    setStatus(context_, (conversion & IME_CMODE_ROMAN) | IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE,
              sentence);
}

std::wstring InputContext::Result() const {
    const auto composition =
        library.Find<decltype(::ImmGetCompositionStringW)>("ImmGetCompositionStringW");
    if (!context_ || !composition) return {};
    const LONG bytes = composition(context_, GCS_RESULTSTR, nullptr, 0);
    if (bytes <= 0) return {};
    std::wstring result(static_cast<std::size_t>(bytes) / sizeof(wchar_t), L'\0');
    composition(context_, GCS_RESULTSTR, result.data(), static_cast<DWORD>(bytes));
    return result;
}

}  // namespace tk
