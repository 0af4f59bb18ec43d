#include "SettingsLists.h"

#include "modOVMXConfig.h"

#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QStringListModel>

#include <algorithm>

namespace SettingsLists
{

QStringList relayPowerOnEntries()
{
    return {QStringLiteral("No Change"), QStringLiteral("Turn Off"), QStringLiteral("Turn On"),
            QStringLiteral("Turn Off If HW Input 1 is closed"),
            QStringLiteral("Turn On If HW Input 1 is closed")};
}

QStringList dimmerPowerOnEntries()
{
    QStringList out;
    out.reserve(101);
    for (int v = 0; v <= 100; ++v)
        out.append(QStringLiteral("Power On Level: %1%").arg(v));
    return out;
}

namespace
{
QStringList limitEntries(const QString &prefix)
{
    QStringList out;
    out.reserve(102);
    out.append(prefix + QStringLiteral("Photocell"));
    for (int v = 0; v <= 100; ++v)
        out.append(prefix + QString::number(v) + QLatin1Char('%'));
    return out;
}
} // namespace

QStringList dimmerMinLevelEntries() { return limitEntries(QStringLiteral("Min Level: ")); }
QStringList dimmerMaxLevelEntries() { return limitEntries(QStringLiteral("Max Level: ")); }

QStringList dimmerFadeRateEntries()
{
    QStringList out;
    out.reserve(43);
    for (int s = 0; s <= 30; s += 2)
        out.append(QStringLiteral("Fade Rate: %1 Sec").arg(s));
    for (int s = 40; s <= 300; s += 10)
        out.append(QStringLiteral("Fade Rate: %1 Sec").arg(s));
    return out;
}

QStringList pilotEntries(int switchNumber)
{
    static const char *const endings[] = {
        " = On",          " = Off",        " = Relay 1 On",  " = Relay 1 Off", " = Relay 2 On",
        " = Relay 2 Off", " = Relay 3 On", " = Relay 3 Off", " = Relay 4 On",  " = Relay 4 Off"};
    const QString head = QStringLiteral("Pilot ") + QString::number(switchNumber);
    QStringList out;
    out.reserve(10);
    for (const char *ending : endings)
        out.append(head + QLatin1String(ending));
    return out;
}

QString levelEntry(int level)
{
    return QString::number(level) + QLatin1String("/255 ") +
           QString::number(modOVMXConfig::LevelToFootCandles(level)) + QLatin1String("FC");
}

QStringList levelEntries()
{
    QStringList out;
    out.reserve(256);
    for (int v = 0; v <= 255; ++v)
        out.append(levelEntry(v));
    return out;
}

QStringListModel *shareEntries(QObject *owner, const QStringList &entries,
                               const QList<QComboBox *> &lists)
{
    auto *model = new QStringListModel(entries, owner);
    if (lists.isEmpty())
        return model;
    // Measuring every entry for every list is what makes long lists slow to show; measure
    // once and let each list reserve that width instead.
    const QFontMetrics fm(lists.first()->font());
    int widest = 0;
    for (const QString &entry : entries)
        widest = std::max(widest, fm.horizontalAdvance(entry));
    const int charWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('x')));
    const int chars = (widest + charWidth - 1) / charWidth;
    for (QComboBox *list : lists) {
        list->setModel(model);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(chars);
    }
    return model;
}

void selectPosition(QComboBox *list, int v)
{
    list->setCurrentIndex(v >= 0 && v < list->count() ? v : -1);
}

void centreOver(QDialog *dialog, QWidget *parent)
{
    if (!parent)
        return;
    dialog->adjustSize();
    const QRect main = parent->window()->frameGeometry();
    dialog->move(main.left() + (main.width() - dialog->width()) / 2,
                 main.top() + (main.height() - dialog->height()) / 2);
}

} // namespace SettingsLists
