#include "ConnectRig.h"
#include "MainWindowDriver.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>

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
    QStringList blocks() const { return captions.filter(QStringLiteral("Block ")); }
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
const QString Equal = QStringLiteral("Settings Are Equal");
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
    void download_fails_errorShownImageKept_data();
    void download_fails_errorShownImageKept();
    void upload_modifiedAnsweredNo_nothingRead();
    void upload_succeeds_imageFromControllerWithWindowsPort();
    void upload_fails_documentClearedKeepingWindowsPort_data();
    void upload_fails_documentClearedKeepingWindowsPort();
    void connect_memoryReadWhole_keepsBackupFile();
    void connect_noBackup_stillConnects_data();
    void connect_noBackup_stillConnects();
    void differences_notEqual_listsFieldsInWords();

private:
    QStringList backups() const
    {
        return QDir(frmConnect::backupDirectory())
            .entryList({QStringLiteral("*.OMX")}, QDir::Files, QDir::Name);
    }
    QString verify() const { return m_rig->text(QStringLiteral("lblVerify")); }

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
    QVERIFY(m_rig->visible(QStringLiteral("cmdDifferences")));
    auto *button = m_rig->child<QPushButton>(QStringLiteral("cmdDownload"));
    PaintedCaptions painted(button);
    m_rig->click(QStringLiteral("cmdDownload"));

    QCOMPARE(painted.blocks(), blockCaptions());
    QCOMPARE(button->text(), QStringLiteral("Send Settings To OV-2"));
    QCOMPARE(m_rig->prompts.calls.size(), 1);
    QCOMPARE(m_rig->prompts.last().title, QStringLiteral("Download"));
    QCOMPARE(m_rig->prompts.last().text, QStringLiteral("Download Complete"));
    QCOMPARE(m_rig->prompts.last().icon, Prompts::Icon::NoIcon);
    QCOMPARE(verify(), Equal);
    QVERIFY(!m_rig->visible(QStringLiteral("cmdDifferences")));
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        QCOMPARE(int(m_rig->sim.memory[static_cast<size_t>(w)]), int(m_rig->doc.GetWord(w)));
    QVERIFY(m_rig->doc.ConfigModified); // a download saves nothing
    QCOMPARE(m_rig->port.sent("04"), 16);
    QVERIFY(m_rig->window->timer()->isActive());
}

void tst_frmConnect_transfer::download_fails_errorShownImageKept_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("text");
    QTest::newRow("block 3 unanswered")
        << "silent-from-block=3"
        << "Download Communications Error(1).\r\nOrvandel Controller Will Not Function\r\n"
           "Properly Until A Download Is Complete.";
    QTest::newRow("checksum high half") << "wrong-checksum=1"
                                        << "Checksum Error(MSW). Controller Settings Not Valid.";
}

void tst_frmConnect_transfer::download_fails_errorShownImageKept()
{
    QFETCH(QString, fault);
    m_rig->sim.memory[300] = 1;
    QVERIFY(m_rig->connect());
    const modOVMXConfig::Image before = m_rig->doc.image();
    m_rig->fault(fault);
    m_rig->click(QStringLiteral("cmdDownload"));
    QCOMPARE(m_rig->prompts.last().title, QStringLiteral("Error"));
    QTEST(m_rig->prompts.last().text, "text");
    QCOMPARE(m_rig->prompts.last().icon, Prompts::Icon::Critical);
    QCOMPARE(m_rig->child<QPushButton>(QStringLiteral("cmdDownload"))->text(),
             QStringLiteral("Send Settings To OV-2"));
    QCOMPARE(verify(), QStringLiteral("Settings Are  Not Equal"));
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
    QCOMPARE(m_rig->port.sent("05"), 0);
    QVERIFY(m_rig->window->timer()->isActive());
}

void tst_frmConnect_transfer::upload_succeeds_imageFromControllerWithWindowsPort()
{
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
    QCOMPARE(painted.blocks(), blockCaptions());
    QCOMPARE(button->text(), QStringLiteral("Get Settings From OV-2"));
    QCOMPARE(m_rig->doc.GetRelayCloseAction(2, 2), 2);
    QCOMPARE(m_rig->doc.GetComPort(), 2);
    QVERIFY(m_rig->doc.ConfigModified);
    QCOMPARE(verify(), Equal);
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
    m_rig->fault(fault);
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

void tst_frmConnect_transfer::connect_noBackup_stillConnects_data()
{
    QTest::addColumn<bool>("unwritable"); // else: the memory is not read whole
    QTest::newRow("folder unwritable") << true;
    QTest::newRow("last block unanswered") << false;
}

void tst_frmConnect_transfer::connect_noBackup_stillConnects()
{
    QFETCH(bool, unwritable);
    const QString folder = frmConnect::backupDirectory();
    if (unwritable) { // a file where the folder should be
        QDir().mkpath(QFileInfo(folder).path());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else {
        m_rig->fault(QStringLiteral("silent-from-block=16"));
    }
    m_rig->sim.memory[10] = 1;
    QVERIFY(m_rig->open());
    m_rig->click(QStringLiteral("cmdConnect"));
    QVERIFY(m_rig->window->isConnected());
    QVERIFY(backups().isEmpty());
    QVERIFY(m_rig->window->lastBackupPath().isEmpty());
    QVERIFY(m_rig->prompts.calls.isEmpty());
    // The differences can be listed only from a whole copy.
    QCOMPARE(m_rig->visible(QStringLiteral("cmdDifferences")), unwritable);
    if (unwritable) {
        QVERIFY(m_rig->child<QLabel>(QStringLiteral("lblVerify"))
                    ->toolTip()
                    .startsWith(QStringLiteral("No backup")));
        QVERIFY(QFile::remove(folder));
    }
}

void tst_frmConnect_transfer::differences_notEqual_listsFieldsInWords()
{
    m_rig->sim.memory[481 + 2] = 200; // a dimmer 1 field
    QVERIFY(m_rig->connect());
    m_rig->click(QStringLiteral("cmdDifferences"));
    auto *text = m_rig->window->findChild<QPlainTextEdit *>(QStringLiteral("txtDifferences"));
    QVERIFY(text);
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->toPlainText().count(QLatin1Char('\n')), 0); // one field differs
    // In words, the document's value before the controller's.
    QVERIFY2(text->toPlainText().startsWith(QStringLiteral("Dimmer 1: ")) &&
                 text->toPlainText().contains(QStringLiteral(" → 200")),
             qPrintable(text->toPlainText()));
}

QTEST_MAIN(tst_frmConnect_transfer)
#include "tst_frmConnect_transfer.moc"
