// The names kept for the handover, as a person may have edited them: refused with a reason
// and nobody named, or read as names that write and read back to themselves.
#include "HandoverFile.h"

#include <QJsonDocument>
#include <QJsonObject>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Report::People people{QStringLiteral("x"), {}, {}, {}, {}, {}, {}};
    const modOVMXConfig::FileResult read = HandoverFile::parse(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)), people);
    if (!read.ok) {
        if (read.error.isEmpty() || people != Report::People())
            qFatal("names refused without a reason, or some of them kept");
        return 0;
    }
    QJsonObject json;
    for (const auto &[name, member] : HandoverFile::fields())
        json.insert(QLatin1String(name), people.*member);
    Report::People back;
    if (!HandoverFile::parse(QJsonDocument(json).toJson(), back).ok || back != people)
        qFatal("names read did not write back as themselves");
    return 0;
}
