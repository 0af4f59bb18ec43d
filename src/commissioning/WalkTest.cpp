#include "WalkTest.h"

#include "Follows.h"
#include "Frames.h"

#include <QFileInfo>

WalkTest::WalkTest(const modOVMXConfig &doc)
    : m_checksum(Frames::blockChecksum(std::span<const int16_t>(doc.image()))),
      m_programming(
          Frames::blockChecksum(std::span<const int16_t>(modOVMXConfig::withPort(doc.image())))),
      m_image(doc.image())
{
    ConfigTexts::ScreenTexts texts;
    ConfigTexts::deriveScreenTexts(doc, texts);
    for (int i = 0; i < InputCount; ++i)
        at(i).programmed = !inputProgramming(texts, i).isEmpty();
    if (doc.DataFileName != QLatin1String("None"))
        header.dataFile = QFileInfo(doc.DataFileName).fileName();
}

namespace
{
template <typename T> void appendCapped(QList<T> &list, const T &item)
{
    if (list.size() >= WalkTest::EventCap)
        list.removeFirst();
    list.append(item);
}
} // namespace

QList<int> WalkTest::add(const StatusEvent &event)
{
    const bool sure = confirmed();
    if (event.kind == EventKind::InputClosed || event.kind == EventKind::InputOpened) {
        Input &in = at(event.input);
        if (sure)
            (event.kind == EventKind::InputClosed ? in.seenClosed : in.seenOpened) = true;
        appendCapped(in.events, {event.timeMs, event.words, sure});
        return {event.input};
    }
    if (!event.isOutput() || event.byHand)
        return {};
    // A coalesced move arrives late, so its causes are looked up by time, not by arrival.
    Follows follows(event.timeMs);
    for (const Input &in : m_inputs)
        for (const Seen &seen : in.events)
            follows.consider(seen.timeMs);
    QList<int> credited;
    for (int i = 0; i < InputCount; ++i) {
        Input &in = at(i);
        if (std::any_of(in.events.begin(), in.events.end(),
                        [&](const Seen &seen) { return follows.credits(seen.timeMs); })) {
            appendCapped(in.followed, {event.timeMs, event.words, sure});
            credited << i;
        }
    }
    return credited;
}

void WalkTest::setController(const ControllerStatus &status)
{
    header.model = status.modelText();
    header.firmware = status.firmware;
    header.node = status.node;
}

void WalkTest::setControllerImage(const std::optional<modOVMXConfig::Image> &image)
{
    if (!image) {
        m_controller.reset();
        return;
    }
    m_controller = Controller{
        Frames::blockChecksum(std::span<const int16_t>(*image)),
        Frames::blockChecksum(std::span<const int16_t>(modOVMXConfig::withPort(*image)))};
}

bool WalkTest::confirmed() const
{
    return m_controller && m_controller->programming == m_programming;
}

// A verdict or comment after the input was worked again begins a retest; before that it
// corrects the attempt under way.
WalkTest::Attempt &WalkTest::current(int input, qint64 nowMs)
{
    Input &in = at(input);
    const bool retest = !in.attempts.isEmpty() && in.attempts.last().verdict != Verdict::None &&
                        in.lastMs() > in.attempts.last().timeMs;
    if (in.attempts.isEmpty() || retest)
        in.attempts.append({nowMs, Verdict::None, {}, confirmed()});
    return in.attempts.last();
}

bool WalkTest::setVerdict(int input, Verdict verdict, qint64 nowMs)
{
    if (verdict == Verdict::Pass && !confirmed())
        return false;
    Attempt &attempt = current(input, nowMs);
    attempt.verdict = verdict;
    attempt.timeMs = nowMs;
    attempt.confirmed = confirmed();
    if (verdict == Verdict::None && attempt.comment.isEmpty())
        at(input).attempts.removeLast();
    return true;
}

void WalkTest::setComment(int input, const QString &comment, qint64 nowMs)
{
    current(input, nowMs).comment = comment;
}

WalkTest::Tally WalkTest::tally() const
{
    Tally t;
    for (const Input &in : m_inputs) {
        if (!in.programmed)
            continue;
        ++t.programmed;
        const Verdict v = in.verdict();
        if (v == Verdict::Fail)
            ++t.failed;
        else if (v == Verdict::Pass && counts(in.attempts.last()))
            ++t.passed;
        else
            ++t.untested;
    }
    return t;
}

QString WalkTest::progressText() const
{
    const Tally t = tally();
    return QStringLiteral("%1 of %2 programmed inputs tested: %3 passed, %4 failed")
        .arg(t.passed + t.failed)
        .arg(t.programmed)
        .arg(t.passed)
        .arg(t.failed);
}

QString recordPath(const QString &dataFile)
{
    const QString suffix = QFileInfo(dataFile).suffix();
    const QString base = suffix.isEmpty() ? dataFile : dataFile.chopped(suffix.size() + 1);
    return base + QStringLiteral(".commissioning.json");
}

QString checksumText(uint32_t sum)
{
    return QStringLiteral("%1").arg(sum, 8, 16, QLatin1Char('0')).toUpper();
}

QString verdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass:
        return QStringLiteral("Pass");
    case Verdict::Fail:
        return QStringLiteral("Fail");
    case Verdict::None:
        break;
    }
    return QStringLiteral("None");
}

std::optional<Verdict> verdictFrom(const QString &text)
{
    for (const Verdict v : {Verdict::None, Verdict::Pass, Verdict::Fail})
        if (text == verdictText(v))
            return v;
    return std::nullopt;
}
