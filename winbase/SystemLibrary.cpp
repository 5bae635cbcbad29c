#include "winbase/SystemLibrary.h"

namespace tk {
namespace {

HMODULE (*testLoader)(const wchar_t* file) = nullptr;

}  // namespace

bool SystemLibrary::Load() noexcept {
    if (!module_) {
        // From the system folder only: never a file of that name beside the program.
        module_ = testLoader ? testLoader(file_)
                             : LoadLibraryExW(file_, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    return module_ != nullptr;
}

void SetLibraryLoaderForTesting(HMODULE (*load)(const wchar_t* file)) noexcept {
    testLoader = load;
}

}  // namespace tk
