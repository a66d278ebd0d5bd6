// Window procedures as registered callables. A procedure identifier stays valid
// until freed and is never reused; a call keeps the callable alive until it
// returns, so a procedure may free itself while it runs.
#include <unordered_map>

#include "platform/user32.h"

namespace user32 {

namespace {
struct ProcTable {
    std::unordered_map<WNDPROC, std::shared_ptr<const WindowProcFn>> procs;
    WNDPROC next = 0x1000;
};
ProcTable& Table() {
    static ProcTable t;
    return t;
}
}  // namespace

WNDPROC MakeWndProc(WindowProcFn fn) {
    auto& t = Table();
    const WNDPROC id = t.next;
    t.next += 0x10;
    t.procs.emplace(id, std::make_shared<const WindowProcFn>(std::move(fn)));
    return id;
}

void FreeWndProc(WNDPROC proc) { Table().procs.erase(proc); }

LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto& t = Table();
    auto it = t.procs.find(proc);
    if (it == t.procs.end()) return 0;
    std::shared_ptr<const WindowProcFn> keep = it->second;
    return (*keep)(hWnd, uMsg, wParam, lParam);
}

size_t LiveWndProcCount() { return Table().procs.size(); }

}  // namespace user32
