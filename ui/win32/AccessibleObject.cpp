#include "AccessibleObject.h"

// COM interfaces have no virtual destructor by design; objects delete
// themselves in Release.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

#include <ole2.h>
#include <oleacc.h>

#include <string>

#include "Window.h"
#include "ui/Accessibility.h"

namespace ui::win32 {

namespace {

LONG MapRole(TAccRole role) {
    switch (role) {
        case TAccRole::arTable:
            return ROLE_SYSTEM_TABLE;
        case TAccRole::arRow:
            return ROLE_SYSTEM_ROW;
        case TAccRole::arOutline:
            return ROLE_SYSTEM_OUTLINE;
        case TAccRole::arOutlineItem:
            return ROLE_SYSTEM_OUTLINEITEM;
    }
    return ROLE_SYSTEM_CLIENT;
}

LONG MapState(unsigned state) {
    LONG out = 0;
    if ((state & asSelected) != 0) out |= STATE_SYSTEM_SELECTED;
    if ((state & asExpanded) != 0) out |= STATE_SYSTEM_EXPANDED;
    if ((state & asCollapsed) != 0) out |= STATE_SYSTEM_COLLAPSED;
    return out;
}

BSTR ToBstr(const std::u16string& text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

// The IAccessible object of one of our windows. It holds only the window
// handle and looks the control up on every call, so a tool that keeps the
// object after the control is gone gets an error instead of a dangling pointer.
class TAccessibleObject final : public IAccessible {
public:
    explicit TAccessibleObject(HWND hwnd) : m_hwnd(hwnd) {}

    // --- IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

    // --- IDispatch (no type information: tools use the vtable)
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // --- IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) return E_POINTER;
        *parent = nullptr;
        if (!IsWindow(m_hwnd)) return CO_E_OBJNOTCONNECTED;
        return AccessibleObjectFromWindow(m_hwnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        const IAccessibleSource* source = Source();
        if (source == nullptr) return CO_E_OBJNOTCONNECTED;
        *count = source->AccChildCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
        if (dispatch == nullptr) return E_POINTER;
        *dispatch = nullptr;
        int index = 0;
        const HRESULT hr = Check(child, index);
        if (FAILED(hr)) return hr;
        // Children are simple elements without objects of their own.
        return index < 0 ? E_INVALIDARG : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) return E_POINTER;
        *name = nullptr;
        int index = 0;
        const HRESULT hr = Check(child, index);
        if (FAILED(hr)) return hr;
        const IAccessibleSource* source = Source();
        *name = ToBstr(index < 0 ? source->AccName() : source->AccChild(index).name);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (value == nullptr) return E_POINTER;
        *value = nullptr;
        int index = 0;
        const HRESULT hr = Check(child, index);
        if (FAILED(hr)) return hr;
        if (index < 0) return S_FALSE;
        *value = ToBstr(Source()->AccChild(index).value);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return NoText(text); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (role == nullptr) return E_POINTER;
        VariantInit(role);
        int index = 0;
        const HRESULT hr = Check(child, index);
        if (FAILED(hr)) return hr;
        const IAccessibleSource* source = Source();
        role->vt = VT_I4;
        role->lVal = MapRole(index < 0 ? source->AccRole() : source->AccChild(index).role);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (state == nullptr) return E_POINTER;
        VariantInit(state);
        int index = 0;
        const HRESULT hr = Check(child, index);
        if (FAILED(hr)) return hr;
        state->vt = VT_I4;
        if (index < 0) {
            LONG own = STATE_SYSTEM_FOCUSABLE;
            if (GetFocus() == m_hwnd) own |= STATE_SYSTEM_FOCUSED;
            if (!IsWindowVisible(m_hwnd)) own |= STATE_SYSTEM_INVISIBLE;
            state->lVal = own;
        } else {
            state->lVal = MapState(Source()->AccChild(index).state);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return NoText(text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file != nullptr) *file = nullptr;
        if (topic != nullptr) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override { return NoText(text); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) return E_POINTER;
        VariantInit(focus);
        if (GetFocus() != m_hwnd) return S_FALSE;
        focus->vt = VT_I4;
        focus->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection == nullptr) return E_POINTER;
        VariantInit(selection);
        const IAccessibleSource* source = Source();
        if (source == nullptr) return CO_E_OBJNOTCONNECTED;
        const int count = source->AccChildCount();
        for (int i = 0; i < count; ++i) {
            if ((source->AccChild(i).state & asSelected) != 0) {
                selection->vt = VT_I4;
                selection->lVal = i + 1;
                return S_OK;
            }
        }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* text) override { return NoText(text); }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
        *left = *top = *width = *height = 0;
        int index = 0;
        const HRESULT hr = Check(child, index);
        if (FAILED(hr)) return hr;
        if (index >= 0) return DISP_E_MEMBERNOTFOUND;
        RECT r;
        GetWindowRect(m_hwnd, &r);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (end == nullptr) return E_POINTER;
        VariantInit(end);
        int index = 0;
        const HRESULT hr = Check(start, index);
        if (FAILED(hr)) return hr;
        const int count = Source()->AccChildCount();
        int target = -1;
        switch (direction) {
            case NAVDIR_FIRSTCHILD:
                if (index < 0 && count > 0) target = 0;
                break;
            case NAVDIR_LASTCHILD:
                if (index < 0 && count > 0) target = count - 1;
                break;
            case NAVDIR_NEXT:
            case NAVDIR_DOWN:
                if (index >= 0 && index + 1 < count) target = index + 1;
                break;
            case NAVDIR_PREVIOUS:
            case NAVDIR_UP:
                if (index > 0) target = index - 1;
                break;
            default:
                break;
        }
        if (target < 0) return S_FALSE;
        end->vt = VT_I4;
        end->lVal = target + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (child == nullptr) return E_POINTER;
        VariantInit(child);
        RECT r;
        if (!IsWindow(m_hwnd) || !GetWindowRect(m_hwnd, &r)) return CO_E_OBJNOTCONNECTED;
        const POINT p{x, y};
        if (!PtInRect(&r, p)) return S_FALSE;
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    const IAccessibleSource* Source() const {
        if (!IsWindow(m_hwnd)) return nullptr;
        TWindow* window = TWindow::FromHwnd(m_hwnd);
        return window != nullptr ? window->Control().Accessible() : nullptr;
    }
    // Reads a child id: index -1 for the control itself, else the 0-based child.
    HRESULT Check(const VARIANT& child, int& index) const {
        const IAccessibleSource* source = Source();
        if (source == nullptr) return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4) return E_INVALIDARG;
        if (child.lVal == CHILDID_SELF) {
            index = -1;
            return S_OK;
        }
        if (child.lVal < 1 || child.lVal > source->AccChildCount()) return E_INVALIDARG;
        index = static_cast<int>(child.lVal) - 1;
        return S_OK;
    }
    static HRESULT NoText(BSTR* text) {
        if (text == nullptr) return E_POINTER;
        *text = nullptr;
        return S_FALSE;
    }

    HWND m_hwnd;
    LONG m_refs = 1;
};

}  // namespace

LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return 0;
    TWindow* window = TWindow::FromHwnd(hwnd);
    if (window == nullptr || window->Control().Accessible() == nullptr) return 0;
    // Handing the object out marshals it, which needs COM on this thread; the
    // window's thread is an apartment thread from the first request on.
    static thread_local bool comReady = false;
    if (!comReady) {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        comReady = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
    }
    auto* object = new TAccessibleObject(hwnd);
    const LRESULT result = LresultFromObject(IID_IAccessible, wParam, object);
    object->Release();  // LresultFromObject holds its own reference
    return result;
}

}  // namespace ui::win32
