#include "ConfigDiff.h"
#include "ConnectRig.h"
#include "MainWindowDriver.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

namespace
{
// Every caption the button had when it was painted, in order.
class PaintedCaptions : public QObject
{
public:
    explicit PaintedCaptions(QPushButton *button) : m_button(button)
    {
        button->installEventFilter(this);
    }
    QStringList captions;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_button && event->type() == QEvent::Paint &&
            (captions.isEmpty() || captions.last() != m_button->text()))
            captions.append(m_button->text());
        return false;
    }

private:
    QPushButton *m_button;
};

QStringList blockCaptions()
{
    QStringList all;
    for (int n = 1; n <= 16; ++n)
        all.append(QStringLiteral("Block %1 Of 16").arg(n));
    return all;
}

const QString Lost = QStringLiteral("\r\nAll Host Data Has Been Cleared.");
} // namespace

// Download and upload from the window, the backup kept at Connect, and the differences list.
class tst_frmConnect_transfer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup() { m_rig.reset(); }

    void download_succeeds_controllerHoldsImageAndEqualShown();
    void download_fails_errorShownImageAndResultKept_data();
    void download_fails_errorShownImageAndResultKept();
    void upload_modifiedAnsweredNo_nothingRead();
    void upload_succeeds_imageFromControllerWithWindowsPort();
    void upload_fails_documentClearedKeepingWindowsPort_data();
    void upload_fails_documentClearedKeepingWindowsPort();
    void connect_memoryReadWhole_keepsBackupFile();
    void connect_memoryNotReadWhole_keepsNoBackup();
    void connect_backupUnwritable_stillConnects();
    void differences_notEqual_listsFieldsInWords();
    void differences_hiddenAfterDownloadMakesEqual();

private:
    QStringList backups() const
    {
        return QDir(frmConnect::backupDirectory())
            .entryList({QStringLiteral("*.OMX")}, QDir::Files, QDir::Name);
    }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<ConnectRig> m_rig;
};

void tst_frmConnect_transfer::initTestCase()
{
    m_home = std::make_unique<IsolatedHome>();
    qputenv("XDG_DATA_HOME", (m_home->path() + QStringLiteral("/.local/share")).toLocal8Bit());
    QVERIFY(frmConnect::backupDirectory().startsWith(m_home->path()));
}

void tst_frmConnect_transfer::init()
{
    QDir(frmConnect::backupDirectory()).removeRecursively();
    m_rig = std::make_unique<ConnectRig>();
}

void tst_frmConnect_transfer::download_succeeds_controllerHoldsImageAndEqualShown()
{
    m_rig->doc.SetDimmerMaxLevel(1, 180);
    m_rig->doc.SetRelayCloseAction(5, 3, 2);
    QVERIFY(m_rig->connect());
    QVERIFY(m_rig->doc.ConfigModified);
    auto *button = m_rig->child<QPushButton>(QStringLiteral("cmdDownload"));
    PaintedCaptions painted(button);
    m_rig->click(QStringLiteral("cmdDownload"));

    QCOMPARE(painted.captions.filter(QStringLiteral("Block ")), blockCaptions());
    QCOMPARE(button->text(), QStringLiteral("Send Settings To OV-2"));
    QCOMPARE(m_rig->prompts.calls.size(), 1);
    QCOMPARE(m_rig->prompts.last().title, QStringLiteral("Download"));
    QCOMPARE(m_rig->prompts.last().text, QStringLiteral("Download Complete"));
    QCOMPARE(m_rig->prompts.last().icon, Prompts::Icon::NoIcon);
    QCOMPARE(m_rig->child<QLabel>(QStringLiteral("lblVerify"))->text(),
             QStringLiteral("Settings Are Equal"));
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        QCOMPARE(int(m_rig->sim.memory[static_cast<size_t>(w)]), int(m_rig->doc.GetWord(w)));
    QVERIFY(m_rig->doc.ConfigModified); // a download saves nothing
    QCOMPARE(m_rig->port.commandsStartingWith("04").size(), 16);
    QVERIFY(m_rig->window->timer()->isActive());
}

void tst_frmConnect_transfer::download_fails_errorShownImageAndResultKept_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("text");
    const QString tail =
        QStringLiteral("\r\nOrvandel Controller Will Not Function\r\nProperly Until "
                       "A Download Is Complete.");
    QTest::newRow("block 3 unanswered")
        << "silent-from-block=3" << QStringLiteral("Download Communications Error(1).") + tail;
    QTest::newRow("checksum high half")
        << "wrong-checksum=1"
        << QStringLiteral("Checksum Error(MSW). Controller Settings Not Valid.");
}

