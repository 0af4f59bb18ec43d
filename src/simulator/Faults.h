#pragma once

#include <QString>
#include <QStringList>

// How the simulated controller misbehaves, as named on the command line ("slow=1500").
// Block numbers count from 1, as the progress captions do: block N starts at 64 (N - 1).
struct Faults {
    bool silent = false;            // "silent": never answers
    int slowMs = 0;                 // "slow[=MS]": each reply that much late
    int wrongChecksum = 0;          // "wrong-checksum[=1|2]": both halves, 1 high only, 2 low only
    bool badFrameChecksum = false;  // "bad-frame-checksum": replies fail their frame checksum
    bool extraCharacter = false;    // "extra-character": one character after the "]"
    bool lowerCaseChecksum = false; // "lower-case": checksum digits in lower case
    int silentFromBlock = 0;        // "silent-from-block=N": no reply from block N on
    int disconnectAtBlock = 0;      // "disconnect-at-block=N": drops the line at block N

    static constexpr int DefaultSlowMs = 1500;

    // Adds one "NAME[=N]"; false with a reason for an unknown name or a bad number.
    bool add(const QString &fault, QString *error);
    static QStringList names();
};
