// JSON import: whatever the bytes, an import either refuses them with a reason or gives an
// image whose export imports back to the very same image.
#include "ConfigJson.h"
#include "modOVMXConfig.h"

#include <QJsonDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{
[[noreturn]] void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "fuzz_json: %s: %s\n", what, qPrintable(detail));
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ConfigJson::ImportResult first = ConfigJson::fromJson(bytes);
    if (!first.ok) {
        if (first.error.isEmpty())
            fail("refused without a reason", QString());
        return 0;
    }
    modOVMXConfig doc;
    doc.setImage(first.image);
    if (!ConfigJson::unrepresentedWords(doc).isEmpty())
        fail("an accepted import holds words its export cannot carry", QString());
    for (const QJsonDocument::JsonFormat format :
         {QJsonDocument::Compact, QJsonDocument::Indented}) {
        const QByteArray exported = QJsonDocument(ConfigJson::toJson(doc)).toJson(format);
        const ConfigJson::ImportResult second = ConfigJson::fromJson(exported);
        if (!second.ok)
            fail("the export of an accepted import is refused", second.error);
        if (second.image != first.image)
            fail("export then import changed the image", QString());
    }
    return 0;
}
