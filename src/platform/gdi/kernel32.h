// The platform version query, which decides between the wide and the narrow
// text functions. This platform is of the NT family: it has both.
#pragma once

#include "platform/wintypes.h"

namespace kernel32 {

constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize = 148;
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    DWORD dwPlatformId = 0;
    char szCSDVersion[128] = {};
};

// Fails when the size field is not 148.
BOOL GetVersionExA(OSVERSIONINFOA* info);

// Makes GetVersionExA report another platform family (0 = the real one), so
// tests can run the narrow text path too.
void OverridePlatformIdForTesting(DWORD platformId);

}  // namespace kernel32
