#include "../simulator/SimProcess.h"
#include "../support/FakePrompts.h"
#include "ControllerSimulator.h"
#include "DeviceCommands.h"
#include "FileFaults.h"
#include "SimulatedSerialPort.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

// Every transfer against every way the controller misbehaves, and every file operation
// against every way a disk misbehaves: each row states what the user is told and checks that
// nothing the user had was lost.
namespace
{
enum class Transfer { Download, Upload, Verify };
enum class FileOp { Open, Save, CliDownload, CliUpload };
} // namespace
Q_DECLARE_METATYPE(Transfer)
Q_DECLARE_METATYPE(FileOp)

namespace
{
const QString DownloadTail = QStringLiteral(
    "\r\nOrvandel Controller Will Not Function\r\nProperly Until A Download Is Complete.");
const QString UploadTail = QStringLiteral("\r\nAll Host Data Has Been Cleared.");

// What a controller fault does to each transfer; blocks is how many completed before it.
struct ControllerFault {
    const char *row;
    const char *fault;
    int blocks;           // 16 when every block went through
    const char *download; // the message's first line; empty when the transfer succeeds
    const char *upload;
};

constexpr ControllerFault controllerFaults[] = {
    {"silent", "silent", 0, "Download Communications Error(1).", "Upload Communications Error(1)."},
    {"slowWithinLimit", "slow=800", 16, "", ""},
    {"slowPastLimit", "slow=4500", 0, "Download Communications Error(1).",
     "Upload Communications Error(1)."},
    {"wrongBlockChecksum", "wrong-checksum", 16,
     "Checksum Error(MSW). Controller Settings Not Valid.", "Upload Checksum Error(MSW)."},
    {"wrongLowHalf", "wrong-checksum=2", 16, "Checksum Error(LSW). Controller Settings Not Valid.",
     "Upload Checksum Error(LSW)."},
    {"badFrameChecksum", "bad-frame-checksum", 0, "Download Communications Error(1).",
     "Upload Communications Error(1)."},
    {"extraCharacter", "extra-character", 0, "Download Communications Error(1).",
     "Upload Communications Error(1)."},
    {"lowerCaseDigits", "lower-case", 16, "", ""},
    {"silentFromBlock9", "silent-from-block=9", 8, "Download Communications Error(1).",
     "Upload Communications Error(1)."},
    {"disconnectAtBlock5", "disconnect-at-block=5", 4, "Download Communications Error(1).",
     "Upload Communications Error(1)."},
};

// The whole message box a failed transfer shows: communication failures explain what they
// mean for the controller or the host data, a download's checksum error stands alone.
QString fullText(Transfer transfer, const QString &firstLine)
{
    if (transfer == Transfer::Upload)
        return firstLine + UploadTail;
    return firstLine.contains(QStringLiteral("Communications")) ? firstLine + DownloadTail
                                                                : firstLine;
}

modOVMXConfig::Image patternImage(int seed)
{
    modOVMXConfig::Image image{};
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<int16_t>((int(i) * seed + 3) & 0xFF);
    return image;
}

modOVMXConfig::Image newConfigurationImage()
{
    modOVMXConfig fresh;
    fresh.NewConfiguration();
    return fresh.image();
}
} // namespace

class tst_FaultMatrix : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void transferUnderControllerFault_toldAndNothingLost_data();
    void transferUnderControllerFault_toldAndNothingLost();
    void fileFault_toldAndNothingLost_data();
    void fileFault_toldAndNothingLost();

private:
    int runCli(const QString &command, const QString &file, QStringList &err);
    std::unique_ptr<SimProcess> m_sim;
};

void tst_FaultMatrix::transferUnderControllerFault_toldAndNothingLost_data()
{
    QTest::addColumn<Transfer>("transfer");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("blocks");
    QTest::addColumn<QString>("firstLine"); // empty: the transfer succeeds
    const std::pair<Transfer, const char *> transfers[] = {{Transfer::Download, "download"},
                                                           {Transfer::Upload, "upload"},
                                                           {Transfer::Verify, "verify"}};
    for (const ControllerFault &f : controllerFaults)
        for (const auto &[transfer, name] : transfers)
            QTest::addRow("%s_%s", f.row, name)
                << transfer << QString::fromLatin1(f.fault) << f.blocks
                << QString::fromLatin1(transfer == Transfer::Upload ? f.upload : f.download);
}

