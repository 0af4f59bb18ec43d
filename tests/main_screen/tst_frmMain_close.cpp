#include "MainWindowDriver.h"

#include <QAction>

#include <memory>

// Leaving the tool, the keyboard shortcuts and the file named on the command line.
class tst_frmMain_close : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_home = std::make_unique<IsolatedHome>(); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_ui = std::make_unique<MainWindowDriver>();
    }
    void cleanup()
    {
        m_ui.reset();
        m_dir.reset();
    }

    void exit_unmodified_closesWithoutAsking();
    void exit_answeredNo_staysOpen();
    void exit_answeredYes_closesWithoutAskingAgain();
    void close_modified_asksAndNoKeepsWindow();
    void shortcuts_ctrlKeys_runFileCommands_data();
    void shortcuts_ctrlKeys_runFileCommands();
    void openFile_atStartFailing_keepsNewConfiguration();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void trigger(const char *name) { m_ui->child<QAction>(QLatin1String(name))->trigger(); }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindowDriver> m_ui;
};

void tst_frmMain_close::exit_unmodified_closesWithoutAsking()
{
    QVERIFY(m_ui->show());
    trigger("mnuExit");
    QVERIFY(m_ui->prompts.calls.isEmpty());
    QVERIFY(!m_ui->window.isVisible());
}

void tst_frmMain_close::exit_answeredNo_staysOpen()
{
    QVERIFY(m_ui->show());
    m_ui->doc.ConfigModified = true;
    m_ui->prompts.script({false});
    trigger("mnuExit");
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Exit Program"));
    QCOMPARE(m_ui->prompts.last().text, QStringLiteral("Discard Changes?"));
    QVERIFY(m_ui->window.isVisible());
    QVERIFY(!m_ui->doc.ExitConfirmed);
}

void tst_frmMain_close::exit_answeredYes_closesWithoutAskingAgain()
{
    QVERIFY(m_ui->show());
    m_ui->doc.ConfigModified = true;
    m_ui->prompts.script({true});
    trigger("mnuExit");
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    QVERIFY(m_ui->doc.ExitConfirmed);
    QVERIFY(!m_ui->window.isVisible());
    QCOMPARE(m_ui->prompts.unscripted, 0);
}

void tst_frmMain_close::close_modified_asksAndNoKeepsWindow()
{
    QVERIFY(m_ui->show());
    m_ui->window.lblControl_Click(26); // merely opening an editor counts as a change
    m_ui->prompts.script({false, true});
    QVERIFY(!m_ui->window.close());
    QVERIFY(m_ui->window.isVisible());
    QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Exit Program"));
    QCOMPARE(m_ui->prompts.last().text, QStringLiteral("Discard Changes?"));
    QVERIFY(m_ui->window.close());
    QCOMPARE(m_ui->prompts.calls.size(), 2);
}

void tst_frmMain_close::shortcuts_ctrlKeys_runFileCommands_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("Ctrl+N asks about changes") << int(Qt::Key_N) << 1 << 0;
    QTest::newRow("Ctrl+O asks, then opens") << int(Qt::Key_O) << 1 << 1;
    QTest::newRow("Ctrl+S on None saves as") << int(Qt::Key_S) << 0 << 1;
}

void tst_frmMain_close::shortcuts_ctrlKeys_runFileCommands()
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

void tst_frmMain_close::openFile_atStartFailing_keepsNewConfiguration()
{
    QVERIFY(!m_ui->window.openFile(path("nowhere/absent.OMX")));
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Error"));
    QCOMPARE(m_ui->prompts.last().icon, Prompts::Icon::Critical);
    QCOMPARE(m_ui->doc.DataFileName, QStringLiteral("None"));
    QVERIFY(!m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->doc.GetTimedOffAlert(), 3);
}

QTEST_MAIN(tst_frmMain_close)
#include "tst_frmMain_close.moc"
