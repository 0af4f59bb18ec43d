#include "../simulator/SimProcess.h"
#include "../simulator/Transcript.h"
#include "../support/FakePrompts.h"
#include "ConfigJson.h"
#include "DeviceSession.h"
#include "FileFaults.h"
#include "SimulatedSerialPort.h"
#include "modOVMXCommunications.h"

#include <QJsonDocument>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <optional>

// Every way the controller or its line misbehaves against every transfer, and every way a disk
// misbehaves against every file operation. Each case is one line of a reviewed table: what the
// user is told, and what became of the document, the controller, the file and the port.
namespace
{
modOVMXConfig::Image pattern(int seed)
{
    modOVMXConfig::Image image{};
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<int16_t>((int(i) * seed + 3) & 0xFF);
    return image;
}

modOVMXConfig newConfiguration()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    return doc;
}

QString describe(const modOVMXConfig &doc)
{
    const modOVMXConfig::Image &image = doc.image();
    return QStringLiteral("%1 (%2, %3)")
        .arg(image == pattern(7)                   ? "document kept"
             : image == pattern(11)                ? "the controller's settings"
             : image == newConfiguration().image() ? "new configuration"
             : image == pattern(5)                 ? "the file's settings"
                                                   : "OTHER SETTINGS",
             doc.DataFileName, doc.ConfigModified ? "modified" : "unmodified");
}

QString describe(const FakePrompts &prompts)
{
    QStringList boxes;
    for (const FakePrompts::Call &c : prompts.calls)
        boxes << QStringLiteral("%1 \"%2\" %3")
                     .arg(c.title, QString(c.text).replace("\r\n", "\\r\\n"),
                          FakePrompts::iconName(c.icon));
    return boxes.isEmpty() ? QStringLiteral("no message") : boxes.join("; ");
}

// Where in the trace characters that answer no request of ours were thrown away.
QString discards(const QStringList &traced)
{
    QString text;
    for (qsizetype n = 0; n < traced.size(); ++n)
        if (traced[n].startsWith(QLatin1String("discarded")))
            text += QStringLiteral("; \"%1\" as event %2 of %3")
                        .arg(traced[n])
                        .arg(n + 1)
                        .arg(traced.size());
    return text;
}

// A line that loses every checksum request, or fails as an unplugged adapter does: the port
// stays "open" and the write or the wait fails.
class FaultyLine : public SimulatedSerialPort
{
public:
    using SimulatedSerialPort::SimulatedSerialPort;
    QString fault;
    bool write(const QByteArray &data) override
    {
        if (fault == QLatin1String("lose-checksum-request") && data.mid(5).startsWith("06"))
            return true;
        return fault != QLatin1String("write-fails") && SimulatedSerialPort::write(data);
    }
    Wait waitForData(QDeadlineTimer deadline, qint64 awaited) override
    {
        if (fault == QLatin1String("wait-fails") && deadline.remainingTime() != 0)
            return Wait::Failed;
        return SimulatedSerialPort::waitForData(deadline, awaited);
    }
};
} // namespace