void tst_FaultMatrix::transferUnderControllerFault_toldAndNothingLost()
{
    QFETCH(Transfer, transfer);
    QFETCH(QString, fault);
    QFETCH(int, blocks);
    QFETCH(QString, firstLine);
    const bool succeeds = firstLine.isEmpty();

    ControllerSimulator sim;
    QVERIFY(sim.faults.add(fault, nullptr));
    SimulatedSerialPort port(sim);
    modOVMXCommunications comm(port);
    QVERIFY(comm.OpenPort(0).ok);
    FakePrompts prompts;
    QStringList captions;
    QList<bool> verifyShown;
    const modOVMXCommunications::TransferHooks hooks{[&](const QString &c) { captions << c; },
                                                     [&](bool equal) { verifyShown << equal; }};

    modOVMXConfig doc;
    doc.setImage(patternImage(7));
    doc.ConfigModified = true;
    doc.DataFileName = QStringLiteral("/site/hall.OMX");
    const modOVMXConfig::Image userImage = doc.image();
    const modOVMXConfig::Image controllerImage =
        patternImage(transfer == Transfer::Verify ? 7 : 11);
    for (size_t i = 0; i < sim.memory.size(); ++i)
        sim.memory[i] = uint8_t(controllerImage[i]);

    if (transfer == Transfer::Verify) {
        const modOVMXCommunications::VerifyResult result = comm.VerifySettings(doc);
        QCOMPARE(result.equal, succeeds);
        QCOMPARE(modOVMXCommunications::VerifyCaption(result.equal),
                 succeeds ? QStringLiteral("Settings Are Equal")
                          : QStringLiteral("Settings Are  Not Equal"));
        QVERIFY(prompts.calls.isEmpty());
        QVERIFY(doc.image() == userImage);
        QVERIFY(doc.ConfigModified);
        return;
    }

    const bool ok = transfer == Transfer::Download ? comm.DownloadSettings(doc, prompts, hooks)
                                                   : comm.UploadSettings(doc, prompts, hooks);
    QCOMPARE(ok, succeeds);
    QCOMPARE(captions.size(), blocks);
    if (blocks > 0)
        QCOMPARE(captions.last(), QStringLiteral("Block %1 Of 16").arg(blocks));
    QCOMPARE(prompts.calls.size(), 1);
    const FakePrompts::Call &told = prompts.calls.first();
    if (succeeds) {
        const bool down = transfer == Transfer::Download;
        QCOMPARE(told.text,
                 down ? QStringLiteral("Download Complete") : QStringLiteral("Upload Complete"));
        QCOMPARE(told.title, down ? QStringLiteral("Download") : QStringLiteral("Upload"));
        QCOMPARE(told.icon, Prompts::Icon::NoIcon);
        QCOMPARE(verifyShown, QList<bool>{true});
    } else {
        QCOMPARE(told.text, fullText(transfer, firstLine));
        QCOMPARE(told.title, QStringLiteral("Error"));
        QCOMPARE(told.icon, Prompts::Icon::Critical);
        QVERIFY(verifyShown.isEmpty());
    }

    if (transfer == Transfer::Download) {
        // The user's image and unsaved state survive whatever reached the controller.
        QVERIFY(doc.image() == userImage);
        QVERIFY(doc.ConfigModified);
        QCOMPARE(doc.DataFileName, QStringLiteral("/site/hall.OMX"));
        if (succeeds)
            for (size_t i = 0; i < sim.memory.size(); ++i)
                QCOMPARE(int(sim.memory[i]), int(userImage[i]));
    } else if (succeeds) {
        QVERIFY(doc.image() == controllerImage);
    } else {
        // No half-received settings remain: a new configuration, as the message says.
        QVERIFY(doc.image() == newConfigurationImage());
        QCOMPARE(doc.DataFileName, QStringLiteral("None"));
    }
}

void tst_FaultMatrix::fileFault_toldAndNothingLost_data()
{
    QTest::addColumn<FileOp>("op");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("told"); // %1 is the file; empty: the operation succeeds
    QTest::addColumn<int>("exitCode"); // of the command line; 0 for success
    const QString notOpened = QStringLiteral("Cannot open \"%1\": No such file or directory");
    const QString tooShort = QStringLiteral(
        "\"%1\" is not an Orvandel MX data file: it holds 100 bytes, a data file holds 2048.");
    const QString denied = QStringLiteral("Cannot open \"%1\": Permission denied");
    const QString folder = QStringLiteral("Cannot open \"%1\": file to open is a directory");
    const QString noFolder = QStringLiteral("Cannot write \"%1\": No such file or directory");
    const QString readOnly = QStringLiteral("Cannot write \"%1\": Permission denied");
    const QString full = QStringLiteral("Cannot write \"%1\": File too large");
    const std::pair<FileOp, const char *> readers[] = {{FileOp::Open, "open"},
                                                       {FileOp::CliDownload, "cliDownload"}};
    for (const auto &[op, name] : readers) {
        const int code = op == FileOp::Open ? 1 : 2;
        QTest::addRow("missing_%s", name) << op << "missing" << notOpened << code;
        QTest::addRow("short_%s", name) << op << "short" << tooShort << code;
        QTest::addRow("long_%s", name) << op << "long" << QString() << 0;
        QTest::addRow("unreadable_%s", name) << op << "unreadable" << denied << code;
        QTest::addRow("directory_%s", name) << op << "directory" << folder << code;
    }
    const std::pair<FileOp, const char *> writers[] = {{FileOp::Save, "save"},
                                                       {FileOp::CliUpload, "cliUpload"}};
    for (const auto &[op, name] : writers) {
        const int code = op == FileOp::Save ? 1 : 2;
        QTest::addRow("unwritable_%s", name) << op << "unwritable" << readOnly << code;
        QTest::addRow("missingFolder_%s", name) << op << "missingFolder" << noFolder << code;
        QTest::addRow("diskFull_%s", name) << op << "diskFull" << full << code;
    }
    QTest::newRow("controllerChecksumWrong_cliUpload")
        << FileOp::CliUpload << "wrong-checksum" << QStringLiteral("Upload Checksum Error(MSW).")
        << 1;
}

