#include "ExpectedText.h"
#include "PdfText.h"
#include "WalkTest.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace
{
struct Run {
    int code = -1;
    QByteArray out, err;
};

// The program runs in `dir`, so the files it names are the relative names the test gave it.
Run cli(const QString &dir, const QStringList &args, const QByteArray &input = {},
        const QString &program = QStringLiteral(ORVANDEL_CLI))
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(program, args);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// The word map as regions, each its first word, the number of words of one element and the count
// of codes of each (a relay record: close action, open action, timed-on high part, low part).
const int regions[] = {0,   4,   12,  10,  4,   227, 384, 1,   256, 456, 1, 5,   460, 1,   2,
                       462, 1,   256, 480, 4,   101, 102, 102, 43,  496, 1, 10,  508, 2,   4,
                       227, 510, 1,   98,  511, 1,   8,   512, 3,   105, 2, 122, 800, 6,   256,
                       256, 256, 101, 101, 101, 848, 1,   256, 856, 1,   4, 864, 1,   256, 1024};

// A data file written byte by byte. Rich: word s of element n of a region takes code 37n + s + the
// region's first word, modulo its count, so the elements run through every code; relay records
// 12-23, 36-47 ... hold as well. Hostile: the last code, the first beyond it, a word above 255 and
// a negative word, in turn.
QByteArray dataFile(bool hostile)
{
    QByteArray bytes;
    for (const int *region = regions; region[0] < 1024; region += 2 + region[1]) {
        const int first = region[0], period = region[1];
        for (int w = first; w < region[2 + period]; ++w) {
            const int n = (w - first) / period, slot = (w - first) % period;
            const int count = region[2 + slot], k = (n + n / 4 + slot) % 4;
            int v = (37 * n + first + slot) % count + (w < 384 && !slot && n / 12 % 2) * 128;
            if (hostile)
                v = k == 0   ? count - 1
                    : k == 1 ? count
                    : k == 2 ? count + 256 * (1 + n % 100)
                             : -32768 + 256 * (n % 128);
            bytes.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF));
        }
    }
    return bytes;
}
} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void command_printsReviewedText_data();
    void command_printsReviewedText();
    void exportThenImport_givesTheFileBack();
    void report_namesThePeopleOnThePaperAskedFor();
    void badUse_exitsTwoWithOneLine_data();
    void badUse_exitsTwoWithOneLine();

private:
    QByteArray bytes(const char *name) const;
    QTemporaryDir m_dir;
};

QByteArray CliTest::bytes(const char *name) const
{
    QFile file(m_dir.filePath(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void CliTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCOMPARE(cli(m_dir.path(), {"new", "new.OMX"}).code, 0);
    QCOMPARE(cli(m_dir.path(), {"new", "new.OMX", "--force"}).code, 0);
    QCOMPARE(cli(m_dir.path(), {"export", "new.OMX", "-o", "new.json"}).code, 0);
    for (const char *name : {"rich.OMX", "hostile.OMX"}) {
        QFile file(m_dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(dataFile(*name == 'h')) == 2048);
    }
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    QFile broken(m_dir.filePath(QStringLiteral("broken.json")));
    QVERIFY(broken.open(QIODevice::WriteOnly) &&
            broken.write("{\n    \"format\": \"orvandel-mx/1\",\n    \"ComPort\": 0,,\n}\n") > 0);
    QByteArray odd = bytes("new.OMX"); // the port beyond COM8: a value outside its coding
    odd[2 * 511] = 9;
    QFile file(m_dir.filePath(QStringLiteral("odd.OMX")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(odd) == 2048);
    file.close();
    const Run exported = cli(m_dir.path(), {"export", "odd.OMX", "-o", "odd.json"});
    QCOMPARE(exported.code, 0);
    QCOMPARE(exported.err, "orvandel-mx-cli: warning: odd.OMX holds 1 value outside its coding "
                           "(orvandel-mx-cli check odd.OMX lists them)\n");
}

void CliTest::command_printsReviewedText_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("warning");
    auto row = [](const char *name, const QString &args, int code, const QByteArray &warning = {}) {
        QTest::newRow(name) << args.split(QLatin1Char(' ')) << code << warning;
    };
    for (const char *file : {"new", "rich", "hostile"})
        for (const char *fc : {"", " --fc"})
            row(qPrintable(QStringLiteral("show-%1%2").arg(file, fc).replace(" --", "-")),
                QStringLiteral("show %1.OMX%2").arg(file, fc), 0,
                *file == 'h' ? "orvandel-mx-cli: warning: hostile.OMX holds 518 values outside "
                               "their codings (orvandel-mx-cli check hostile.OMX lists them)\n"
                             : "");
    row("check-rich", "check rich.OMX", 0);
    row("check-hostile", "check hostile.OMX", 1);
    row("diff-new-rich", "diff new.OMX rich.OMX", 1);
    row("diff-new-hostile", "diff new.OMX hostile.OMX", 1);
    row("diff-same", "diff rich.OMX rich.OMX", 0);
    row("export-new", "export new.OMX", 0);
    row("help", "help", 0);
    row("help-report", "report --help", 0);
    QString levels = QStringLiteral("fc");
    for (int level = 0; level <= 255; ++level)
        levels += QStringLiteral(" %1").arg(level);
    row("fc", levels, 0);
}

void CliTest::command_printsReviewedText()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QByteArray, warning);
    const Run run = cli(m_dir.path(), args);
    QCOMPARE(run.code, code);
    QCOMPARE(run.err, warning);
    ExpectedText::compare(
        QStringLiteral(ORVANDEL_EXPECTED "/%1.txt").arg(QLatin1String(QTest::currentDataTag())),
        run.out);
}

