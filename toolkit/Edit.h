// A one-line edit field whose length is limited in code page 932 bytes,
// whether the text comes from the keyboard, any paste, the input method
// (which can start in hiragana) or the program: a longer text is cut at the
// last whole character that fits.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "toolkit/Control.h"
#include "toolkit/Window.h"

namespace tk {

// The first line of the clipboard's text: what a one-line field pastes.
std::wstring ClipboardFirstLine(HWND owner);

class Edit : public Control, private SubclassedControl<Edit> {
  public:
    using Control::Control;

    // The longest start of `insert` that fits in place of the selection.
    std::wstring Fitting(std::wstring_view insert) const;

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;

  private:
    friend class SubclassedControl<Edit>;
    LRESULT SubclassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Paste(HWND hwnd);
    LRESULT ImeComposition(HWND hwnd, WPARAM wParam, LPARAM lParam);
    bool InsertFitting(HWND hwnd, std::wstring_view insert);
    void CutToLimit(HWND hwnd);
    bool Limited() const;
    void StartHiragana(HWND hwnd) const;
};

}  // namespace tk
