// Reading and writing the data file, against plain 2048-byte file reads and writes.
#include "../BenchTable.h"

#include "modOVMXConfig.h"

#include <QFile>
#include <QTemporaryDir>

int main()
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString path = dir.filePath(QStringLiteral("bench.OMX"));
    const QString plainPath = dir.filePath(QStringLiteral("plain.bin"));
    modOVMXConfig doc;
    doc.NewConfiguration();
    const QByteArray bytes = modOVMXConfig::toBytes(doc.image());
    bool ok = true;

    const double write = bestMicros(10, 100, [&] { ok &= doc.writeFile(path).ok; });
    const double plainWrite = bestMicros(10, 100, [&] {
        QFile file(plainPath);
        ok &= file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == 2048;
    });
    printBenchRow("data file write (through a safe rename)", write, plainWrite, "us");

    const double read = bestMicros(10, 100, [&] { ok &= doc.readFile(path).ok; });
    const double plainRead = bestMicros(10, 100, [&] {
        QFile file(plainPath);
        ok &= file.open(QIODevice::ReadOnly) && file.read(2048).size() == 2048;
    });
    printBenchRow("data file read", read, plainRead, "us");
    return ok ? 0 : 1;
}
