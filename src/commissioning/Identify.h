#pragma once

#include "StatusReply.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Identify: an output worked so the installer finds the fitting it drives. A relay switches on
// and off three times a second apart and returns to its state; a dimmer goes to full, off,
// full and back to its level. Subjects as eventSubject() numbers them: 24 + relay, 28 + dimmer.
namespace Identify
{

constexpr qint64 StepMs = 1000;

struct Step {
    qint64 atMs = 0; // from the start
    int subject = 0;
    int level = 0; // a relay's 0 or 1, a dimmer's 0-255
    QByteArray command;
    QString words; // "Relay 2 on", "Dimmer 1 back to 128"
};

// The output's current level as `status` shows it.
int levelOf(const ControllerStatus &status, int subject);
// The steps, the last of them putting back `current`.
QList<Step> steps(int subject, int current);

} // namespace Identify
