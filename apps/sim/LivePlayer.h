#pragma once

#include "SimScript.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <unistd.h>

// Plays the script and the lines typed on standard input, each at its time from the start
// (typed lines from when they are typed).
class LivePlayer
{
public:
    LivePlayer(ControllerSimulator &sim, ScriptPlayer &script);

private:
    void play();
    void readKeyboard();

    ControllerSimulator &m_sim;
    ScriptPlayer &m_script;
    QElapsedTimer m_clock;
    QTimer m_next;
    QSocketNotifier m_keyboard{STDIN_FILENO, QSocketNotifier::Read};
    ScriptReader m_typed;
};
