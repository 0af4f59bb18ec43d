// The walk-test record, as a person may have edited it: whatever the bytes, a read either
// refuses them with a reason, leaving the record as it was, or takes up a record that saves
// and reads back to itself.
#include "SampleConfig.h"
#include "WalkTest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const modOVMXConfig doc = [] {
        modOVMXConfig sample;
        fillSampleConfig(sample);
        return sample;
    }();
    WalkTest test(doc);
    const WalkTest before = test;
    const modOVMXConfig::FileResult read =
        test.read(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (!read.ok) {
        if (read.error.isEmpty() || test.toJson() != before.toJson())
            qFatal("a record refused without a reason, or half taken up");
        return 0;
    }
    WalkTest again(doc);
    if (!again.read(test.toJson()).ok || again.toJson() != test.toJson())
        qFatal("a record taken up did not read back as itself");
    return 0;
}
