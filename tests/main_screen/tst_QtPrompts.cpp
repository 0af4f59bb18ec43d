#include "DataDirectory.h"
#include "MainWindowDriver.h"
#include "QtFileDialogs.h"
#include "QtPrompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <memory>

// Real message boxes and file dialogs: a timer waits for the modal window, records what it
// shows and answers it as a user would.
class tst_QtPrompts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_home = std::make_unique<IsolatedHome>(); }
    void realBox_showsTitleTextIconAndButtons_data();
    void realBox_showsTitleTextIconAndButtons();
    void fileDialogs_real_startInDataDirectory_data();
    void fileDialogs_real_startInDataDirectory();

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
        QString title, text;
        int icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };
    void answerBox(Seen &seen, QMessageBox::StandardButton answer)
    {
        whenModal<QMessageBox>([&seen, answer](QMessageBox *box) {
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
            box->button(answer)->click();
        });
    }

    std::unique_ptr<IsolatedHome> m_home;
};

void tst_QtPrompts::realBox_showsTitleTextIconAndButtons_data()
{
    QTest::addColumn<int>("icon"); // -1: a yes/no question
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("boxIcon");
    QTest::newRow("question Yes") << -1 << int(QMessageBox::Yes) << true
                                  << int(QMessageBox::Question);
    QTest::newRow("question No") << -1 << int(QMessageBox::No) << false
                                 << int(QMessageBox::Question);
    QTest::newRow("information") << int(Prompts::Icon::Information) << int(QMessageBox::Ok) << false
                                 << int(QMessageBox::Information);
    QTest::newRow("warning") << int(Prompts::Icon::Warning) << int(QMessageBox::Ok) << false
                             << int(QMessageBox::Warning);
    QTest::newRow("critical") << int(Prompts::Icon::Critical) << int(QMessageBox::Ok) << false
                              << int(QMessageBox::Critical);
}

void tst_QtPrompts::realBox_showsTitleTextIconAndButtons()
{
    QFETCH(int, icon);
    QFETCH(int, answer);
    QtPrompts prompts;
    Seen seen;
    answerBox(seen, static_cast<QMessageBox::StandardButton>(answer));
    // Line ends arrive as CR LF and markup stays plain text.
    const QString text = QStringLiteral("Tracking Of 2\r\nPhotocells <b>");
    if (icon < 0) {
        QTEST(prompts.askYesNo(QStringLiteral("Tevara Orvandel"), text), "result");
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    } else {
        prompts.message(QStringLiteral("Tevara Orvandel"), text, static_cast<Prompts::Icon>(icon));
        QCOMPARE(seen.buttons, QMessageBox::Ok);
    }
    QCOMPARE(seen.title, QStringLiteral("Tevara Orvandel"));
    QCOMPARE(seen.text, QStringLiteral("Tracking Of 2\nPhotocells <b>"));
    QTEST(seen.icon, "boxIcon");
}

void tst_QtPrompts::fileDialogs_real_startInDataDirectory_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("open") << false;
    QTest::newRow("save over an existing file asks first") << true;
}

void tst_QtPrompts::fileDialogs_real_startInDataDirectory()
{
    QFETCH(bool, save);
    DataDirectory::ensureExists();
    const QString file = DataDirectory::path() + QStringLiteral("/Existing.OMX");
    QVERIFY(modOVMXConfig().writeFile(file).ok);
    QtFileDialogs dialogs;
    QString directory;
    QStringList filters;
    int mode = -1, acceptMode = -1;
    Seen replace;
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        directory = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        mode = dialog->fileMode();
        acceptMode = dialog->acceptMode();
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
            ->setText(QFileInfo(file).fileName());
        if (save)
            answerBox(replace, QMessageBox::Yes);
        static_cast<QDialog *>(dialog)->accept(); // the file dialog validates the name
    });
    const QString preset = DataDirectory::presetFileName(), filter = DataDirectory::fileFilter();
    const QString chosen =
        save ? dialogs.getSaveFileName(preset, filter) : dialogs.getOpenFileName(preset, filter);
    QCOMPARE(chosen, QDir::toNativeSeparators(file));
    QCOMPARE(directory, DataDirectory::path());
    QCOMPARE(filters, QStringList({QStringLiteral("Orvandel MX Data Files (*.OMX *.omx)"),
                                   QStringLiteral("All Files (*)")}));
    if (save) {
        QCOMPARE(acceptMode, int(QFileDialog::AcceptSave));
        QVERIFY2(replace.text.contains(QStringLiteral("Existing.OMX")), qPrintable(replace.text));
    } else {
        QCOMPARE(mode, int(QFileDialog::ExistingFile));
    }
}

QTEST_MAIN(tst_QtPrompts)
#include "tst_QtPrompts.moc"
