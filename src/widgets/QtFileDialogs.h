#pragma once

#include "Prompts.h"

#include <QPointer>
#include <QWidget>

// The platform's open and save dialogs. Names come back with native separators, so they
// compare with the preset name and read in the title as the user typed them.
class QtFileDialogs : public FileDialogs
{
public:
    explicit QtFileDialogs(QWidget *parent = nullptr) : m_parent(parent) {}

    void setParentWidget(QWidget *parent) { m_parent = parent; }

    // The file must exist, as must its folder.
    QString getOpenFileName(const QString &presetName, const QString &filter) override;
    // Accepts new names and asks before replacing an existing file.
    QString getSaveFileName(const QString &presetName, const QString &filter) override;

private:
    QPointer<QWidget> m_parent;
};
