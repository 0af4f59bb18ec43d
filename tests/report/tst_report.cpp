// The handover document read back by poppler: what each section holds and must not hold, in
// rows written from the rules; its pages, their paper and how full they are; the names kept
// beside the data file.
#include "HandoverFile.h"
#include "PdfText.h"
#include "Report.h"
#include "SampleConfig.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace
{
using Verdict = Report::Commissioning::Verdict;

QDateTime at(int hour, int minute) { return QDateTime(QDate(2026, 3, 14), QTime(hour, minute)); }

// Two inputs seen to work, one failing, one without a verdict, two never tried.
Report::Commissioning walkTest()
{
    Report::Commissioning r{at(9, 0), at(10, 30), {"MX-4", "Rev 3", "01"}, {}, {}};
    r.tests = {
        {"Tamberline 01 Input 3", {"Relay 2", "Dimmer Output 1"}, Verdict::Pass, {}, at(9, 12)},
        {"Hardwire Input 2", {}, Verdict::Fail, "Relay 2 stayed off", at(9, 20)},
        {"Photocell 1 Input 1", {"Relay 3"}, Verdict::None, "Dusk not reached", at(10, 5)}};
    r.untested = {"Photocell 2 Input 1", "Photocell 2 Input 2"};
    return r;
}

// "new"; "rich", the sample, seen on a controller; "record", the sample with Relay 4 /
// Tamberline 01 Input 1 cleared and a curve of its own, with the people and the walk test.
void configure(const QString &name, modOVMXConfig &doc, Report::Details &details)
{
    fillSampleConfig(doc);
    if (name == "new")
        doc.NewConfiguration();
    doc.DataFileName = name + ".OMX";
    details.made = at(11, 0);
    if (name == "rich")
        details.controller = {"MX-2", "Rev 2", "07"};
    if (name != "record")
        return;
    doc.SetRelayCloseAction(0, 3, 0);
    doc.SetRelayOpenAction(0, 3, 0);
    doc.SetRelayHoldStatus(0, 3, false);
    doc.SetScaleLevel1(0, 0, 37);
    doc.SetScaleOutput1(0, 0, 20);
    details.people = {"Hollin Park", "Hollin Trust", "A. Fitter"};
    details.record = walkTest();
}
} // namespace

