#include "Faults.h"

namespace
{
bool number(const QString &text, int min, int max, int *out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < min || v > max)
        return false;
    *out = v;
    return true;
}
} // namespace

QStringList Faults::names()
{
    return {QStringLiteral("silent"),
            QStringLiteral("slow[=MS]"),
            QStringLiteral("wrong-checksum[=1|2]"),
            QStringLiteral("bad-frame-checksum"),
            QStringLiteral("extra-character"),
            QStringLiteral("lower-case"),
            QStringLiteral("silent-from-block=N"),
            QStringLiteral("disconnect-at-block=N")};
}

bool Faults::add(const QString &fault, QString *error)
{
    const qsizetype eq = fault.indexOf(QLatin1Char('='));
    const QString name = eq < 0 ? fault : fault.left(eq);
    const QString arg = eq < 0 ? QString() : fault.mid(eq + 1);
    const bool hasArg = eq >= 0;
    bool ok = true;
    if (name == QLatin1String("silent") && !hasArg)
        silent = true;
    else if (name == QLatin1String("slow"))
        ok = hasArg ? number(arg, 0, 600000, &slowMs) : (slowMs = DefaultSlowMs, true);
    else if (name == QLatin1String("wrong-checksum"))
        ok = hasArg ? number(arg, 1, 2, &wrongChecksum) : (wrongChecksum = 3, true);
    else if (name == QLatin1String("bad-frame-checksum") && !hasArg)
        badFrameChecksum = true;
    else if (name == QLatin1String("extra-character") && !hasArg)
        extraCharacter = true;
    else if (name == QLatin1String("lower-case") && !hasArg)
        lowerCaseChecksum = true;
    else if (name == QLatin1String("silent-from-block"))
        ok = number(arg, 1, 16, &silentFromBlock);
    else if (name == QLatin1String("disconnect-at-block"))
        ok = number(arg, 1, 16, &disconnectAtBlock);
    else
        ok = false;
    if (!ok && error)
        *error = QStringLiteral("unknown fault \"%1\"; the faults are: %2")
                     .arg(fault, names().join(QStringLiteral(", ")));
    return ok;
}
