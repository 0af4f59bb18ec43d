#include "BackupStore.h"
#include "ConnectColours.h"
#include "FakeFileDialogs.h"
#include "FakePrompts.h"
#include "Frames.h"
#include "SimulatedSerialPort.h"
#include "frmActivity.h"
#include "frmConnect.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The connection window driven by the user's steps in transcripts/*.txt, each "=== " block one
// session with a fresh window, document and simulated controller. After each "> step" the
// transcript holds what happened: every box with what ran behind it, the commands sent, the
// progress painted, then each line of the window's, document's and controller's state that
// changed.

namespace
{
// The simulated controller's line; a set `statusReply` answers the status command in the
// controller's place.
class StatusPort : public SimulatedSerialPort
{
public:
    using SimulatedSerialPort::SimulatedSerialPort;
    QByteArray statusReply;

    bool write(const QByteArray &data) override
    {
        const bool written = SimulatedSerialPort::write(data);
        if (written && !statusReply.isEmpty() &&
            data == Frames::buildRequest(Frames::statusCommand()))
            injectReceived(statusReply); // ahead of the controller's own, which is then discarded
        return written;
    }
};

// Every "Block n Of 16" caption a transfer button was painted with, in order; the transfer
// holds the event loop, so each shows only if painted at once.
class PaintLog : public QObject
{
public:
    QStringList captions;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto *button = qobject_cast<QPushButton *>(watched);
        if (button && event->type() == QEvent::Paint && button->text().startsWith("Block "))
            captions << button->text();
        return false;
    }
};

// A backup's name: controller-2026-12-06-181502.OMX, a second one in that second -2.OMX.
const QRegularExpression Dated(u"^controller-\\d{4}-\\d\\d-\\d\\d-\\d{6}(-\\d+)?\\.OMX$"_s);

QString colourName(const QLabel *label)
{
    const QColor c = ConnectColours::background(label);
    return u"(%1, %2, %3)"_s.arg(c.red()).arg(c.green()).arg(c.blue());
}

// The words that differ from a new configuration, so that a whole image reads in one line.
template <typename Words> QString describe(const Words &words)
{
    modOVMXConfig fresh;
    fresh.NewConfiguration();
    QString text = u"new configuration"_s;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        if (int(words[size_t(w)]) != fresh.GetWord(w))
            text += u", word %1 = %2"_s.arg(w).arg(int(words[size_t(w)]));
    return text;
}

struct Session {
    QTemporaryDir home; // where the backups go
    modOVMXConfig doc;
    FakePrompts prompts;
    FakeFileDialogs fileDialogs;
    ControllerSimulator sim;
    StatusPort port{sim};
    modOVMXCommunications comm{port};
    PaintLog painted;
    std::unique_ptr<frmConnect> window;
    qsizetype boxesSeen = 0, sentSeen = 0;
    QStringList state, transcript;

