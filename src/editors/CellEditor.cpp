#include "CellEditor.h"
#include "WindowPlacement.h"

#include <QLabel>
#include <QShowEvent>

CellEditor::CellEditor(modOVMXConfig &doc, Prompts &prompts, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_prompts(prompts), m_lblMapDef(new QLabel(this))
{
    m_lblMapDef->setObjectName(QStringLiteral("lblMapDef"));
    m_lblMapDef->setAlignment(Qt::AlignCenter);
    m_lblMapDef->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_lblMapDef->setMinimumHeight(24);
    setModal(true);
}

void CellEditor::setMapDef(const QString &caption) { m_lblMapDef->setText(caption); }

void CellEditor::centreOverParent() { WindowPlacement::centreOnParent(this); }

void CellEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    // The caller's captions may have widened the window since it was built.
    centreOverParent();
    LoadGuard = true;
    Form_Activate();
    LoadGuard = false;
}
