// Started by bench_main_startup: shows the tool's main window as the tool starts it ("main") or
// a QMainWindow with a menu and one line of text ("text"), prints "shown" once the first paint
// of the window has finished, and exits.
#include "ListPopupStyle.h"
#include "QtFileDialogs.h"
#include "QtPrompts.h"
#include "frmMain.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window) : m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!m_seen && event->type() == QEvent::Paint && widget && widget->window() == m_window) {
            m_seen = true;
            // Queued, so the whole first paint pass has run before it counts as shown.
            QMetaObject::invokeMethod(
                this,
                [] {
                    std::puts("shown");
                    std::fflush(stdout);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget *m_window;
    bool m_seen = false;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const char *mode = argc > 1 ? argv[1] : "main";
    modOVMXConfig doc;
    QtPrompts prompts;
    QtFileDialogs fileDialogs;
    DocumentSession session(doc, prompts, fileDialogs);
    std::unique_ptr<QMainWindow> window;
    if (std::strcmp(mode, "main") != 0) {
        window = std::make_unique<QMainWindow>();
        window->resize(1025, 701);
        window->menuBar()->addMenu(QStringLiteral("File"));
        window->setCentralWidget(new QLabel(QStringLiteral("Tevara Orvandel MX")));
    } else {
        ListPopupStyle::install();
        window = std::make_unique<frmMain>(session);
    }
    FirstPaint watcher(window.get());
    app.installEventFilter(&watcher);
    window->show();
    return app.exec();
}
