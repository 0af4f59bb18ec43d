// The walk test's record: taken up from beside the data file, saved there or elsewhere.
#include "frmActivity.h"

#include "Prompts.h"

#include <QFileInfo>
#include <QLabel>

namespace
{
const char *const RecordFilter = "Commissioning Records (*.json);;All Files (*)";

QString clock(const QDateTime &t, const QString &format)
{
    return t.isValid() ? t.toLocalTime().toString(format) : QStringLiteral("—");
}
} // namespace

// A record beside the data file is the same site's walk test, carried on where it was left;
// one made for other settings is named and left alone, never mixed with what is seen now.
void frmActivity::takeUpRecord()
{
    const QString path = recordPath(m_walkFile);
    if (m_walkFile == QLatin1String("None") || !QFileInfo::exists(path))
        return;
    const modOVMXConfig::FileResult result = m_walk->load(path);
    m_foreignBeside = !result.ok;
    lblRecord->setText(result.ok
                           ? QStringLiteral("Taken up from %1: %2.")
                                 .arg(QFileInfo(path).fileName(), m_walk->test().progressText())
                           : result.error + QStringLiteral(". This walk test starts afresh."));
    lblRecord->show();
}

bool frmActivity::cmdSaveRecord_Click()
{
    if (m_walkFile == QLatin1String("None") || m_foreignBeside)
        return cmdSaveRecordAs_Click();
    return saveRecord(recordPath(m_walkFile));
}

bool frmActivity::cmdSaveRecordAs_Click()
{
    const QString path = m_fileDialogs.getSaveFileName(
        besideDataFile(QStringLiteral(".commissioning.json")), QLatin1String(RecordFilter));
    return !path.isEmpty() && saveRecord(path);
}

bool frmActivity::saveRecord(const QString &path)
{
    const modOVMXConfig::FileResult result = m_walk->test().save(path);
    if (!result.ok) {
        m_prompts.message(QStringLiteral("Error"), result.error, Prompts::Icon::Critical);
        return false;
    }
    m_walk->markSaved();
    if (m_walkFile != QLatin1String("None") && QFileInfo(path) == QFileInfo(recordPath(m_walkFile)))
        m_foreignBeside = false;
    lblRecord->setText(QStringLiteral("Saved in %1 at %2.")
                           .arg(QFileInfo(path).fileName(),
                                QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
    lblRecord->show();
    return true;
}

void frmActivity::showHeader()
{
    const WalkTest::Header &h = m_walk->test().header;
    const QString controller =
        h.model.isEmpty()
            ? QStringLiteral("not read yet")
            : QStringLiteral("%1, firmware Rev %2, node %3").arg(h.model, h.firmware, h.node);
    // The end's date only when the walk went past midnight.
    const bool sameDay = h.started.isValid() && h.ended.isValid() &&
                         h.started.toLocalTime().date() == h.ended.toLocalTime().date();
    lblHeader->setText(QStringLiteral("Data file: %1    Controller: %2\nStarted: %3    Ended: %4")
                           .arg(h.dataFile.isEmpty() ? QStringLiteral("not saved yet") : h.dataFile,
                                controller, clock(h.started, QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                clock(h.ended, sameDay ? QStringLiteral("HH:mm:ss")
                                                       : QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
}

void frmActivity::showProgress() { lblProgress->setText(m_walk->test().progressText()); }

// One plain line while the walk cannot count for the file: presses are still listed.
void frmActivity::showController()
{
    const WalkTest &test = m_walk->test();
    const std::optional<WalkTest::Controller> controller = test.controller();
    lblController->setVisible(!test.confirmed());
    if (!controller)
        lblController->setText(
            QStringLiteral("The controller's settings are not confirmed: presses are listed, "
                           "but none counts until Connect or a download confirms them."));
    else if (!test.confirmed())
        lblController->setText(
            QStringLiteral("The controller runs other settings (%1, not this file's %2): "
                           "presses are listed, but none counts until this file is sent.")
                .arg(checksumText(controller->checksum), checksumText(test.checksum())));
}
