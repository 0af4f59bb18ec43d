#include "DataDirectory.h"
#include "FakeFileDialogs.h"
#include "MainWindowDriver.h"
#include "QtFileDialogs.h"
#include "QtPrompts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <memory>

// The Qt sides of the seams, with real message boxes and file dialogs. A timer waits for the
// modal window, records what it shows and answers it as a user would.
class tst_QtPrompts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_home = std::make_unique<IsolatedHome>(); }
    void askYesNo_realBox_returnsButtonPressed_data();
    void askYesNo_realBox_returnsButtonPressed();
    void message_realBox_showsTitleTextAndIcon_data();
    void message_realBox_showsTitleTextAndIcon();
    void exit_realBoxAnsweredNo_keepsWindowOpen();
    void openDialog_real_startsInDataDirectoryWithFilter();
    void saveDialog_existingFile_asksBeforeReplacing();

private:
    template <typename T> void whenModal(std::function<void(T *)> act)
    {
        auto *timer = new QTimer(this);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, this, [timer, act] {
            if (auto *modal = qobject_cast<T *>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                act(modal);
            }
        });
        timer->start();
    }
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };
    void answerBox(Seen &seen, QMessageBox::StandardButton answer)
    {
        whenModal<QMessageBox>([&seen, answer](QMessageBox *box) {
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
            box->button(answer)->click();
        });
    }

    // As a user types a name into the dialog's name field.
    static void typeName(QFileDialog *dialog, const QString &file)
    {
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setText(QFileInfo(file).fileName());
    }

    std::unique_ptr<IsolatedHome> m_home;
};

void tst_QtPrompts::askYesNo_realBox_returnsButtonPressed_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("result");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("No") << int(QMessageBox::No) << false;
}

void tst_QtPrompts::askYesNo_realBox_returnsButtonPressed()
{
    QFETCH(int, button);
    QtPrompts prompts;
    Seen seen;
    answerBox(seen, static_cast<QMessageBox::StandardButton>(button));
    QTEST(
        prompts.askYesNo(QStringLiteral("Tevara Orvandel"), QStringLiteral("Discard Any Changes?")),
        "result");
    QCOMPARE(seen.title, QStringLiteral("Tevara Orvandel"));
    QCOMPARE(seen.text, QStringLiteral("Discard Any Changes?"));
    QCOMPARE(seen.icon, QMessageBox::Question);
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
}

void tst_QtPrompts::message_realBox_showsTitleTextAndIcon_data()
{
    QTest::addColumn<Prompts::Icon>("icon");
    QTest::addColumn<int>("boxIcon");
    QTest::newRow("information") << Prompts::Icon::Information << int(QMessageBox::Information);
    QTest::newRow("warning") << Prompts::Icon::Warning << int(QMessageBox::Warning);
    QTest::newRow("critical") << Prompts::Icon::Critical << int(QMessageBox::Critical);
}

void tst_QtPrompts::message_realBox_showsTitleTextAndIcon()
{
    QFETCH(Prompts::Icon, icon);
    QtPrompts prompts;
    Seen seen;
    answerBox(seen, QMessageBox::Ok);
    prompts.message(QStringLiteral("Error"),
                    QStringLiteral("This Dimmer Output Is Configured To Track Photocell 2.\r\n"
                                   "Tracking Of 2 Photocells Is Not Permitted. <b>"),
                    icon);
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(seen.text, QStringLiteral("This Dimmer Output Is Configured To Track Photocell 2.\n"
                                       "Tracking Of 2 Photocells Is Not Permitted. <b>"));
    QTEST(int(seen.icon), "boxIcon");
    QCOMPARE(seen.buttons, QMessageBox::Ok);
}

void tst_QtPrompts::exit_realBoxAnsweredNo_keepsWindowOpen()
{
    modOVMXConfig doc;
    QtPrompts prompts;
    FakeFileDialogs fileDialogs;
    frmMain window(doc, prompts, fileDialogs);
    prompts.setParentWidget(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    doc.ConfigModified = true;
    Seen seen;
    answerBox(seen, QMessageBox::No);
    window.findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
    QCOMPARE(seen.title, QStringLiteral("Exit Program"));
    QCOMPARE(seen.text, QStringLiteral("Discard Changes?"));
    QVERIFY(window.isVisible());
    QVERIFY(!doc.ExitConfirmed);
}

void tst_QtPrompts::openDialog_real_startsInDataDirectoryWithFilter()
{
    DataDirectory::ensureExists();
    const QString file = DataDirectory::path() + QStringLiteral("/Site.OMX");
    QVERIFY(modOVMXConfig().writeFile(file).ok);
    QtFileDialogs dialogs;
    QString directory;
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        directory = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        mode = dialog->fileMode();
        typeName(dialog, file);
        static_cast<QDialog *>(dialog)->accept(); // the file dialog validates the name
    });
    const QString chosen =
        dialogs.getOpenFileName(DataDirectory::presetFileName(), DataDirectory::fileFilter());
    QCOMPARE(chosen, QDir::toNativeSeparators(file));
    QCOMPARE(directory, DataDirectory::path());
    QCOMPARE(filters, QStringList({QStringLiteral("Orvandel MX Data Files (*.OMX *.omx)"),
                                   QStringLiteral("All Files (*)")}));
    QCOMPARE(mode, QFileDialog::ExistingFile);
}

void tst_QtPrompts::saveDialog_existingFile_asksBeforeReplacing()
{
    DataDirectory::ensureExists();
    const QString file = DataDirectory::path() + QStringLiteral("/Existing.OMX");
    QVERIFY(modOVMXConfig().writeFile(file).ok);
    QtFileDialogs dialogs;
    Seen replace;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        acceptMode = dialog->acceptMode();
        typeName(dialog, file);
        answerBox(replace, QMessageBox::Yes);
        static_cast<QDialog *>(dialog)->accept(); // the file dialog validates the name
    });
    const QString chosen =
        dialogs.getSaveFileName(DataDirectory::presetFileName(), DataDirectory::fileFilter());
    QCOMPARE(chosen, QDir::toNativeSeparators(file));
    QCOMPARE(acceptMode, QFileDialog::AcceptSave);
    QVERIFY2(replace.text.contains(QStringLiteral("Existing.OMX")), qPrintable(replace.text));
}

QTEST_MAIN(tst_QtPrompts)
#include "tst_QtPrompts.moc"
