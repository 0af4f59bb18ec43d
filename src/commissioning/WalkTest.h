#pragma once

#include "StatusEvents.h"
#include "Verdict.h"
#include "modOVMXConfig.h"

#include <QDateTime>

#include <array>
#include <cstdint>
#include <optional>

// The walk test: someone works every input on site while the status poll runs, and the record
// keeps what each input was seen to do and what followed it, with the installer's verdicts. It
// is bound to the programming of the file it was made for (the image with the port word set
// aside: the port belongs to the machine, not to the site) and counts only while the
// controller is known to run that programming, by the checksum the controller confirmed.
class WalkTest
{
public:
    static constexpr int InputCount = 24;
    static constexpr int EventCap = 10000; // per input and list, as the activity list keeps
    static constexpr int Version = 2;

    struct Seen {
        qint64 timeMs = 0;
        QString words;
        bool confirmed = true; // the controller ran this walk's programming
        bool operator==(const Seen &) const = default;
    };
    // One try at an input and the installer's verdict on it; a retest adds another.
    struct Attempt {
        qint64 timeMs = 0; // when it was judged
        Verdict verdict = Verdict::None;
        QString comment;
        bool confirmed = true;
        bool operator==(const Attempt &) const = default;
    };
    struct Input {
        bool programmed = false; // from the open document, never from a file
        bool seenClosed = false; // while the controller ran this walk's programming
        bool seenOpened = false;
        QList<Seen> events;      // the input's own, in the order seen
        QList<Seen> followed;    // output events credited to it
        QList<Attempt> attempts; // the last counts

        bool ticked() const { return seenClosed && seenOpened; }
        Verdict verdict() const
        {
            return attempts.isEmpty() ? Verdict::None : attempts.last().verdict;
        }
        QString comment() const { return attempts.isEmpty() ? QString() : attempts.last().comment; }
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
    // What the controller was confirmed to hold: its image's checksum as download and verify
    // compare it, and its programming's. Not known for a record of version 1.
    struct Controller {
        uint32_t checksum = 0;
        uint32_t programming = 0;
        bool operator==(const Controller &) const = default;
    };

    explicit WalkTest(const modOVMXConfig &doc);

    // Input events tick their input; an output event is credited as Follows says. Gives the
    // inputs whose observations changed.
    QList<int> add(const StatusEvent &event);
    void setController(const ControllerStatus &status);
    // The controller's memory as a checksum confirmed it; none when it is not known.
    void setControllerImage(const std::optional<modOVMXConfig::Image> &image);
    std::optional<Controller> controller() const { return m_controller; }
    // The controller runs the programming this walk is for.
    bool confirmed() const;
    // False, and nothing changes, for a Pass while the controller is not confirmed: a pass of
    // other settings says nothing of this file's.
    bool setVerdict(int input, Verdict verdict, qint64 nowMs);
    void setComment(int input, const QString &comment, qint64 nowMs);

    const Input &input(int i) const { return m_inputs[static_cast<size_t>(i)]; }
    // The last verdicts of the programmed inputs. A Pass counts only when it was given while
    // the controller was confirmed; a version 1 record never knew, and says so where it shows.
    struct Tally {
        int programmed = 0, passed = 0, failed = 0, untested = 0;
        bool operator==(const Tally &) const = default;
    };
    Tally tally() const;
    bool counts(const Attempt &attempt) const { return attempt.confirmed || m_version == 1; }
    QString progressText() const; // "7 of 9 programmed inputs tested: 6 passed, 1 failed"
    uint32_t checksum() const { return m_checksum; }       // the file's image
    uint32_t programming() const { return m_programming; } // the file's programming
    int version() const { return m_version; } // as loaded; a new walk is the current version

    // The record file, written all or nothing. A load refuses a record of other programming or
    // with a field that cannot be right, naming it, and leaves this record as it was; on
    // success it replaces every input's observations, never merging them with what is here.
    modOVMXConfig::FileResult save(const QString &path) const;
    modOVMXConfig::FileResult load(const QString &path);
    modOVMXConfig::FileResult read(const QByteArray &json);
    QByteArray toJson() const;

    Header header;

private:
    Input &at(int i) { return m_inputs[static_cast<size_t>(i)]; }
    Attempt &current(int input, qint64 nowMs);

    std::array<Input, InputCount> m_inputs;
    uint32_t m_checksum = 0;
    uint32_t m_programming = 0;
    modOVMXConfig::Image m_image{}; // a version 1 record's checksum covers the port word
    std::optional<Controller> m_controller;
    int m_version = Version;
};

// The record beside its data file: "site.OMX" gives "site.commissioning.json".
QString recordPath(const QString &dataFile);
// A checksum in the digits the controller reports it: "0012ABCD".
QString checksumText(uint32_t sum);
