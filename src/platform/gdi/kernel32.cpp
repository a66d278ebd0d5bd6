#include "platform/gdi/kernel32.h"

#include <cstring>

namespace kernel32 {

namespace {
DWORD g_override = 0;
}

BOOL GetVersionExA(OSVERSIONINFOA* info) {
    if (!info || info->dwOSVersionInfoSize != 148) return FALSE;
    info->dwMajorVersion = 6;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 7601;
    info->dwPlatformId = g_override ? g_override : VER_PLATFORM_WIN32_NT;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    return TRUE;
}

void OverridePlatformIdForTesting(DWORD platformId) { g_override = platformId; }

}  // namespace kernel32
