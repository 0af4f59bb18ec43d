// Connect with its verify, the backup of the controller's memory, download and upload.
#include "BackupStore.h"
#include "CommTexts.h"
#include "ConfigDiff.h"
#include "ConnectColours.h"
#include "FieldTable.h"
#include "frmActivity.h"
#include "frmConnect.h"
#include "frmDifferences.h"

#include "Prompts.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
// Values the tool has no setting for go to the controller as they are, and are named.
QString sentNote(const modOVMXConfig &doc)
{
    const QStringList odd = FieldTable::outOfCoding(doc);
    if (odd.isEmpty())
        return {};
    return QStringLiteral("Sent as they are: %1 %2 this tool has no setting for: %3.")
        .arg(odd.size())
        .arg(odd.size() == 1 ? QStringLiteral("value") : QStringLiteral("values"),
             FieldTable::firstOf(odd, 2));
}
} // namespace

void frmConnect::cmdConnect_Click()
{
    const int position = cboComPort->currentIndex();
    if (position < 0 || m_connected)
        return;
    const SerialPort::OpenResult opened = m_comm.OpenPort(position);
    if (!opened.ok) {
        lblDevice->setText(opened.device);
        lblPortError->setText(opened.reason);
        lblPortError->show();
        m_prompts.message(CommTexts::portErrorTitle(), CommTexts::unableToOpenPort(),
                          Prompts::Icon::Critical);
        return;
    }
    lblPortError->hide();
    const modOVMXCommunications::VerifyResult verify = m_comm.VerifySettings(m_doc);
    // A port that fails from the open onward (a write error, an adapter pulled) is a failed
    // connect: the user picks another port instead of reading "Not Equal" from a dead line.
    if (!m_comm.PortOpen()) {
        lblDevice->setText(opened.device);
        lblPortError->setText(m_comm.port().errorString());
        lblPortError->show();
        m_prompts.message(CommTexts::portErrorTitle(), CommTexts::unableToOpenPort(),
                          Prompts::Icon::Critical);
        return;
    }
    showVerify(verify.equal);
    // Only a memory the controller's own checksum confirmed is worth keeping or comparing.
    if (verify.confirmed) {
        knowController(m_comm.ControllerCopy);
        keepBackup();
    } else {
        m_backupPath.clear();
        knowController(std::nullopt,
                       verify.memoryRead
                           ? QStringLiteral("No backup, no differences: the controller's checksum "
                                            "did not confirm its settings.")
                           : QStringLiteral("No backup, no differences: the controller's settings "
                                            "could not be read whole."));
    }
    showConnected();
    m_connected = true;
    Timer1->start();
}

void frmConnect::knowController(const std::optional<modOVMXConfig::Image> &memory,
                                const QString &unknownBecause)
{
    m_controllerImage = memory;
    if (m_activity)
        m_activity->setControllerImage(memory);
    const bool equal = memory && *memory == m_doc.image();
    cmdDifferences->setVisible(memory && !equal);
    m_unknownBecause = memory ? QString() : unknownBecause;
    m_sentNote.clear();
    showNotes();
}

void frmConnect::showNotes()
{
    QStringList notes;
    for (const QString &note : {m_unknownBecause, m_sentNote, m_modelNote})
        if (!note.isEmpty())
            notes << note;
    lblNotes->setText(notes.join(QLatin1Char('\n')));
    lblNotes->setVisible(!notes.isEmpty());
}

void frmConnect::showConnected()
{
    lblVerify->show();
    cboComPort->hide();
    cmdConnect->hide();
    lblDevice->hide();
    frmStatus->show();
    cmdDownload->show();
    cmdUpload->show();
    cmdActivity->show();
}

void frmConnect::showVerify(bool equal)
{
    lblVerify->setText(modOVMXCommunications::VerifyCaption(equal));
    const modOVMXCommunications::Rgb rgb = modOVMXCommunications::VerifyColour(equal);
    ConnectColours::paint(lblVerify, QColor(rgb.red, rgb.green, rgb.blue));
    if (equal)
        cmdDifferences->hide();
}

