#include "modOVMXConfig.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace
{
QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Proves no temporary file is left behind.
QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}
} // namespace

class DataFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void word_isStoredLittleEndianAtTwiceItsIndex_data();
    void word_isStoredLittleEndianAtTwiceItsIndex();
    void handMadeFile_readsFirst2048BytesWordByWord();
    void badFile_isRefusedLeavingDocumentAlone_data();
    void badFile_isRefusedLeavingDocumentAlone();
    void failedWrite_reportsAndKeepsPreviousFile_data();
    void failedWrite_reportsAndKeepsPreviousFile();
    void dataFileCommands_useDataFileName();

private:
    QTemporaryDir m_dir;
};

void DataFileTest::init() { QVERIFY(m_dir.isValid()); }

void DataFileTest::word_isStoredLittleEndianAtTwiceItsIndex_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("first word") << 0 << 0x0102 << 0x02 << 0x01;
    QTest::newRow("largest") << 500 << 0x7FFF << 0xFF << 0x7F;
    QTest::newRow("minus two") << 1023 << -2 << 0xFE << 0xFF;
    QTest::newRow("most negative") << 100 << -32768 << 0x00 << 0x80;
}

void DataFileTest::word_isStoredLittleEndianAtTwiceItsIndex()
{
    QFETCH(int, word);
    QFETCH(int, value);
    QFETCH(int, low);
    QFETCH(int, high);
    modOVMXConfig doc;
    doc.SetWord(word, value);
    const QString path = m_dir.filePath(QStringLiteral("layout.OMX"));
    QVERIFY(doc.writeFile(path).ok);
    const QByteArray bytes = fileBytes(path);
    QCOMPARE(bytes.size(), 2048);
    for (int n = 0; n < bytes.size(); ++n) {
        const int expected = n == 2 * word ? low : n == 2 * word + 1 ? high : 0;
        QCOMPARE(QStringLiteral("byte %1 = %2").arg(n).arg(quint8(bytes[n])),
                 QStringLiteral("byte %1 = %2").arg(n).arg(expected));
    }
}

void DataFileTest::handMadeFile_readsFirst2048BytesWordByWord()
{
    QByteArray bytes(2048 + 100, '\0'); // bytes past the image are ignored
    for (int n = 0; n < bytes.size(); ++n)
        bytes[n] = static_cast<char>(n * 7 + 3);
    const QString path = m_dir.filePath(QStringLiteral("hand.OMX"));
    QVERIFY(putFile(path, bytes));
    modOVMXConfig doc;
    QVERIFY(doc.readFile(path).ok);
    for (int w = 0; w < 1024; ++w) {
        const int expected = int16_t(quint8(bytes[2 * w]) | quint8(bytes[2 * w + 1]) << 8);
        QCOMPARE(doc.GetWord(w), expected);
    }
}

void DataFileTest::badFile_isRefusedLeavingDocumentAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("modified");
    for (const char *kind : {"missing", "directory", "empty", "one byte", "2047 bytes",
                             "under a regular file", "unreadable"})
        for (bool modified : {false, true})
            QTest::addRow("%s, %s", kind, modified ? "modified" : "clean")
                << QString::fromLatin1(kind) << modified;
}

void DataFileTest::badFile_isRefusedLeavingDocumentAlone()
{
    QFETCH(QString, kind);
    QFETCH(bool, modified);
    QString path = m_dir.filePath(QStringLiteral("bad.OMX"));
    if (kind == QStringLiteral("directory")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QStringLiteral("under a regular file")) {
        QVERIFY(putFile(path, QByteArray(2048, 'x')));
        path += QStringLiteral("/inner.OMX");
    } else if (kind == QStringLiteral("unreadable")) {
        if (::geteuid() == 0)
            QSKIP("root reads files whatever their permissions");
        QVERIFY(putFile(path, QByteArray(2048, 'x')));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    } else if (kind != QStringLiteral("missing")) {
        const int size = kind == QStringLiteral("empty")      ? 0
                         : kind == QStringLiteral("one byte") ? 1
                                                              : 2047;
        QVERIFY(putFile(path, QByteArray(size, 'x')));
    }

    modOVMXConfig doc;
    doc.NewConfiguration();
    doc.SetWord(900, 77);
    doc.DataFileName = QStringLiteral("/previous/name.OMX");
    doc.ConfigModified = modified;
    const modOVMXConfig::Image before = doc.image();

    const modOVMXConfig::FileResult result = doc.readFile(path);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(path), qPrintable(result.error));
    QVERIFY(doc.image() == before);
    QCOMPARE(doc.DataFileName, QStringLiteral("/previous/name.OMX"));
    QCOMPARE(doc.ConfigModified, modified);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QDir(path).removeRecursively();
    QFile::remove(path);
}

void DataFileTest::failedWrite_reportsAndKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory in the way") << QStringLiteral("directory");
    QTest::newRow("path under a regular file") << QStringLiteral("under file");
    QTest::newRow("missing directory") << QStringLiteral("missing dir");
    QTest::newRow("read-only directory") << QStringLiteral("read-only");
    QTest::newRow("file size limit reached") << QStringLiteral("full");
}

void DataFileTest::failedWrite_reportsAndKeepsPreviousFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray previous(2048, '\x11');
    QString path = dir.filePath(QStringLiteral("target.OMX"));
    if (kind == QStringLiteral("directory")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QStringLiteral("under file")) {
        QVERIFY(putFile(path, previous));
        path += QStringLiteral("/inner.OMX");
    } else if (kind == QStringLiteral("missing dir")) {
        path = dir.filePath(QStringLiteral("none/target.OMX"));
    } else {
        QVERIFY(putFile(path, previous));
    }
    const QStringList before = entries(dir.path());

    modOVMXConfig doc;
    doc.NewConfiguration();
    modOVMXConfig::FileResult result;
    if (kind == QStringLiteral("read-only")) {
        if (::geteuid() == 0)
            QSKIP("root writes into read-only directories");
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        result = doc.writeFile(path);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
    } else if (kind == QStringLiteral("full")) {
        // A file size limit makes the write fail as a full disk does, whoever runs the test.
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = 1000;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
        result = doc.writeFile(path);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
    } else {
        result = doc.writeFile(path);
    }

    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(path), qPrintable(result.error));
    QCOMPARE(entries(dir.path()), before);
    if (kind == QStringLiteral("directory"))
        QVERIFY(QFileInfo(path).isDir());
    else if (kind != QStringLiteral("missing dir"))
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("target.OMX"))), previous);
}

void DataFileTest::dataFileCommands_useDataFileName()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    doc.SetComPort(5);
    doc.DataFileName = m_dir.filePath(QStringLiteral("named.OMX"));
    QVERIFY(putFile(doc.DataFileName, QByteArray(5000, '\x7F'))); // saving cuts it to 2048
    QVERIFY(doc.WriteDataFile().ok);
    QCOMPARE(fileBytes(doc.DataFileName), modOVMXConfig::toBytes(doc.image()));

    modOVMXConfig other;
    other.DataFileName = doc.DataFileName;
    QVERIFY(other.ReadDataFile().ok);
    QCOMPARE(other.GetComPort(), 5);
    QVERIFY(other.image() == doc.image());
}

QTEST_GUILESS_MAIN(DataFileTest)
#include "tst_datafile.moc"
