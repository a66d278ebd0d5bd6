// The receiver of a subclassed window's messages (see CEasySubclass_v1).
#pragma once

#include "platform/wintypes.h"

class ISubclassingSink {
public:
    virtual ~ISubclassingSink() = default;

    // After the previous window procedure, for messages of the after-list.
    // lReturn holds that procedure's result; what the sink leaves in it is the
    // message's result.
    virtual void After(LRESULT& lReturn, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) = 0;

    // Before the previous window procedure, for messages of the before-list.
    // bHandled enters false and lReturn 0. Setting bHandled makes lReturn the
    // result and skips both the previous procedure and After; otherwise the
    // previous procedure gets the message as the sink leaves it.
    virtual void Before(bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam,
                        LPARAM& lParam) = 0;
};
