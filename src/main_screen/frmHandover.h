#pragma once

#include "Report.h"

#include <QDialog>

class QLineEdit;

// Asked before a report is made: the site, the customer, the installer, who tested the
// controls (with certificate and company) and who witnessed it.
class frmHandover : public QDialog
{
    Q_OBJECT
public:
    frmHandover(const Report::People &people, QWidget *parent = nullptr);
    Report::People people() const;

private:
    QLineEdit *addField(const char *name, const QString &caption, const QString &text);

    QLineEdit *txtSite = nullptr;
    QLineEdit *txtCustomer = nullptr;
    QLineEdit *txtInstaller = nullptr;
    QLineEdit *txtTester = nullptr;
    QLineEdit *txtCertificate = nullptr;
    QLineEdit *txtCompany = nullptr;
    QLineEdit *txtWitness = nullptr;
};
