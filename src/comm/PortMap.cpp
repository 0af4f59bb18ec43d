#include "PortMap.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

PortMap::PortMap(QString byIdDir, QString serialPrefix)
    : m_byIdDir(std::move(byIdDir)), m_serialPrefix(std::move(serialPrefix))
{
}

void PortMap::setOverride(int portNumber, const QString &device)
{
    m_overrides.insert(portNumber, device);
}

bool PortMap::addOverride(const QString &mapping, QString *error)
{
    const qsizetype eq = mapping.indexOf(QLatin1Char('='));
    const int n = eq > 0 ? comNumber(mapping.left(eq)) : 0;
    if (n == 0 || eq + 1 >= mapping.size()) {
        if (error)
            *error = QStringLiteral("\"%1\" is not COMn=DEVICE with n from 1 to 8").arg(mapping);
        return false;
    }
    setOverride(n, mapping.mid(eq + 1));
    return true;
}

QString PortMap::deviceFor(int portNumber) const
{
    if (m_overrides.contains(portNumber))
        return m_overrides.value(portNumber);
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    const QStringList adapters =
        QDir(m_byIdDir).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    const int index = portNumber - 1;
    if (index < adapters.size())
        return m_byIdDir + QLatin1Char('/') + adapters.at(index);
    return m_serialPrefix + QString::number(index - adapters.size());
#endif
}

QString PortMap::resolve(const QString &path)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
}

int PortMap::comNumber(const QString &name)
{
    static const QRegularExpression com(QStringLiteral("^COM([1-8])$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = com.match(name);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

void PortMap::loadOverrides(const QSettings &settings)
{
    for (int n = 1; n <= 8; ++n) {
        const QString device = settings.value(QStringLiteral("ports/COM%1").arg(n)).toString();
        if (!device.isEmpty() && !m_overrides.contains(n))
            m_overrides.insert(n, device);
    }
}

void PortMap::saveOverrides(QSettings &settings) const
{
    settings.remove(QStringLiteral("ports"));
    for (auto it = m_overrides.cbegin(); it != m_overrides.cend(); ++it) {
        const QString entry = QStringLiteral("COM%1").arg(it.key());
        if (it.value().compare(entry, Qt::CaseInsensitive) != 0)
            settings.setValue(QStringLiteral("ports/") + entry, it.value());
    }
}

DeviceFacts examineDevice(const QString &device)
{
    DeviceFacts facts;
    const QFileInfo info(device);
    facts.exists = info.exists();
    facts.group = info.group();
#ifdef Q_OS_UNIX
    facts.accessible =
        facts.exists && ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
#else
    facts.accessible = facts.exists;
#endif
    return facts;
}

QString openFailureReason(const QString &device, const DeviceFacts &facts,
                          const QString &driverError)
{
    if (!facts.exists)
        return QStringLiteral("%1 is missing (adapter unplugged, or another port number?)")
            .arg(device);
    if (!facts.accessible) {
        if (facts.group.isEmpty())
            return QStringLiteral("no permission to use %1").arg(device);
        return QStringLiteral("no permission to use %1: it belongs to group \"%2\"; add your "
                              "user to that group and log in again")
            .arg(device, facts.group);
    }
    if (facts.busy)
        return QStringLiteral("%1 is in use by another program").arg(device);
    return QStringLiteral("%1: %2").arg(device, driverError);
}
