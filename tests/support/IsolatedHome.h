#pragma once

#include <QSettings>
#include <QTemporaryDir>

// Keeps the tool's data directory and its recent files out of the user's own.
struct IsolatedHome {
    QTemporaryDir dir;
    IsolatedHome()
    {
        qputenv("HOME", dir.path().toLocal8Bit());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
#ifdef Q_OS_WIN
        // There the settings live in the registry, which no path moves: they start empty.
        QSettings(QStringLiteral("Tevara"), QStringLiteral("orvandel-mx")).clear();
#endif
    }
};
