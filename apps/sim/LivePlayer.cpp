#include "LivePlayer.h"

#include <cstdio>

LivePlayer::LivePlayer(ControllerSimulator &sim, ScriptPlayer &script)
    : m_sim(sim), m_script(script)
{
    m_clock.start();
    m_next.setSingleShot(true);
    m_next.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_next, &QTimer::timeout, &m_next, [this] { play(); });
    QObject::connect(&m_keyboard, &QSocketNotifier::activated, &m_keyboard,
                     [this] { readKeyboard(); });
    play();
}

void LivePlayer::play()
{
    const qint64 next = m_script.playUntil(m_sim, m_clock.elapsed());
    if (next >= 0)
        m_next.start(static_cast<int>(std::max<qint64>(0, next - m_clock.elapsed())));
}

void LivePlayer::readKeyboard()
{
    char buffer[512];
    // One read per wake-up never blocks; standard input stays in its blocking mode, which
    // the terminal shares with the shell.
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    // The end, a background job that may not read the terminal, or a stream that is no script.
    if (n <= 0 || !m_typed.feed(QByteArrayView(buffer, n)))
        m_keyboard.setEnabled(false);
    for (const QString &error : m_typed.takeErrors())
        std::fprintf(stderr, "orvandel-mx-sim: standard input %s\n", qPrintable(error));
    for (ScriptLine &line : m_typed.takeLines()) {
        line.atMs += m_clock.elapsed();
        m_script.add(line);
    }
    play();
}
