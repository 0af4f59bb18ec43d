#include "BackupStore.h"
#include "ConfigJson.h"
#include "ConfigTexts.h"
#include "ExpectedText.h"
#include "FieldTable.h"
#include "ModelFit.h"
#include "OptionTexts.h"
#include "UnknownValues.h"
#include "modOVMXConfig.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace
{
QByteArray json(const modOVMXConfig &doc)
{
    return QJsonDocument(ConfigJson::toJson(doc)).toJson(QJsonDocument::Compact);
}

// A field element: where its value lives, and a word before and after writing the value.
struct FieldRow {
    const char *field;
    int a, b;
    int value; // the last code of the coding, or a flag
    int word, before, after;
    int low; // the next word, for a value split high then low; -1 for none
};
} // namespace

class ConfigTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void field_livesInItsWordAndBit_data();
    void field_livesInItsWordAndBit();
    void document_fileIsTheImageLittleEndian();
    void badJson_isRefusedNamingWhere_data();
    void badJson_isRefusedNamingWhere();
    void texts_readAsReviewed();
    void backups_keepNewestWithoutRepeats();
    void mx2Note_namesOnlyDrivenOutputsThreeAndFour();
    void unknownValues_countedWhereTheyShow_data();
    void unknownValues_countedWhereTheyShow();
};

void ConfigTest::field_livesInItsWordAndBit_data()
{
    QTest::addColumn<FieldRow>("row");
    const FieldRow rows[] = {
        {"RelayCloseAction", 23, 3, 11, 380, 131, 139, -1}, // keeps the hold bit
        {"RelayHoldStatus", 7, 1, 0, 116, 0x0183, 0x0003, -1},
        {"RelayOpenAction", 23, 3, 9, 381, 300, 9, -1},
        {"RelayTimedOn", 23, 3, 994, 382, 0, 3, 226},
        {"InputDisableClosed", 9, 2, 1, 391, 0x00, 0x02, -1},
        {"InputDisableOpen", 23, 0, 1, 898, 0x7F, 0xFF, -1},
        {"InputDisableOpen", 0, 23, 0, 965, 0xFF, 0xFE, -1},
        {"RelayPowerOn", 3, 0, 4, 459, 0, 4, -1},
        {"PhotocellFilter", 1, 0, 1, 461, 0, 1, -1},
        {"PhotocellOffLevel", 1, 2, 255, 470, 0, 255, -1},
        {"PhotocellOnLevel", 1, 3, 255, 479, 0, 255, -1},
        {"DimmerPowerOnLevel", 3, 0, 100, 492, 0, 100, -1},
        {"DimmerMinLevel", 3, 0, 101, 493, 0, 101, -1},
        {"DimmerMaxLevel", 2, 0, 101, 490, 0, 101, -1},
        {"DimmerFadeRate", 3, 0, 42, 495, 0, 42, -1},
        {"PilotLight", 1, 3, 9, 505, 0, 9, -1},
        {"TimedOffOverride", 0, 0, 994, 508, 0, 3, 226},
        {"TimedOffAlert", 0, 0, 97, 510, 0, 97, -1},
        {"ComPort", 0, 0, 7, 511, 0, 7, -1},
        {"DimmerControl", 23, 3, 104, 797, 0, 104, -1},
        {"DimmerControlFadeRate", 23, 3, 1, 798, 0, 1, -1},
        {"DimmerRevert", 4, 1, 121, 565, 0, 121, -1},
        {"ScaleLevel1", 1, 3, 255, 842, 0, 255, -1},
        {"ScaleLevel2", 0, 1, 255, 807, 0, 255, -1},
        {"ScaleLevel3", 1, 0, 255, 826, 0, 255, -1},
        {"ScaleOutput1", 1, 3, 100, 845, 0, 100, -1},
        {"ScaleOutput2", 1, 2, 100, 840, 0, 100, -1},
        {"ScaleOutput3", 1, 3, 100, 847, 0, 100, -1},
        {"ScaleTarget", 1, 3, 255, 855, 0, 255, -1},
        {"PhotocellTracking", 1, 3, 3, 863, 0, 3, -1},
    };
    for (const FieldRow &r : rows)
        QTest::addRow("%s(%d,%d)=%d", r.field, r.a, r.b, r.value) << r;
}

