#pragma once

#include "Prompts.h"

#include <QMessageBox>
#include <QPointer>

// Questions and messages as modal message boxes over the main window.
class QtPrompts : public Prompts
{
public:
    explicit QtPrompts(QWidget *parent = nullptr) : m_parent(parent) {}

    void setParentWidget(QWidget *parent) { m_parent = parent; }

    bool askYesNo(const QString &title, const QString &text) override;
    Answer askYesNoCancel(const QString &title, const QString &text) override;
    void message(const QString &title, const QString &text, Icon icon,
                 const QString &details = {}) override;

    // Wide enough for its title: a window manager elides a title wider than the box
    // ("Do…oad").
    static void fitTitle(QMessageBox &box);

    static QMessageBox::Icon boxIcon(Icon icon);

private:
    QPointer<QWidget> m_parent;
};
