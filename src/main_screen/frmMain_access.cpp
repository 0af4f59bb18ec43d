// What the side panels say about themselves to a tooltip and to assistive technology.
#include "frmMain.h"

#include "ClickableLabel.h"
#include "FieldTable.h"

// The level numbers alone do not say which is the off and which the on level: each label is
// named as the differences name it, "Photocell 1 Input  2: off level".
void frmMain::nameLevelLabels(int n)
{
    const auto index = static_cast<size_t>(n);
    const std::pair<ClickableLabel *, const char *> labels[] = {
        {m_lblPCOff[index], "PhotocellOffLevel"}, {m_lblPCOn[index], "PhotocellOnLevel"}};
    for (const auto &[label, field] : labels) {
        const QString name = FieldTable::findField(QLatin1String(field))->label(n).trimmed();
        label->setToolTip(name);
        label->setAccessibleName(name);
    }
}
