#include "ExpectedText.h"
#include "FakePrompts.h"
#include "ScalePlot.h"
#include "frmDimmerControl.h"
#include "frmDimmerScale.h"
#include "frmInputControl.h"
#include "frmRelayControl.h"
#include "modOVMXConfig.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include <memory>

// Plays a script of user steps on the cell editors and writes down, after each step, what
// changed: on screen (a fact a line, "+" appearing, "-" gone), in the image, in the modified
// flag and in messages. The scripts hold the reviewed transcript: their step lines are played,
// their indented lines are what must come out.
class tst_editors : public QObject
{
    Q_OBJECT

    QWidget m_main;
    modOVMXConfig m_doc;
    FakePrompts m_prompts;
    std::unique_ptr<CellEditor> m_editor;
    QStringList m_facts;
    modOVMXConfig::Image m_image{};
    QStringList m_out;
    Qt::MouseButtons m_buttons;

    // Opens an editor as the main window does: the cell's selection first, then the window.
    template <class E> void open(int16_t &selA, int16_t &selB, int a, int b)
    {
        m_editor.reset();
        selA = int16_t(a);
        selB = int16_t(b);
        m_editor = std::make_unique<E>(m_doc, m_prompts, &m_main);
        m_editor->show();
    }
    template <class T = QWidget> T *get(const QString &name) const
    {
        T *found = m_editor ? m_editor->findChild<T *>(name) : nullptr;
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    // Chooses an entry as a user does: opens the list and clicks the entry with that text.
    bool choose(const QString &list, const QString &entry) const
    {
        auto *box = get<QComboBox>(list);
        const int index = box->findText(entry);
        box->showPopup();
        QAbstractItemView *view = box->view();
        const QModelIndex item = view->model()->index(index, 0);
        view->scrollTo(item, QAbstractItemView::PositionAtCenter);
        QCoreApplication::processEvents();
        const QPoint at = view->visualRect(item).intersected(view->viewport()->rect()).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        return index >= 0 && box->currentIndex() == index;
    }

    // What the user sees of the open editor, in the order its controls were built.
    QStringList facts() const
    {
        if (!m_editor)
            return {};
        const QRect main = m_main.frameGeometry(), own = m_editor->frameGeometry();
        const QPoint centred = main.topLeft() + QPoint((main.width() - own.width()) / 2,
                                                       (main.height() - own.height()) / 2);
        QStringList out{"window: " + m_editor->windowTitle() +
                        (own.topLeft() == centred ? "" : " off centre")};
        if (!m_editor->isVisible())
            out << "window closed";
        for (const QWidget *w : m_editor->findChildren<QWidget *>()) {
            const QString name = w->objectName();
            QString text;
            if (const auto *label = qobject_cast<const QLabel *>(w))
                text = label->text();
            else if (const auto *button = qobject_cast<const QAbstractButton *>(w))
                text = button->text();
            else if (const auto *frame = qobject_cast<const QGroupBox *>(w))
                text = frame->title();
            else if (const auto *list = qobject_cast<const QComboBox *>(w))
                text = QString("[%1] %2").arg(list->count()).arg(list->currentText());
            if (name.isEmpty() || name.startsWith("qt_"))
                continue;
            if (!text.isEmpty())
                out << name + ": " + text;
            if (const auto *button = qobject_cast<const QAbstractButton *>(w))
                if (button->isChecked())
                    out << name + " checked";
            if (!w->isEnabled())
                out << name + " disabled";
            if (w->isHidden())
                out << name + " hidden";
        }
        if (auto *plot = m_editor->findChild<ScalePlot *>()) {
            // Each grip as painted: the reddish pixels around its centre (a grip drawn apart
            // from the others spans its 8 px, give or take a pixel of edge), and whether lit.
            const QImage painted = plot->grab().toImage();
            for (int g = 1; g <= 3; ++g) {
                const auto centre = [plot](int k) {
                    return QPoint(plot->grip(k).Left + 60, plot->grip(k).Top + 60) / 15;
                };
                QRect box;
                bool lit = false, apart = true;
                for (int k = 1; k <= 3; ++k)
                    apart &= k == g || !plot->gripVisible(k) ||
                             (centre(k) - centre(g)).manhattanLength() > 24;
                for (int y = centre(g).y() - 10; y <= centre(g).y() + 10; ++y)
                    for (int x = centre(g).x() - 10; x <= centre(g).x() + 10; ++x) {
                        const QColor p = painted.valid(x, y) ? painted.pixelColor(x, y) : Qt::white;
                        if (p.red() > p.green() + 60 && p.red() > p.blue() + 60) {
                            box |= QRect(x, y, 1, 1);
                            lit |= p.red() == 255; // brighter than either fill
                        }
                    }
                if (plot->gripVisible(g) && apart && std::abs(box.width() - 8) > 1)
                    out << QString("grip %1 drawn %2 px across").arg(g).arg(box.width());
                if (plot->gripVisible(g) && lit)
                    out << QString("grip %1 lit").arg(g);
            }
            for (int g = 1; g <= 3; ++g)
                out << QString("grip %1 at %2, %3")
                               .arg(g)
                               .arg(plot->grip(g).Left)
                               .arg(plot->grip(g).Top) +
                           (plot->gripVisible(g) ? "" : " hidden");
            for (int n = 0; n < 4; ++n) {
                const QLineF line = plot->segment(n);
                if (plot->segmentVisible(n))
                    out << QString("line %1 from %2, %3 to %4, %5")
                               .arg(n)
                               .arg(line.x1())
                               .arg(line.y1())
                               .arg(line.x2())
                               .arg(line.y2());
            }
        }
        return out;
    }

    // Writes down what the last step changed.
    void report()
    {
        const QStringList now = facts();
        for (const QString &fact : m_facts)
            if (!now.contains(fact))
                m_out << "  - " + fact;
        for (const QString &fact : now)
            if (!m_facts.contains(fact))
                m_out << "  + " + fact;
        m_facts = now;
        for (int w = 0; w < modOVMXConfig::WordCount; ++w)
            if (m_doc.GetWord(w) != m_image[w])
                m_out
                    << QString("  word %1: %2 -> %3").arg(w).arg(m_image[w]).arg(m_doc.GetWord(w));
        m_image = m_doc.image();
        if (m_doc.ConfigModified)
            m_out << "  modified";
        m_doc.ConfigModified = false;
        for (const FakePrompts::Call &call : m_prompts.calls)
            m_out << "  message " + FakePrompts::iconName(call.icon) + " \"" + call.title +
                         "\": \"" + QString(call.text).replace("\r\n", "\\r\\n") + '"';
        m_prompts.clear();
    }

    // Plays one step. Numbers may carry a name for the reader ("input=4"); plot positions are
    // in twips, 15 to a pixel, and never aim at pixel (0, 0), which QTest reads as the centre.
    void play(const QString &step)
    {
        const QStringList w = step.split(u' ');
        const auto n = [&w](int k) { return w.value(k).section(u'=', -1).toInt(); };
        const QPoint pixel = QPoint(n(1), n(2)) / 15;
        if (w[0] == "new") {
            m_editor.reset();
            m_doc.NewConfiguration();
        } else if (w[0] == "set") {
            for (const QString &pair : w.mid(1))
                m_doc.SetWord(pair.section(u'=', 0, 0).toInt(), pair.section(u'=', 1).toInt());
        } else if (step.startsWith("open relay")) {
            open<frmRelayControl>(m_doc.SelInput, m_doc.SelRelay, n(2), n(3));
        } else if (step.startsWith("open dimmer")) {
            open<frmDimmerControl>(m_doc.SelInput, m_doc.SelDimmer, n(2), n(3));
        } else if (step.startsWith("open disable")) {
            open<frmInputControl>(m_doc.SelInput, m_doc.SelDisInput, n(2), n(3));
        } else if (step.startsWith("open scale")) {
            open<frmDimmerScale>(m_doc.SelPhotocell, m_doc.SelDimmer, n(2), n(3));
        } else if (w[0] == "click") {
            auto *button = get<QAbstractButton>(w[1]);
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
        } else if (w[0] == "choose") {
            QVERIFY2(choose(w[1], w.mid(2).join(u' ')), qPrintable(step));
        } else if (w[0] == "press") {
            QTest::mousePress(get("picScale"), Qt::LeftButton, {}, pixel);
            m_buttons = Qt::LeftButton;
        } else if (w[0] == "move") {
            // QTest only moves the cursor while no button is down; the plot follows the pointer.
            const QPointF at = QPointF(n(1), n(2)) / 15; // between pixels, as fine pointers report
            QMouseEvent move(QEvent::MouseMove, at, get("picScale")->mapToGlobal(at), Qt::NoButton,
                             m_buttons, {});
            QApplication::sendEvent(get("picScale"), &move);
        } else if (w[0] == "release") {
            QTest::mouseRelease(get("picScale"), Qt::LeftButton, {}, pixel);
            m_buttons = Qt::NoButton;
        } else {
            QFAIL(qPrintable("unknown step: " + step));
        }
        if (w[0] == "new" || w[0] == "set") {
            // Setting up is not a user's step: nothing to write down.
            m_image = m_doc.image();
            m_doc.ConfigModified = false;
            return;
        }
        report();
    }

private Q_SLOTS:
    void init()
    {
        m_main.setGeometry(100, 80, 1025, 681);
        m_main.show();
        m_doc.NewConfiguration();
        m_image = m_doc.image();
        m_doc.ConfigModified = false;
    }
    void cleanup()
    {
        m_editor.reset();
        m_facts.clear();
        m_out.clear();
    }

    void transcript_matchesReviewedSteps_data()
    {
        QTest::addColumn<QString>("script");
        for (const char *name : {"relay", "dimmer", "disable", "scale"})
            QTest::newRow(name) << QFINDTESTDATA(QString("transcripts/%1.txt").arg(name));
    }
    void transcript_matchesReviewedSteps()
    {
        QFETCH(QString, script);
        QFile file(script);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n');
        for (const QString &line : expected) {
            if (line.startsWith("  "))
                continue;
            m_out << line;
            if (!line.isEmpty() && !line.startsWith(u'#'))
                play(line);
        }
        file.close();
        ExpectedText::compare(script, m_out.join(u'\n').toUtf8());
    }
};

QTEST_MAIN(tst_editors)
#include "tst_editors.moc"