// The writer changes its word (and only it) as the word map says and marks the document modified,
// also when the value is already there; the reader reads a raw word whatever its neighbours hold;
// the export names the field and nests it by its arguments; the import takes the last code of the
// coding and refuses the next one, naming the element.
void ConfigTest::field_livesInItsWordAndBit()
{
    QFETCH(FieldRow, row);
    const FieldTable::Field *f = FieldTable::findField(QLatin1String(row.field));
    QVERIFY2(f, row.field);
    auto written = [&row](int w, int otherwise) {
        return w == row.word ? row.after : w == row.word + 1 && row.low >= 0 ? row.low : otherwise;
    };
    modOVMXConfig doc;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        doc.SetWord(w, w == row.word ? row.before : (w * 37 + 11) % 256);
    for (int again = 0; again < 2; ++again) {
        doc.ConfigModified = false;
        f->set(doc, row.a, row.b, row.value);
        QVERIFY(doc.ConfigModified);
        for (int w = 0; w < modOVMXConfig::WordCount; ++w)
            QCOMPARE(QStringLiteral("word %1 = %2").arg(w).arg(doc.GetWord(w)),
                     QStringLiteral("word %1 = %2").arg(w).arg(written(w, (w * 37 + 11) % 256)));
    }
    for (int fill : {0, 255}) {
        modOVMXConfig raw;
        for (int w = 0; w < modOVMXConfig::WordCount; ++w)
            raw.SetWord(w, written(w, fill));
        QCOMPARE(f->get(raw, row.a, row.b), row.value);
    }

    modOVMXConfig fresh;
    fresh.NewConfiguration();
    f->set(fresh, row.a, row.b, row.value);
    QJsonValue element = ConfigJson::toJson(fresh).value(QLatin1String(row.field));
    QString where = QLatin1String(row.field);
    for (int index : {row.a, row.b})
        if (element.isArray()) {
            element = element[index];
            where += QStringLiteral("[%1]").arg(index);
        }
    QVERIFY(ConfigJson::fromJson(json(fresh)).image == fresh.image());
    if (!element.isBool()) {
        f->set(fresh, row.a, row.b, row.value + 1);
        const QString error = ConfigJson::fromJson(json(fresh)).error;
        QVERIFY2(error.startsWith(where + QStringLiteral(": ")), qPrintable(error));
    }
}

// A new document is unnamed and modified. Its file is the image word by word, low byte first:
// saving over a longer file leaves only the image; reading and writing leave the modified flag.
void ConfigTest::document_fileIsTheImageLittleEndian()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.OMX"));
    modOVMXConfig doc, back;
    doc.DataFileName = path;
    doc.NewConfiguration();
    QCOMPARE(doc.DataFileName, QStringLiteral("None"));
    QVERIFY(doc.ConfigModified);
    QByteArray bytes;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w) {
        const int v = static_cast<int16_t>(w * 67 - 30000); // both bytes vary; some negative
        doc.SetWord(w, v);
        bytes.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF));
    }
    doc.DataFileName = back.DataFileName = path;
    QVERIFY(modOVMXConfig::writeBytes(path, QByteArray(5000, 'x')).ok);
    doc.ConfigModified = false;
    QVERIFY(doc.WriteDataFile().ok);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QVERIFY(back.ReadDataFile().ok);
    QVERIFY(back.image() == doc.image());
    QVERIFY(!doc.ConfigModified && !back.ConfigModified);
}