void tst_frmConnect_transfer::download_fails_errorShownImageAndResultKept()
{
    QFETCH(QString, fault);
    m_rig->sim.memory[300] = 1;
    QVERIFY(m_rig->connect());
    const modOVMXConfig::Image before = m_rig->doc.image();
    QString error;
    QVERIFY(m_rig->sim.faults.add(fault, &error));
    m_rig->click(QStringLiteral("cmdDownload"));
    QCOMPARE(m_rig->prompts.last().title, QStringLiteral("Error"));
    QTEST(m_rig->prompts.last().text, "text");
    QCOMPARE(m_rig->prompts.last().icon, Prompts::Icon::Critical);
    QCOMPARE(m_rig->child<QPushButton>(QStringLiteral("cmdDownload"))->text(),
             QStringLiteral("Send Settings To OV-2"));
    QCOMPARE(m_rig->child<QLabel>(QStringLiteral("lblVerify"))->text(),
             QStringLiteral("Settings Are  Not Equal"));
    QVERIFY(m_rig->doc.image() == before);
    QVERIFY(m_rig->window->timer()->isActive());
}

void tst_frmConnect_transfer::upload_modifiedAnsweredNo_nothingRead()
{
    QVERIFY(m_rig->connect());
    m_rig->port.commands.clear();
    m_rig->prompts.script({false});
    m_rig->click(QStringLiteral("cmdUpload"));
    QCOMPARE(m_rig->prompts.calls.size(), 1);
    QCOMPARE(m_rig->prompts.last().title, QStringLiteral("Tevara Orvandel"));
    QCOMPARE(m_rig->prompts.last().text, QStringLiteral("Discard Any Host Program Changes?"));
    QVERIFY(m_rig->port.commandsStartingWith("05").isEmpty());
    QVERIFY(m_rig->window->timer()->isActive());
}

void tst_frmConnect_transfer::upload_succeeds_imageFromControllerWithWindowsPort()
{
    m_rig->sim.memory[40] = 2;
    m_rig->sim.memory[511] = 6;
    m_rig->doc.SetComPort(2);
    m_rig->controllerHoldsDocument();
    m_rig->sim.memory[40] = 2; // Tamberline 01 switch 3 turns relay 3 on
    m_rig->sim.memory[511] = 6;
    QVERIFY(m_rig->connect());
    m_rig->doc.ConfigModified = false;
    auto *button = m_rig->child<QPushButton>(QStringLiteral("cmdUpload"));
    PaintedCaptions painted(button);
    m_rig->click(QStringLiteral("cmdUpload"));

    QCOMPARE(m_rig->prompts.calls.size(), 1); // nothing to lose: no question
    QCOMPARE(m_rig->prompts.last().title, QStringLiteral("Upload"));
    QCOMPARE(m_rig->prompts.last().text, QStringLiteral("Upload Complete"));
    QCOMPARE(painted.captions.filter(QStringLiteral("Block ")), blockCaptions());
    QCOMPARE(button->text(), QStringLiteral("Get Settings From OV-2"));
    QCOMPARE(m_rig->doc.GetRelayCloseAction(2, 2), 2);
    QCOMPARE(m_rig->doc.GetComPort(), 2);
    QVERIFY(m_rig->doc.ConfigModified);
    QCOMPARE(m_rig->child<QLabel>(QStringLiteral("lblVerify"))->text(),
             QStringLiteral("Settings Are Equal"));
    QVERIFY(m_rig->window->timer()->isActive());
}

void tst_frmConnect_transfer::upload_fails_documentClearedKeepingWindowsPort_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("text");
    QTest::newRow("block 9 unanswered")
        << "silent-from-block=9" << QStringLiteral("Upload Communications Error(1).") + Lost;
    QTest::newRow("checksum low half")
        << "wrong-checksum=2" << QStringLiteral("Upload Checksum Error(LSW).") + Lost;
}

