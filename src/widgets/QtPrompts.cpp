#include "QtPrompts.h"

#include <QGridLayout>

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
    fitTitle(box);
    return box.exec() == QMessageBox::Yes;
}

Prompts::Answer QtPrompts::askYesNoCancel(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, displayed(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    fitTitle(box);
    const int chosen = box.exec();
    return chosen == QMessageBox::Yes  ? Answer::Yes
           : chosen == QMessageBox::No ? Answer::No
                                       : Answer::Cancel;
}

void QtPrompts::message(const QString &title, const QString &text, Icon icon,
                        const QString &details)
{
    QMessageBox box(boxIcon(icon), title, displayed(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDetailedText(details);
    fitTitle(box);
    box.exec();
}

void QtPrompts::fitTitle(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    // The title bar's font is the window manager's; the application's bold font is a fair
    // measure of it. The buttons beside the title (close, maximise, minimise, menu) take about
    // a title bar's height each.
    QFont font = box.font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 4 * 2 * metrics.height();
    // QMessageBox sizes itself from its layout: a spacer across the bottom row widens it.
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
}