void ConfigTest::badJson_isRefusedNamingWhere_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("error"); // how the message starts: where the problem is
    modOVMXConfig doc;
    doc.NewConfiguration();
    const QByteArray valid = json(doc);
    // The valid document with the first `from` at or after the key made `to`.
    auto row = [&valid](const char *key, const char *from, const char *to, const char *error) {
        QByteArray document = valid;
        const qsizetype at = document.indexOf(from, document.indexOf('"' + QByteArray(key) + '"'));
        QTest::newRow(error) << document.replace(at, qstrlen(from), to) << QString::fromUtf8(error);
    };
    row("format", "\"orvandel-mx/1\"", "", "not valid JSON: ");
    row("format", "mx/1", "mx/2", "format: expected \"orvandel-mx/1\"");
    row("ComPort", "ComPort", "ComPorts", "ComPorts: no such field");
    row("ComPort", "\"ComPort\":0,", "", "ComPort: missing");
    row("format", ",\"unusedWords\":{}", "", "unusedWords: missing");
    row("RelayCloseAction", "[[0,0,0,0],", "[", "RelayCloseAction: expected an array of 24");
    row("RelayCloseAction", "[[0,0,0,0]", "[[0,0,0,0,0]", "RelayCloseAction[0]: expected an array");
    row("TimedOffAlert", "3", "\"3\"", "TimedOffAlert: expected a whole number");
    row("ComPort", "0", "0.5", "ComPort: expected a whole number");
    row("DimmerFadeRate", "[0", "[-1", "DimmerFadeRate[0]: expected a whole number");
    row("InputDisableOpen", "false", "0", "InputDisableOpen[0][0]: expected true or false");
    row("unusedWords", "{}", "{\"967\":1}", "unusedWords[\"967\"]: not the index of an unused");
    row("unusedWords", "{}", "{\"968\":256}", "unusedWords[\"968\"]: expected a whole number");
    row("unusedWords", "{}", "{\"0968\":1}", "unusedWords[\"0968\"]: not the index of an unused");
}

void ConfigTest::badJson_isRefusedNamingWhere()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, error);
    const QString refused = ConfigJson::fromJson(document).error;
    QVERIFY2(refused.startsWith(error), qPrintable(refused));
}

// Every entry of every list that edits the image, in coding order, and every cell's caption.
void ConfigTest::texts_readAsReviewed()
{
    using namespace OptionTexts;
    const std::vector<QStringList> lists = {
        relayCloseActionEntries(),  relayOpenActionEntries(),  timedOnEntries(),
        timedOffAlertEntries(),     timedOffOverrideEntries(), dimmerControlEntries(),
        dimmerControlFadeEntries(), dimmerRevertEntries(),     trackingModeEntries(),
        scaleTargetEntries(),       relayPowerOnEntries(),     dimmerPowerOnLevelEntries(),
        dimmerMinLevelEntries(),    dimmerMaxLevelEntries(),   dimmerFadeRateEntries(),
        photocellLevelEntries(),    photocellFilterEntries(),  pilotOptionEntries(0),
        pilotOptionEntries(5),      pilotOptionEntries(6),     pilotOptionEntries(11)};
    QString text;
    for (const QStringList &entries : lists)
        text += QStringLiteral("%1 entries\n  %2\n").arg(entries.size()).arg(entries.join(u"\n  "));
    for (int k = 0; k < ConfigTexts::CellCount; ++k)
        text += ConfigTexts::cellCaption(k) + QLatin1Char('\n');
    ExpectedText::compare(QStringLiteral(ORVANDEL_EXPECTED "/texts.txt"), text.toUtf8());
}

