#pragma once

#include "modOVMXConfig.h"

#include <QList>
#include <QStringList>

// What the programming makes an input do, in plain words, and which outputs it should move:
// what the walk test holds the outputs seen against.
struct ExpectedResponse {
    // {"Relay 2 on when closed, off when opened", "Dimmer 1 raise 10 %"}; empty: nothing.
    QStringList words;
    QList<int> outputs; // subjects, as eventSubject() numbers them: 24 + relay, 28 + dimmer

    static ExpectedResponse of(const modOVMXConfig &doc, int input);
};
