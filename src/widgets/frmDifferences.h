#pragma once

#include <QDialog>

// The differences between the programming and another one (a data file, the controller's
// memory), one line per field in the words and order of the command line's diff.
class frmDifferences : public QDialog
{
    Q_OBJECT
public:
    // `reading` says which side of each arrow is which.
    frmDifferences(const QStringList &lines, const QString &reading, QWidget *parent = nullptr);

    // Shown without blocking its parent, and gone when closed.
    static void openFor(const QStringList &lines, const QString &reading, QWidget *parent);
};
