#pragma once

#include "Report.h"

#include <QObject>

#include <functional>
#include <optional>

class DocumentSession;
class QDialog;
class QMenu;
class QAction;
class QWidget;

// File › Print… and Export PDF…: the handover document of the programming, after asking whom
// and where it names.
class ReportCommands : public QObject
{
    Q_OBJECT
public:
    using DialogRunner = std::function<int(QDialog &)>;

    ReportCommands(DocumentSession &session, QWidget *window, DialogRunner runDialog);
    // Beside the other commands on the whole file, before `before`.
    void addTo(QMenu *file, QAction *before);

    void mnuFilePrint_Click();
    void mnuFileExportPdf_Click();
    // A status reply from a connection: the controller the paper names until the next one.
    void controllerSeen(const QByteArray &reply);
    const Report::Controller &controller() const { return m_controller; }

private:
    // The names the report gives, as the user confirms them; none when cancelled.
    std::optional<Report::Details> askDetails();

    DocumentSession &m_session;
    QWidget *m_window;
    DialogRunner m_runDialog;
    Report::Controller m_controller;
};