class tst_FaultMatrix : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The document is saved and unmodified; the controller holds other settings, except for
    // a verify. Time is the simulated line's, so a 4 s limit costs nothing. Characters thrown
    // away are placed in the trace, worded as --trace words them.
    void controllerFaults_matchReviewedTable()
    {
        Transcript t;
        for (const char *fault :
             {"none", "silent", "slow=3800", "slow=4200", "wrong-checksum", "wrong-checksum=1",
              "wrong-checksum=2", "bad-frame-checksum", "extra-character", "lower-case",
              "silent-from-block=9", "disconnect-at-block=5", "stale-characters",
              "lose-checksum-request", "write-fails", "wait-fails"}) {
            for (const QString transfer : {"download", "upload", "verify"}) {
                ControllerSimulator sim;
                sim.faults.add(fault, nullptr); // the line's own faults are no controller's
                FaultyLine line(sim);
                line.fault = fault;
                modOVMXCommunications comm(line);
                QVERIFY(comm.OpenPort(0).ok);
                QStringList traced; // as --trace words them, without the time
                comm.setTraceHook([&](const modOVMXCommunications::TraceEvent &e) {
                    traced << DeviceCommands::traceLine(e).section(QStringLiteral(" ms "), 1);
                });
                if (line.fault == QLatin1String("stale-characters"))
                    line.injectReceived("[2F]5A]");
                modOVMXConfig doc;
                doc.setImage(pattern(7));
                doc.DataFileName = QStringLiteral("/site/hall.OMX");
                const modOVMXConfig::Image held = pattern(transfer == "verify" ? 7 : 11);
                std::copy(held.begin(), held.end(), sim.memory.begin());
                FakePrompts prompts;
                QStringList seen;
                const modOVMXCommunications::TransferHooks hooks{
                    [&](const QString &c) { seen = QStringList{c}; },
                    [&](bool equal) { seen << (equal ? "label equal" : "label not equal"); }};
                const bool verify = transfer == "verify", down = transfer == "download";
                const auto read =
                    verify ? comm.VerifySettings(doc) : modOVMXCommunications::VerifyResult{};
                const QString result =
                    verify ? (read.confirmed ? modOVMXCommunications::VerifyCaption(read.equal)
                                             : QStringLiteral("could not be read"))
                    : (down ? comm.DownloadSettings(doc, prompts, hooks)
                            : comm.UploadSettings(doc, prompts, hooks))
                        ? "done"
                        : "failed";
                t.line(
                    QStringLiteral("%1 %2: %3 after %4 s; %5; %6; port %7; %8; controller %9")
                        .arg(fault, transfer, result)
                        .arg(qRound(line.simulatedMs() / 1000.0))
                        .arg(seen.isEmpty() ? "no caption" : seen.join(", "), describe(prompts),
                             comm.PortOpen() ? "open" : "closed", describe(doc),
                             std::equal(sim.memory.begin(), sim.memory.end(), doc.image().begin())
                                 ? "has it"
                                 : "differs") +
                    (comm.LastFailure.isEmpty() ? QString() : "; why: " + comm.LastFailure) +
                    discards(traced));
            }
        }
        t.compareWith(ORVANDEL_EXPECTED "/controller_faults.txt");
    }

    // What a successful write puts down, from each writer: the document (a new configuration),
    // the controller's memory (loaded from one) and an export of one.
    void fileFaults_matchReviewedTable()
    {
        QTemporaryDir source;
        QVERIFY(FileFaults::AsUser::handOver(source.path()));
        QVERIFY(newConfiguration().writeFile(source.filePath("new.OMX")).ok);
        const QJsonDocument json(ConfigJson::toJson(newConfiguration()));
        QVERIFY(modOVMXConfig::writeBytes(source.filePath("new.json"), json.toJson()).ok);
        // A copy that "nobody" may run wherever the build tree lies.
        QVERIFY(QFile::copy(ORVANDEL_CLI, source.filePath("orvandel-mx-cli")));
        Transcript t;
        t.pattern("/dev/pts/\\d+", "<pty>");
        t.pattern("controller-[-\\d]+\\.OMX", "controller-<when>.OMX");
        for (const QString fault :
             {"missing", "unreadable", "short", "long", "directory", "diskFull", "readOnlyFolder",
              "sharedFolder", "stickyFolder", "controllerFails"}) {
            for (const QString op : {"open", "save", "download", "upload", "import"}) {
                if (fault == "controllerFails" && op != "upload")
                    continue;
                QTemporaryDir dir, data; // data: where a download keeps its backups
                t.name("<dir>", dir.path());
                t.name("<data>", data.path());
                // A sticky folder, as /tmp: anyone may create files, but only the owner of a
                // file may replace it, so a save gets as far as its last step, the rename.
                QVERIFY((fault == "stickyFolder"
                             ? ::chmod(QFile::encodeName(dir.path()), 01777) == 0
                             : FileFaults::AsUser::handOver(dir.path())) &&
                        FileFaults::AsUser::handOver(data.path()));
                qputenv("XDG_DATA_HOME", data.path().toUtf8());
                const QString path = dir.filePath("hall.OMX");
                const QByteArray previous = modOVMXConfig::toBytes(pattern(5));
                QVERIFY(fault == "missing" ||
                        (fault == "directory"
                             ? QDir(dir.path()).mkdir("hall.OMX")
                             : modOVMXConfig::writeBytes(
                                   path, fault == "short"  ? previous.left(2046)
                                         : fault == "long" ? previous + QByteArray(952, 'x')
                                                           : previous)
                                   .ok));
                QVERIFY(fault == "missing" ||
                        (fault == "stickyFolder" ? ::chmod(QFile::encodeName(path), 0666) == 0
                                                 : FileFaults::AsUser::handOver(path)));
                const auto readable = QFileDevice::ReadOwner | QFileDevice::ReadOther;
                if (fault == "unreadable")
                    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
                // Nothing can be created in either folder; in a shared one the file may change.
                if (fault == "readOnlyFolder" || fault == "sharedFolder")
                    QVERIFY(QFile::setPermissions(path, fault == "sharedFolder"
                                                            ? readable | QFileDevice::WriteOwner
                                                            : readable) &&
                            QFile::setPermissions(dir.path(), readable | QFileDevice::ExeOwner |
                                                                  QFileDevice::ExeOther));
                std::optional<SimProcess> sim;
                if (op == "download" || op == "upload") {
                    sim.emplace(ORVANDEL_SIM_PROGRAM);
                    QVERIFY(sim->start(QStringList{"--load", source.filePath("new.OMX")} +
                                       (fault == "controllerFails"
                                            ? QStringList{"--fault", "wrong-checksum"}
                                            : QStringList{})));
                    QVERIFY(QFile::setPermissions(sim->device, readable | QFileDevice::WriteOwner |
                                                                   QFileDevice::WriteOther));
                }
                modOVMXConfig doc = newConfiguration(); // modified, never saved
                QStringList told;
                int code = 0;
                {
                    const FileFaults::AsUser user;
                    std::optional<FileFaults::FileSizeLimit> full;
                    if (fault == "diskFull")
                        full.emplace(1024);
                    if (op == "open" || op == "save") {
                        const modOVMXConfig::FileResult r =
                            op == "open" ? doc.readFile(path) : doc.writeFile(path);
                        told << r.error;
                        code = r.ok ? 0 : 2;
                    } else if (op == "import") {
                        QProcess import;
                        import.start(
                            source.filePath("orvandel-mx-cli"),
                            {"import", source.filePath("new.json"), "-o", path, "--force"});
                        import.waitForFinished(10000);
                        code = import.exitCode();
                        told << QString::fromUtf8(import.readAllStandardError()).trimmed();
                    } else {
                        code = Cli::run(
                            {op, path, "--port", sim->device},
                            {[](const QString &) {}, [&](const QString &line) { told << line; }});
                    }
                }
                for (const QString &restored : {dir.path(), path}) // rwx for the owner
                    QFile::setPermissions(restored, QFileDevice::Permissions(0x7700));
                QFile written(path);
                const QByteArray now = written.open(QIODevice::ReadOnly) ? written.readAll() : "";
                const QString file = QFileInfo(path).isDir()    ? "still a folder"
                                     : !QFileInfo::exists(path) ? "no file"
                                     : now == previous          ? "file kept"
                                     : now == modOVMXConfig::toBytes(newConfiguration().image())
                                         ? "file written"
                                         : QStringLiteral("file of %1 bytes").arg(now.size());
                t.line(
                    QStringLiteral("%1 %2: exit %3, \"%4\"%5; %6; folder: %7; %8")
                        .arg(fault, op)
                        .arg(code)
                        .arg(told.last().isEmpty() ? "no message" : told.last(),
                             told.size() > 1 ? " after \"" + told[told.size() - 2] + '"' : "", file,
                             QDir(dir.path())
                                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                                 .join(", "),
                             describe(doc)));
            }
        }
        t.compareWith(ORVANDEL_EXPECTED "/file_faults.txt");
    }
};

QTEST_GUILESS_MAIN(tst_FaultMatrix)
#include "tst_fault_matrix.moc"
