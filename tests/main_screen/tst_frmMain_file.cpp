#include "DataDirectory.h"
#include "MainWindowDriver.h"
#include "SampleConfig.h"

#include <QAction>
#include <QDir>
#include <QFile>

#include <memory>

namespace
{
const QString Title = QStringLiteral("Tevara Orvandel MX Configuration Tool  Rev 1.60   -   ");
const QString Filter = QStringLiteral("Orvandel MX Data Files (*.OMX *.omx);;All Files (*)");

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}
} // namespace

class tst_frmMain_file : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_home = std::make_unique<IsolatedHome>(); }
    void init();
    void cleanup();

    void startup_createsDataDirectoryInDocuments();
    void fileNew_unmodified_asksNothingAndResets();
    void fileNew_answeredNo_keepsEverything();
    void fileNew_answeredYes_startsUnmodifiedNone();
    void fileOpen_firstDialog_presetsDataDirectoryThenEmpty();
    void fileOpen_cancelled_leavesDocumentAndRedrawsTitle_data();
    void fileOpen_cancelled_leavesDocumentAndRedrawsTitle();
    void fileOpen_valid_replacesWholeImage();
    void fileOpen_answeredNo_showsNoDialog();
    void fileOpen_unreadable_reportsAndKeepsDocument_data();
    void fileOpen_unreadable_reportsAndKeepsDocument();
    void fileSave_onNone_goesToSaveAs();
    void fileSave_withPath_writesWithoutAsking();
    void fileSaveAs_chosenName_writtenExactlyWithoutExtension();
    void fileSaveAs_cancelled_writesNothing_data();
    void fileSaveAs_cancelled_writesNothing();
    void fileSaveAs_unwritable_reportsAndKeepsNameAndFile();
    void fileSave_unwritable_reportsAndStaysModified();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void trigger(const char *name) { m_ui->child<QAction>(QLatin1String(name))->trigger(); }
    // A data file holding the sample configuration.
    QString sampleFile(const QString &name)
    {
        modOVMXConfig sample;
        fillSampleConfig(sample);
        sample.SetComPort(5);
        const QString file = path(name);
        [&] { QVERIFY(sample.writeFile(file).ok); }();
        return file;
    }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindowDriver> m_ui;
};

void tst_frmMain_file::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_ui = std::make_unique<MainWindowDriver>();
}

void tst_frmMain_file::cleanup()
{
    m_ui.reset();
    m_dir.reset();
}

void tst_frmMain_file::startup_createsDataDirectoryInDocuments()
{
    const QString expected = m_home->path() + QStringLiteral("/Documents/Tevara Orvandel MX");
    QCOMPARE(DataDirectory::path(), expected);
    QVERIFY(QDir(expected).exists());
    QCOMPARE(DataDirectory::presetFileName(), QDir::toNativeSeparators(expected + "/*.OMX"));
}

void tst_frmMain_file::fileNew_unmodified_asksNothingAndResets()
{
    trigger("mnuFileNew");
    QVERIFY(m_ui->prompts.calls.isEmpty());
    QVERIFY(!m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->window.windowTitle(), Title + "None");
}

void tst_frmMain_file::fileNew_answeredNo_keepsEverything()
{
    const QString file = sampleFile("kept.OMX");
    QVERIFY(m_ui->window.openFile(file));
    m_ui->doc.SetDimmerControl(3, 3, 50);
    const auto image = m_ui->doc.image();
    m_ui->prompts.script({false});
    trigger("mnuFileNew");
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Tevara Orvandel"));
    QCOMPARE(m_ui->prompts.last().text, QStringLiteral("Discard Any Changes?"));
    QCOMPARE(m_ui->prompts.last().kind, FakePrompts::Kind::Question);
    QVERIFY(m_ui->doc.image() == image);
    QCOMPARE(m_ui->doc.DataFileName, file);
    QVERIFY(m_ui->doc.ConfigModified);
}

void tst_frmMain_file::fileNew_answeredYes_startsUnmodifiedNone()
{
    QVERIFY(m_ui->window.openFile(sampleFile("replaced.OMX")));
    m_ui->window.ShowTitle();
    m_ui->doc.ConfigModified = true;
    m_ui->prompts.script({true});
    trigger("mnuFileNew");
    QCOMPARE(m_ui->doc.DataFileName, QStringLiteral("None"));
    QCOMPARE(m_ui->window.windowTitle(), Title + "None");
    QVERIFY(!m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->doc.GetComPort(), 0);
    QCOMPARE(m_ui->doc.GetTimedOffOverride(), 115);
    QCOMPARE(m_ui->model().cellText(0), QStringLiteral("-"));
    // Saving a new document asks for a name.
    trigger("mnuFileSave");
    QCOMPARE(m_ui->fileDialogs.last().kind, FakeFileDialogs::Kind::Save);
}