// Two copies within one second, a memory kept again, and more copies than the limit.
void ConfigTest::backups_keepNewestWithoutRepeats()
{
    QTemporaryDir dir;
    QFile other(dir.filePath("notes.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    modOVMXConfig::Image a{}, b{};
    b[5] = -1;
    const QDateTime t(QDate(2026, 12, 7), QTime(6, 0));
    QStringList steps;
    for (const auto &[image, second] : {std::pair{&a, 0}, {&b, 0}, {&b, 1}, {&a, 1}}) {
        const BackupStore::Kept kept = BackupStore::keep(*image, t.addSecs(second), dir.path(), 2);
        QVERIFY(kept.ok);
        steps << QFileInfo(kept.path).fileName() + (kept.written ? " written" : " already kept");
    }
    QStringList listed;
    for (const BackupStore::Entry &e : BackupStore::list(dir.path()))
        listed << QFileInfo(e.path).fileName() + ' ' + e.when.toString(Qt::ISODate);
    QCOMPARE(steps, QStringList({"controller-2026-12-07-060000.OMX written",
                                 "controller-2026-12-07-060000-2.OMX written",
                                 "controller-2026-12-07-060000-2.OMX already kept",
                                 "controller-2026-12-07-060001.OMX written"}));
    QCOMPARE(listed, QStringList({"controller-2026-12-07-060001.OMX 2026-12-07T06:00:01",
                                  "controller-2026-12-07-060000-2.OMX 2026-12-07T06:00:00"}));
    QVERIFY(other.exists());
    QVERIFY(!BackupStore::keep(a, t, dir.filePath("notes.txt/x")).ok);
}

// Each step drives one more output; the defaults and outputs 1-2 drive none that an MX-2 lacks.
void ConfigTest::mx2Note_namesOnlyDrivenOutputsThreeAndFour()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    const std::pair<std::function<void()>, const char *> steps[] = {
        {[] {}, ""},
        {[&] { doc.SetRelayCloseAction(0, 1, 2), doc.SetDimmerControl(23, 1, 4); }, ""},
        {[&] { doc.SetRelayOpenAction(23, 3, 1); }, "relay 4"},
        {[&] { doc.SetPhotocellTracking(1, 2, 3); }, "relay 4 and dimmer 3"},
        {[&] { doc.SetRelayPowerOn(2, 3); }, "relays 3, 4 and dimmer 3"},
        {[&] { doc.SetDimmerControl(0, 3, 1); }, "relays 3, 4 and dimmers 3, 4"},
    };
    for (const auto &[step, outputs] : steps) {
        step();
        QCOMPARE(ModelFit::missingOnMX2Note(doc),
                 *outputs ? QStringLiteral("The settings drive %1, which an MX-2 does not have")
                                .arg(QLatin1String(outputs))
                          : QString());
    }
}

QTEST_GUILESS_MAIN(ConfigTest)
#include "tst_config.moc"

// Each kind of value the tool has no setting for, counted where the screen shows it, under a
// name that holds what arg() would take for a place marker.
void ConfigTest::unknownValues_countedWhereTheyShow_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("closeAction_questionMark")
        << "RelayCloseAction" << 0 << 12 << "as \"?\" on the grid";
    QTest::newRow("openAction10_Sq") << "RelayOpenAction" << 3 << 10 << "as \"Sq\" on the grid";
    QTest::newRow("openAction11_Sq") << "RelayOpenAction" << 23 << 11 << "as \"Sq\" on the grid";
    QTest::newRow("openAction12_questionMark")
        << "RelayOpenAction" << 0 << 12 << "as \"?\" on the grid";
    QTest::newRow("dimmerOfHardwired_questionMark")
        << "DimmerControl" << 15 << 105 << "as \"?\" on the grid";
    QTest::newRow("dimmerOfPhotocell_noWindow")
        << "DimmerControl" << 16 << 105
        << "in no window (the dimmer control of the photocell inputs)";
    QTest::newRow("fadeOfPhotocell_noWindow")
        << "DimmerControlFadeRate" << 23 << 2
        << "in no window (the dimmer control of the photocell inputs)";
    QTest::newRow("fadeOfSwitch_editor")
        << "DimmerControlFadeRate" << 0 << 2 << "only in their editors and settings dialogs";
}

void ConfigTest::unknownValues_countedWhereTheyShow()
{
    QFETCH(QString, field);
    QFETCH(int, input);
    QFETCH(int, value);
    QFETCH(QString, shown);
    modOVMXConfig doc;
    doc.NewConfiguration();
    FieldTable::findField(field)->set(doc, input, 1, value);
    const QString text = UnknownValues::report(doc, "The file \"%1 100%2.OMX\"").text;
    QCOMPARE(text.section('\n', 0, 0),
             "The file \"%1 100%2.OMX\" holds 1 value that this tool has no setting for:");
    QCOMPARE(text.section("Where they show:\n", 1).section('\n', 0, 0), "    " + shown + ": 1");
}
