#include "WalkTest.h"

#include "Frames.h"

#include <QFileInfo>

WalkTest::WalkTest(const modOVMXConfig &doc)
    : m_checksum(Frames::blockChecksum(std::span<const int16_t>(doc.image())))
{
    ConfigTexts::ScreenTexts texts;
    ConfigTexts::deriveScreenTexts(doc, texts);
    for (int i = 0; i < InputCount; ++i)
        at(i).programmed = !inputProgramming(texts, i).isEmpty();
    if (doc.DataFileName != QLatin1String("None"))
        header.dataFile = QFileInfo(doc.DataFileName).fileName();
}

void WalkTest::add(const StatusEvent &event)
{
    if (event.kind == EventKind::InputClosed || event.kind == EventKind::InputOpened) {
        Input &in = at(event.input);
        (event.kind == EventKind::InputClosed ? in.seenClosed : in.seenOpened) = true;
        in.events.append({event.timeMs, event.words});
        return;
    }
    if (!event.isOutput())
        return;
    // A coalesced move arrives late, so the cause is looked up by time, not by arrival.
    Input *cause = nullptr;
    qint64 causeMs = event.timeMs - FollowMs - 1;
    for (Input &in : m_inputs)
        for (const Seen &seen : in.events)
            if (seen.timeMs <= event.timeMs && seen.timeMs > causeMs) {
                cause = &in;
                causeMs = seen.timeMs;
            }
    if (cause)
        cause->followed.append({event.timeMs, event.words});
}

void WalkTest::setController(const ControllerStatus &status)
{
    header.model = status.modelText();
    header.firmware = status.firmware;
    header.node = status.node;
}

int WalkTest::programmedCount() const
{
    return static_cast<int>(std::count_if(m_inputs.begin(), m_inputs.end(),
                                          [](const Input &in) { return in.programmed; }));
}

int WalkTest::testedCount() const
{
    return static_cast<int>(std::count_if(m_inputs.begin(), m_inputs.end(), [](const Input &in) {
        return in.programmed && in.ticked();
    }));
}

QString WalkTest::progressText() const
{
    return QStringLiteral("%1 of %2 programmed inputs tested")
        .arg(testedCount())
        .arg(programmedCount());
}

QString recordPath(const QString &dataFile)
{
    const QString suffix = QFileInfo(dataFile).suffix();
    const QString base = suffix.isEmpty() ? dataFile : dataFile.chopped(suffix.size() + 1);
    return base + QStringLiteral(".commissioning.json");
}

QString verdictText(WalkTest::Verdict verdict)
{
    switch (verdict) {
    case WalkTest::Verdict::Pass:
        return QStringLiteral("Pass");
    case WalkTest::Verdict::Fail:
        return QStringLiteral("Fail");
    case WalkTest::Verdict::None:
        break;
    }
    return QStringLiteral("None");
}
