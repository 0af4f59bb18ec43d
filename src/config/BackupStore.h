#pragma once

#include "modOVMXConfig.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The copies of controllers' memories kept before anything can overwrite them. The window and
// the command line keep them in one folder under one naming, so either finds the other's.
namespace BackupStore
{

// ~/.local/share/orvandel-mx/backups on Linux; the same folder for every program of the tool.
QString directory();

// controller-2026-12-06-181502.OMX; a second copy within the same second gets "-2", and so on.
QString fileName(const QDateTime &when);

struct Entry {
    QString path;
    QDateTime when;
};
// The backups in `folder`, newest first. Other files in the folder are not backups.
QList<Entry> list(const QString &folder = directory());

struct Kept {
    bool ok = true;
    bool written = false; // false when the newest backup already holds this memory
    QString path;         // the new backup, or the newest one that holds the same memory
    QString error;        // readable reason when !ok, naming the folder or file
};
// Keeps `image` unless the newest backup holds the same bytes; then only the newest `limit`
// backups are kept.
Kept keep(const modOVMXConfig::Image &image, const QDateTime &when,
          const QString &folder = directory(), int limit = 200);

} // namespace BackupStore
