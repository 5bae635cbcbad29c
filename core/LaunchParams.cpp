#include "core/LaunchParams.h"

#include <vector>

#include "core/Utf16.h"

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

std::wstring ShownCaption(std::wstring_view caption, std::size_t maxChars) {
    std::vector<std::size_t> starts;  // where each character begins
    for (std::size_t i = 0; i < caption.size(); i += DecodeAt(caption, i).units)
        starts.push_back(i);
    if (starts.size() <= maxChars || maxChars == 0) return std::wstring(caption);
    const std::size_t head = maxChars / 2;
    const std::size_t tail = maxChars - 1 - head;
    std::wstring shown(caption.substr(0, starts[head]));
    shown += L'…';
    shown += caption.substr(starts[starts.size() - tail]);
    return shown;
}

}  // namespace pelnor
