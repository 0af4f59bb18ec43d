#include "QtFileDialogs.h"

#include <QDir>
#include <QFileDialog>

QString QtFileDialogs::getOpenFileName(const QString &presetName, const QString &filter)
{
    return QDir::toNativeSeparators(
        QFileDialog::getOpenFileName(m_parent, QString(), presetName, filter));
}

QString QtFileDialogs::getSaveFileName(const QString &presetName, const QString &filter)
{
    return QDir::toNativeSeparators(
        QFileDialog::getSaveFileName(m_parent, QString(), presetName, filter));
}
