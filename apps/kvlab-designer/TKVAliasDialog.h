// TKVAliasDialog: registers a data source under a name: a SQLite file, a
// folder of CSV tables or a PostgreSQL URL. It accepts only a source whose
// tables can be listed, and says why otherwise.
#pragma once

#include "TKVHostData.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TKVAliasDialog : public QDialog
{
    Q_OBJECT

public:
    enum TKind { akSQLite, akCsv, akPostgreSQL };

    explicit TKVAliasDialog(QWidget* Parent = nullptr);

    void SetEntry(const TKVAliasEntry& Entry);
    TKVAliasEntry Entry() const;

    // Shows the dialog modally; true, with the entry in Entry, when accepted.
    static bool Edit(TKVAliasEntry& Entry, QWidget* Parent);

    QLineEdit* EdName;
    QComboBox* CBoxKind;
    QLineEdit* EdLocation;
    QPushButton* BtnBrowse;
    QLabel* LabStatus;
    QDialogButtonBox* Buttons;

    void accept() override;

protected:
    void changeEvent(QEvent* Event) override;

private:
    void Retranslate();
    void KindChanged();
    void Browse();
    QLabel* LabName;
    QLabel* LabKind;
    QLabel* LabLocation;
};