void tst_frmMain_file::fileOpen_firstDialog_presetsDataDirectoryThenEmpty()
{
    trigger("mnuFileOpen");
    trigger("mnuFileOpen");
    QCOMPARE(m_ui->fileDialogs.calls.size(), 2);
    QCOMPARE(m_ui->fileDialogs.calls[0].kind, FakeFileDialogs::Kind::Open);
    QCOMPARE(m_ui->fileDialogs.calls[0].presetName, DataDirectory::presetFileName());
    QCOMPARE(m_ui->fileDialogs.calls[0].filter, Filter);
    QCOMPARE(m_ui->fileDialogs.calls[1].presetName, QString());
    // Save As always proposes the data directory, and Open stays empty after it.
    trigger("mnuFileSaveAs");
    trigger("mnuFileOpen");
    QCOMPARE(m_ui->fileDialogs.calls[2].presetName, DataDirectory::presetFileName());
    QCOMPARE(m_ui->fileDialogs.calls[2].filter, Filter);
    QCOMPARE(m_ui->fileDialogs.calls[3].presetName, QString());
}

void tst_frmMain_file::fileOpen_cancelled_leavesDocumentAndRedrawsTitle_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("empty name") << QString();
    QTest::newRow("preset wildcard") << DataDirectory::presetFileName();
}

void tst_frmMain_file::fileOpen_cancelled_leavesDocumentAndRedrawsTitle()
{
    QFETCH(QString, answer);
    m_ui->doc.SetRelayOpenAction(2, 2, 1);
    const auto image = m_ui->doc.image();
    m_ui->window.setWindowTitle(QStringLiteral("stale"));
    m_ui->prompts.script({true});
    m_ui->fileDialogs.answers << answer;
    trigger("mnuFileOpen");
    QCOMPARE(m_ui->fileDialogs.calls.size(), 1);
    QVERIFY(m_ui->doc.image() == image);
    QCOMPARE(m_ui->doc.DataFileName, QStringLiteral("None"));
    QVERIFY(m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->window.windowTitle(), Title + "None");
    QVERIFY(m_ui->prompts.calls.size() == 1 &&
            m_ui->prompts.last().kind == FakePrompts::Kind::Question);
}

void tst_frmMain_file::fileOpen_valid_replacesWholeImage()
{
    const QString file = sampleFile("sample.OMX");
    m_ui->fileDialogs.answers << file;
    trigger("mnuFileOpen");
    QVERIFY(m_ui->prompts.calls.isEmpty());
    QCOMPARE(m_ui->doc.DataFileName, file);
    QCOMPARE(m_ui->window.windowTitle(), Title + file);
    QVERIFY(!m_ui->doc.ConfigModified);
    QCOMPARE(modOVMXConfig::toBytes(m_ui->doc.image()), contents(file));
    QCOMPARE(m_ui->doc.GetComPort(), 5);
    QCOMPARE(m_ui->model().cellText(0), QStringLiteral("TgToH"));
}

void tst_frmMain_file::fileOpen_answeredNo_showsNoDialog()
{
    m_ui->doc.ConfigModified = true;
    m_ui->prompts.script({false});
    trigger("mnuFileOpen");
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    QCOMPARE(m_ui->prompts.last().text, QStringLiteral("Discard Any Changes?"));
    QVERIFY(m_ui->fileDialogs.calls.isEmpty());
    QVERIFY(m_ui->doc.ConfigModified);
}

void tst_frmMain_file::fileOpen_unreadable_reportsAndKeepsDocument_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("missing") << "missing.OMX" << QByteArray();
    QTest::newRow("short") << "short.OMX" << QByteArray(2047, '\x01');
    QTest::newRow("empty") << "empty.OMX" << QByteArray("");
}

void tst_frmMain_file::fileOpen_unreadable_reportsAndKeepsDocument()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString previous = sampleFile("previous.OMX");
    QVERIFY(m_ui->window.openFile(previous));
    m_ui->doc.SetDimmerControl(0, 0, 7);
    const auto image = m_ui->doc.image();
    const QString bad = path(name);
    if (!bytes.isNull())
        writeBytes(bad, bytes);
    m_ui->prompts.script({true});
    m_ui->fileDialogs.answers << bad;
    trigger("mnuFileOpen");
    QCOMPARE(m_ui->prompts.calls.size(), 2);
    QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Error"));
    QCOMPARE(m_ui->prompts.last().kind, FakePrompts::Kind::Message);
    QVERIFY2(m_ui->prompts.last().text.contains(bad), qPrintable(m_ui->prompts.last().text));
    QVERIFY(m_ui->doc.image() == image);
    QCOMPARE(m_ui->doc.DataFileName, previous);
    QVERIFY(m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->window.windowTitle(), Title + previous);
    QCOMPARE(contents(bad), bytes.isNull() ? QByteArray() : bytes);
}

