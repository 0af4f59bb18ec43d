#include "ConfigJson.h"
#include "modOVMXConfig.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace
{
struct Result {
    int code = -1;
    QString out;
    QString err;
};

Result cli(const QStringList &args, const QByteArray &input = {})
{
    QProcess process;
    process.start(QStringLiteral(ORVANDEL_CLI), args);
    if (!process.waitForStarted(30000))
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

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

// The grid row that starts with `heading`, from the column of input i on.
QString cellAt(const QString &show, const QString &heading, int i)
{
    for (const QString &line : show.split(QLatin1Char('\n')))
        if (line.startsWith(heading + QLatin1Char(' ')))
            return line.mid(9 + 8 * i);
    return QString();
}

bool isOneLineMessage(const QString &err)
{
    return err.startsWith(QStringLiteral("orvandel-mx-cli: ")) && err.endsWith(QLatin1Char('\n')) &&
           err.count(QLatin1Char('\n')) == 1;
}
} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void new_writesTheDefaultImage();
    void show_describesANewConfiguration();
    void show_putsProgrammingInItsPlace();
    void exportThenImport_reproducesFileByteForByte();
    void export_worksOnAnyFile();
    void badJson_isRefusedAndNothingWritten_data();
    void badJson_isRefusedAndNothingWritten();
    void diff_listsDifferencesInWords();
    void fc_printsOneLinePerLevel();
    void badArguments_exitTwoWithOneLine_data();
    void badArguments_exitTwoWithOneLine();
    void fileProblems_exitTwoWithOneLine_data();
    void fileProblems_exitTwoWithOneLine();
    void help_listsEveryCommand();

private:
    QString path(const char *name) const { return m_dir->filePath(QLatin1String(name)); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void CliTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void CliTest::new_writesTheDefaultImage()
{
    const Result r = cli({"new", path("new.OMX")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, QString());
    modOVMXConfig expected;
    expected.NewConfiguration();
    QCOMPARE(fileBytes(path("new.OMX")), modOVMXConfig::toBytes(expected.image()));
}

void CliTest::show_describesANewConfiguration()
{
    QCOMPARE(cli({"new", path("new.OMX")}).code, 0);
    const Result r = cli({"show", path("new.OMX")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.err, QString());
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    QCOMPARE(lines.first(),
             "Tevara Orvandel MX Configuration Tool  Rev 1.60   -   " + path("new.OMX"));
    const QStringList expected = {
        "Relay 1  -       -       -",
        "   Pilot 1 - On",
        "   Pilot 6 - On",
        "Photocell 1 [30 Sec Filter]",
        "Photocell 2 [30 Sec Filter]",
        "  1  Off 0 / 255      On 0 / 255",
        "Timed Off Configuation",
        "  Blink Alert  5 Minute",
        "  Override     120 Minute",
        "  Relay 4  No Change",
        "  Dimmer 1  Power On Level: 100%, Min Level: 0%, Max Level: 100%, Fade Rate: 0 Sec",
        "Serial Port  COM1",
        "  nothing",
    };
    for (const QString &line : expected)
        QVERIFY2(r.out.contains(line + QLatin1Char('\n')) ||
                     r.out.contains(line + QLatin1Char(' ')),
                 qPrintable(line));
    QCOMPARE(r.out.count(QStringLiteral(" - On\n")), 12);
    QCOMPARE(cellAt(r.out, "Dimmer 1", 16).trimmed(),
             QStringLiteral("-                               -"));
}

void CliTest::show_putsProgrammingInItsPlace()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    doc.SetRelayCloseAction(2, 1, 2);
    doc.SetRelayOpenAction(2, 1, 1);
    doc.SetRelayTimedOn(2, 1, 994);
    doc.SetInputDisableClosed(14, 0, true);
    doc.SetDimmerControl(4, 1, 54);
    doc.SetPhotocellTracking(1, 3, 3);
    doc.SetPhotocellOffLevel(0, 0, 128);
    doc.SetPilotLight(1, 3, 4);
    doc.SetRelayPowerOn(2, 3);
    doc.SetComPort(7);
    doc.SetDimmerControl(5, 0, 200); // no text: shows as unknown
    QVERIFY(doc.writeFile(path("prog.OMX")).ok);

    const Result r = cli({"show", path("prog.OMX"), "--fc"});
    QCOMPARE(r.code, 0);
    QVERIFY(cellAt(r.out, "Relay 2", 2).startsWith(QStringLiteral("OnOff   -")));
    QVERIFY(cellAt(r.out, "Relay 2", 1).startsWith(QStringLiteral("-       OnOff")));
    QVERIFY(cellAt(r.out, "TB01-1", 14).startsWith(QStringLiteral("Disable ")));
    QVERIFY(cellAt(r.out, "Dimmer 2", 4).startsWith(QStringLiteral("50%     ")));
    QVERIFY(cellAt(r.out, "Dimmer 1", 5).startsWith(QStringLiteral("?       ")));
    QCOMPARE(cellAt(r.out, "Dimmer 4", 20), QStringLiteral("Setpoint Tracking"));
    QVERIFY(r.out.contains(QStringLiteral("  1  Off 14 FC        On 0 FC\n")));
    QVERIFY(r.out.contains(QStringLiteral("   Pilot 4 - Relay 2 On\n")));
    QVERIFY(r.out.contains(QStringLiteral("  Relay 3  Turn Off If HW Input 1 is closed\n")));
    QVERIFY(r.out.contains(QStringLiteral("Serial Port  COM8\n")));
    QVERIFY(
        r.out.contains(QStringLiteral("  Relay 2 / Tamberline 01 Input 3: timed on 999 Minute\n")));
}

void CliTest::exportThenImport_reproducesFileByteForByte()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    doc.SetRelayTimedOn(23, 3, 994);
    doc.SetWord(1023, 200); // an unused word
    QVERIFY(doc.writeFile(path("in.OMX")).ok);

    const Result exported = cli({"export", path("in.OMX")});
    QCOMPARE(exported.code, 0);
    QCOMPARE(exported.err, QString());
    QCOMPARE(cli({"export", path("in.OMX"), "-o", path("out.json")}).code, 0);
    QCOMPARE(fileBytes(path("out.json")), exported.out.toUtf8());

    const Result imported = cli({"import", path("out.json"), "-o", path("back.OMX")});
    QCOMPARE(imported.code, 0);
    QCOMPARE(imported.out + imported.err, QString());
    QCOMPARE(fileBytes(path("back.OMX")), fileBytes(path("in.OMX")));

    // The same through standard input.
    QCOMPARE(cli({"import", "-", "-o", path("piped.OMX")}, exported.out.toUtf8()).code, 0);
    QCOMPARE(fileBytes(path("piped.OMX")), fileBytes(path("in.OMX")));
}

void CliTest::export_worksOnAnyFile()
{
    QVERIFY(putFile(path("odd.OMX"), QByteArray(2048, '\xFF')));
    const Result r = cli({"export", path("odd.OMX")});
    QCOMPARE(r.code, 0);
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(json.object().value("RelayOpenAction").toArray()[0].toArray()[0], QJsonValue(-1));
    QCOMPARE(json.object().value("unusedWords").toObject().value("1023"), QJsonValue(-1));
    QVERIFY2(isOneLineMessage(r.err) && r.err.contains(QStringLiteral("warning")),
             qPrintable(r.err));
}

void CliTest::badJson_isRefusedAndNothingWritten_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("names");
    modOVMXConfig doc;
    doc.NewConfiguration();
    QJsonObject coding = ConfigJson::toJson(doc);
    QJsonArray close = coding.value("RelayCloseAction").toArray();
    close[7] = QJsonArray{0, 0, 12, 0};
    coding.insert("RelayCloseAction", close);
    QTest::newRow("malformed") << QByteArray("{\"format\": \"orvandel-mx/1\",") << "not valid JSON";
    QTest::newRow("outside coding")
        << QJsonDocument(coding).toJson()
        << "RelayCloseAction[7][2]: expected a whole number from 0 to 11, found 12";
}

void CliTest::badJson_isRefusedAndNothingWritten()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, names);
    QVERIFY(putFile(path("bad.json"), json));
    const Result r = cli({"import", path("bad.json"), "-o", path("never.OMX")});
    QCOMPARE(r.code, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(isOneLineMessage(r.err) && r.err.contains(names), qPrintable(r.err));
    QVERIFY(!QFileInfo::exists(path("never.OMX")));

    const QByteArray previous(2048, '\x42');
    QVERIFY(putFile(path("kept.OMX"), previous));
    QCOMPARE(cli({"import", path("bad.json"), "-o", path("kept.OMX")}).code, 2);
    QCOMPARE(fileBytes(path("kept.OMX")), previous);
}

