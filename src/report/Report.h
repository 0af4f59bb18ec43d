#pragma once

#include "Verdict.h"
#include "modOVMXConfig.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPageSize>
#include <QStringList>

#include <algorithm>
#include <optional>

class QPagedPaintDevice;

// The handover document of a configuration, which the owner files and the commissioning agent
// signs: a title block naming the site, the people and the exact programming (the image's
// checksum), the grid as the screen draws it, the programming and the settings as tables, the
// tracking curves, the walk test when there was one, and sign-off lines. Every page carries the
// file name, when it was made, the tool's name and revision and "Page n of N".
namespace Report
{

enum class Paper { A4, Letter };

QPageSize pageSize(Paper paper);

// Entered by the installer; what is empty is left as a line to write on.
struct People {
    QString site;
    QString customer;
    QString installer;
    QString tester; // who tested the controls, with the certificate and the company
    QString certificate;
    QString company;
    QString witness; // who saw them tested
    bool operator==(const People &) const = default;
};

// The controller as a connection saw it; an empty field is not known.
struct Controller {
    QString model;    // "MX-4"
    QString firmware; // "Rev 3"
    QString node;     // "01"
    bool known() const { return !model.isEmpty() || !firmware.isEmpty() || !node.isEmpty(); }
};

// A walk test of the site: each input tried, what its programming should do, the outputs seen
// to follow it and the installer's verdicts.
struct Commissioning {
    struct Attempt {
        Verdict verdict = Verdict::None;
        QString comment;
        QDateTime time;
        bool counts = true; // given while the controller ran this programming
    };
    struct Test {
        QString input;           // as the tables name it: "Tamberline 01 Input 3"
        QString expected;        // "Relay 2 on when closed, off when opened"; "" if none
        QStringList outputs;     // seen to follow it: "Relay 2 on", "Dimmer 1 0 → 25 in 0.5 s"
        QStringList differences; // "Dimmer 1 expected, not seen": a hint, never a verdict
        QList<Attempt> attempts; // the last counts
        QDateTime time;          // its last press
        bool failed() const
        {
            return !attempts.isEmpty() && attempts.last().verdict == Verdict::Fail;
        }
    };
    QDateTime start, end;
    Controller controller;
    bool confirmed = true; // false: the walk never knew what the controller ran
    QList<Test> tests;
    QStringList untested; // programmed inputs without a verdict that counts
    int programmed = 0, passed = 0, failed = 0;
    // Every failed input, and every programmed input not tested.
    int openItems() const
    {
        return int(std::count_if(tests.begin(), tests.end(),
                                 [](const Test &t) { return t.failed(); })) +
               int(untested.size());
    }
};

// Everything on paper that the image does not hold.
struct Details {
    People people;
    Controller controller; // as last seen on a connect; the record's when this is not known
    std::optional<Commissioning> record;
    QDateTime made;
};

// A PDF turns each page its own way; a printer cannot change sheets within a job, so there
// every sheet is portrait and the landscape grid page is painted turned on its sheet.
enum class Sheets { PerPage, Portrait };

// Paints every page on `device` with the report's margins; the paper size is the device's.
// False when the device cannot be painted on.
bool paint(QPagedPaintDevice &device, const modOVMXConfig &doc, const Details &details,
           Sheets sheets = Sheets::PerPage);

// The report as a PDF file's bytes; empty when it could not be made.
QByteArray pdf(const modOVMXConfig &doc, Paper paper, const Details &details);

// Whether `out` is one of the files a report of `dataFile` reads: the data file, its walk-test
// record (`record`, else the one beside it) and its names. A report never goes there.
bool readsFrom(const QString &out, const QString &dataFile, const QString &record = {});

// The 32-bit checksum of the image as download and verify compare it, in the digits the
// controller reports it: "0012ABCD".
QString checksumText(const modOVMXConfig &doc);

} // namespace Report
