// The simulator's script lines: whatever the bytes, and however they are cut into pieces as a
// keyboard or a file delivers them, the reader holds no more than a line, names each refused
// line once in order, and gives only actions the simulated controller has a place for.
//
// Input: a byte giving the size of the pieces (1 to 256), then the script.
#include "SimScript.h"

namespace
{
struct Read {
    QList<ScriptLine> lines;
    QStringList errors;
};

Read readInPieces(QByteArrayView script, qsizetype piece)
{
    ScriptReader reader;
    Read read;
    bool taking = true;
    for (qsizetype at = 0; at < script.size(); at += piece) {
        const bool took = reader.feed(script.sliced(at, std::min(piece, script.size() - at)));
        if (took && !taking)
            qFatal("the reader took more after it had ended the reading");
        taking = took;
        if (reader.held() > ScriptReader::MaxLineLength)
            qFatal("the reader held more than a line");
        read.lines += reader.takeLines();
        read.errors += reader.takeErrors();
    }
    reader.finish();
    read.lines += reader.takeLines();
    read.errors += reader.takeErrors();
    return read;
}

bool inRange(const ScriptLine &line)
{
    const auto within = [](int v, int low, int high) { return v >= low && v <= high; };
    const SimAction &a = line.action;
    const bool flag = within(a.value, 0, 1), level = within(a.value, 0, 255);
    switch (a.kind) {
    case SimAction::Kind::Input:
        return within(a.index, 0, 23) && flag;
    case SimAction::Kind::Station:
    case SimAction::Kind::LightLevel:
        return within(a.index, 0, 1) && (a.kind == SimAction::Kind::Station ? flag : level);
    case SimAction::Kind::Relay:
        return within(a.index, 0, 3) && flag;
    case SimAction::Kind::Dimmer:
        return within(a.index, 0, 3) && level;
    }
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArrayView script(reinterpret_cast<const char *>(data) + 1, qsizetype(size) - 1);
    const Read whole = readInPieces(script, std::max<qsizetype>(1, script.size()));
    const Read pieces = readInPieces(script, data[0] + 1);
    if (pieces.errors != whole.errors || pieces.lines != whole.lines)
        qFatal("the pieces a script arrives in changed what was read of it");
    int previous = 0;
    for (const QString &error : whole.errors) {
        const int number = error.section(QLatin1Char(':'), 0, 0).mid(5).toInt();
        if (!error.startsWith(QLatin1String("line ")) || number <= previous)
            qFatal("a refused line was not named by its number, once and in order");
        previous = number;
    }
    ControllerSimulator sim;
    for (const ScriptLine &line : whole.lines) {
        if (!inRange(line) || line.atMs < 0 || line.atMs > 86'400'000)
            qFatal("a script line was taken with an action or a time outside the controller's");
        applyAction(sim, line.action);
    }
    return 0;
}
