// Every screen text derived from the image, against a plain copy of the image's 2048 bytes.
#include "../BenchTable.h"

#include "ConfigTexts.h"

#include <QRandomGenerator>

#include <cstring>

namespace
{
// Every cell holds a text that has to be built: the heaviest refresh the screen can see.
modOVMXConfig busyDocument()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    QRandomGenerator random(7);
    for (int i = 0; i < 24; ++i) {
        for (int r = 0; r < 4; ++r) {
            doc.SetRelayCloseAction(i, r, random.bounded(1, 12));
            doc.SetRelayOpenAction(i, r, random.bounded(1, 10));
            doc.SetRelayHoldStatus(i, r, random.bounded(2));
        }
        for (int j = 0; j < 24; ++j)
            doc.SetInputDisableOpen(i, j, random.bounded(2));
        for (int d = 0; d < 4 && i < 16; ++d)
            doc.SetDimmerControl(i, d, random.bounded(105));
    }
    for (int n = 0; n < 12; ++n)
        doc.SetPilotLight(n / 6, n % 6, random.bounded(10));
    for (int d = 0; d < 4; ++d)
        doc.SetPhotocellTracking(d % 2, d, random.bounded(1, 4));
    return doc;
}
} // namespace

int main()
{
    for (bool fc : {false, true}) {
        modOVMXConfig doc = busyDocument();
        doc.ShowLevelsInFC = fc;
        ConfigTexts::ScreenTexts texts;
        const double derive =
            bestMicros(20, 200, [&] { ConfigTexts::deriveScreenTexts(doc, texts); });
        unsigned char copy[modOVMXConfig::FileSize];
        const double baseline = bestMicros(20, 200, [&] {
            std::memcpy(copy, doc.image().data(), sizeof copy);
            asm volatile("" : : "r"(copy) : "memory");
        });
        printBenchRow(fc ? "every screen text, levels in FC (target < 50 us)"
                         : "every screen text from the image (target < 50 us)",
                      derive, baseline, "us");
    }
    return 0;
}