class tst_report : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString pdf(const QString &config, const QString &paper) const
    {
        return m_dir.filePath(config + u'-' + paper + ".pdf");
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *config : {"new", "rich", "record"})
            for (const char *paper : {"a4", "letter"}) {
                modOVMXConfig doc;
                Report::Details details;
                configure(config, doc, details);
                const auto size = *paper == 'a' ? Report::Paper::A4 : Report::Paper::Letter;
                QVERIFY(
                    modOVMXConfig::writeBytes(pdf(config, paper), Report::pdf(doc, size, details))
                        .ok);
            }
    }

    void pages_countPaperAndFill_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<int>("pages");
        for (const auto &[config, a4, letter] :
             {std::tuple{"new", 3, 3}, std::tuple{"rich", 7, 8}, std::tuple{"record", 8, 8}}) {
            QTest::addRow("%s-a4", config) << config << "a4" << a4;
            QTest::addRow("%s-letter", config) << config << "letter" << letter;
        }
    }
    // The grid page landscape, the others portrait; each names itself and the file; every page
    // but the last is at least half full.
    void pages_countPaperAndFill()
    {
        QFETCH(QString, config);
        QFETCH(QString, paper);
        QFETCH(int, pages);
        const QList<PdfText::Page> sheets = PdfText::pages(pdf(config, paper));
        QCOMPARE(sheets.size(), pages);
        const QStringList rows = PdfText::rows(pdf(config, paper));
        for (int n = 0; n < pages; ++n) {
            const QSizeF size = sheets[n].size;
            QCOMPARE(qRound(n == 0 ? size.height() : size.width()), paper == "a4" ? 595 : 612);
            QVERIFY(PdfText::holds(rows, QString("Page %1 of %2").arg(n + 1).arg(pages)));
            QVERIFY(n + 1 == pages || sheets[n].filled > 0.5);
        }
        const QRegularExpression header("^File: " + config + ".OMX \\| Date: 2026-03-14 11:00$");
        QCOMPARE(rows.filter(header).size(), pages);
    }

    void sections_holdTheirRows_data();
    // On both papers, wherever the pages break.
    void sections_holdTheirRows()
    {
        QFETCH(QString, config);
        QFETCH(QString, first);
        QFETCH(QString, next);
        QFETCH(QStringList, must);
        QFETCH(QStringList, mustNot);
        for (const QString paper : {"a4", "letter"}) {
            const QStringList rows =
                PdfText::section(PdfText::rows(pdf(config, paper)), first, next);
            QVERIFY2(!rows.isEmpty() || must.isEmpty(), qPrintable(paper + ": no section"));
            for (const QString &row : must)
                QVERIFY2(PdfText::holds(rows, row), qPrintable(paper + ": " + row));
            for (const QString &row : mustNot)
                QVERIFY2(rows.filter(row).isEmpty(), qPrintable(paper + ": " + row));
        }
    }

    // A printer keeps one sheet orientation through a job: the grid page is turned on its sheet.
    void printerSheets_allPortrait()
    {
        modOVMXConfig doc;
        Report::Details details;
        configure("new", doc, details);
        const QString file = m_dir.filePath("printed.pdf");
        {
            QPdfWriter writer(file);
            writer.setPageSize(Report::pageSize(Report::Paper::A4));
            QVERIFY(Report::paint(writer, doc, details, Report::Sheets::Portrait));
        }
        const QList<PdfText::Page> pages = PdfText::pages(file);
        QCOMPARE(pages.size(), 3);
        for (const PdfText::Page &page : pages)
            QCOMPARE(qRound(page.size.width()), 595);
    }

    // Beside the data file, whole or not at all; nothing for a configuration never saved.
    void handoverFile_keptBesideTheDataFile()
    {
        const QString data = m_dir.filePath("Hollin Park.OMX");
        QCOMPARE(HandoverFile::pathFor(data), m_dir.filePath("Hollin Park.handover.json"));
        QCOMPARE(HandoverFile::pathFor("None"), QString());
        QCOMPARE(HandoverFile::read(data), Report::People());
        const Report::People people{"Hollin Park", "Hollin Trust", "A. Fitter"};
        QVERIFY(HandoverFile::write(data, people).ok);
        QCOMPARE(HandoverFile::read(data), people);
        QVERIFY(HandoverFile::write("None", people).ok);
        QVERIFY(!HandoverFile::write(data + "/x.OMX", people).ok);
        QVERIFY(!QFile::exists(data + "/x.handover.json"));
    }
};

