#include "winsvc/CEasySubclass_v1.h"

#include <algorithm>

#include "platform/user32.h"

// The stub: a record plus a window procedure of the window layer that carries
// it. The procedure's context holds the record, so the record lives as long as
// the procedure is registered, and a running call keeps both alive until it
// returns. The owning object keeps its own reference while the stub is its, so
// nothing it does after the stub has freed itself can reach freed memory.
struct CEasySubclass_v1::Stub {
    WNDPROC self = 0;  // 0 once the stub has freed itself
    HWND hWnd = 0;     // cleared at WM_NCDESTROY
    WNDPROC prev = 0;
    std::weak_ptr<ISubclassingSink> sink;  // uncounted: the owner decides who keeps it
    std::vector<UINT> before;
    std::vector<UINT> after;

    static LRESULT Dispatch(std::shared_ptr<Stub> stub, HWND hWnd, UINT uMsg, WPARAM wParam,
                            LPARAM lParam);
};

namespace {
bool Listed(const std::vector<UINT>& list, UINT uMsg) {
    return std::find(list.begin(), list.end(), uMsg) != list.end();
}

// Sinks report through status codes the stub ignores; an exception is the
// same thing here and must not unwind through the window layer.
template <class Call>
void CallSink(const std::weak_ptr<ISubclassingSink>& weak, Call call) {
    // The strong reference keeps the sink alive even if the call unsubclasses.
    std::shared_ptr<ISubclassingSink> sink = weak.lock();
    if (!sink) return;
    try {
        call(*sink);
    } catch (...) {
    }
}

bool AddTo(std::vector<UINT>& list, std::span<const UINT> uMsgs) {
    bool allNew = true;
    for (UINT m : uMsgs) {
        if (Listed(list, m))
            allNew = false;
        else
            list.push_back(m);
    }
    return allNew;
}
}  // namespace

LRESULT CEasySubclass_v1::Stub::Dispatch(std::shared_ptr<Stub> stub, HWND hWnd, UINT uMsg,
                                         WPARAM wParam, LPARAM lParam) {
    // The stub frees itself when the window really goes, whatever number a
    // sink may have put in uMsg meanwhile.
    const bool finalMessage = uMsg == WM_NCDESTROY;
    bool handled = false;
    LRESULT result = 0;
    if (Listed(stub->before, uMsg))
        CallSink(stub->sink, [&](ISubclassingSink& s) {
            s.Before(handled, result, hWnd, uMsg, wParam, lParam);
        });
    if (!handled) {
        result = user32::CallWindowProcA(stub->prev, hWnd, uMsg, wParam, lParam);
        if (Listed(stub->after, uMsg))
            CallSink(stub->sink, [&](ISubclassingSink& s) { s.After(result, hWnd, uMsg, wParam, lParam); });
    }
    if (finalMessage && stub->self != 0) {
        stub->hWnd = 0;
        const WNDPROC self = stub->self;
        stub->self = 0;
        user32::FreeWndProc(self);
    }
    // `stub` is our own reference: the record is still valid here even if
    // this was the last procedure holding it.
    return result;
}

CEasySubclass_v1::~CEasySubclass_v1() {
    try {
        UnSubclass();
        // A stub made for the lists but never installed is still ours alone.
        if (m_pStub && m_pStub->self != 0) user32::FreeWndProc(m_pStub->self);
    } catch (...) {
    }
}

WNDPROC CEasySubclass_v1::ThunkAddress() {
    if (!m_pStub) {
        auto stub = std::make_shared<Stub>();
        stub->self = user32::MakeWndProc([stub](HWND h, UINT m, WPARAM w, LPARAM l) {
            return Stub::Dispatch(stub, h, m, w, l);
        });
        m_pStub = std::move(stub);
    }
    return m_pStub->self;
}

void CEasySubclass_v1::RebuildStub() {
    ThunkAddress();
    m_pStub->before = m_before;
    m_pStub->after = m_after;
}

bool CEasySubclass_v1::AddBeforeMsgs(std::span<const UINT> uMsgs) {
    const bool allNew = AddTo(m_before, uMsgs);
    RebuildStub();
    return allNew;
}

bool CEasySubclass_v1::AddAfterMsgs(std::span<const UINT> uMsgs) {
    const bool allNew = AddTo(m_after, uMsgs);
    RebuildStub();
    return allNew;
}

bool CEasySubclass_v1::Subclass(HWND hWnd, const std::shared_ptr<ISubclassingSink>& Sink,
                                bool WeakReference, bool DontFree) {
    if (m_hWnd != 0) return false;
    // A stub installed on nothing would report success for a subclass that
    // never sees a message.
    if (!user32::IsWindow(hWnd)) return false;
    m_bDontFree = DontFree;
    m_hWnd = hWnd;
    m_oSink = WeakReference ? nullptr : Sink;
    const WNDPROC stubProc = ThunkAddress();
    m_pStub->sink = Sink;
    m_pStub->hWnd = hWnd;
    // Replacing the procedure dispatches nothing, so the stub cannot run
    // before it knows its previous procedure.
    m_lpfnPrev = user32::SetWindowLongA(hWnd, GWL_WNDPROC, stubProc);
    m_pStub->prev = m_lpfnPrev;
    RebuildStub();
    return true;
}

bool CEasySubclass_v1::UnSubclass() {
    if (m_hWnd == 0) return false;
    m_oSink.reset();
    const HWND hWnd = m_hWnd;
    if (m_pStub) {
        // From here on the stub only passes messages on, wherever it stays.
        m_pStub->sink.reset();
        m_pStub->before.clear();
        m_pStub->after.clear();
        if (m_pStub->self != 0 && user32::GetWindowLongA(hWnd, GWL_WNDPROC) == m_pStub->self) {
            user32::SetWindowLongA(hWnd, GWL_WNDPROC, m_lpfnPrev);
            if (!m_bDontFree) {
                user32::FreeWndProc(m_pStub->self);
                m_pStub->self = 0;
            }
        }
        if (user32::IsWindow(hWnd)) m_pStub->hWnd = 0;
    }
    m_hWnd = 0;
    // Whatever is left is no longer ours: a stub under another procedure frees
    // itself at WM_NCDESTROY, a stub kept by DontFree stays as a pass-through,
    // and a stub whose window died has freed itself already.
    m_pStub.reset();
    m_lpfnPrev = 0;
    return true;
}

LRESULT CEasySubclass_v1::CallOrigWndProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (m_hWnd == 0) return 0;
    return user32::CallWindowProcA(m_lpfnPrev, m_hWnd, uMsg, wParam, lParam);
}
