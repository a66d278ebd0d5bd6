// The window services the system relies on: windows with replaceable window
// procedures, synchronous messages, MDI client windows, capture, cursor,
// focus, repainting and window-less timers. Everything runs on one thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "platform/winconst.h"
#include "platform/wintypes.h"

namespace user32 {

// ---- Window procedures -------------------------------------------------------
using WindowProcFn = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
// Registers a procedure (which may capture its own context) and returns its
// identifier; an identifier is never reused. Calling a freed identifier does
// nothing and returns 0.
WNDPROC MakeWndProc(WindowProcFn fn);
void FreeWndProc(WNDPROC proc);
LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// Narrow text in this layer is UTF-8; otherwise the same as DefWindowProcW.
LRESULT DefWindowProcA(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// The procedure of the built-in "MDIClient" class.
LRESULT DefMDIClientProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// ---- Classes and windows -----------------------------------------------------
struct WNDCLASSA {
    UINT style = 0;
    WNDPROC lpfnWndProc = 0;  // 0: the default window procedure
    const char* lpszClassName = nullptr;
    int backgroundSysColor = -1;  // system color erasing the client area, -1 none
};
// Returns false when the name is empty or already registered.
bool RegisterClassA(const WNDCLASSA& wc);
bool UnregisterClassA(const char* name);

HWND CreateWindowExA(DWORD dwExStyle, const char* className, const char* windowName, DWORD style,
                     int x, int y, int cx, int cy, HWND parent, LONG_PTR createParam = 0);
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);
HWND GetParent(HWND hWnd);
// Direct children, top of the z-order first.
std::vector<HWND> GetChildren(HWND hWnd);
std::vector<HWND> GetTopLevelWindows();
int GetClassNameA(HWND hWnd, char* buffer, int maxCount);
std::string GetClassName(HWND hWnd);
HWND FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
// Every descendant once, depth first, each parent before its children, siblings
// from the top of the z-order down.
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
BOOL EnumChildWindows(HWND parent, const std::function<BOOL(HWND)>& proc);

LONG_PTR GetWindowLongA(HWND hWnd, int index);
LONG_PTR SetWindowLongA(HWND hWnd, int index, LONG_PTR value);

LRESULT SendMessageA(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessage(HWND h, UINT m, WPARAM w, LPARAM l) { return SendMessageA(h, m, w, l); }
// Runs the message from the event loop (after the current handler returns).
BOOL PostMessageA(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

BOOL SetWindowTextW(HWND hWnd, const std::u16string& text);
BOOL SetWindowTextA(HWND hWnd, const std::string& utf8);
std::u16string GetWindowTextW(HWND hWnd);
std::string GetWindowTextA(HWND hWnd);

// ---- Geometry ------------------------------------------------------------------
BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hWnd, int x, int y, int cx, int cy, BOOL repaint);
BOOL GetWindowRect(HWND hWnd, RECT* rect);  // screen coordinates
BOOL GetClientRect(HWND hWnd, RECT* rect);  // (0, 0, width, height) of the client area
// The client rectangle in window coordinates (origin at the window's top-left).
RECT GetClientRectInWindow(HWND hWnd);
BOOL ScreenToClient(HWND hWnd, POINT* pt);
BOOL ClientToScreen(HWND hWnd, POINT* pt);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rect, POINT pt);
HWND WindowFromPoint(POINT screenPt);

BOOL ShowWindow(HWND hWnd, int cmd);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsZoomed(HWND hWnd);

// ---- Repainting ----------------------------------------------------------------
BOOL InvalidateRect(HWND hWnd, const RECT* rect, BOOL erase);
BOOL RedrawWindow(HWND hWnd, const RECT* rect, HRGN region, UINT flags);
BOOL UpdateWindow(HWND hWnd);
// Delivers every pending WM_NCPAINT/WM_ERASEBKGND/WM_PAINT now (the event loop
// does this on its own when idle).
void FlushPaints();
bool IsRedrawEnabled(HWND hWnd);
// The pixels of the whole window, non-client area included.
std::shared_ptr<Surface> GetWindowSurface(HWND hWnd);
// Tells the backend that pixels of the window's surface changed.
void NotifySurfaceChanged(HWND hWnd, const RECT& windowRect);

// ---- Input ---------------------------------------------------------------------
// The one entry point for the pointer: a client mouse message kind
// (WM_MOUSEMOVE, WM_LBUTTONDOWN, ..., WM_LBUTTONDBLCLK) at a screen position.
void DispatchMouseInput(POINT screenPt, UINT mouseMessage, WPARAM keyState = 0);
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL GetCursorPos(POINT* pt);
BOOL SetCursorPos(int x, int y);
// With a display, the backend answers GetCursorPos from the real pointer.
void SetCursorQuery(std::function<bool(POINT*)> query);
HWND SetFocus(HWND hWnd);
HWND GetFocus();

// ---- System colors ---------------------------------------------------------------
COLORREF GetSysColor(int index);
// Changes colors and sends WM_SYSCOLORCHANGE to every window.
BOOL SetSysColors(int count, const int* indexes, const COLORREF* values);
// Puts back the fixed table used without a display.
void ResetSysColors();

// ---- Timers --------------------------------------------------------------------------
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
// With hWnd 0: a window-less timer with a fresh identifier; the procedure runs
// from GLib's main context as proc(0, WM_TIMER, id, tick).
UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hWnd, UINT_PTR id);
DWORD GetTickCount();

// ---- Diagnostics -------------------------------------------------------------------
// Live objects of this layer, for leak tests.
size_t LiveWindowCount();
size_t LiveWndProcCount();
size_t LiveTimerCount();

}  // namespace user32
