#pragma once

#include <QDialog>

class QLabel;
class QShowEvent;
class Prompts;
class modOVMXConfig;

// What the four cell editors share: the document and prompts they are handed, the caption line
// naming the edited cell, the load guard, and loading from the image when the window first
// appears. Each editor writes every change at once; there is nothing to apply on closing.
class CellEditor : public QDialog
{
    Q_OBJECT

public:
    void setMapDef(const QString &caption);

protected:
    CellEditor(modOVMXConfig &doc, Prompts &prompts, QWidget *parent);

    // Loads the controls from the image; runs once, on the first show, after the caller has
    // set the selection and the captions.
    virtual void Form_Activate() = 0;
    void showEvent(QShowEvent *event) override;

    // Centres the dialog over the window that opens it, outer frames included.
    void centreOverParent();
    QLabel *lblMapDef() const { return m_lblMapDef; }

    modOVMXConfig &m_doc;
    Prompts &m_prompts;
    // True while the controls are being filled from the image, so their change handlers,
    // which also run for selections made by the program, write nothing back.
    bool LoadGuard = true;

private:
    QLabel *m_lblMapDef = nullptr;
    bool m_activated = false;
};