// A file whose every field lies within its coding comes back byte for byte, by file and by pipe.
void CliTest::exportThenImport_givesTheFileBack()
{
    const Run exported = cli(m_dir.path(), {"export", "rich.OMX"});
    QVERIFY(exported.code == 0 && exported.err.isEmpty());
    QCOMPARE(cli(m_dir.path(), {"export", "rich.OMX", "-o", "rich.json"}).code, 0);
    QCOMPARE(bytes("rich.json"), exported.out);
    QCOMPARE(cli(m_dir.path(), {"import", "rich.json", "-o", "back.OMX"}).code, 0);
    QCOMPARE(bytes("back.OMX"), bytes("rich.OMX"));
    QCOMPARE(cli(m_dir.path(), {"new", "back.OMX", "--force"}).code, 0);
    QCOMPARE(cli(m_dir.path(), {"import", "-", "-o", "back.OMX", "--force"}, exported.out).code, 0);
    QCOMPARE(bytes("back.OMX"), bytes("rich.OMX"));
}

// The names kept beside the data file, each replaced by its option; the paper asked for, the
// grid page landscape; every font embedded, so the text is real text wherever it is opened.
void CliTest::report_namesThePeopleOnThePaperAskedFor()
{
#ifdef Q_OS_WIN
    QSKIP("poppler's tools, which read the PDF back, are Linux programs: the Windows report is "
          "read back from outside, by tests/windows/check-packages.sh");
#endif
    QFile kept(m_dir.filePath(QStringLiteral("rich.handover.json")));
    QVERIFY(kept.open(QIODevice::WriteOnly) &&
            kept.write(R"({"site": "Hollin Park", "customer": "Hollin Trust", "installer": "K"})"));
    kept.close();
    const Run run = cli(m_dir.path(), {"report", "rich.OMX", "-o", "out.pdf", "--force",
                                       "--paper=letter", "--installer", "A. Fitter"});
    QVERIFY(kept.remove());
    QVERIFY2(run.code == 0 && run.err.isEmpty(), run.err);
    const QString pdf = m_dir.filePath(QStringLiteral("out.pdf"));
    const QStringList rows = PdfText::rows(pdf);
    for (const char *row : {"Site | Hollin Park", "Customer | Hollin Trust",
                            "Installer | A. Fitter", "Installer | A. Fitter | Signature | Date"})
        QVERIFY2(PdfText::holds(rows, QLatin1String(row)), row);
    QVERIFY(PdfText::run("pdfinfo", {pdf}).contains(QRegularExpression("size: +792 x 612 ")));
    const QStringList fonts = PdfText::run("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts);
    QVERIFY(fonts.size() > 2);
    for (const QString &font : fonts.mid(2)) // name, type, encoding, then emb sub uni
        QVERIFY2(font.contains(QRegularExpression(" yes +(yes|no) +(yes|no) +\\d+ +\\d+$")),
                 qPrintable(font));
    // The walk test kept beside the file, or named, is on the paper; one of other settings is
    // refused by name and nothing is written.
    modOVMXConfig rich;
    QVERIFY(rich.readFile(m_dir.filePath("rich.OMX")).ok);
    WalkTest walk(rich);
    const qint64 t = QDateTime(QDate(2026, 12, 7), QTime(9, 0)).toMSecsSinceEpoch();
    walk.add({t, EventKind::InputClosed, 2, -1, -1, 0, 0, 0, "TB01 In 3 closed"});
    walk.add({t + 500, EventKind::RelayOn, -1, 1, -1, 0, 0, 0, "Relay 2 on"});
    walk.add({t + 900, EventKind::InputOpened, 2, -1, -1, 0, 0, 0, "TB01 In 3 opened"});
    walk.setControllerImage(rich.image()); // as a Connect confirmed it
    walk.setVerdict(2, Verdict::Pass, t + 1000);
    walk.setComment(2, "Lobby", t + 1000);
    QVERIFY(walk.save(m_dir.filePath("rich.commissioning.json")).ok);
    QCOMPARE(cli(m_dir.path(), {"report", "rich.OMX", "-o", "out.pdf", "--force"}).code, 0);
    QVERIFY(PdfText::holds(PdfText::rows(pdf), "Verdict | Pass: Lobby | 09:00"));
    QVERIFY(QFile::rename(m_dir.filePath("rich.commissioning.json"), m_dir.filePath("walk.json")));
    const Run other =
        cli(m_dir.path(), {"report", "new.OMX", "-o", "other.pdf", "--record", "walk.json"});
    QVERIFY2(other.code == 2 && other.err.contains("other settings"), qPrintable(other.err));
    QVERIFY(!QFile::exists(m_dir.filePath("other.pdf")));
    // A value no setting offers is named as a number: the open action just beyond its list.
    QCOMPARE(cli(m_dir.path(), {"report", "hostile.OMX", "-o", "out.pdf", "--force"}).code, 0);
    QVERIFY(PdfText::holds(PdfText::rows(pdf),
                           "Tamberline 01 Input 1 | 4 Step Sequence | 10 (no entry) | No | -"));
}

void CliTest::badUse_exitsTwoWithOneLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("names"); // what the message must name
    auto row = [](const char *args, const char *names) {
        QTest::newRow(*args ? args : "nothing")
            << QString::fromLatin1(args).split(u' ', Qt::SkipEmptyParts) << names;
    };
    row("", "help");
    row("frobnicate", "\"frobnicate\"");
    row("new", "usage: orvandel-mx-cli new FILE");
    row("new a.OMX b.OMX", "new FILE");
    row("new folder --force", "folder");
    row("show new.OMX --feet", "--feet");
    row("show none.OMX", "none.OMX");
    row("diff new.OMX none.OMX", "none.OMX");
    row("export new.OMX -o", "-o needs a file to write the JSON to");
    row("report new.OMX -o x.pdf --paper", "--paper needs a4 or letter");
    row("show new.OMX --fc=1", "--fc takes no value");
    row("export new.OMX -o folder", "folder");
    row("import hostile.json", "-o FILE");
    row("import none.json -o new.OMX", "none.json");
    row("import hostile.OMX -o new.OMX", "not valid JSON");
    row("import odd.json -o new.OMX", "ComPort: expected a whole number from 0 to 7, found 9");
    row("export hostile.OMX", "hostile.OMX: RelayTimedOn[0][0]: expected a whole number from 0 to "
                              "994, found 33792 (nothing written)");
    row("check none.OMX", "none.OMX");
    row("import broken.json -o new.OMX",
        "not valid JSON: unterminated object at line 3, column 19");
    row("fc", "LEVEL");
    row("fc -1", "a LEVEL is a whole number from 0 to 255, not \"-1\"");
    row("fc 256", "\"256\"");
    row("fc 1.5", "\"1.5\"");
    row("report new.OMX", "-o OUT.pdf");
    row("report new.OMX -o x.pdf --paper a3", "\"a3\"");
    row("report none.OMX -o new.OMX", "none.OMX");
    row("report new.OMX -o folder --force", "folder");
    row("report new.OMX -o new.OMX/x.pdf", "new.OMX/x.pdf");
    row("report new.OMX -o x.pdf --site", "--site needs the site's name");
    row("verify new.OMX --port", "--port needs a device or COMn");
    row("monitor --port --for 2", "--port needs a device or COMn, not \"--for\"");
    row("status --port --trace", "--port needs a device or COMn, not \"--trace\"");
    row("status --port=--json", "--port needs a device or COMn, not \"--json\"");
    row("export new.OMX -o --force", "-o needs a file to write the JSON to, not \"--force\"");
    row("monitor none.OMX --port none", "none.OMX"); // before the port is opened
    row("monitor --for 0", "--for is a number of seconds above 0, not \"0\"");
    row("new new.OMX", "\"new.OMX\" exists; --force replaces it");
    row("import new.json -o new.OMX", "\"new.OMX\" exists; --force replaces it");
    row("report new.OMX -o rich.OMX", "\"rich.OMX\" exists; --force replaces it");
    // The report never writes over what it reads, --force or not.
    row("report new.OMX -o ./new.OMX --force", "\"./new.OMX\" is a file the report reads");
    row("export ./new.OMX -o new.OMX", "\"new.OMX\" is the input file");
}

// Nothing is written: the file named by -o keeps its bytes.
void CliTest::badUse_exitsTwoWithOneLine()
{
    QFETCH(QStringList, args);
    QFETCH(QString, names);
    const QByteArray before = bytes("new.OMX");
    const Run run = cli(m_dir.path(), args);
    QCOMPARE(run.code, 2);
    QVERIFY2(run.out.isEmpty() && run.err.startsWith("orvandel-mx-cli: ") &&
                 run.err.count('\n') == 1 && run.err.endsWith('\n') &&
                 run.err.contains(names.toUtf8()),
             run.err);
    QCOMPARE(bytes("new.OMX"), before);
}

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
