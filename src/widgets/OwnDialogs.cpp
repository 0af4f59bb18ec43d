#include "OwnDialogs.h"

bool OwnDialogs::askYesNo(const QString &title, const QString &text)
{
    const bool yes = m_prompts.askYesNo(title, text);
    handBack();
    return yes;
}

Prompts::Answer OwnDialogs::askYesNoCancel(const QString &title, const QString &text)
{
    const Answer answer = m_prompts.askYesNoCancel(title, text);
    handBack();
    return answer;
}

void OwnDialogs::message(const QString &title, const QString &text, Icon icon,
                         const QString &details)
{
    m_prompts.message(title, text, icon, details);
    handBack();
}

QString OwnDialogs::getOpenFileName(const QString &presetName, const QString &filter)
{
    const QString name = m_fileDialogs.getOpenFileName(presetName, filter);
    handBack();
    return name;
}

QString OwnDialogs::getSaveFileName(const QString &presetName, const QString &filter)
{
    const QString name = m_fileDialogs.getSaveFileName(presetName, filter);
    handBack();
    return name;
}

void OwnDialogs::handBack()
{
    if (!m_window || !m_window->isVisible())
        return;
    m_window->raise();
    m_window->activateWindow();
}
