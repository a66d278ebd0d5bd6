// The one WebKit context of the program: web-process sandbox on, and the
// browser control's own storage (cookies, local storage, HTTP cache) kept
// under the user's data and cache folders so that a login survives a restart.
// TLS errors always fail the load.
#pragma once

#include <webkit2/webkit2.h>

#include <string>

namespace gtkui {

WebKitWebContext* WebEngineContext();
// The folders the web engine keeps its data in.
std::string WebEngineDataDir();
std::string WebEngineCacheDir();

}  // namespace gtkui
