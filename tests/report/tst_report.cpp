// The handover document read back by poppler: what each section holds and must not hold, in
// rows written from the rules; its pages, their paper and how full they are; the names kept
// beside the data file.
#include "HandoverFile.h"
#include "PdfText.h"
#include "Report.h"
#include "SampleConfig.h"
#include "WalkTest.h"
#include "WalkTestRecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace
{
using Test = Report::Commissioning::Test;

QDateTime at(int hour, int minute) { return QDateTime(QDate(2026, 3, 14), QTime(hour, minute)); }

// Two inputs seen to work, one failing, one retested without a verdict yet, two never tried.
Report::Commissioning walkTest()
{
    Report::Commissioning r{at(9, 0), at(10, 30), {"MX-4", "Rev 3", "01"}, true, {}, {}, 5, 1, 1};
    r.tests = {Test{"Tamberline 01 Input 3",
                    "Relay 2 on when closed",
                    {"Relay 2 on"},
                    {},
                    {{Verdict::Pass, {}, at(9, 12)}},
                    at(9, 11)},
               Test{"Hardwire Input 2",
                    "Relay 2 off when opened",
                    {},
                    {"Relay 2 expected, not seen"},
                    {{Verdict::Fail, "Relay 2 stayed off", at(9, 20)}},
                    at(9, 19)},
               Test{"Photocell 1 Input 1",
                    {},
                    {"Relay 3 on"},
                    {"Relay 3 seen, not programmed"},
                    {{Verdict::Fail, "Wrong relay", at(9, 40)},
                     {Verdict::None, "Dusk not reached", at(10, 5)}},
                    at(10, 4)}};
    r.untested = {"Photocell 1 Input 1", "Photocell 2 Input 1", "Photocell 2 Input 2"};
    return r;
}

QString words(int count, const QString &stem)
{
    QStringList all;
    for (int n = 0; n < count; ++n)
        all << stem + QString::number(n);
    return all.join(' ');
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
    details.people = {"Hollin Park", "Hollin Trust", "A. Fitter", "B. Tester",
                      "CT-1",        "Lumen Ltd",    "C. Witness"};
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
             {std::tuple{"new", 3, 3}, std::tuple{"rich", 8, 8}, std::tuple{"record", 8, 9}}) {
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
        const QList<PdfText::Page> sheets = PdfText::layout(pdf(config, paper)).first;
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
        const QList<PdfText::Page> pages = PdfText::layout(file).first;
        QCOMPARE(pages.size(), 3);
        for (const PdfText::Page &page : pages)
            QCOMPARE(qRound(page.size.width()), 595);
    }

    // Beside the data file, whole or not at all; nothing for a configuration never saved. A
    // file a person edited wrongly names the field and names nobody.
    void handoverFile_keptBesideTheDataFileReadStrictly()
    {
        const QString data = m_dir.filePath("Hollin Park.OMX");
        QCOMPARE(HandoverFile::pathFor(data), m_dir.filePath("Hollin Park.handover.json"));
        QCOMPARE(HandoverFile::pathFor("None"), QString());
        Report::People read{"x", {}, {}, {}, {}, {}, {}};
        QVERIFY(HandoverFile::read(data, read).ok);
        QCOMPARE(read, Report::People());
        const Report::People people{"Hollin Park", "Hollin Trust", "A. Fitter", "B. Tester",
                                    "CT-1",        "Lumen Ltd",    "C. Witness"};
        QVERIFY(HandoverFile::write("None", people).ok);
        QVERIFY(!HandoverFile::write(data + "/x.OMX", people).ok);
        QVERIFY(!QFile::exists(data + "/x.handover.json"));
        for (const auto &[json, named] :
             {std::pair{R"({"site": "A", "instaler": "B"})", "\"instaler\" is not a name"},
              std::pair{R"({"witness": 7})", "witness is not text"},
              std::pair{R"({"site": "A\nB"})", "site holds a control character"},
              std::pair{R"([])", "not a file of handover names"}}) {
            const modOVMXConfig::FileResult result = HandoverFile::parse(json, read);
            QVERIFY2(!result.ok && result.error.contains(named), qPrintable(result.error));
            QCOMPARE(read, Report::People());
        }
        QVERIFY(!HandoverFile::parse("{\"site\": \"" + QByteArray(501, 'x') + "\"}", read).ok);
    }

    // A report never goes over what it reads: the data file, its record, its names.
    void readsFrom_data()
    {
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("record");
        QTest::addColumn<bool>("reads");
        QTest::newRow("dataFile") << "sub/../site.OMX"
                                  << "" << true;
        QTest::newRow("recordBeside") << "site.commissioning.json"
                                      << "" << true;
        QTest::newRow("recordNamed") << "walk.json"
                                     << "walk.json" << true;
        QTest::newRow("recordBesideWhenAnotherIsNamed") << "site.commissioning.json"
                                                        << "walk.json" << false;
        QTest::newRow("names") << "site.handover.json"
                               << "" << true;
        QTest::newRow("aPdf") << "site.pdf"
                              << "" << false;
    }
    void readsFrom()
    {
        QFETCH(QString, out);
        QFETCH(QString, record);
        QFETCH(bool, reads);
        const QDir dir(m_dir.path());
        QCOMPARE(Report::readsFrom(dir.filePath(out), dir.filePath("site.OMX"),
                                   record.isEmpty() ? record : dir.filePath(record)),
                 reads);
        QVERIFY(!Report::readsFrom("None.commissioning.json", "None"));
    }

    // A walk counts only against the programming the controller was confirmed to run, whatever
    // port either file names; a first record is taken up under a line saying it never knew.
    void recordRead_boundToTheControllersProgramming_data()
    {
        QTest::addColumn<QString>("made");   // "first" (version 1), or what the controller ran
        QTest::addColumn<int>("recordPort"); // the port word of the settings it was made with
        QTest::addColumn<QString>("refused");
        QTest::newRow("confirmed_takenUp") << "same" << 0 << "";
        QTest::newRow("otherPortConfirmed_takenUp") << "same" << 2 << "";
        QTest::newRow("notConfirmed_refused")
            << "unknown" << 0
            << "controller's settings were not confirmed during the walk (this "
               "file's checksum is A022B4B6)";
        QTest::newRow("otherSettings_refusedNamingBoth")
            << "other" << 0
            << "controller ran other settings (the controller's checksum "
               "DB326CA4, this file's A022B4B6)";
        QTest::newRow("firstRecordOtherPort_takenUpUnconfirmed") << "first" << 3 << "";
        QTest::newRow("firstRecordOtherSettings_refused")
            << "firstOther" << 0 << "belongs to other settings";
    }
    void recordRead_boundToTheControllersProgramming()
    {
        QFETCH(QString, made);
        QFETCH(int, recordPort);
        QFETCH(QString, refused);
        modOVMXConfig doc, there, other;
        fillSampleConfig(doc);
        doc.DataFileName = m_dir.filePath("bound.OMX");
        there.setImage(modOVMXConfig::withPort(doc.image(), recordPort));
        other.NewConfiguration();
        WalkTest walk(there);
        const QString path = m_dir.filePath("bound.json");
        if (made.startsWith("first")) {
            const QJsonObject input{
                {"input", 2},          {"name", "TB01 In 3"},    {"seenClosed", true},
                {"seenOpened", false}, {"events", QJsonArray()}, {"followed", QJsonArray()},
                {"verdict", "Pass"},   {"comment", ""}};
            const QJsonObject first{
                {"version", 1},
                {"dataFile", "bound.OMX"},
                {"checksum", checksumText(made == "first" ? walk.checksum() : 0x12345678)},
                {"controller", QJsonObject{{"model", ""}, {"firmware", ""}, {"node", ""}}},
                {"started", ""},
                {"ended", ""},
                {"inputs", QJsonArray{input}}};
            QVERIFY(modOVMXConfig::writeBytes(path, QJsonDocument(first).toJson()).ok);
        } else {
            if (made != "unknown")
                walk.setControllerImage((made == "same" ? there : other).image());
            QVERIFY(walk.save(path).ok);
        }
        std::optional<Report::Commissioning> record;
        const modOVMXConfig::FileResult read = WalkTestRecord::read(doc, path, record);
        QVERIFY2(read.ok == refused.isEmpty() && read.error.contains(refused),
                 qPrintable(read.error));
        QCOMPARE(record.has_value(), refused.isEmpty());
        if (record)
            QCOMPARE(record->confirmed, !made.startsWith("first"));
    }

    // Times kept in UTC print in the zone the document is made in, named once; a walk that
    // passes midnight there dates its rows. Run under two zones (see CMakeLists.txt).
    void clock_localOffsetNamedOnce()
    {
        const QByteArray zone = qgetenv("TZ");
        const QMap<QByteArray, QStringList> expected{
            {"America/New_York",
             {"Times | local, UTC-05:00", "Commissioned | 2026-12-08",
              "Walk test 2026-12-07 19:30 to 2026-12-08 00:10.",
              "Verdict | Pass | 2026-12-08 00:10", "File: clock.OMX | Date: 2026-12-08 01:00"}},
            {"Pacific/Kiritimati",
             {"Times | local, UTC+14:00", "Commissioned | 2026-12-08",
              "Walk test 2026-12-08 14:30 to 19:10.", "Verdict | Pass | 19:10",
              "File: clock.OMX | Date: 2026-12-08 20:00"}}};
        if (!expected.contains(zone))
            QSKIP("run under TZ=America/New_York or TZ=Pacific/Kiritimati");
        const auto utc = [](int day, int hour, int minute) {
            return QDateTime(QDate(2026, 12, day), QTime(hour, minute), Qt::UTC);
        };
        Report::Commissioning r{utc(8, 0, 30), utc(8, 5, 10), {}, true, {}, {}, 1, 1, 0};
        r.tests = {Test{"Tamberline 01 Input 3",
                        {},
                        {},
                        {},
                        {{Verdict::Pass, {}, utc(8, 5, 10)}},
                        utc(8, 5, 9)}};
        modOVMXConfig doc;
        doc.DataFileName = "clock.OMX";
        const QString file = m_dir.filePath("clock.pdf");
        QVERIFY(modOVMXConfig::writeBytes(
                    file, Report::pdf(doc, Report::Paper::A4, {{}, {}, r, utc(8, 6, 0)}))
                    .ok);
        const QStringList rows = PdfText::rows(file);
        for (const QString &row : expected[zone])
            QVERIFY2(PdfText::holds(rows, row), qPrintable(row));
        QCOMPARE(rows.filter("UTC").size(), 1);
    }

    // A dozen outputs on one input, a comment of 3,000 words and names of 80 characters: every
    // word is on a page, inside it, and the comment's input goes with it onto every page.
    void longContent_everyWordInsideThePage()
    {
        const QString name =
            "Hollin Park Pavilion East Wing and Adjoining Car Park Lighting Phase 2";
        QStringList outputs;
        for (int n = 0; n < 12; ++n)
            outputs << QString("Dimmer 1 %1 → %2 in 0.5 s").arg(n * 10).arg(n * 10 + 10);
        Report::Commissioning r{at(9, 0), at(10, 0), {}, true, {}, {}, 2, 1, 1};
        r.tests = {Test{"Tamberline 01 Input 1",
                        words(12, "expected"),
                        outputs,
                        {},
                        {{Verdict::Pass, words(30, "short"), at(9, 10)}},
                        at(9, 10)},
                   Test{"Hardwire Input 2",
                        {},
                        {},
                        {},
                        {{Verdict::Fail, words(3000, "w"), at(9, 20)}},
                        at(9, 20)}};
        modOVMXConfig doc;
        doc.DataFileName = "long.OMX";
        const Report::People people{
            name + " Site",   name + " Trust", name + " Fitter", name + " Tester", {}, {},
            name + " Witness"};
        const QString file = m_dir.filePath("long.pdf");
        QVERIFY(modOVMXConfig::writeBytes(
                    file, Report::pdf(doc, Report::Paper::A4, {people, {}, r, at(11, 0)}))
                    .ok);
        const QList<PdfText::Word> all = PdfText::layout(file).second;
        QStringList text;
        QSet<int> commentPages, inputPages;
        int deficiencies = 0; // the page of that heading, which the first of its rows shares
        for (const PdfText::Word &w : all) {
            if (w.text == "Deficiencies" && deficiencies == 0)
                deficiencies = w.page;
            QVERIFY2(w.inside, qPrintable(w.text));
            text << w.text;
            if (QRegularExpression("^w\\d+$").match(w.text).hasMatch())
                commentPages << w.page;
            if (w.text == "Hardwire")
                inputPages << w.page;
        }
        const QString joined = text.join(' ');
        for (const QString &expected :
             QStringList{words(3000, "w"), words(12, "expected"), words(30, "short"),
                         outputs.join(", "), name + " Witness"})
            for (const QString &word : expected.split(' '))
                QVERIFY2(text.contains(word), qPrintable(word));
        QVERIFY(commentPages.size() >= 3 && commentPages.contains(deficiencies));
        QVERIFY(inputPages.contains(commentPages));
        QCOMPARE(text.count("Signature"), 4);
        QVERIFY(joined.contains("Pass"));
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
         "Customer | Data file | new.OMX | Times",
         "Installer | Checksum | DB326CA4 | Commissioned | No walk test recorded",
         "Tester | Witness | Result | No walk test recorded"});
    row("rich title block", "rich", "Lighting Control Handover", "",
        {"Controller | MX-2, firmware Rev 2, node 07"});
    // Without a controller of its own the title block names the walk test's.
    row("record title block", "record", "Lighting Control Handover", "",
        {"Site | Hollin Park | Controller | MX-4, firmware Rev 3, node 01 | Date | 2026-03-14",
         "Installer | A. Fitter | Checksum | 4674DBCB | Commissioned | 2026-03-14",
         "Witness | C. Witness | Result"});
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
    // The last attempt counts; earlier ones are a line each; where seen and expected part,
    // a hint beside the verdict; each Fail again as a deficiency.
    row("record walk test", "record", "Commissioning Record", "Sign-Off",
        {"Walk test 2026-03-14 09:00 to 10:30 on controller MX-4, firmware Rev 3, node 01.",
         "5 programmed inputs: 1 passed, 1 failed, 3 not tested.", "Tamberline 01 Input 3",
         "Expected | Relay 2 on when closed", "Seen | Relay 2 on | 09:11", "Verdict | Pass | 09:12",
         "Hardwire Input 2", "Seen | None | 09:19", "Hint | Relay 2 expected, not seen",
         "Verdict | Fail: Relay 2 stayed off | 09:20", "Photocell 1 Input 1",
         "Expected | Not programmed", "Attempt 1 | Fail: Wrong relay | 09:40",
         "Verdict | No verdict: Dusk not reached | 10:05",
         "Photocell 1 Input 1 | Photocell 2 Input 1 | Photocell 2 Input 2",
         "Hardwire Input 2 | Relay 2 stayed off | 09:20"},
        {"The controller's settings were not confirmed", "Photocell 1 Input 1 | Wrong relay"});
    row("rich, no walk test", "rich", "", "", {}, {"Commissioning Record", "Walk test"});
    row("record sign-off", "record", "Sign-Off", "",
        {"Handed over with 4 open items (1 failed, 3 programmed inputs not tested): data file "
         "record.OMX, image checksum 4674DBCB.",
         "Controls tested by B. Tester, Lumen Ltd, certificate CT-1.",
         "Installer | A. Fitter | Signature | Date", "Customer | Hollin Trust | Signature | Date",
         "Tester | B. Tester | Signature | Date", "Witness | C. Witness | Signature | Date"},
        {"this document describes"});
    row("new sign-off", "new", "Sign-Off", "",
        {"Handed over with the programming this document describes: data file new.OMX, image "
         "checksum DB326CA4.",
         "Installer | Signature | Date", "Customer | Signature | Date"},
        {"Controls tested by"});
    row("rich sign-off, no walk test", "rich", "Sign-Off", "",
        {"Handed over with 24 open items (0 failed, 24 programmed inputs not tested): data file "
         "rich.OMX, image checksum A022B4B6."});
}

QTEST_MAIN(tst_report)
#include "tst_report.moc"
