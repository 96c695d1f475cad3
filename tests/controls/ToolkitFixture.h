// A registered toolkit and an owner window per test, torn down after it.
#pragma once

#include <gtest/gtest.h>

#include "WindowHarness.h"
#include "controls/Toolkit.h"

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override { Open(96); }
    void TearDown() override { Close(); }

    void Open(int dpi) {
        ASSERT_TRUE(RegisterToolkit(GetModuleHandleA(nullptr), dpi));
        ASSERT_NE(CreateOwnerWindow(S(640), S(440)), nullptr);
    }
    void Close() {
        while (HWND child = GetWindow(TheOwner().window, GW_CHILD)) DestroyWindow(child);
        Pump();
        UnregisterToolkit(GetModuleHandleA(nullptr));
    }
    static int S(int pixels) { return ScaleToToolkitDpi(pixels); }
};