void tst_FaultMatrix::fileFault_toldAndNothingLost()
{
    QFETCH(FileOp, op);
    QFETCH(QString, fault);
    QFETCH(QString, told);
    QFETCH(int, exitCode);
    const bool permission =
        fault == QLatin1String("unreadable") || fault == QLatin1String("unwritable");
    if (permission && FileFaults::runningAsRoot())
        QSKIP("root reads and writes whatever the permissions say");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray previous = modOVMXConfig::toBytes(patternImage(5));
    QString path = dir.filePath(QStringLiteral("hall.OMX"));
    if (fault == QLatin1String("short"))
        QVERIFY(FileFaults::writeBytes(path, previous.left(100)));
    else if (fault == QLatin1String("long"))
        QVERIFY(FileFaults::writeBytes(path, previous + QByteArray(952, '\x7f')));
    else if (fault == QLatin1String("directory"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("hall.OMX")));
    else if (fault == QLatin1String("missingFolder"))
        path = dir.filePath(QStringLiteral("gone/hall.OMX"));
    else if (fault != QLatin1String("missing"))
        QVERIFY(FileFaults::writeBytes(path, previous));
    if (fault == QLatin1String("unreadable"))
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    if (fault == QLatin1String("unwritable"))
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QStringList before = FileFaults::entries(dir.path());

    if (op == FileOp::CliDownload || op == FileOp::CliUpload) {
        m_sim = std::make_unique<SimProcess>(QStringLiteral(ORVANDEL_SIM_PROGRAM));
        const bool simFault = fault == QLatin1String("wrong-checksum");
        QVERIFY(
            m_sim->start(simFault ? QStringList{QStringLiteral("--fault"), fault} : QStringList{}));
    }
    std::optional<FileFaults::FileSizeLimit> limit;
    if (fault == QLatin1String("diskFull"))
        limit.emplace(1024);

    QStringList err;
    QString error;
    int code = 0;
    modOVMXConfig doc;
    doc.setImage(patternImage(9));
    doc.ConfigModified = true;
    switch (op) {
    case FileOp::Open: {
        const modOVMXConfig::FileResult r = doc.readFile(path);
        code = r.ok ? 0 : 1;
        error = r.error;
        break;
    }
    case FileOp::Save: {
        const modOVMXConfig::FileResult r = doc.writeFile(path);
        code = r.ok ? 0 : 1;
        error = r.error;
        break;
    }
    case FileOp::CliDownload:
        code = runCli(QStringLiteral("download"), path, err);
        break;
    case FileOp::CliUpload:
        code = runCli(QStringLiteral("upload"), path, err);
        break;
    }
    limit.reset();
    m_sim.reset();
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QCOMPARE(code, exitCode);
    const QString expected = told.contains(QLatin1String("%1")) ? told.arg(path) : told;
    if (op == FileOp::Open || op == FileOp::Save)
        QCOMPARE(error, expected);
    else if (told.isEmpty())
        QCOMPARE(err.last(), QStringLiteral("Download Complete"));
    else
        QCOMPARE(err.last(), code == 2 ? QStringLiteral("orvandel-mx-cli: ") + expected : expected);

    if (op == FileOp::Open) {
        // A refused file leaves the document as it was; a long one gives its first 2048 bytes.
        QVERIFY(doc.image() == (told.isEmpty() ? patternImage(5) : patternImage(9)));
        QVERIFY(doc.ConfigModified);
    }
    if (op == FileOp::CliDownload && !told.isEmpty())
        QVERIFY(!err.join(QLatin1Char('\n')).contains(QStringLiteral("Block")));
    if (op == FileOp::Save || op == FileOp::CliUpload) {
        // The previous file is whole and nothing half-written was left beside it.
        if (fault != QLatin1String("missingFolder"))
            QCOMPARE(FileFaults::readBytes(path), previous);
        QCOMPARE(FileFaults::entries(dir.path()), before);
    }
}

int tst_FaultMatrix::runCli(const QString &command, const QString &file, QStringList &err)
{
    return DeviceCommands::run(command, {file, QStringLiteral("--port"), m_sim->device},
                               {[](const QString &) {}, [&err](const QString &l) { err << l; }});
}

QTEST_GUILESS_MAIN(tst_FaultMatrix)
#include "tst_fault_matrix.moc"
