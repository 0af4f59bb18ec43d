#include "frmDifferences.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmDifferences::frmDifferences(const QStringList &lines, const QString &reading, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDifferences"));
    setWindowTitle(QStringLiteral("Differences"));
    auto *layout = new QVBoxLayout(this);
    // Counted as the command line counts them.
    const QString count = lines.size() == 1 ? QStringLiteral("1 difference")
                                            : QStringLiteral("%1 differences").arg(lines.size());
    auto *caption = new QLabel(count + QStringLiteral(". ") + reading, this);
    caption->setObjectName(QStringLiteral("lblDifferences"));
    layout->addWidget(caption);
    auto *text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("txtDifferences"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setPlainText(lines.join(QLatin1Char('\n')));
    layout->addWidget(text);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(640, 360);
}

void frmDifferences::openFor(const QStringList &lines, const QString &reading, QWidget *parent)
{
    auto *dialog = new frmDifferences(lines, reading, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
