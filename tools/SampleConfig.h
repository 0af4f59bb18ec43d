#pragma once

#include "modOVMXConfig.h"

// A configuration that exercises the widest texts of every part of the main screen: used by
// tests, benchmarks and the screenshot script.
inline void fillSampleConfig(modOVMXConfig &doc)
{
    doc.NewConfiguration();
    static constexpr int actions[][3] = {{5, 8, 1}, {1, 1, 1}, {2, 1, 0}, {0, 0, 1}, {10, 9, 1},
                                         {3, 7, 0}, {0, 1, 0}, {1, 0, 1}, {9, 2, 1}, {6, 6, 0}};
    for (int i = 0; i < 24; ++i)
        for (int r = 0; r < 4; ++r) {
            const auto &a = actions[(i + 3 * r) % 10];
            doc.SetRelayCloseAction(i, r, a[0]);
            doc.SetRelayOpenAction(i, r, a[1]);
            doc.SetRelayHoldStatus(i, r, a[2] != 0);
        }
    for (int i = 0; i < 24; ++i)
        for (int j = 0; j < 24; ++j)
            if (i != j && (i + 2 * j) % 5 == 0) {
                if (i % 2 == 0)
                    doc.SetInputDisableClosed(i, j, true);
                else
                    doc.SetInputDisableOpen(i, j, true);
            }
    static constexpr int dimmer[] = {104, 2, 3, 1, 4, 59, 0, 100};
    for (int i = 0; i < 16; ++i)
        for (int d = 0; d < 4; ++d)
            doc.SetDimmerControl(i, d, dimmer[(i + d) % 8]);
    doc.SetPhotocellTracking(0, 0, 1);
    doc.SetPhotocellTracking(1, 1, 3);
    doc.SetPhotocellTracking(0, 2, 2);
    doc.SetPhotocellTracking(1, 3, 3);
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 6; ++k)
            doc.SetPilotLight(s, k, (k + 4 * s + 4) % 10);
    static constexpr int levels[] = {255, 128, 0, 37};
    for (int p = 0; p < 2; ++p)
        for (int l = 0; l < 4; ++l) {
            doc.SetPhotocellOffLevel(p, l, levels[(l + p) % 4]);
            doc.SetPhotocellOnLevel(p, l, levels[(l + p + 1) % 4]);
        }
    doc.SetPhotocellFilter(0, 0);
    doc.SetPhotocellFilter(1, 1);
    doc.SetTimedOffAlert(97);
    doc.SetTimedOffOverride(994);
}