// The controller's previous programming is kept before anything can overwrite it. A backup
// that cannot be written never stands in the way of connecting; the result label says why.
void frmConnect::keepBackup()
{
    const BackupStore::Kept kept =
        BackupStore::keep(*m_controllerImage, QDateTime::currentDateTime());
    m_backupPath = kept.path;
    lblVerify->setToolTip(kept.ok ? QStringLiteral("The controller's settings are kept in ") +
                                        QDir::toNativeSeparators(kept.path)
                                  : QStringLiteral("No backup of the controller's settings: ") +
                                        kept.error);
}

void frmConnect::cmdDifferences_Click()
{
    if (!m_controllerImage)
        return;
    modOVMXConfig controller;
    controller.setImage(*m_controllerImage);
    frmDifferences::openFor(ConfigDiff::describeDifferences(m_doc, controller),
                            QStringLiteral("Each line reads: this tool's setting → the "
                                           "controller's setting."),
                            this);
}

void frmConnect::cmdBackups_Click()
{
    // Stopped before the question and the file dialog, as for an upload: a poll failing behind
    // them would close the window under them.
    Timer1->stop();
    if (m_openBackup)
        m_openBackup();
    if (m_connected)
        Timer1->start();
    // The document may now be another: the result and the differences follow it.
    if (m_controllerImage) {
        showVerify(*m_controllerImage == m_doc.image());
        knowController(m_controllerImage);
    }
}

modOVMXCommunications::TransferHooks frmConnect::hooksFor(QPushButton *button)
{
    return {[button](const QString &caption) {
                button->setText(caption);
                // The transfer blocks the event loop: paint the progress now.
                button->repaint();
            },
            [this](bool equal) { showVerify(equal); }};
}

// Nothing is sent of an image the line cannot carry: the controller would end up holding
// memory that its own checksum does not confirm.
bool frmConnect::refuseDamaged()
{
    const QList<FieldTable::WideWord> wide = FieldTable::wideWords(m_doc);
    if (wide.isEmpty())
        return false;
    m_prompts.message(QStringLiteral("Download"),
                      QStringLiteral("Nothing was sent: these settings hold %1.")
                          .arg(FieldTable::wideWordsText(wide, 3)),
                      Prompts::Icon::Critical);
    return true;
}

void frmConnect::cmdDownload_Click()
{
    if (!m_connected)
        return;
    Timer1->stop();
    if (refuseDamaged()) {
        Timer1->start();
        return;
    }
    if (m_comm.DownloadSettings(m_doc, m_prompts, hooksFor(cmdDownload))) {
        knowController(m_doc.image());
        m_sentNote = sentNote(m_doc);
        showNotes();
    } else
        knowController(std::nullopt, QStringLiteral("No differences: the controller's settings are "
                                                    "unknown after the failed download."));
    cmdDownload->setText(QStringLiteral("Send Settings To OV-2"));
    Timer1->start();
}

void frmConnect::cmdUpload_Click()
{
    if (!m_connected)
        return;
    // Stopped before the question too: a poll failing behind the question box would close
    // the port, and the upload that follows would clear the document.
    Timer1->stop();
    if (!modOVMXCommunications::ConfirmUpload(m_doc, m_prompts)) {
        Timer1->start();
        return;
    }
    m_comm.UploadSettings(m_doc, m_prompts, hooksFor(cmdUpload));
    cmdUpload->setText(QStringLiteral("Get Settings From OV-2"));
    // The controller's memory is as it was; the document it is compared with may not be.
    if (m_controllerImage)
        knowController(m_controllerImage);
    Timer1->start();
    // The port chosen here survives the uploaded image, and a cleared one.
    m_doc.SetComPort(cboComPort->currentIndex());
}