void tst_report::sections_holdTheirRows_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QStringList>("must");
    QTest::addColumn<QStringList>("mustNot");
    const auto row = [](const char *tag, const char *config, const char *first, const char *next,
                        const QStringList &must, const QStringList &mustNot = {}) {
        QTest::newRow(tag) << config << first << next << must << mustNot;
    };
    // Blank names are lines to write on; a controller never seen is not known.
    row("new title block", "new", "Lighting Control Handover", "Tamberline 01 Pilots",
        {"Site | Controller | not known | Date | 2026-03-14",
         "Customer | Data file | new.OMX | Commissioned | No walk test recorded",
         "Installer | Checksum | DB326CA4"});
    row("rich title block", "rich", "Lighting Control Handover", "",
        {"Controller | MX-2, firmware Rev 2, node 07"});
    // Without a controller of its own the title block names the walk test's.
    row("record title block", "record", "Lighting Control Handover", "",
        {"Site | Hollin Park | Controller | MX-4, firmware Rev 3, node 01 | Date | 2026-03-14",
         "Installer | A. Fitter | Checksum | 4674DBCB", "Commissioned | 2026-03-14"});
    row("new relays", "new", "Programming By Output", "Input Disable",
        {"Relay 1 | No programming", "Relay 4 | No programming",
         "Dimmer Output 4 | No programming"},
        {"Tamberline", "Photocell 1 |"});
    row("new disables, two abreast", "new", "Input | Disables It | Input | Disables It", "Settings",
        {"Tamberline 01 Input 1 | No programming | Tamberline 01 Input 2 | No programming",
         "Photocell 2 Input 3 | No programming | Photocell 2 Input 4 | No programming"});
    // Every relay cell of the sample holds something: its close and open actions in the
    // editor's words, the hold status, and the timed-on time only for a timed action.
    row("rich relay 2", "rich", "Relay 2", "Relay 3",
        {"Tamberline 01 Input 3 | Toggle Relay Based On Relay 1 Status | Timed On With No Blink "
         "Alert | No | 5 Minute",
         "Tamberline 01 Input 2 | 2 Step Sequence | Timed On With Double Blink Alert | Yes | 5 "
         "Minute",
         "Photocell 2 Input 4 | None | Turn Off Relay | No | -"},
        {"No programming"});
    row("record relay 4, a cell cleared", "record", "Relay 4",
        "Dimmer Control / Photocell Tracking",
        {"Tamberline 01 Input 2 | Toggle Relay Based On Relay 3 Status | Timed On With Single "
         "Blink Alert | Yes | 5 Minute"},
        {"Tamberline 01 Input 1 |"});
    // A dimmer names its inputs' controls and the photocell it tracks, no input left at None.
    row("rich dimmer 1", "rich", "Dimmer Output 1", "Dimmer Output 2",
        {"Tamberline 01 Input 1 | Goto 100% | Fade | Revert When Input Opens",
         "Tamberline 01 Input 2 | Lower 10% | Fade | Revert When Input Opens",
         "Photocell 1 | PC Tracking: 2 point"},
        {"Tamberline 02 Input 1 |", "Hardwire Input 3 |", "Photocell 2 |"});
    row("rich dimmer 2, a setpoint", "rich", "Dimmer Output 2", "Dimmer Output 3",
        {"Photocell 2 | PC Tracking: Setpoint | Target: 0/255 (0 fc)"});
    row("rich disables", "rich", "Input | Disables It | Input | Disables It", "Settings",
        {"Tamberline 01 Input 1 | Tamberline 01 Input 2",
         "Tamberline 01 Input 6 | When Open | Tamberline 01 Input 4 | When Open",
         "Tamberline 02 Input 5 | When Closed | Tamberline 02 Input 3 | When Closed"});
    row("rich settings", "rich", "Settings", "Photocell Tracking",
        {"Relay 1 | No Change | Blink Alert | 99 Minute", "Serial Port | COM1",
         "Dimmer Output 3 | 100% | 0% | 100% | 0 Sec",
         "Pilot 1 = Relay 2 On | Pilot 1 = Relay 4 On", "Photocell 1 [2 Sec Filter]",
         "Photocell 2 [30 Sec Filter]", "Input 4 | 37/255 1FC | 255/255 1800FC"});
    // Points in words: level, foot-candles, output and volts; a two-point curve has no middle.
    row("record curve, two points", "record",
        "Photocell 1 / Dimmer Output 1 Control | Photocell 2 / Dimmer Output 2 Control",
        "Photocell 1 / Dimmer Output 3 Control | Photocell 2 / Dimmer Output 4 Control",
        {"PC Tracking: 2 point | PC Tracking: Setpoint", "Target: 0/255 (0 fc)",
         "Point 1: level 37/255 (1 fc), output 20 % (2.0 V)",
         "Point 3: level 0/255 (0 fc), output 100 % (10.0 V)"},
        {"Point 2:"});
    row("record curve, three points", "record",
        "Photocell 1 / Dimmer Output 3 Control | Photocell 2 / Dimmer Output 4 Control",
        "Commissioning Record",
        {"PC Tracking: 3 point | PC Tracking: Setpoint",
         "Point 2: level 128/255 (14 fc), output 50 % (5.0 V)"});
    row("new curves", "new", "Photocell Tracking", "Sign-Off", {"No dimmer tracks a photocell."});
    row("record walk test", "record", "Commissioning Record", "Sign-Off",
        {"Walk test 2026-03-14 09:00 to 10:30 on controller MX-4, firmware Rev 3, node 01.",
         "Tamberline 01 Input 3 | Relay 2, Dimmer Output 1 | Pass | 09:12",
         "Hardwire Input 2 | None | Fail | Relay 2 stayed off | 09:20",
         "Photocell 1 Input 1 | Relay 3 | No verdict | Dusk not reached | 10:05",
         "Photocell 2 Input 1 | Photocell 2 Input 2"});
    row("rich, no walk test", "rich", "", "", {}, {"Commissioning Record", "Walk test"});
    row("record sign-off", "record", "Sign-Off", "",
        {"Handed over with the programming this document describes: data file record.OMX, image "
         "checksum 4674DBCB.",
         "Installer | A. Fitter | Signature | Date", "Customer | Hollin Trust | Signature | Date"});
    row("new sign-off", "new", "Sign-Off", "",
        {"Installer | Signature | Date", "Customer | Signature | Date"});
}

QTEST_MAIN(tst_report)
#include "tst_report.moc"
