#include "platform/Shell.h"

#include <objbase.h>
#include <commctrl.h>
#include <commoncontrols.h>

#include "winbase/Handles.h"
#include "winbase/SystemLibrary.h"

namespace pelnor::shell {
namespace {

constinit tk::SystemLibrary shellLibrary(L"shell32.dll");
constinit tk::SystemLibrary comLibrary(L"ole32.dll");

bool comOpened = false;

// The shell may hand work to extensions through COM, so COM comes first.
bool ComReady() noexcept {
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (const auto init = comLibrary.Find<decltype(::CoInitializeEx)>("CoInitializeEx"))
            comOpened = SUCCEEDED(init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    return comLibrary.Load();
}

template <typename Function>
Function* ShellFunction(const char* name) noexcept {
    ComReady();
    return shellLibrary.Find<Function>(name);
}

}  // namespace

bool Execute(SHELLEXECUTEINFOW& info) noexcept {
    const auto execute = ShellFunction<decltype(::ShellExecuteExW)>("ShellExecuteExW");
    if (!execute) {
        info.hInstApp = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
        return false;
    }
    return execute(&info) != FALSE;
}

tk::UniqueIcon SmallFileIcon(const wchar_t* path, DWORD attributes, UINT flags) noexcept {
    const auto fileInfo = ShellFunction<decltype(::SHGetFileInfoW)>("SHGetFileInfoW");
    SHFILEINFOW info{};
    if (fileInfo &&
        fileInfo(path, attributes, &info, sizeof info, flags | SHGFI_ICON | SHGFI_SMALLICON))
        return tk::UniqueIcon(info.hIcon);
    return tk::UniqueIcon();
}

tk::UniqueIcon FileIcon(const wchar_t* path, DWORD attributes, UINT flags, int size) noexcept {
    if (size <= 16) return SmallFileIcon(path, attributes, flags);
    const auto fileInfo = ShellFunction<decltype(::SHGetFileInfoW)>("SHGetFileInfoW");
    const auto imageList = ShellFunction<decltype(::SHGetImageList)>("SHGetImageList");
    SHFILEINFOW info{};
    if (!fileInfo || !imageList ||
        !fileInfo(path, attributes, &info, sizeof info, flags | SHGFI_SYSICONINDEX))
        return SmallFileIcon(path, attributes, flags);
    // IImageList's id, written out rather than taken from libuuid.
    constexpr IID kImageListId = {
        0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};
    // Not the jumbo list: it gives a file without a 256 px icon as a smaller
    // one in the corner of a 256 px square.
    tk::UniqueIcon best;
    for (const int list : {SHIL_LARGE, SHIL_EXTRALARGE}) {
        IImageList* rawImages = nullptr;
        if (FAILED(imageList(list, kImageListId, reinterpret_cast<void**>(&rawImages))) ||
            !rawImages)
            continue;
        const tk::ComPtr<IImageList> images(rawImages);
        int width = 0, height = 0;
        HICON icon = nullptr;
        images->GetIconSize(&width, &height);
        if (SUCCEEDED(images->GetIcon(info.iIcon, ILD_TRANSPARENT, &icon)) && icon)
            best.reset(icon);
        if (best && width >= size) break;
    }
    return best ? std::move(best) : SmallFileIcon(path, attributes, flags);
}

namespace {
decltype(::SHQueryUserNotificationState)* notificationStateForTesting = nullptr;
}  // namespace

// No COM: the state is the shell's own. The function is looked up once, as
// this is asked on the mascot's tick.
bool ReportsFullScreenProgram() noexcept {
    using Query = decltype(::SHQueryUserNotificationState);
    static Query* const shellQuery = shellLibrary.Find<Query>("SHQueryUserNotificationState");
    Query* const query = notificationStateForTesting ? notificationStateForTesting : shellQuery;
    QUERY_USER_NOTIFICATION_STATE state{};
    if (!query || FAILED(query(&state))) return false;
    return state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE ||
           state == QUNS_BUSY;
}

void SetNotificationStateForTesting(decltype(::SHQueryUserNotificationState)* query) noexcept {
    notificationStateForTesting = query;
}

HRESULT CreateInstance(REFCLSID type, REFIID interfaceId, void** object) noexcept {
    *object = nullptr;
    const auto create =
        ComReady() ? comLibrary.Find<decltype(::CoCreateInstance)>("CoCreateInstance") : nullptr;
    if (!create) return E_NOTIMPL;
    return create(type, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object);
}

void FreeTaskMemory(void* memory) noexcept {
    if (!memory) return;
    if (const auto free = comLibrary.Find<decltype(::CoTaskMemFree)>("CoTaskMemFree")) free(memory);
}

void Close() noexcept {
    if (!comOpened) return;
    if (const auto uninit = comLibrary.Find<decltype(::CoUninitialize)>("CoUninitialize")) uninit();
    comOpened = false;
}

}  // namespace pelnor::shell