void CliTest::diff_listsDifferencesInWords()
{
    modOVMXConfig a;
    a.NewConfiguration();
    a.SetRelayCloseAction(2, 1, 2);
    QVERIFY(a.writeFile(path("a.OMX")).ok);
    modOVMXConfig b = a;
    b.SetRelayCloseAction(2, 1, 3);
    QVERIFY(b.writeFile(path("b.OMX")).ok);
    b.SetComPort(2);
    b.SetWord(900, 3);
    QVERIFY(b.writeFile(path("c.OMX")).ok);

    const Result same = cli({"diff", path("a.OMX"), path("a.OMX")});
    QCOMPARE(same.code, 0);
    QCOMPARE(same.out, QStringLiteral("0 differences\n"));

    const Result one = cli({"diff", path("a.OMX"), path("b.OMX")});
    QCOMPARE(one.code, 1);
    QCOMPARE(one.err, QString());
    QCOMPARE(one.out,
             QStringLiteral("Relay 2 / Tamberline 01 Input 3: close action Turn On Relay → "
                            "Toggle Relay Based On Relay 1 Status\n1 difference\n"));

    const Result three = cli({"diff", path("a.OMX"), path("c.OMX")});
    QCOMPARE(three.code, 1);
    QVERIFY(three.out.contains(QStringLiteral("Serial port: COM1 → COM3\n")));
    QVERIFY(three.out.endsWith(QStringLiteral("\n4 differences\n")));
}

