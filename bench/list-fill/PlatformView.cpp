// The bench's shell browser: just enough of one for the platform's view to show a folder.
#include "PlatformView.h"

#include "identifiers/ComObject.h"
#include "identifiers/ComPtr.h"

#include <commctrl.h>

#include <chrono>

namespace {

class TBenchBrowser final : public TComObject<IShellBrowser> {
public:
    explicit TBenchBrowser(HWND Host) : m_Host(Host) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IShellBrowser) {
            *ppv = static_cast<IShellBrowser*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // IOleWindow.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override {
        *phwnd = m_Host;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IShellBrowser: no menus, tool bars or status bar of our own.
    HRESULT STDMETHODCALLTYPE InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenuSB(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveMenusSB(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusTextSB(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnableModelessSB(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAcceleratorSB(MSG*, WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BrowseObject(PCUIDLIST_RELATIVE, UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetViewStateStream(DWORD, IStream** ppStrm) override {
        *ppStrm = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetControlWindow(UINT, HWND* phwnd) override {
        *phwnd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT* pret) override {
        if (pret)
            *pret = 0;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** ppshv) override {
        *ppshv = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE OnViewWindowActive(IShellView*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override {
        return E_NOTIMPL;
    }

private:
    ~TBenchBrowser() override = default;
    HWND m_Host;
};

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace

double TimePlatformView(HWND Host, IShellFolder* Folder, int Expected, int TimeoutMs, int& Rows) {
    using Clock = std::chrono::steady_clock;
    Rows = 0;
    ComPtr<TBenchBrowser> browser = AdoptComPtr(new TBenchBrowser(Host));
    RECT area{};
    GetClientRect(Host, &area);
    const auto start = Clock::now();
    ComPtr<IShellView> view;
    if (FAILED(Folder->CreateViewObject(Host, IID_PPV_ARGS(&view))) || !view)
        return -1;
    FOLDERSETTINGS settings{FVM_DETAILS, 0};
    HWND window = nullptr;
    if (FAILED(view->CreateViewWindow(nullptr, &settings, browser.Get(), &area, &window)) ||
        !window)
        return -1;
    HWND list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    double elapsed = -1;
    for (;;) {
        Rows = list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (Rows >= Expected) {
            UpdateWindow(window);
            elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        if (ms > TimeoutMs)
            break;
        PumpMessages();
        if (!list)
            list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    }
    view->DestroyViewWindow();
    PumpMessages();
    return elapsed;
}
