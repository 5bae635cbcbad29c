// System libraries loaded when the program first needs one of their
// functions, not at start-up: a mascot that only drifts never maps them.
// Where a library cannot be loaded its functions are not found, and each
// caller lets its command do nothing.
#pragma once

#include <windows.h>

namespace tk {

class SystemLibrary {
  public:
    explicit constexpr SystemLibrary(const wchar_t* file) noexcept : file_(file) {}
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    // Loads the library unless it is loaded; false if it cannot be. It stays
    // loaded for the life of the process.
    bool Load() noexcept;

    // The function `name`, typed as the system headers declare it (pass
    // decltype(::Name)); nullptr when the library or the function is missing.
    template <typename Function>
    Function* Find(const char* name) noexcept {
        if (!Load()) return nullptr;
        // Through void (*)(): the one function pointer type any other converts from cleanly.
        return reinterpret_cast<Function*>(
            reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
    }

  private:
    const wchar_t* file_;
    HMODULE module_ = nullptr;
};

// Tests make loading fail: `load` stands in for LoadLibraryW; nullptr restores it.
void SetLibraryLoaderForTesting(HMODULE (*load)(const wchar_t* file)) noexcept;

}  // namespace tk