void tst_frmConnect_transfer::upload_fails_documentClearedKeepingWindowsPort()
{
    QFETCH(QString, fault);
    m_rig->doc.SetComPort(4);
    m_rig->doc.SetRelayCloseAction(0, 0, 3);
    m_rig->doc.DataFileName = QStringLiteral("/somewhere/Site.OMX");
    m_rig->controllerHoldsDocument();
    QVERIFY(m_rig->connect());
    QString error;
    QVERIFY(m_rig->sim.faults.add(fault, &error));
    m_rig->prompts.script({true});
    m_rig->click(QStringLiteral("cmdUpload"));
    QCOMPARE(m_rig->prompts.last().title, QStringLiteral("Error"));
    QTEST(m_rig->prompts.last().text, "text");
    modOVMXConfig fresh;
    fresh.NewConfiguration();
    fresh.SetComPort(4);
    QVERIFY(m_rig->doc.image() == fresh.image());
    QCOMPARE(m_rig->doc.DataFileName, QStringLiteral("None"));
    QVERIFY(m_rig->doc.ConfigModified);
    QCOMPARE(m_rig->child<QPushButton>(QStringLiteral("cmdUpload"))->text(),
             QStringLiteral("Get Settings From OV-2"));
}

void tst_frmConnect_transfer::connect_memoryReadWhole_keepsBackupFile()
{
    m_rig->sim.memory[123] = 45;
    QVERIFY(m_rig->connect());
    const QStringList files = backups();
    QCOMPARE(files.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^controller-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.OMX$"))
                 .match(files.first())
                 .hasMatch(),
             qPrintable(files.first()));
    modOVMXConfig::Image kept{};
    QVERIFY(modOVMXConfig::readImage(m_rig->window->lastBackupPath(), kept).ok);
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        QCOMPARE(int(kept[static_cast<size_t>(w)]), int(m_rig->sim.memory[static_cast<size_t>(w)]));

    // A second connect in the same second keeps both copies.
    m_rig->click(QStringLiteral("cmdClose"));
    QVERIFY(m_rig->connect());
    QCOMPARE(backups().size(), 2);
}

void tst_frmConnect_transfer::connect_memoryNotReadWhole_keepsNoBackup()
{
    QString error;
    QVERIFY(m_rig->sim.faults.add(QStringLiteral("silent-from-block=16"), &error));
    QVERIFY(m_rig->open());
    m_rig->click(QStringLiteral("cmdConnect"));
    QVERIFY(m_rig->window->isConnected());
    QVERIFY(backups().isEmpty());
    QVERIFY(!m_rig->visible(QStringLiteral("cmdDifferences")));
}

void tst_frmConnect_transfer::connect_backupUnwritable_stillConnects()
{
    // A file where the folder should be: no backup can be made.
    QDir().mkpath(QFileInfo(frmConnect::backupDirectory()).path());
    QFile blocker(frmConnect::backupDirectory());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_rig->sim.memory[10] = 1;
    QVERIFY(m_rig->connect());
    QVERIFY(m_rig->window->lastBackupPath().isEmpty());
    QVERIFY(m_rig->child<QLabel>(QStringLiteral("lblVerify"))
                ->toolTip()
                .startsWith(QStringLiteral("No backup")));
    QVERIFY(m_rig->visible(QStringLiteral("cmdDifferences")));
    QVERIFY(m_rig->prompts.calls.isEmpty());
    QVERIFY(QFile::remove(frmConnect::backupDirectory()));
}

void tst_frmConnect_transfer::differences_notEqual_listsFieldsInWords()
{
    m_rig->sim.memory[481 + 2] = 200; // dimmer 1's maximum level
    QVERIFY(m_rig->connect());
    m_rig->click(QStringLiteral("cmdDifferences"));
    auto *text = m_rig->window->findChild<QPlainTextEdit *>(QStringLiteral("txtDifferences"));
    QVERIFY(text);
    QVERIFY(text->isReadOnly());
    modOVMXConfig controller;
    controller.setImage(m_rig->comm.ControllerCopy);
    const QStringList expected = ConfigDiff::describeDifferences(m_rig->doc, controller);
    QCOMPARE(expected.size(), 1);
    QCOMPARE(text->toPlainText(), expected.first());
    QVERIFY(text->toPlainText().contains(QStringLiteral("200")));
}

void tst_frmConnect_transfer::differences_hiddenAfterDownloadMakesEqual()
{
    m_rig->sim.memory[600] = 3;
    QVERIFY(m_rig->connect());
    QVERIFY(m_rig->visible(QStringLiteral("cmdDifferences")));
    m_rig->click(QStringLiteral("cmdDownload"));
    QCOMPARE(m_rig->prompts.last().text, QStringLiteral("Download Complete"));
    QVERIFY(!m_rig->visible(QStringLiteral("cmdDifferences")));
}

QTEST_MAIN(tst_frmConnect_transfer)
#include "tst_frmConnect_transfer.moc"
