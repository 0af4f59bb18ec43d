#include "DataDirectory.h"
#include "MainWindowDriver.h"
#include "SampleConfig.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace
{
const QString Title = QStringLiteral("Tevara Orvandel MX Configuration Tool  Rev 1.60   -   ");
const QStringList Discard{QStringLiteral("Tevara Orvandel"),
                          QStringLiteral("Discard Any Changes?")};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

// The file commands, leaving the tool, the keyboard shortcuts and the file named at start.
class tst_frmMain_file : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_home = std::make_unique<IsolatedHome>(); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_ui = std::make_unique<MainWindowDriver>();
    }
    void cleanup() { m_ui.reset(); }

    void startup_createsDataDirectoryInDocuments();
    void discardQuestion_decidesWhetherDocumentIsKept_data();
    void discardQuestion_decidesWhetherDocumentIsKept();
    void fileDialogs_presetDataDirectoryOnlyFirstOpen();
    void fileDialog_cancelled_changesNothing_data();
    void fileDialog_cancelled_changesNothing();
    void fileOpen_valid_replacesWholeImage();
    void fileOpen_unreadable_reportsAndKeepsDocument_data();
    void fileOpen_unreadable_reportsAndKeepsDocument();
    void openFile_atStartFailing_keepsNewConfiguration();
    void fileSave_onNoneThenWithPath_writesEveryWord();
    void save_unwritable_reportsAndKeepsNameAndFile_data();
    void save_unwritable_reportsAndKeepsNameAndFile();
    void exit_asksOnlyWhenModified_data();
    void exit_asksOnlyWhenModified();
    void shortcuts_ctrlKeys_runFileCommands_data();
    void shortcuts_ctrlKeys_runFileCommands();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString writeSample()
    {
        modOVMXConfig sample;
        fillSampleConfig(sample);
        const QString file = path(QStringLiteral("sample.OMX"));
        [&] { QVERIFY(sample.writeFile(file).ok); }();
        return file;
    }
    QString openSample()
    {
        const QString file = writeSample();
        [&] { QVERIFY(m_ui->window.openFile(file)); }();
        return file;
    }
    void expectError(const QString &named)
    {
        QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Error"));
        QCOMPARE(m_ui->prompts.last().icon, Prompts::Icon::Critical);
        QVERIFY2(m_ui->prompts.last().text.contains(named), qPrintable(m_ui->prompts.last().text));
    }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindowDriver> m_ui;
};

void tst_frmMain_file::startup_createsDataDirectoryInDocuments()
{
    const QString expected = m_home->path() + QStringLiteral("/Documents/Tevara Orvandel MX");
    QCOMPARE(DataDirectory::path(), expected);
    QVERIFY(QDir(expected).exists());
    QCOMPARE(DataDirectory::presetFileName(), QDir::toNativeSeparators(expected + "/*.OMX"));
}

void tst_frmMain_file::discardQuestion_decidesWhetherDocumentIsKept_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("answer");
    QTest::newRow("New, unmodified: no question") << "mnuFileNew" << false << false;
    QTest::newRow("New, No") << "mnuFileNew" << true << false;
    QTest::newRow("New, Yes") << "mnuFileNew" << true << true;
    QTest::newRow("Open, No: no dialog") << "mnuFileOpen" << true << false;
}

void tst_frmMain_file::discardQuestion_decidesWhetherDocumentIsKept()
{
    QFETCH(QString, command);
    QFETCH(bool, modified);
    QFETCH(bool, answer);
    const QString file = openSample();
    if (modified)
        m_ui->doc.SetDimmerControl(3, 3, 50);
    const auto image = m_ui->doc.image();
    m_ui->prompts.script({answer});
    m_ui->trigger(command);
    QCOMPARE(lastPrompt(m_ui->prompts), modified ? Discard : QStringList());
    QVERIFY(m_ui->fileDialogs.calls.isEmpty());
    if (modified && !answer) {
        QVERIFY(m_ui->doc.image() == image);
        QCOMPARE(m_ui->doc.DataFileName, file);
        QVERIFY(m_ui->doc.ConfigModified);
        return;
    }
    QCOMPARE(m_ui->window.windowTitle(), Title + "None");
    QVERIFY(!m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->doc.GetTimedOffOverride(), 115);
    QCOMPARE(m_ui->model().cellText(0), QStringLiteral("-"));
}

