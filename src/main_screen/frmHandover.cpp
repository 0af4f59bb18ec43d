#include "frmHandover.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

frmHandover::frmHandover(const Report::People &people, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHandover"));
    setWindowTitle(QStringLiteral("Handover"));
    auto *form = new QFormLayout(this);
    form->addRow(new QLabel(QStringLiteral("Named on the first page and on the sign-off lines; "
                                           "kept beside the data file."),
                            this));
    txtSite = addField("txtSite", QStringLiteral("Site"), people.site);
    txtCustomer = addField("txtCustomer", QStringLiteral("Customer"), people.customer);
    txtInstaller = addField("txtInstaller", QStringLiteral("Installer"), people.installer);
    txtTester = addField("txtTester", QStringLiteral("Tester"), people.tester);
    txtCertificate = addField("txtCertificate", QStringLiteral("Certificate"), people.certificate);
    txtCompany = addField("txtCompany", QStringLiteral("Company"), people.company);
    txtWitness = addField("txtWitness", QStringLiteral("Witness"), people.witness);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(480, sizeHint().height());
}

QLineEdit *frmHandover::addField(const char *name, const QString &caption, const QString &text)
{
    auto *field = new QLineEdit(text, this);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(500); // as much as the names file keeps
    static_cast<QFormLayout *>(layout())->addRow(caption, field);
    return field;
}

Report::People frmHandover::people() const
{
    return {txtSite->text().trimmed(),        txtCustomer->text().trimmed(),
            txtInstaller->text().trimmed(),   txtTester->text().trimmed(),
            txtCertificate->text().trimmed(), txtCompany->text().trimmed(),
            txtWitness->text().trimmed()};
}
