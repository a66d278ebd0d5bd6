// Downloads: what WebKit cannot show is saved where the user chooses, with
// progress and the end reported in the status bar of the page that asked.
#pragma once

#include <functional>
#include <string>

namespace gtkui {

// Asks where to save a download: the suggested name, the Downloads folder
// first. Returns the chosen path, or empty to cancel. Replaceable for tests.
using DownloadChooser = std::function<std::string(const std::string& suggestedName)>;
void SetDownloadChooser(DownloadChooser chooser);

// Connects the program's download handling to the web engine (once).
void InstallDownloadHandling();

// Human-readable size, e.g. "1.5 MB".
std::string FormatSize(unsigned long long bytes);

}  // namespace gtkui
