#include "HandMoves.h"

void HandMoves::driven(int subject, qint64 commandMs)
{
    const int slot = subject - 24;
    if (slot >= 0 && slot < static_cast<int>(m_commandMs.size()))
        m_commandMs[static_cast<size_t>(slot)] = commandMs;
}

void HandMoves::mark(StatusEvent &event) const
{
    if (!event.isOutput() || event.output < 0 || event.output > 3)
        return;
    const int slot = event.output + (event.kind == EventKind::DimmerMoved ? 4 : 0);
    const std::optional<qint64> command = m_commandMs[static_cast<size_t>(slot)];
    if (!command || event.timeMs < *command || event.timeMs > *command + WindowMs)
        return;
    event.byHand = true;
    if (!event.words.endsWith(QLatin1String(" by hand")))
        event.words += QStringLiteral(" by hand");
}
