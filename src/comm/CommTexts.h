#pragma once

#include <QString>

#include <optional>

// The link's own words to the user, shared by the connection window and the command line.
namespace CommTexts
{

inline QString portErrorTitle() { return QStringLiteral("Port Error"); }
inline QString unableToOpenPort() { return QStringLiteral("Unable To Open Port"); }
inline QString communicationsErrorTitle() { return QStringLiteral("Communications Error"); }
inline QString unableToConnect() { return QStringLiteral("Unable To Connect To Orvandel-2"); }
inline QString networkedDimmers()
{
    return QStringLiteral(
        "OV-2 Is Networked. Dimmer Output Levels May Not Be Controlled From This Software");
}
// "COM3 (/dev/ttyUSB1)", or the port alone where it is its own device.
inline QString where(const QString &port, const QString &device)
{
    return device.isEmpty() || device == port ? port : QStringLiteral("%1 (%2)").arg(port, device);
}
// The controller stopped answering: where, what failed and why, and what a person checks.
// "the controller on COM1 (/dev/ttyUSB0) could not be read: the status request: no reply
// within 1 s. Check the cable, …"
inline QString unreachable(const QString &where, const QString &what, const QString &why)
{
    return QStringLiteral("the controller on %1 %2: %3. Check the cable, the controller's power, "
                          "the port number, and that no other program holds the port.")
        .arg(where, what, why);
}
// A dimmer level as a person writes it: "200" as it is, "50%" as that share of 255, rounded;
// none outside 0-255 and 0%-100%.
inline std::optional<int> dimmerLevel(const QString &text)
{
    bool ok = false;
    if (!text.endsWith(QLatin1Char('%'))) {
        const int level = text.toInt(&ok);
        return ok && level >= 0 && level <= 255 ? std::optional(level) : std::nullopt;
    }
    const double percent = text.chopped(1).toDouble(&ok);
    return ok && percent >= 0 && percent <= 100 ? std::optional(qRound(percent * 255 / 100))
                                                : std::nullopt;
}
// Only a node of "FF" lets the tool set dimmer levels.
inline bool dimmersControllable(const QString &node) { return node == QLatin1String("FF"); }

} // namespace CommTexts
