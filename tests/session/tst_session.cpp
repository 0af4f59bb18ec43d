// The document's session without a window: what each file command and history step leaves in
// the history, the modified state, the port, the file name and the recent files.
#include "DocumentSession.h"
#include "FakeFileDialogs.h"
#include "FakePrompts.h"
#include "IsolatedHome.h"

#include <QFileInfo>
#include <QTest>
#include <QUndoStack>

class tst_session : public QObject
{
    Q_OBJECT
    IsolatedHome m_home;

private Q_SLOTS:
    // Each step: a command, then what follows it: the Undo and Redo texts, the state and port,
    // the file, the recent files newest first, and the titles of the boxes it showed.
    void commands_leaveHistoryStateAndRecentFiles_data()
    {
        QTest::addColumn<QStringList>("steps");
        // The port chosen is no step, but a document whose port differs from the one saved is
        // modified, even where undo brings the saved programming back.
        QTest::newRow("the port") << QStringList{
            "saveas a => Undo | Redo | saved COM1 | a | a | ",
            "edit 6 => Undo Edit 6 | Redo | modified COM1 | a | a | ",
            "port 3 => Undo Edit 6 | Redo | modified COM3 | a | a | ",
            "undo => Undo | Redo Edit 6 | modified COM3 | a | a | ",
            "redo => Undo Edit 6 | Redo | modified COM3 | a | a | ",
            "save => Undo Edit 6 | Redo | saved COM3 | a | a | ",
            "port 1 => Undo Edit 6 | Redo | modified COM1 | a | a | ",
            "open a => Undo | Redo | saved COM3 | a | a | "}; // as saved
        QTest::newRow("recent files") << QStringList{
            "open a => Undo | Redo | saved COM1 | a | a | ",
            "open b => Undo | Redo | saved COM1 | b | b a | ",
            "saveas c => Undo | Redo | saved COM1 | c | c b a | ",
            "open a => Undo | Redo | saved COM1 | a | a c b | ",
            "save => Undo | Redo | saved COM1 | a | a c b | ",
            "open gone => Undo | Redo | saved COM1 | a | a c b | Error", // nothing changes
            "recent 2 => Undo | Redo | saved COM1 | c | c a b | ",
            "remove b => Undo | Redo | saved COM1 | c | c a b | ",
            "recent 3 => Undo | Redo | saved COM1 | c | c a | Error", // reported, forgotten
            "saveas c => Undo | Redo | saved COM1 | c | c a | ",
            "new => Undo | Redo | saved COM1 | None | c a | "};
    }
    void commands_leaveHistoryStateAndRecentFiles()
    {
        QFETCH(QStringList, steps);
        QTemporaryDir dir;
        const auto path = [&dir](const QString &name) { return dir.filePath(name + ".OMX"); };
        modOVMXConfig doc, file;
        file.NewConfiguration();
        for (const char *name : {"a", "b"})
            QVERIFY(file.writeFile(path(name)).ok);
        FakePrompts prompts;
        prompts.unscriptedAnswer = true; // discard the changes whenever asked
        FakeFileDialogs dialogs;
        QSettings("Tevara", "orvandel-mx").remove("recentFiles");
        DocumentSession session(doc, prompts, dialogs);
        session.start("Title");
        for (const QString &step : steps) {
            const QString command = step.section(" => ", 0, 0), arg = command.section(' ', 1);
            const QString verb = command.section(' ', 0, 0);
            if (verb == "edit") { // a window session that stored one value
                const modOVMXConfig::Image before = doc.image();
                doc.SetTimedOffAlert(arg.toInt());
                session.pushStep(before, "Edit " + arg);
            } else if (verb == "port") {
                doc.SetComPort(arg.toInt() - 1);
            } else if (verb == "open") {
                dialogs.answers << path(arg);
                session.FileOpen();
            } else if (verb == "saveas") {
                dialogs.answers << path(arg);
                session.FileSaveAs();
            } else if (verb == "save") {
                session.FileSave();
            } else if (verb == "new") {
                session.FileNew();
            } else if (verb == "undo") {
                session.history()->undo();
            } else if (verb == "redo") {
                session.history()->redo();
            } else if (verb == "recent") {
                session.openRecent(arg.toInt() - 1);
            } else if (verb == "remove") {
                QVERIFY(QFile::remove(path(arg)));
            }
            QStringList recent, boxes;
            for (const QString &name : session.recentFiles())
                recent << QFileInfo(name).completeBaseName();
            for (const FakePrompts::Call &call : prompts.calls)
                if (call.kind == FakePrompts::Kind::Message)
                    boxes << call.title;
            prompts.clear();
            const QString file = doc.DataFileName == "None"
                                     ? doc.DataFileName
                                     : QFileInfo(doc.DataFileName).completeBaseName();
            const QStringList state = {
                session.history()->undoText().prepend("Undo ").trimmed(),
                session.history()->redoText().prepend("Redo ").trimmed(),
                QString(doc.ConfigModified ? "modified COM%1" : "saved COM%1")
                    .arg(doc.GetComPort() + 1),
                file,
                recent.join(' '),
                boxes.join(' ')};
            QCOMPARE(command + " => " + state.join(" | "), step);
        }
    }
};

QTEST_GUILESS_MAIN(tst_session)
#include "tst_session.moc"
