// The paint pass of the strip, written once, and what each style changes.
#pragma once

#include "platform/wintypes.h"

class xsMDITabs;

namespace painters {

void DrawTabsStyle01(xsMDITabs& c, HWND hWnd);
void DrawTabsStyle3(xsMDITabs& c, HWND hWnd);
void DrawTabsStyle4(xsMDITabs& c, HWND hWnd);
void DrawTabsStyle2(xsMDITabs& c, HWND hWnd);

}  // namespace painters
