#pragma once

#include <QFile>
#include <QTest>

#include <algorithm>

// Whole outputs are compared with reviewed files. ORVANDEL_UPDATE_EXPECTED=1 writes the output
// over the file instead: review every changed line against what it must say before committing.
namespace ExpectedText
{

// Fails the running test at the first line where `actual` and the file differ, showing both.
inline void compare(const QString &path, const QByteArray &actual)
{
    QFile file(path);
    if (qEnvironmentVariableIsSet("ORVANDEL_UPDATE_EXPECTED") && file.open(QIODevice::WriteOnly)) {
        file.write(actual);
        file.close(); // and read back below
    }
    const QList<QByteArray> expected =
        file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>();
    const QList<QByteArray> got = actual.split('\n');
    for (qsizetype n = 0; n < std::max(expected.size(), got.size()); ++n)
        QVERIFY2(n < expected.size() && n < got.size() && expected[n] == got[n],
                 qPrintable(QStringLiteral("%1:%2\n  expected: %3\n  actual:   %4")
                                .arg(path)
                                .arg(n + 1)
                                .arg(QString::fromUtf8(expected.value(n, "(no line)")),
                                     QString::fromUtf8(got.value(n, "(no line)")))));
}

} // namespace ExpectedText
