// Where the display's DPI is read from.
#include <gtest/gtest.h>
#include "core/display_scale.h"
#include "core/state.h"
#include "fake_platform.h"
#include "unit/overlay_fixture.h"

TEST(DisplayScale, TheDpiComesFromTheWindowThenTheSystemThenTheScreen)
{
    struct Case {
        UINT windowDpi, systemDpi;  // 0: user32 lacks the query
        bool withWindow;
        UINT expected;
    } cases[] = {
        {144, 120, true, 144},
        {144, 120, false, 120},  // no window yet: the system's
        {0, 120, true, 120},     // before Windows 10 1607's per-window query
        {0, 0, true, 96},        // the screen's own, 96 on the test display
    };
    ResetForTest();
    ASSERT_NE(nullptr, StartTestOverlay());
    for (const Case &c : cases) {
        g_fake.windowDpi = c.windowDpi;
        g_fake.systemDpi = c.systemDpi;
        EXPECT_EQ(c.expected, ReadDisplayDpi(c.withWindow ? g_app.overlay : NULL))
            << c.windowDpi << " " << c.systemDpi << " " << c.withWindow;
    }
    EndTestOverlay();
}
