// The activity window holding its 10,000 events and taking more as a poll gives them: one
// append (the list, its filter, the walk test and the view's layout) against a budget of 1 ms,
// and the list's repaint, which a frame pays once whatever came in it, against the same
// repaint at 100 events.
#include "../../tools/SampleConfig.h"
#include "../BenchTable.h"
#include "FakeFileDialogs.h"
#include "FakePrompts.h"
#include "frmActivity.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    // Platform notices would break up the table.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    modOVMXConfig doc;
    fillSampleConfig(doc);
    FakePrompts prompts;
    FakeFileDialogs fileDialogs;
    frmActivity window(doc, prompts, fileDialogs, nullptr);
    window.show();
    QCoreApplication::processEvents();

    // A switch pressed and released by turns, each time with a relay following it.
    qint64 ms = 0;
    int n = 0;
    const auto next = [&] {
        StatusEvent e;
        e.timeMs = ms += 250;
        const int input = (n / 4) % 24;
        const bool closed = n % 4 < 2;
        if (n % 2 == 0) {
            e.kind = closed ? EventKind::InputClosed : EventKind::InputOpened;
            e.input = input;
            e.words = ConfigTexts::inputShortName(input) + (closed ? " closed" : " opened");
        } else {
            e.kind = closed ? EventKind::RelayOn : EventKind::RelayOff;
            e.output = input % 4;
            e.words = QStringLiteral("Relay %1 %2").arg(input % 4 + 1).arg(closed ? "on" : "off");
        }
        ++n;
        return QList<StatusEvent>{e};
    };
    // The paint costs the same at any length: only the rows in view are drawn.
    auto *list = window.findChild<QTableView *>(QStringLiteral("lstEvents"));
    const auto repaint = [&] { return bestMicros(5, 40, [&] { list->viewport()->repaint(); }); };
    for (int k = 0; k < 100; ++k)
        window.addEvents(next());
    QCoreApplication::processEvents();
    const double paintShort = repaint();
    for (int k = 100; k < ActivityModel::Cap; ++k)
        window.addEvents(next());
    QCoreApplication::processEvents();
    const double paintFull = repaint();

    // Painting aside (once a frame, whatever came in it), the event loop still runs the view's
    // layout of the new row.
    window.setUpdatesEnabled(false);
    const double append = bestMicros(5, 400, [&] {
        window.addEvents(next());
        QCoreApplication::processEvents();
    });
    window.setUpdatesEnabled(true);
    printBenchRow("activity at 10,000 events: one append, laid out (vs 1 ms)", append / 1000.0, 1.0,
                  "ms");
    printBenchRow("activity list repaint at 10,000 events vs at 100", paintFull / 1000.0,
                  paintShort / 1000.0, "ms");
    printBenchRow("activity rows held after 2,000 more appends (vs the cap)",
                  window.events().rowCount(), ActivityModel::Cap, "rows");
    return window.events().rowCount() == ActivityModel::Cap ? 0 : 1;
}
