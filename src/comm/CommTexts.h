#pragma once

#include <QString>

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
// Only a node of "FF" lets the tool set dimmer levels.
inline bool dimmersControllable(const QString &node) { return node == QLatin1String("FF"); }

} // namespace CommTexts
