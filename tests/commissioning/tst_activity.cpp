#include "ControllerSimulator.h"
#include "DataDirectory.h"
#include "FakeFileDialogs.h"
#include "FakePrompts.h"
#include "Frames.h"
#include "Happened.h"
#include "IsolatedHome.h"
#include "LiveColumn.h"
#include "WindowPlacement.h"
#include "frmActivity.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace
{
constexpr qint64 T = 1767225600000; // 2026-01-01 00:00:00 UTC

// A move joined late comes back to where it began; an output 2.5 s after an input follows none.
const QList<StatusEvent> Sample{
    happened(T + 1000, EventKind::InputClosed, 2, u"TB01 In 3 closed"_s),
    happened(T + 1250, EventKind::RelayOn, 1, u"Relay 2 on"_s),
    happened(T + 3000, EventKind::InputClosed, 5, u"TB01 In 6 closed"_s),
    happened(T + 3500, EventKind::InputClosed, 12, u"HW In 1 closed"_s),
    happened(T + 3250, EventKind::DimmerMoved, 0, u"Dimmer 1 0 → 25 in 0.5 s"_s),
    happened(T + 6000, EventKind::RelayOff, 1, u"Relay 2 off"_s),
};

QStringList rows(const QAbstractItemModel &model)
{
    QStringList lines;
    for (int r = 0; r < model.rowCount(); ++r) {
        const QString followed = model.index(r, ActivityModel::FollowedColumn).data().toString();
        lines << model.index(r, ActivityModel::EventColumn).data().toString() +
                     (followed.isEmpty() ? u""_s : " (" + followed + ")");
    }
    return lines;
}

struct Window {
    FakePrompts prompts;
    FakeFileDialogs dialogs;
    frmActivity window;
    ControllerSimulator sim;
    // The controller confirmed to run `doc`, as after a Connect that found it equal.
    Window(const modOVMXConfig &doc) : window(doc, prompts, dialogs, nullptr)
    {
        window.setControllerImage(doc.image());
    }
    // A status reply as the poll reads it: Tamberline 01's switches, the relays, dimmer 1.
    void reply(qint64 ms, uint8_t switches, uint8_t relays, uint8_t dimmer = 0)
    {
        sim.stationSwitches[0] = switches;
        sim.relays = relays;
        sim.dimmers[0] = dimmer;
        window.addReply(Frames::buildReply(sim.statusPayload()), T + ms);
    }
    template <typename T = QWidget> T *child(const char *name)
    {
        return window.findChild<T *>(QLatin1String(name));
    }
    const QAbstractItemModel &shown() { return *child<QTableView>("lstEvents")->model(); }
    QString record() { return child<QLabel>("lblRecord")->text(); }
};
} // namespace

