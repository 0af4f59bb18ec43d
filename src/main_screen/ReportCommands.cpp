#include "ReportCommands.h"

#include "DataDirectory.h"
#include "DocumentSession.h"
#include "HandoverFile.h"
#include "Report.h"
#include "StatusReply.h"
#include "WalkTestRecord.h"
#include "frmHandover.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
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

ReportCommands::ReportCommands(DocumentSession &session, QWidget *window, DialogRunner runDialog)
    : QObject(window), m_session(session), m_window(window), m_runDialog(std::move(runDialog))
{
}

void ReportCommands::addTo(QMenu *file, QAction *before)
{
    QAction *print = insertCommand(file, before, "mnuFilePrint", QStringLiteral("Print…"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction *pdf = insertCommand(file, before, "mnuFileExportPdf", QStringLiteral("Export PDF…"));
    connect(print, &QAction::triggered, this, &ReportCommands::mnuFilePrint_Click);
    connect(pdf, &QAction::triggered, this, &ReportCommands::mnuFileExportPdf_Click);
}

std::optional<Report::Details> ReportCommands::askDetails()
{
    const QString data = m_session.document().DataFileName;
    Report::People kept;
    // Names that cannot be right are said and not offered; they are replaced only by names
    // the user confirms.
    if (const modOVMXConfig::FileResult read = HandoverFile::read(data, kept); !read.ok)
        m_session.reportFailure(
            {false, read.error + QStringLiteral(". The names confirmed next will replace it.")});
    frmHandover dialog(kept, m_window);
    if (m_runDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    const Report::People people = dialog.people();
    // The names go with the data file even when the report is then cancelled; a sidecar that
    // cannot be written costs the report nothing, but the user hears of it.
    if (people != kept)
        m_session.reportFailure(HandoverFile::write(data, people));
    // The walk test kept beside the data file; one that cannot count for these settings is
    // left out, saying why.
    std::optional<Report::Commissioning> record;
    if (const modOVMXConfig::FileResult read =
            WalkTestRecord::read(m_session.document(), {}, record);
        !read.ok)
        m_session.reportFailure(
            {false, QStringLiteral("The walk test is left out of the document. ") + read.error});
    return Report::Details{people, m_controller, record, QDateTime::currentDateTime()};
}

void ReportCommands::controllerSeen(const QByteArray &reply)
{
    const ControllerStatus status = DecodeStatus(reply);
    m_controller = {status.modelText(), status.firmwareText(), status.node};
}

void ReportCommands::mnuFilePrint_Click()
{
    const std::optional<Report::Details> details = askDetails();
    if (!details)
        return;
    // The preview shows the pages as they will print; its Print button opens the print dialog.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageSize(Report::pageSize(localPaper()));
    printer.setPageOrientation(QPageLayout::Portrait);
    QPrintPreviewDialog preview(&printer, m_window);
    preview.setWindowTitle(QStringLiteral("Print"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &details](QPrinter *to) {
        Report::paint(*to, m_session.document(), *details, Report::Sheets::Portrait);
    });
    m_runDialog(preview);
}

void ReportCommands::mnuFileExportPdf_Click()
{
    const std::optional<Report::Details> details = askDetails();
    if (!details)
        return;
    const modOVMXConfig &doc = m_session.document();
    // Proposed beside the data file, under its name; a configuration never saved goes to the
    // data directory.
    const QFileInfo data(doc.DataFileName);
    const QString preset =
        doc.DataFileName == QStringLiteral("None")
            ? DataDirectory::path() + QStringLiteral("/Orvandel MX.pdf")
            : data.path() + QLatin1Char('/') + data.completeBaseName() + QStringLiteral(".pdf");
    const QString name = m_session.fileDialogs().getSaveFileName(
        QDir::toNativeSeparators(preset), QStringLiteral("PDF Files (*.pdf);;All Files (*)"));
    if (name.isEmpty())
        return;
    if (Report::readsFrom(name, doc.DataFileName)) {
        m_session.reportFailure({false, QStringLiteral("Cannot write \"%1\": the report reads it; "
                                                       "choose another name")
                                            .arg(QDir::toNativeSeparators(name))});
        return;
    }
    const QByteArray pdf = Report::pdf(doc, localPaper(), *details);
    if (pdf.isEmpty()) {
        m_session.reportFailure(
            {false, QStringLiteral("Cannot write \"%1\": the report could not be "
                                   "painted")
                        .arg(name)});
        return;
    }
    // Written whole or not at all, as a data file is.
    m_session.reportFailure(modOVMXConfig::writeBytes(name, pdf));
}
