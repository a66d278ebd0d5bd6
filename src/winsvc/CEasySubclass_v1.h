// Watches and alters the messages of a window it does not own: its stub
// replaces the window's procedure, calls the sink's Before, the previous
// procedure and the sink's After for the messages the owner asked for, and
// passes every other message straight on.
#pragma once

#include <any>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

#include "platform/wintypes.h"
#include "winsvc/ISubclassingSink.h"

class CEasySubclass_v1 {
public:
    CEasySubclass_v1() = default;
    // Takes the subclass out, as UnSubclass does.
    ~CEasySubclass_v1();
    CEasySubclass_v1(const CEasySubclass_v1&) = delete;
    CEasySubclass_v1& operator=(const CEasySubclass_v1&) = delete;

    // The stub's window procedure, made on first use.
    WNDPROC ThunkAddress();

    const std::any& Tag() const { return m_vTag; }
    void Tag(std::any vValue) { m_vTag = std::move(vValue); }

    // The subclassed window, 0 if none.
    HWND hWnd() const { return m_hWnd; }

    // Each returns true if every number was new; numbers already listed are
    // not stored again. The lists survive UnSubclass.
    bool AddBeforeMsgs(std::span<const UINT> uMsgs);
    bool AddBeforeMsgs(std::initializer_list<UINT> uMsgs) { return AddBeforeMsgs(std::span(uMsgs.begin(), uMsgs.size())); }
    bool AddAfterMsgs(std::span<const UINT> uMsgs);
    bool AddAfterMsgs(std::initializer_list<UINT> uMsgs) { return AddAfterMsgs(std::span(uMsgs.begin(), uMsgs.size())); }

    // False if a window is already subclassed or hWnd is not a window. With
    // WeakReference the sink is only called while someone else keeps it alive;
    // otherwise this object keeps it. DontFree keeps the stub alive when
    // UnSubclass takes it out, as a procedure that only passes messages on.
    bool Subclass(HWND hWnd, const std::shared_ptr<ISubclassingSink>& Sink, bool WeakReference,
                  bool DontFree);
    // False if no window was subclassed. Safe from inside a sink call and
    // after the window has been destroyed.
    bool UnSubclass();
    // The previous procedure's answer, bypassing the stub; 0 when not subclassing.
    LRESULT CallOrigWndProc(UINT uMsg, WPARAM wParam, LPARAM lParam);

    struct Stub;

private:
    void RebuildStub();

    HWND m_hWnd = 0;
    std::vector<UINT> m_before;
    std::vector<UINT> m_after;
    std::shared_ptr<ISubclassingSink> m_oSink;  // the counted reference, if any
    bool m_bDontFree = false;
    std::any m_vTag;
    std::shared_ptr<Stub> m_pStub;  // the stub memory while it is ours
    WNDPROC m_lpfnPrev = 0;
};