void tst_frmMain_file::fileSave_onNone_goesToSaveAs()
{
    const QString file = path("first.OMX");
    m_ui->fileDialogs.answers << file;
    m_ui->doc.SetPilotLight(1, 5, 9);
    trigger("mnuFileSave");
    QCOMPARE(m_ui->fileDialogs.calls.size(), 1);
    QCOMPARE(m_ui->fileDialogs.last().kind, FakeFileDialogs::Kind::Save);
    QCOMPARE(m_ui->fileDialogs.last().presetName, DataDirectory::presetFileName());
    QCOMPARE(m_ui->doc.DataFileName, file);
    QCOMPARE(m_ui->window.windowTitle(), Title + file);
    QVERIFY(!m_ui->doc.ConfigModified);
    QCOMPARE(contents(file), modOVMXConfig::toBytes(m_ui->doc.image()));
}

void tst_frmMain_file::fileSave_withPath_writesWithoutAsking()
{
    const QString file = sampleFile("saved.OMX");
    QVERIFY(m_ui->window.openFile(file));
    m_ui->doc.SetComPort(7);
    m_ui->doc.SetWord(1023, 0x1234); // unused words travel with the file too
    trigger("mnuFileSave");
    QVERIFY(m_ui->fileDialogs.calls.isEmpty());
    QVERIFY(m_ui->prompts.calls.isEmpty());
    QVERIFY(!m_ui->doc.ConfigModified);
    const QByteArray bytes = contents(file);
    QCOMPARE(bytes.size(), 2048);
    QCOMPARE(bytes.at(2 * 511), '\x07');
    QCOMPARE(bytes.mid(2046, 2), QByteArray("\x34\x12", 2));
}

void tst_frmMain_file::fileSaveAs_chosenName_writtenExactlyWithoutExtension()
{
    const QString file = path("no extension");
    m_ui->fileDialogs.answers << file;
    trigger("mnuFileSaveAs");
    QCOMPARE(contents(file).size(), 2048);
    QVERIFY(!QFile::exists(file + ".OMX"));
    QCOMPARE(m_ui->doc.DataFileName, file);
    QCOMPARE(m_ui->window.windowTitle(), Title + file);
}

void tst_frmMain_file::fileSaveAs_cancelled_writesNothing_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("empty name") << QString();
    QTest::newRow("preset wildcard") << DataDirectory::presetFileName();
}

void tst_frmMain_file::fileSaveAs_cancelled_writesNothing()
{
    QFETCH(QString, answer);
    m_ui->doc.ConfigModified = true;
    m_ui->fileDialogs.answers << answer;
    trigger("mnuFileSaveAs");
    QCOMPARE(m_ui->doc.DataFileName, QStringLiteral("None"));
    QVERIFY(m_ui->doc.ConfigModified);
    QVERIFY(QDir(DataDirectory::path()).entryList(QDir::Files).isEmpty());
    QVERIFY(m_ui->prompts.calls.isEmpty());
}

void tst_frmMain_file::fileSaveAs_unwritable_reportsAndKeepsNameAndFile()
{
    const QString previous = sampleFile("previous.OMX");
    QVERIFY(m_ui->window.openFile(previous));
    const QByteArray before = contents(previous);
    m_ui->doc.SetDimmerControl(1, 1, 9);
    const QString bad = previous + QStringLiteral("/inside a file.OMX");
    m_ui->fileDialogs.answers << bad;
    trigger("mnuFileSaveAs");
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Error"));
    QVERIFY(m_ui->prompts.last().text.contains(bad));
    QCOMPARE(m_ui->doc.DataFileName, previous);
    QCOMPARE(m_ui->window.windowTitle(), Title + previous);
    QVERIFY(m_ui->doc.ConfigModified);
    QCOMPARE(contents(previous), before);
}

void tst_frmMain_file::fileSave_unwritable_reportsAndStaysModified()
{
    const QString file = sampleFile("gone.OMX");
    QVERIFY(m_ui->window.openFile(file));
    // The folder is replaced by a file, so the document's name can no longer be written.
    const QString folder = path("folder");
    writeBytes(folder, "not a folder");
    m_ui->doc.DataFileName = folder + QStringLiteral("/gone.OMX");
    m_ui->doc.ConfigModified = true;
    trigger("mnuFileSave");
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Error"));
    QVERIFY(m_ui->prompts.last().text.contains(m_ui->doc.DataFileName));
    QVERIFY(m_ui->doc.ConfigModified);
    QCOMPARE(contents(folder), QByteArray("not a folder"));
}

QTEST_MAIN(tst_frmMain_file)
#include "tst_frmMain_file.moc"
