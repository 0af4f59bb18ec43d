// Writes the sample configuration to the data file named on the command line.
#include "SampleConfig.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_omx FILE\n");
        return 2;
    }
    modOVMXConfig doc;
    fillSampleConfig(doc);
    const auto result = doc.writeFile(QString::fromLocal8Bit(argv[1]));
    if (!result.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(result.error));
        return 1;
    }
    return 0;
}
