// JSON import: whatever the bytes, an import either refuses them with a reason or gives an
// image within every coding that exports and imports back to itself.
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ConfigJson::ImportResult first = ConfigJson::fromJson(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    modOVMXConfig doc;
    doc.setImage(first.image);
    if (!first.ok && first.error.isEmpty())
        qFatal("an import refused without a reason");
    if (first.ok && (!withinCodings(doc) || !ConfigJson::unrepresentedWords(doc).isEmpty() ||
                     !importsBack(doc)))
        qFatal("an import accepted a value no window can store, or refused its own export");
    return 0;
}
