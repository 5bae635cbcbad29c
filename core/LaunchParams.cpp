#include "core/LaunchParams.h"

namespace pelnor {

std::wstring ExplorerRootParameters() {
    return L"\"\\\",/e";
}

std::wstring ExplorerFolderParameters(std::wstring_view folder) {
    std::wstring params = L"\"";
    params += folder;
    params += L"\",/n";
    return params;
}

std::wstring ShortcutFileFor(std::wstring_view caption) {
    std::wstring file(caption);
    file += L".lnk";
    return file;
}

std::wstring CaptionForShortcut(std::wstring_view fileName) {
    return std::wstring(fileName.substr(0, fileName.size() >= 4 ? fileName.size() - 4 : 0));
}

}  // namespace pelnor
