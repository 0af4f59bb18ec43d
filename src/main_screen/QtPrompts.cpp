#include "QtPrompts.h"

namespace
{
// Two-line messages arrive joined by CR LF; a label breaks on LF alone.
QString displayed(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}
} // namespace

QMessageBox::Icon QtPrompts::boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::NoIcon:
        return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

bool QtPrompts::askYesNo(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, displayed(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    // File names and controller replies are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtPrompts::message(const QString &title, const QString &text, Icon icon)
{
    QMessageBox box(boxIcon(icon), title, displayed(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
