#include "TKVCheckDialog.h"

#include "printing/TKVRunCheck.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TKVCheckDialog::TKVCheckDialog(TKVRunCheck& Check, bool Print, QWidget* Parent) : QDialog(Parent), Check(Check)
{
    setObjectName(QStringLiteral("TKVCheckDialog"));
    setWindowTitle(tr("Comprobación de la tirada"));
    auto* layout = new QVBoxLayout(this);
    auto* summary = new QLabel(Check.Summary(), this);
    summary->setObjectName(QStringLiteral("LabSummary"));
    summary->setWordWrap(true);
    layout->addWidget(summary);
    ListProblems = new QListWidget(this);
    ListProblems->setObjectName(QStringLiteral("ListProblems"));
    ListProblems->setAccessibleName(tr("Problemas"));
    for (const TKVRunProblem& p : Check.Problems)
        ListProblems->addItem(Check.Describe(p));
    ListProblems->setMinimumWidth(560);
    connect(ListProblems, &QListWidget::currentRowChanged, this, [this](int Row) {
        if (OnProblem && Row >= 0 && Row < int(this->Check.Problems.size()))
            OnProblem(this->Check.Problems[std::size_t(Row)]);
    });
    layout->addWidget(ListProblems);
    auto* buttons = new QDialogButtonBox(this);
    if (Print) {
        buttons->addButton(tr("Imprimir igualmente"), QDialogButtonBox::AcceptRole);
        buttons->addButton(QDialogButtonBox::Cancel);
    } else {
        buttons->addButton(QDialogButtonBox::Close);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}