    Session()
    {
#ifdef Q_OS_WIN
        // Windows finds the data folder itself: the tests' own, emptied for each session.
        QStandardPaths::setTestModeEnabled(true);
        QDir(QFileInfo(BackupStore::directory()).path()).removeRecursively();
#else
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
#endif
        doc.NewConfiguration();
        std::copy(doc.image().begin(), doc.image().end(), sim.memory.begin());
        prompts.whatRunsBehind = [this] { // and the reason shown beside the box
            const auto *reason = child<QLabel>(u"lblPortError"_s);
            return u"poll %1, port %2"_s.arg(window->timer()->isActive() ? "on" : "off",
                                             comm.PortOpen() ? "open" : "closed") +
                   (reason->isVisible() ? ": " + reason->text() : QString());
        };
    }
    template <typename T = QWidget> T *child(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    QString text(const QString &name) const { return child<QLabel>(name)->text(); }

    // Setup: "controller holds W=V...", "document holds W=V...", "controller answers status
    // PAYLOAD", "controller fault NAME", "controller only on COMn", "document unmodified",
    // "backup folder blocked by a file". The user: "open", "choose COMn", "click BUTTON",
    // "answer Yes|No|Cancel" (to the next question), "identify OUTPUT" (from the activity
    // window), "wait for the identify", "press Escape", "read the status", "read the
    // differences", "read the activity". Time: "poll" (one tick by hand), "wait for the timer"
    // (its own tick).
    void step(const QString &line)
    {
        const QString arg = line.section(u' ', -1);
        if (line.startsWith("controller holds") || line.startsWith("document holds")) {
            for (const QString &pair : line.split(u' ').mid(2)) {
                const int w = pair.section(u'=', 0, 0).toInt(), v = pair.section(u'=', 1).toInt();
                if (line.startsWith("document"))
                    doc.SetWord(w, v);
                else
                    sim.memory[size_t(w)] = uint8_t(v);
            }
        } else if (line.startsWith("controller answers status")) {
            port.statusReply = Frames::buildReply(arg.toLatin1());
        } else if (line.startsWith("controller fault")) {
            QVERIFY(sim.faults.add(arg, nullptr));
        } else if (line.startsWith("controller only on")) {
            port.setPorts({arg.mid(3).toInt()});
        } else if (line == "document unmodified") {
            doc.ConfigModified = false;
        } else if (line == "backup folder blocked by a file") {
            QVERIFY(QDir().mkpath(QFileInfo(BackupStore::directory()).path()));
            QVERIFY(QFile(BackupStore::directory()).open(QIODevice::WriteOnly));
        } else if (line == "open") {
            window = std::make_unique<frmConnect>(doc, prompts, fileDialogs, comm);
            window->setBackupOpener([this] { // as the main window asks, then opens the newest
                if (doc.ConfigModified &&
                    !prompts.askYesNo(u"Tevara Orvandel"_s, u"Discard Any Changes?"_s))
                    return;
                const auto kept = BackupStore::list();
                if (!kept.isEmpty() && doc.readFile(kept.first().path).ok) {
                    doc.DataFileName = u"the newest backup"_s;
                    doc.ConfigModified = false;
                }
            });
            child(u"cmdDownload"_s)->installEventFilter(&painted);
            child(u"cmdUpload"_s)->installEventFilter(&painted);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get())); // progress is painted
        } else if (line.startsWith("choose")) {
            auto *list = child<QComboBox>(u"cboComPort"_s);
            list->setCurrentIndex(list->findText(arg));
            Q_EMIT list->activated(list->currentIndex());
        } else if (line.startsWith("click")) {
            QTest::mouseClick(child<QPushButton>(arg), Qt::LeftButton);
        } else if (line == "answer Cancel") {
            prompts.choices << Prompts::Answer::Cancel;
        } else if (line.startsWith("answer")) {
            prompts.script({arg == "Yes"});
        } else if (line == "poll") {
            window->Timer1_Timer();
        } else if (line == "wait for the timer") {
            QTRY_VERIFY_WITH_TIMEOUT(port.written().size() > sentSeen, 10000);
        } else if (line.startsWith("identify")) {
            // The poll stopped, so only Identify's commands are sent; the activity window's
            // own list and button ask for it.
            window->timer()->stop();
            auto *activity = window->findChild<QWidget *>(u"frmActivity"_s);
            auto *outputs = activity->findChild<QComboBox *>(u"cboIdentify"_s);
            outputs->setCurrentIndex(outputs->findText(line.section(u' ', 1)));
            QTest::mouseClick(activity->findChild<QPushButton *>(u"cmdIdentify"_s), Qt::LeftButton);
        } else if (line == "wait for the identify") {
            auto *activity = window->findChild<QWidget *>(u"frmActivity"_s);
            QTRY_VERIFY_WITH_TIMEOUT(
                activity->findChild<QPushButton *>(u"cmdIdentify"_s)->isEnabled(), 10000);
        } else if (line == "press Escape") {
            QTest::keyClick(window.get(), Qt::Key_Escape);
        } else if (line == "read the status") {
            transcript << status();
        } else if (line == "read the activity") {
            transcript << activity();
        } else if (line == "read the differences") {
            QTest::mouseClick(child<QPushButton>(u"cmdDifferences"_s), Qt::LeftButton);
            transcript << child<QPlainTextEdit>(u"txtDifferences"_s)->toPlainText();
        } else {
            QFAIL(qPrintable("unknown step: " + line));
        }
    }

    void record()
    {
        for (const auto &c : prompts.calls.mid(std::exchange(boxesSeen, prompts.calls.size())))
            transcript << u"%1 \"%2\" (%3): %4 [%5]"_s.arg(
                c.kind == FakePrompts::Kind::Question ? "question" : "message", c.title,
                FakePrompts::iconName(c.icon), QString(c.text).replace("\r\n", " / "), c.behind);
        QStringList sent; // inside "[CC00" ... "]", a block write by its address
        for (const auto &frame : port.written().mid(std::exchange(sentSeen, port.written().size())))
            sent << QString::fromLatin1(frame.size() > 16 ? frame.mid(5, 8) + "..."
                                                          : frame.mid(5, frame.size() - 6));
        if (!sent.isEmpty())
            transcript << "sent: " + sent.join(u' ');
        if (!painted.captions.isEmpty())
            transcript << "progress: " + std::exchange(painted.captions, {}).join(", ");
        const QStringList now = snapshot();
        for (qsizetype i = 0; i < now.size(); ++i)
            if (state.size() != now.size() || state.at(i) != now.at(i))
                transcript << now.at(i);
        state = now;
    }

    QStringList snapshot() const
    {
        if (!window)
            return {};
        QStringList inView;
        for (const char *name :
             {"cboComPort", "cmdConnect", "lblPortError", "frmStatus", "cmdDownload", "cmdUpload",
              "lblVerify", "cmdDifferences", "cmdActivity", "cmdClose"})
            if (child(name)->isVisible())
                inView << name + QString(child(name)->isEnabled() ? "" : " (disabled)");
        auto *list = child<QComboBox>(u"cboComPort"_s);
        QStyleOptionComboBox box; // where the list draws its entry
        box.initFrom(list);
        box.subControls = QStyle::SC_All;
        const int room =
            list->style()
                ->subControlRect(QStyle::CC_ComboBox, &box, QStyle::SC_ComboBoxEditField, list)
                .width();
        const bool cut = list->fontMetrics().horizontalAdvance(list->itemText(7)) > room;
        const QTimer *poll = window->timer();
        modOVMXConfig::Image backup{};
        const QString path = window->lastBackupPath();
        const bool kept = !path.isEmpty() && modOVMXConfig::readImage(path, backup).ok;
        const QStringList backups =
            QDir(BackupStore::directory()).entryList({u"*.OMX"_s}, QDir::Files);
        return {"window: " + QString(window->isVisible() ? "shown" : "closed"),
                "in view: [" + inView.join(u' ') + "]",
                u"port list: %1 to %2 (chosen: %3)%4"_s.arg(list->itemText(0), list->itemText(7),
                                                            list->currentText(),
                                                            cut ? ", names cut" : ""),
                u"device: \"%1\", port error: \"%2\""_s.arg(text(u"lblDevice"_s),
                                                            text(u"lblPortError"_s)),
                "port: " + (comm.PortOpen() ? u"COM%1 open"_s.arg(port.openedPort()) : "closed"),
                "poll: " + (poll->isActive() ? u"every %1 ms"_s.arg(poll->interval()) : "stopped"),
                u"verify: \"%1\" on %2%3"_s.arg(
                    text(u"lblVerify"_s), colourName(child<QLabel>(u"lblVerify"_s)),
                    child(u"lblNotes"_s)->isVisible()
                        ? " / " + text(u"lblNotes"_s).replace(QLatin1Char('\n'), u" / "_s)
                        : QString()),
                u"buttons: \"%1\", \"%2\""_s.arg(child<QPushButton>(u"cmdDownload"_s)->text(),
                                                 child<QPushButton>(u"cmdUpload"_s)->text()),
                u"document: %1, %2, file %3"_s.arg(describe(doc.image()),
                                                   doc.ConfigModified ? "modified" : "unmodified",
                                                   doc.DataFileName),
                "controller: " + describe(sim.memory),
                u"backups: %1 (%2 named by date and time), the last holding %3"_s.arg(
                    QString::number(backups.size()), QString::number(backups.filter(Dated).size()),
                    kept ? describe(backup) : u"none"_s),
                u"waited on the line: %1 ms"_s.arg(port.simulatedMs())};
    }

    // The activity windows, and the events of the list as words: the times are the clock's.
    QString activity() const
    {
        const QList<frmActivity *> windows = window->findChildren<frmActivity *>();
        if (windows.isEmpty())
            return u"activity: none"_s;
        const ActivityModel &events = windows.first()->events();
        QStringList rows;
        for (int r = 0; r < events.rowCount(); ++r) {
            const QString followed =
                events.index(r, ActivityModel::FollowedColumn).data().toString();
            rows << events.index(r, ActivityModel::EventColumn).data().toString() +
                        (followed.isEmpty() ? "" : " (followed by " + followed + ")");
        }
        return u"activity: %1 window, %2, %3; events: %4"_s.arg(
            QString::number(windows.size()), windows.first()->isVisible() ? "shown" : "closed",
            windows.first()->isModal() ? "modal" : "not modal",
            rows.isEmpty() ? u"none"_s : rows.join(" | "));
    }

    // Every status value as shown: frame / caption (colour): value (colour), hidden rows.
    QStringList status() const
    {
        QStringList lines, hidden;
        for (int i = 0; i < frmConnect::StatusCount; ++i) {
            auto *name = child<QLabel>(u"lblStatusName(%1)"_s.arg(i));
            auto *value = child<QLabel>(u"lblStatus(%1)"_s.arg(i));
            lines << u"%1 / %2 %3: %4 %5%6%7"_s.arg(
                qobject_cast<QGroupBox *>(value->parentWidget())->title(), name->text(),
                colourName(name), value->text(), colourName(value),
                name->isVisible() ? "" : " caption hidden",
                value->isVisible() ? "" : " value hidden");
        }
        for (QPushButton *button : child(u"frmStatus"_s)->findChildren<QPushButton *>())
            if (!button->isVisible())
                hidden << button->objectName();
        return lines << "hidden buttons: " + (hidden.isEmpty() ? u"none"_s : hidden.join(u' '));
    }
};
} // namespace

class tst_frmConnect : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void session_runsAsTranscribed_data();
    void session_runsAsTranscribed();
};

void tst_frmConnect::session_runsAsTranscribed_data()
{
    QTest::addColumn<QStringList>("transcript");
    for (const QFileInfo &info : QDir(QFINDTESTDATA("transcripts")).entryInfoList({u"*.txt"_s})) {
        QFile file(info.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        for (const QString &session :
             QString::fromUtf8(file.readAll()).split("=== ", Qt::SkipEmptyParts)) {
            QStringList lines = session.trimmed().split(u'\n');
            QTest::addRow("%s", qPrintable(lines.takeFirst())) << lines;
        }
    }
}

void tst_frmConnect::session_runsAsTranscribed()
{
    QFETCH(QStringList, transcript);
    Session s;
    for (const QString &line : transcript.filter(QRegularExpression(u"^> "_s))) {
        s.transcript << line;
        s.step(line.mid(2));
        if (QTest::currentTestFailed())
            return;
        s.record();
    }
    QCOMPARE(s.transcript, transcript);
}

QTEST_MAIN(tst_frmConnect)
#include "tst_frmConnect.moc"
