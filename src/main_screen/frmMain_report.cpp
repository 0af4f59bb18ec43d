// File › Print… and Export PDF…: the printed record of the programming.
#include "frmMain.h"

#include "DataDirectory.h"
#include "Report.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace
{
// The paper of the user's country: Letter where measures are American, A4 elsewhere.
Report::Paper localPaper()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
               ? Report::Paper::Letter
               : Report::Paper::A4;
}

QAction *insertCommand(QMenu *menu, QAction *before, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, menu);
    action->setObjectName(QLatin1String(name));
    menu->insertAction(before, action);
    return action;
}
} // namespace

void frmMain::buildReportMenu()
{
    auto *file = menuBar()->findChild<QMenu *>(QStringLiteral("mnuFile"));
    // Beside the other commands on the whole file, above the recent files.
    QAction *print =
        insertCommand(file, m_recentSeparator, "mnuFilePrint", QStringLiteral("Print…"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction *pdf =
        insertCommand(file, m_recentSeparator, "mnuFileExportPdf", QStringLiteral("Export PDF…"));
    connect(print, &QAction::triggered, this, &frmMain::mnuFilePrint_Click);
    connect(pdf, &QAction::triggered, this, &frmMain::mnuFileExportPdf_Click);
}

void frmMain::mnuFilePrint_Click()
{
    // The preview shows the pages as they will print; its Print button opens the print dialog.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageSize(Report::pageSize(localPaper()));
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Print"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *target) {
        Report::paint(*target, m_doc, QDateTime::currentDateTime());
    });
    runDialog(preview);
}

void frmMain::mnuFileExportPdf_Click()
{
    // Proposed beside the data file, under its name; a configuration never saved goes to the
    // data directory.
    const QFileInfo data(m_doc.DataFileName);
    const QString preset =
        m_doc.DataFileName == QStringLiteral("None")
            ? DataDirectory::path() + QStringLiteral("/Orvandel MX.pdf")
            : data.path() + QLatin1Char('/') + data.completeBaseName() + QStringLiteral(".pdf");
    const QString name = m_fileDialogs.getSaveFileName(
        QDir::toNativeSeparators(preset), QStringLiteral("PDF Files (*.pdf);;All Files (*)"));
    if (name.isEmpty())
        return;
    const QByteArray pdf = Report::pdf(m_doc, localPaper(), QDateTime::currentDateTime());
    if (pdf.isEmpty()) {
        reportFailure({false, QStringLiteral("Cannot write \"%1\": the report could not be "
                                             "painted")
                                  .arg(name)});
        return;
    }
    // Written whole or not at all, as a data file is.
    reportFailure(modOVMXConfig::writeBytes(name, pdf));
}