class tst_Activity : public QObject
{
    Q_OBJECT
    IsolatedHome home;
    modOVMXConfig doc; // TB01 In 3 switches relay 2, HW In 1 steps dimmer 1, TB01 In 6 nothing
private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TZ", "UTC");
        doc.SetRelayCloseAction(2, 1, 2);
        doc.SetRelayOpenAction(2, 1, 1);
        doc.SetDimmerControl(12, 0, 3);
    }

    void filter_showsItsSubject_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("shown");
        QTest::newRow("allEvents_inTimeWithProgrammingAndFollowers")
            << "All events"
            << "TB01 In 3 closed — Relay 2: OnOff (Relay 2 on) | Relay 2 on | TB01 In 6 closed — "
               "not programmed (Dimmer 1 0 → 25 in 0.5 s) | Dimmer 1 0 → 25 in 0.5 s | HW In 1 "
               "closed — Dimmer 1: +10% | Relay 2 off";
        QTest::newRow("input_itsOwnEvents") << "TB01 In 3"
                                            << "TB01 In 3 closed — Relay 2: OnOff (Relay 2 on)";
        QTest::newRow("relay_itsOnAndOff") << "Relay 2"
                                           << "Relay 2 on | Relay 2 off";
        QTest::newRow("dimmer_itsMove") << "Dimmer 1"
                                        << "Dimmer 1 0 → 25 in 0.5 s";
    }
    void filter_showsItsSubject()
    {
        QFETCH(QString, subject);
        QFETCH(QString, shown);
        Window w(doc);
        w.window.addEvents(Sample);
        auto *filter = w.child<QComboBox>("cboFilter");
        filter->setCurrentIndex(filter->findText(subject));
        Q_EMIT filter->activated(filter->currentIndex());
        QCOMPARE(rows(w.shown()).join(" | "), shown);
    }

    void pauseResumeClear_holdThenShowThenEmpty()
    {
        Window w(doc);
        w.window.show();
        w.window.addEvents(QList<StatusEvent>(40, Sample[1]));
        const QScrollBar *bar = w.child<QTableView>("lstEvents")->verticalScrollBar();
        QVERIFY(bar->maximum() > 0 && bar->value() == bar->maximum()); // the newest in view
        auto *pause = w.child<QPushButton>("cmdPause");
        QTest::mouseClick(pause, Qt::LeftButton);
        w.window.addEvents(Sample);
        QCOMPARE(std::pair(w.shown().rowCount(), pause->text()), std::pair(40, u"Resume"_s));
        QTest::mouseClick(pause, Qt::LeftButton);
        QCOMPARE(w.shown().rowCount(), 46);
        QTest::mouseClick(w.child<QPushButton>("cmdClear"), Qt::LeftButton);
        QCOMPARE(w.shown().rowCount(), 0);
    }

    void cap_keepsTheNewest()
    {
        ActivityModel model;
        for (int n = 0; n < ActivityModel::Cap + 5; ++n)
            model.append(happened(T + n, EventKind::RelayOn, 0, u"Relay 1 on"_s));
        QCOMPARE(model.rowCount(), ActivityModel::Cap);
        QCOMPARE(model.event(0).timeMs, T + 5);
    }

    void saveAs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("shownRows_csvText")
            << "a.csv"
            << QByteArray("\xEF\xBB\xBFTime,Event,Followed by\r\n"
                          "2026-01-01T00:00:01.000Z,\"TB01 In 3 closed — Relay 2: OnOff, Dimmer 1: "
                          "+10%\",Relay 2 on\r\n"
                          "2026-01-01T00:00:01.250Z,Relay 2 on,\r\n"
                          "2026-01-01T00:00:03.500Z,HW In 1 closed — Dimmer 1: +10%,\r\n");
        QTest::newRow("folderMissing_reportedNothingWritten") << "missing/a.csv" << QByteArray();
    }
    void saveAs()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, written);
        modOVMXConfig multi = doc; // "Relay 2: OnOff, Dimmer 1: +10%" needs quoting
        multi.SetDimmerControl(2, 0, 3);
        Window w(multi);
        w.window.addEvents({Sample[0], Sample[1], Sample[3]});
        QTemporaryDir dir;
        w.dialogs.answers << dir.filePath(name);
        QTest::mouseClick(w.child<QPushButton>("cmdSaveAs"), Qt::LeftButton);
        QFile file(dir.filePath(name));
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), written);
        QCOMPARE(w.prompts.calls.size(), written.isEmpty() ? 1 : 0);
    }

    // Beside the connection window (451 x 422 with its frame), never over it: where the screen
    // has no room for both, the connection window moves aside and the activity window narrows.
    void placement_besideNeverOver_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("connection");
        QTest::addColumn<QRect>("movedTo");
        QTest::addColumn<QRect>("activity");
        QTest::newRow("roomOnTheRight_right")
            << QRect(0, 0, 1920, 1080) << QRect(600, 329, 451, 422) << QRect(600, 329, 451, 422)
            << QRect(1059, 329, 802, 505);
        QTest::newRow("roomOnTheLeftOnly_left")
            << QRect(0, 0, 1920, 1080) << QRect(1400, 329, 451, 422) << QRect(1400, 329, 451, 422)
            << QRect(590, 329, 802, 505);
        QTest::newRow("laptop_connectionMovesAside")
            << QRect(0, 0, 1366, 768) << QRect(457, 151, 451, 422) << QRect(105, 151, 451, 422)
            << QRect(564, 151, 802, 505);
        QTest::newRow("smallScreen_narrowed") << QRect(0, 0, 1024, 768) << QRect(286, 89, 451, 422)
                                              << QRect(0, 89, 451, 422) << QRect(459, 89, 565, 505);
        QTest::newRow("panelBelow_raised")
            << QRect(0, 0, 1366, 728) << QRect(457, 300, 451, 422) << QRect(105, 300, 451, 422)
            << QRect(564, 223, 802, 505);
    }
    void placement_besideNeverOver()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, connection);
        QFETCH(QRect, movedTo);
        QFETCH(QRect, activity);
        const WindowPlacement::Beside side =
            WindowPlacement::beside(connection, {802, 505}, screen, 8);
        QCOMPARE(side.anchor, movedTo);
        QCOMPARE(side.window, activity);
    }

    // Replies as the poll reads them: TB01 In 3 closes with relay 2, then opens with it.
    void walkTest_ticksFollowsAndTakesVerdicts()
    {
        Window w(doc);
        w.reply(0, 0, 0);
        QVERIFY(w.child<QLabel>("lblHeader")->text().contains("MX-4, firmware Rev 3, node FF"));
        w.reply(250, 0x04, 0x02);
        w.reply(500, 0, 0);
        WalkTestModel &walk = w.window.walkTest();
        QCOMPARE(walk.index(0, WalkTestModel::InputColumn).data(Qt::CheckStateRole), Qt::Checked);
        QCOMPARE(walk.index(0, WalkTestModel::SeenColumn).data().toString(), u"closed, opened"_s);
        QCOMPARE(walk.index(0, WalkTestModel::FollowedColumn).data().toString(),
                 u"Relay 2 on, Relay 2 off"_s);
        QCOMPARE(walk.index(1, WalkTestModel::InputColumn).data().toString(), u"HW In 1"_s);
        // In words, the whole of it in the tooltip, an output to a line.
        QCOMPARE(walk.index(0, WalkTestModel::ProgrammedColumn).data().toString(),
                 u"Relay 2 on when closed, off when opened"_s);
        QCOMPARE(walk.index(1, WalkTestModel::ProgrammedColumn).data(Qt::ToolTipRole).toString(),
                 u"Dimmer 1 raise 10 %, reverting when opened"_s);
        QCOMPARE(walk.index(2, WalkTestModel::InputColumn).data(Qt::ForegroundRole),
                 QVariant(QColor(Qt::gray)));
        QCOMPARE(w.child<QLabel>("lblProgress")->text(),
                 u"0 of 2 programmed inputs tested: 0 passed, 0 failed"_s);
        const auto set = [&](int column, const QVariant &value, int role) {
            QVERIFY(walk.setData(walk.index(0, column), value, role));
        };
        set(WalkTestModel::PassColumn, Qt::Checked, Qt::CheckStateRole);
        set(WalkTestModel::FailColumn, Qt::Checked, Qt::CheckStateRole);
        set(WalkTestModel::CommentColumn, u"stays on"_s, Qt::EditRole);
        QCOMPARE(walk.index(0, WalkTestModel::PassColumn).data(Qt::CheckStateRole), Qt::Unchecked);
        QCOMPARE(walk.test().input(2).verdict(), Verdict::Fail);
        QCOMPARE(walk.test().input(2).comment(), u"stays on"_s);
    }

    // A record of other settings is not taken up, and Save Record asks where instead of
    // replacing it (cancelled here, so closing still offers the record).
    void record_besideTheDataFile_data()
    {
        QTest::addColumn<bool>("sameSettings");
        QTest::addColumn<QString>("line");
        QTest::newRow("sameSettings_takenUpSavedBeside")
            << true
            << "Taken up from site.commissioning.json: 1 of 2 programmed inputs tested: 0 "
               "passed, 1 failed.";
        QTest::newRow("otherSettings_refusedSaveAsks") << false << "belongs to other settings";
    }
    void record_besideTheDataFile()
    {
        QFETCH(bool, sameSettings);
        QFETCH(QString, line);
        QTemporaryDir dir;
        modOVMXConfig site = doc;
        site.DataFileName = dir.filePath(u"site.OMX"_s);
        WalkTest made(sameSettings ? doc : modOVMXConfig()); // TB01 In 3 passed
        made.setVerdict(2, Verdict::Fail, T);
        QVERIFY(made.save(recordPath(site.DataFileName)).ok);
        Window w(site);
        QVERIFY2(w.record().contains(line), qPrintable(w.record()));
        WalkTestModel &walk = w.window.walkTest();
        QCOMPARE(walk.test().input(2).verdict(), sameSettings ? Verdict::Fail : Verdict::None);
        walk.setData(walk.index(0, WalkTestModel::CommentColumn), u"seen"_s, Qt::EditRole);
        QTest::mouseClick(w.child<QPushButton>("cmdSaveRecord"), Qt::LeftButton);
        QCOMPARE(w.record().startsWith("Saved in site.commissioning.json"), sameSettings);
        w.window.connectionClosed();
        const qsizetype asked = sameSettings ? 0 : 1; // the save dialog, the closing question
        QCOMPARE(w.dialogs.calls.size() + w.prompts.calls.size(), 2 * asked);
    }

    // Closing gives the move under way, offers the record, and a configuration never saved
    // asks where it goes.
    void connectionClosed_moveGivenRecordOfferedSavedWhereChosen()
    {
        Window w(doc);
        w.window.show();
        w.reply(0, 0, 0);
        w.reply(250, 0x04, 0, 50);
        QTemporaryDir dir;
        w.prompts.script({true});
        w.dialogs.answers << dir.filePath(u"walk.json"_s);
        w.window.connectionClosed();
        QCOMPARE(rows(w.shown()).join(" | "), u"TB01 In 3 closed — Relay 2: OnOff (Dimmer 1 0 → 50 "
                                              "in 0.3 s) | Dimmer 1 0 → 50 in 0.3 s"_s);
        QCOMPARE(w.prompts.last().title, u"Walk Test"_s);
        QCOMPARE(w.dialogs.last().presetName,
                 QDir::toNativeSeparators(DataDirectory::path() + "/site.commissioning.json"));
        QVERIFY(QFile::exists(dir.filePath(u"walk.json"_s)));
        QVERIFY(!w.window.isVisible());
    }

    // One rule for the list and the record: an output goes to every input of the latest reply
    // before it (two switches in one reply: both), and an output driven by hand to none.
    void credit_sameInListAndRecord_data()
    {
        QTest::addColumn<int>("handDriven"); // the subject driven by hand, -1 for none
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("record"); // what TB01 In 3 and In 4 followed
        QTest::newRow("twoInputsOneReply_both")
            << -1
            << "TB01 In 3 closed — Relay 2: OnOff (Relay 2 on) | TB01 In 4 closed — not programmed "
               "(Relay 2 on) | Relay 2 on"
            << "Relay 2 on | Relay 2 on";
        QTest::newRow("byHand_none")
            << 25
            << "TB01 In 3 closed — Relay 2: OnOff | TB01 In 4 closed — not programmed | Relay 2 on "
               "by hand"
            << " | ";
    }
    void credit_sameInListAndRecord()
    {
        QFETCH(int, handDriven);
        Window w(doc);
        w.reply(0, 0, 0);
        if (handDriven >= 0)
            w.window.handDriven(handDriven, T + 100);
        w.reply(250, 0x0C, 0);    // TB01 In 3 and In 4 together
        w.reply(500, 0x0C, 0x02); // relay 2 follows
        QTEST(rows(w.shown()).join(" | "), "list");
        QStringList record;
        for (const int i : {2, 3}) {
            QStringList words;
            for (const WalkTest::Seen &seen : w.window.walkTest().test().input(i).followed)
                words << seen.words;
            record << words.join(", ");
        }
        QTEST(record.join(" | "), "record");
    }

    // Beside the checklist, the input last worked as the grid shows its column: the relay that
    // followed lit; opened again with the relay staying on, the relay marked as silent.
    void liveColumn_showsTheInputLastWorked()
    {
        Window w(doc);
        w.reply(0, 0, 0);
        w.reply(250, 0x04, 0x02); // TB01 In 3 closes, relay 2 follows
        const auto *live = w.child<LiveColumn>("picLive");
        const GridModel &model = live->model();
        QCOMPARE(live->rows(), (QList<int>{0, 1, 2, 3, 28, 29, 30, 31}));
        QCOMPARE(model.liveInput(), 2);
        QCOMPARE(model.cellColour(24 * 1 + 2), GridModel::LiveColour);
        QCOMPARE(model.cellColour(24 * 0 + 2), GridModel::RelayColour);
        QCOMPARE(model.cellText(24 * 1 + 2), u"OnOff"_s);
        w.reply(500, 0, 0x02);
        QCOMPARE(model.cellColour(24 * 1 + 2), GridModel::SilentColour);
        QCOMPARE(model.outputColour(1), GridModel::SilentColour);
        QCOMPARE(model.outputColour(0), GridModel::HeadingColour);
    }

    // What the installer types in a comment stays while events change other cells.
    void typing_notUndoneByEvents()
    {
        Window w(doc);
        w.window.show();
        auto *table = w.child<QTableView>("lstInputs");
        table->setCurrentIndex(table->model()->index(1, WalkTestModel::CommentColumn));
        table->edit(table->currentIndex());
        auto *editor = table->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClicks(editor, "dimmer slow");
        w.reply(0, 0, 0);
        w.reply(250, 0x04, 0x02);
        w.reply(500, 0, 0);
        QTest::keyClicks(editor, " to rise");
        QCOMPARE(editor->text(), u"dimmer slow to rise"_s);
    }

    // The walk is bound to what the controller runs: while it is not known or not the file's,
    // one line says so and Pass cannot be ticked; presses are still listed.
    void controllerLine_passOnlyWhileConfirmed()
    {
        Window w(doc);
        auto *line = w.child<QLabel>("lblController");
        WalkTestModel &walk = w.window.walkTest();
        const QModelIndex pass = walk.index(0, WalkTestModel::PassColumn);
        QVERIFY(line->isHidden() && walk.flags(pass).testFlag(Qt::ItemIsEnabled));
        modOVMXConfig other = doc;
        other.SetRelayOpenAction(2, 1, 0);
        w.window.setControllerImage(other.image());
        QVERIFY2(!line->isHidden() && line->text().contains("runs other settings"),
                 qPrintable(line->text()));
        QVERIFY(!walk.flags(pass).testFlag(Qt::ItemIsEnabled));
        QVERIFY(!walk.setData(pass, Qt::Checked, Qt::CheckStateRole));
        w.window.setControllerImage(std::nullopt);
        QVERIFY(line->text().contains("not confirmed"));
        w.reply(0, 0, 0);
        w.reply(250, 0x04, 0x02);
        QCOMPARE(w.shown().rowCount(), 2);
        QCOMPARE(walk.index(0, WalkTestModel::SeenColumn).data().toString(),
                 u"pressed, not counted"_s);
        w.window.setControllerImage(modOVMXConfig::withPort(doc.image(), 3));
        QVERIFY(line->isHidden() && walk.setData(pass, Qt::Checked, Qt::CheckStateRole));
    }

    // The record is kept beside the file the walk was made for, though another was opened
    // since; closing asks Yes, No or Cancel, and Cancel keeps the walk going.
    void record_keptForItsOwnFile()
    {
        QTemporaryDir dir;
        modOVMXConfig site = doc;
        site.DataFileName = dir.filePath(u"site.OMX"_s);
        Window w(site);
        w.reply(0, 0, 0);
        w.reply(250, 0x04, 0x02);
        site.DataFileName = dir.filePath(u"backup.OMX"_s); // as Backups… opens a kept copy
        w.prompts.choices << Prompts::Answer::Cancel << Prompts::Answer::Yes;
        QVERIFY(!w.window.settleRecord(true));
        QVERIFY(w.window.settleRecord(true));
        QVERIFY(QFile::exists(dir.filePath(u"site.commissioning.json"_s)));
        QVERIFY(!QFile::exists(dir.filePath(u"backup.commissioning.json"_s)));
        QCOMPARE(w.prompts.calls.size(), 2);
    }
};

QTEST_MAIN(tst_Activity)
#include "tst_activity.moc"