void tst_frmMain_file::fileDialogs_presetDataDirectoryOnlyFirstOpen()
{
    // Save As always proposes the data directory; Open only the first time.
    for (const char *command : {"mnuFileOpen", "mnuFileOpen", "mnuFileSave", "mnuFileOpen"})
        m_ui->trigger(QLatin1String(command));
    const auto &calls = m_ui->fileDialogs.calls;
    QCOMPARE(calls.size(), 4);
    const QString preset = DataDirectory::presetFileName();
    QCOMPARE(QStringList({calls[0].presetName, calls[1].presetName, calls[2].presetName,
                          calls[3].presetName}),
             QStringList({preset, QString(), preset, QString()}));
    QCOMPARE(calls[0].kind, FakeFileDialogs::Kind::Open);
    QCOMPARE(calls[2].kind, FakeFileDialogs::Kind::Save); // Save on "None" is Save As
    for (const auto &call : calls)
        QCOMPARE(call.filter,
                 QStringLiteral("Orvandel MX Data Files (*.OMX *.omx);;All Files (*)"));
}

void tst_frmMain_file::fileDialog_cancelled_changesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("answer");
    for (const char *command : {"mnuFileOpen", "mnuFileSaveAs"}) {
        QTest::addRow("%s, empty name", command) << command << QString();
        QTest::addRow("%s, preset", command) << command << DataDirectory::presetFileName();
    }
}

void tst_frmMain_file::fileDialog_cancelled_changesNothing()
{
    QFETCH(QString, command);
    QFETCH(QString, answer);
    m_ui->doc.SetRelayOpenAction(2, 2, 1);
    const auto image = m_ui->doc.image();
    m_ui->window.setWindowTitle(QStringLiteral("stale"));
    m_ui->prompts.script({true});
    m_ui->fileDialogs.answers << answer;
    m_ui->trigger(command);
    QCOMPARE(m_ui->fileDialogs.calls.size(), 1);
    QVERIFY(m_ui->doc.image() == image);
    QCOMPARE(m_ui->doc.DataFileName, QStringLiteral("None"));
    QVERIFY(m_ui->doc.ConfigModified);
    QVERIFY(QDir(DataDirectory::path()).entryList(QDir::Files).isEmpty());
    if (command == QLatin1String("mnuFileOpen")) // the title is redrawn
        QCOMPARE(m_ui->window.windowTitle(), Title + "None");
}

void tst_frmMain_file::fileOpen_valid_replacesWholeImage()
{
    const QString file = writeSample();
    m_ui->fileDialogs.answers << file;
    m_ui->trigger("mnuFileOpen");
    QVERIFY(m_ui->prompts.calls.isEmpty());
    QCOMPARE(m_ui->doc.DataFileName, file);
    QCOMPARE(m_ui->window.windowTitle(), Title + file);
    QVERIFY(!m_ui->doc.ConfigModified);
    QCOMPARE(modOVMXConfig::toBytes(m_ui->doc.image()), contents(file));
    QCOMPARE(m_ui->model().cellText(0), QStringLiteral("TgToH"));
}

void tst_frmMain_file::fileOpen_unreadable_reportsAndKeepsDocument_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("short") << QByteArray(2047, '\x01');
    QTest::newRow("empty") << QByteArray("");
}

void tst_frmMain_file::fileOpen_unreadable_reportsAndKeepsDocument()
{
    QFETCH(QByteArray, bytes);
    const QString previous = openSample();
    m_ui->doc.SetDimmerControl(0, 0, 7);
    const auto image = m_ui->doc.image();
    const QString bad = path(QStringLiteral("bad.OMX"));
    QFile file(bad);
    QVERIFY(bytes.isNull() ||
            (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()));
    file.close();
    m_ui->prompts.script({true});
    m_ui->fileDialogs.answers << bad;
    m_ui->trigger("mnuFileOpen");
    QCOMPARE(m_ui->prompts.calls.size(), 2);
    expectError(bad);
    QVERIFY(m_ui->doc.image() == image);
    QCOMPARE(m_ui->doc.DataFileName, previous);
    QVERIFY(m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->window.windowTitle(), Title + previous);
    QCOMPARE(contents(bad), bytes.isNull() ? QByteArray() : bytes);
}

void tst_frmMain_file::openFile_atStartFailing_keepsNewConfiguration()
{
    QVERIFY(!m_ui->window.openFile(path("nowhere/absent.OMX")));
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    expectError(path("nowhere/absent.OMX"));
    QCOMPARE(m_ui->doc.DataFileName, QStringLiteral("None"));
    QVERIFY(!m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->doc.GetTimedOffAlert(), 3);
}