void CliTest::fc_printsOneLinePerLevel()
{
    const Result r = cli({"fc", "0", "92", "181", "182", "240", "241", "255"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("0\n7\n52\n55\n1600\n1800\n1800\n"));
}

void CliTest::badArguments_exitTwoWithOneLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"frobnicate"};
    QTest::newRow("new without file") << QStringList{"new"};
    QTest::newRow("new with two files") << QStringList{"new", "a", "b"};
    QTest::newRow("show without file") << QStringList{"show"};
    QTest::newRow("show unknown option") << QStringList{"show", "a.OMX", "--feet"};
    QTest::newRow("export -o without value") << QStringList{"export", "a.OMX", "-o"};
    QTest::newRow("import without -o") << QStringList{"import", "a.json"};
    QTest::newRow("import without json") << QStringList{"import", "-o", "a.OMX"};
    QTest::newRow("diff one file") << QStringList{"diff", "a.OMX"};
    QTest::newRow("fc nothing") << QStringList{"fc"};
    QTest::newRow("fc word") << QStringList{"fc", "12", "bright"};
    QTest::newRow("fc negative") << QStringList{"fc", "-1"};
    QTest::newRow("fc above 255") << QStringList{"fc", "256"};
    QTest::newRow("fc fraction") << QStringList{"fc", "1.5"};
}

void CliTest::badArguments_exitTwoWithOneLine()
{
    QFETCH(QStringList, args);
    const Result r = cli(args);
    QCOMPARE(r.code, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(isOneLineMessage(r.err), qPrintable(r.err));
}

void CliTest::fileProblems_exitTwoWithOneLine_data()
{
    QTest::addColumn<QStringList>("args"); // "@x" is a path in the test directory
    QTest::addColumn<QString>("mentions");
    QTest::newRow("show missing") << QStringList{"show", "@none.OMX"} << "none.OMX";
    QTest::newRow("show short file") << QStringList{"show", "@short.OMX"} << "short.OMX";
    QTest::newRow("diff missing second")
        << QStringList{"diff", "@good.OMX", "@none.OMX"} << "none.OMX";
    QTest::newRow("export into directory")
        << QStringList{"export", "@good.OMX", "-o", "@dir"} << "dir";
    QTest::newRow("new into directory") << QStringList{"new", "@dir"} << "dir";
    QTest::newRow("new under a file") << QStringList{"new", "@good.OMX/x.OMX"} << "x.OMX";
    QTest::newRow("import missing json")
        << QStringList{"import", "@none.json", "-o", "@x.OMX"} << "none.json";
}

void CliTest::fileProblems_exitTwoWithOneLine()
{
    QFETCH(QStringList, args);
    QFETCH(QString, mentions);
    QVERIFY(putFile(path("short.OMX"), QByteArray(100, '\0')));
    QVERIFY(putFile(path("good.OMX"), QByteArray(2048, '\0')));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("dir")));
    for (QString &arg : args)
        if (arg.startsWith(QLatin1Char('@')))
            arg = m_dir->filePath(arg.mid(1));
    const Result r = cli(args);
    QCOMPARE(r.code, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(isOneLineMessage(r.err) && r.err.contains(mentions), qPrintable(r.err));
    QCOMPARE(fileBytes(path("good.OMX")), QByteArray(2048, '\0'));
    QVERIFY(QFileInfo(path("dir")).isDir());
}

void CliTest::help_listsEveryCommand()
{
    const Result r = cli({"help"});
    QCOMPARE(r.code, 0);
    for (const char *command : {"new FILE", "show FILE [--fc]", "export FILE [-o OUT]",
                                "import JSON -o FILE", "diff A B", "fc LEVEL..."})
        QVERIFY2(r.out.contains(QLatin1String(command)), command);
}

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
