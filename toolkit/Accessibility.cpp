#include "toolkit/Accessibility.h"

#include <objbase.h>
#include <oleacc.h>

#include <new>

#include "toolkit/CommonControls.h"
#include "winbase/Handles.h"
#include "winbase/SystemLibrary.h"

namespace tk {
namespace {

// Written out: the import libraries' copies are missing or wrong.
constexpr GUID kIUnknown{0x00000000, 0x0000, 0x0000, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIDispatch{0x00020400, 0x0000, 0x0000, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIAccessible{
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

constexpr UINT_PTR kSubclassId = 0xA11;

// Loaded when assistive technology first asks: never at start-up.
constinit SystemLibrary accessLibrary(L"oleacc.dll");
constinit SystemLibrary automationLibrary(L"oleaut32.dll");
constinit SystemLibrary comLibrary(L"ole32.dll");

struct Description {
    const wchar_t* name;
    const wchar_t* description;
    long role;
};

BSTR MakeText(const wchar_t* text) noexcept {
    const auto make = automationLibrary.Find<decltype(::SysAllocString)>("SysAllocString");
    return make ? make(text) : nullptr;
}

bool IsSelf(const VARIANT& child) noexcept {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's object for the window with the program's own name,
// description and role on top.
class DescribedObject final : public IAccessible {
  public:
    DescribedObject(IAccessible* system, const Description& text) : system_(system), text_(text) {}
    DescribedObject(const DescribedObject&) = delete;
    DescribedObject& operator=(const DescribedObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(id, kIUnknown) || IsEqualIID(id, kIDispatch) ||
            IsEqualIID(id, kIAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The window it stands for and its children are the system's to tell.
        return system_->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        const HRESULT result = system_->get_accName(child, name);
        if (!IsSelf(child) || !text_.name || (result == S_OK && *name && **name)) return result;
        return Answer(text_.name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (IsSelf(child) && text_.description) return Answer(text_.description, description);
        return system_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || !text_.role) return system_->get_accRole(child, role);
        if (!role) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = text_.role;
        return S_OK;
    }

    // The rest as the system has it.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return system_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return system_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return system_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) override {
        return system_->Invoke(member, id, locale, flags, params, result, exception, badArgument);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return system_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return system_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return system_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return system_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return system_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return system_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return system_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return system_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return system_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return system_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return system_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return system_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return system_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return system_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return system_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return system_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return system_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return system_->put_accValue(child, value);
    }

  private:
    static HRESULT Answer(const wchar_t* text, BSTR* out) {
        if (!out) return E_INVALIDARG;
        const auto free = automationLibrary.Find<decltype(::SysFreeString)>("SysFreeString");
        if (*out && free) free(*out);
        *out = MakeText(text);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    ComPtr<IAccessible> system_;
    Description text_;
    LONG references_ = 1;
};

LRESULT AnswerObjectRequest(HWND hwnd, WPARAM wParam, const Description& text) noexcept {
    const auto standard =
        accessLibrary.Find<decltype(::CreateStdAccessibleObject)>("CreateStdAccessibleObject");
    const auto answer = accessLibrary.Find<decltype(::LresultFromObject)>("LresultFromObject");
    if (!standard || !answer) return 0;
    // The object is handed over through COM.
    static bool comOpened = false;
    if (!comOpened) {
        const auto init = comLibrary.Find<decltype(::CoInitializeEx)>("CoInitializeEx");
        comOpened =
            init && SUCCEEDED(init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    void* rawSystem = nullptr;
    if (FAILED(standard(hwnd, OBJID_CLIENT, kIAccessible, &rawSystem)) || !rawSystem) return 0;
    ComPtr<IAccessible> system(static_cast<IAccessible*>(rawSystem));
    const ComPtr<DescribedObject> object(new (std::nothrow) DescribedObject(system.get(), text));
    if (!object) return 0;
    system.release();  // the described object holds it now
    return answer(kIAccessible, wParam, object.get());
}

LRESULT CALLBACK DescribedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data) noexcept {
    auto* text = reinterpret_cast<Description*>(data);
    if (msg == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (const LRESULT answer = AnswerObjectRequest(hwnd, wParam, *text)) return answer;
    } else if (msg == WM_NCDESTROY) {
        RemoveSubclass(hwnd, DescribedProc, id);
        delete text;
    }
    return DefaultSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

bool HighContrastOn() noexcept {
    if (HighContrastForTesting) return *HighContrastForTesting;
    HIGHCONTRASTW settings{};
    settings.cbSize = sizeof settings;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof settings, &settings, 0) &&
           (settings.dwFlags & HCF_HIGHCONTRASTON);
}

COLORREF InkColour(COLORREF designed, Ink ink) noexcept {
    const bool text = ink == Ink::Text;
    if (HighContrastOn()) return GetSysColor(text ? COLOR_BTNTEXT : COLOR_BTNFACE);
    if (designed != CLR_INVALID) return designed;
    return GetSysColor(text ? COLOR_WINDOWTEXT : COLOR_BTNFACE);
}

void DescribeForAssistiveTechnology(HWND hwnd, const wchar_t* name, const wchar_t* description,
                                    long role) noexcept {
    if (!hwnd) return;
    auto* text = new (std::nothrow) Description{name, description, role};
    if (text && !SetSubclass(hwnd, DescribedProc, kSubclassId, reinterpret_cast<DWORD_PTR>(text)))
        delete text;
}

}  // namespace tk
