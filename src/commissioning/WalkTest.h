#pragma once

#include "StatusEvents.h"
#include "modOVMXConfig.h"

#include <QDateTime>

#include <array>
#include <cstdint>

// The walk test: someone works every input on site while the status poll runs, and the record
// keeps what each input was seen to do and what followed it, with the installer's verdict. It is
// bound to the settings it was made with by their 32-bit checksum, the one the controller
// confirms transfers with, so a record never describes a programming it was not made against.
class WalkTest
{
public:
    enum class Verdict { None, Pass, Fail };
    static constexpr qint64 FollowMs = 2000; // an output event this soon after an input event
    static constexpr int InputCount = 24;

    struct Seen {
        qint64 timeMs = 0;
        QString words;
        bool operator==(const Seen &) const = default;
    };
    struct Input {
        bool programmed = false; // from the open document, never from a file
        bool seenClosed = false;
        bool seenOpened = false;
        QList<Seen> events;   // the input's own, in the order seen
        QList<Seen> followed; // output events within FollowMs after one of the input's events
        Verdict verdict = Verdict::None;
        QString comment;

        bool ticked() const { return seenClosed && seenOpened; }
        qint64 firstMs() const { return events.isEmpty() ? -1 : events.first().timeMs; }
        qint64 lastMs() const { return events.isEmpty() ? -1 : events.last().timeMs; }
        bool operator==(const Input &) const = default;
    };
    // Written into the record as found; the caller fills them.
    struct Header {
        QString dataFile; // the data file's name, without its folder
        QString model;    // "MX-4"
        QString firmware; // the character as received
        QString node;     // the two characters as received
        QDateTime started;
        QDateTime ended;
        bool operator==(const Header &) const = default;
    };

    explicit WalkTest(const modOVMXConfig &doc);

    // Input events tick their input; an output event goes to the input whose event came last
    // before it, when that is no longer than FollowMs before. Other events change nothing.
    void add(const StatusEvent &event);
    void setController(const ControllerStatus &status);
    void setVerdict(int input, Verdict verdict) { at(input).verdict = verdict; }
    void setComment(int input, const QString &comment) { at(input).comment = comment; }

    const Input &input(int i) const { return m_inputs[static_cast<size_t>(i)]; }
    int programmedCount() const;
    int testedCount() const;      // programmed inputs seen both closed and opened
    QString progressText() const; // "14 of 18 programmed inputs tested"
    uint32_t checksum() const { return m_checksum; }

    // The record file, written all or nothing. A load refuses a record whose checksum is not the
    // open settings' and leaves this record as it was; on success it replaces every input's
    // observations, never merging them with what is here.
    modOVMXConfig::FileResult save(const QString &path) const;
    modOVMXConfig::FileResult load(const QString &path);

    Header header;

private:
    Input &at(int i) { return m_inputs[static_cast<size_t>(i)]; }
    QByteArray toJson() const;

    std::array<Input, InputCount> m_inputs;
    uint32_t m_checksum = 0;
};

// The record beside its data file: "site.OMX" gives "site.commissioning.json".
QString recordPath(const QString &dataFile);
QString verdictText(WalkTest::Verdict verdict); // "None", "Pass", "Fail"