void tst_frmMain_file::fileSave_onNoneThenWithPath_writesEveryWord()
{
    const QString file = path("no extension"); // written as chosen
    m_ui->fileDialogs.answers << file;
    m_ui->doc.SetPilotLight(1, 5, 9);
    m_ui->trigger("mnuFileSave");
    QCOMPARE(m_ui->doc.DataFileName, file);
    QCOMPARE(m_ui->window.windowTitle(), Title + file);
    QVERIFY(!m_ui->doc.ConfigModified);
    QCOMPARE(contents(file), modOVMXConfig::toBytes(m_ui->doc.image()));
    QVERIFY(!QFile::exists(file + ".OMX"));
    // With a name, Save writes without asking, unused words too, low byte first.
    m_ui->doc.SetComPort(7);
    m_ui->doc.SetWord(1023, 0x1234);
    m_ui->trigger("mnuFileSave");
    QCOMPARE(m_ui->fileDialogs.calls.size(), 1);
    QVERIFY(m_ui->prompts.calls.isEmpty());
    QVERIFY(!m_ui->doc.ConfigModified);
    const QByteArray bytes = contents(file);
    QCOMPARE(bytes.size(), 2048);
    QCOMPARE(bytes.at(2 * 511), '\x07');
    QCOMPARE(bytes.mid(2046, 2), QByteArray("\x34\x12", 2));
}

void tst_frmMain_file::save_unwritable_reportsAndKeepsNameAndFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Save As") << "mnuFileSaveAs";
    QTest::newRow("Save") << "mnuFileSave";
}

void tst_frmMain_file::save_unwritable_reportsAndKeepsNameAndFile()
{
    QFETCH(QString, command);
    const QString previous = openSample();
    const QByteArray before = contents(previous);
    m_ui->doc.SetDimmerControl(1, 1, 9);
    const QString bad = previous + QStringLiteral("/inside a file.OMX"); // no folder can be there
    const bool save = command == QLatin1String("mnuFileSave");
    if (save)
        m_ui->doc.DataFileName = bad;
    m_ui->fileDialogs.answers << bad;
    m_ui->trigger(command);
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    expectError(bad);
    QCOMPARE(m_ui->doc.DataFileName, save ? bad : previous);
    QVERIFY(m_ui->doc.ConfigModified);
    QCOMPARE(contents(previous), before);
}

void tst_frmMain_file::exit_asksOnlyWhenModified_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("byClose"); // the window's close button instead of the menu
    QTest::newRow("unmodified") << false << false << false;
    QTest::newRow("modified, No") << true << false << false;
    QTest::newRow("modified, Yes") << true << true << false;
    QTest::newRow("close, No") << true << false << true;
    QTest::newRow("close, Yes") << true << true << true;
}

void tst_frmMain_file::exit_asksOnlyWhenModified()
{
    QFETCH(bool, modified);
    QFETCH(bool, answer);
    QFETCH(bool, byClose);
    const bool closes = !modified || answer;
    QVERIFY(m_ui->show());
    if (modified)
        m_ui->window.lblControl_Click(26); // merely opening an editor counts as a change
    m_ui->prompts.script({answer});
    if (byClose)
        QCOMPARE(m_ui->window.close(), closes);
    else
        m_ui->trigger("mnuExit");
    QCOMPARE(m_ui->window.isVisible(), !closes);
    QCOMPARE(m_ui->prompts.calls.size(), modified ? 1 : 0); // never twice
    if (modified)
        QCOMPARE(lastPrompt(m_ui->prompts),
                 QStringList({QStringLiteral("Exit Program"), QStringLiteral("Discard Changes?")}));
    if (!byClose)
        QCOMPARE(m_ui->doc.ExitConfirmed, modified && answer);
}

void tst_frmMain_file::shortcuts_ctrlKeys_runFileCommands_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("Ctrl+N asks about changes") << int(Qt::Key_N) << 1 << 0;
    QTest::newRow("Ctrl+O asks, then opens") << int(Qt::Key_O) << 1 << 1;
    QTest::newRow("Ctrl+S on None saves as") << int(Qt::Key_S) << 0 << 1;
}

void tst_frmMain_file::shortcuts_ctrlKeys_runFileCommands()
{
    QFETCH(int, key);
    QVERIFY(m_ui->show());
    m_ui->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_ui->window));
    m_ui->doc.ConfigModified = true;
    m_ui->prompts.script({true});
    QTest::keyClick(&m_ui->window, static_cast<Qt::Key>(key), Qt::ControlModifier);
    QTEST(int(m_ui->prompts.calls.size()), "questions");
    QTEST(int(m_ui->fileDialogs.calls.size()), "dialogs");
}

QTEST_MAIN(tst_frmMain_file)
#include "tst_frmMain_file.moc"
