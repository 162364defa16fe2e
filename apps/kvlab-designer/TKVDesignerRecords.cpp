// TKVDesignerWindow: the record the label shows, with its stepper on a tool
// bar, and the check of a run before it is printed.
#include "TKVCheckDialog.h"
#include "TKVDesignerLab.h"
#include "TKVDesignerWindow.h"

#include "document/TKVObject.h"
#include "printing/TKVRunCheck.h"
#include "types/EKvError.h"
#include "types/KVMessage.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>

void TKVDesignerWindow::CreateRecordActions()
{
    auto make = [this](const char* Name, QStyle::StandardPixmap Icon) {
        auto* action = new QAction(style()->standardIcon(Icon), QString(), this);
        action->setObjectName(QLatin1String(Name));
        return action;
    };
    ActRecordFirst = make("ActRecordFirst", QStyle::SP_MediaSkipBackward);
    ActRecordPrior = make("ActRecordPrior", QStyle::SP_MediaSeekBackward);
    ActRecordNext = make("ActRecordNext", QStyle::SP_MediaSeekForward);
    ActRecordLast = make("ActRecordLast", QStyle::SP_MediaSkipForward);
    ActFieldNames = make("ActFieldNames", QStyle::SP_FileDialogDetailedView);
    ActFieldNames->setCheckable(true);
    ActCheck = make("ActCheck", QStyle::SP_DialogApplyButton);
    connect(ActRecordFirst, &QAction::triggered, this, [this] { ShowRecord(1); });
    connect(ActRecordPrior, &QAction::triggered, this, [this] { ShowRecord(Lab->GetShownRecord() - 1); });
    connect(ActRecordNext, &QAction::triggered, this, [this] { ShowRecord(Lab->GetShownRecord() + 1); });
    connect(ActRecordLast, &QAction::triggered, this, [this] { ShowRecord(Lab->ShownRecordCount()); });
    connect(ActFieldNames, &QAction::toggled, this, [this](bool On) {
        Run([this, On] { Lab->SetShowFieldNames(On); });
    });
    connect(ActCheck, &QAction::triggered, this, [this] { CheckDesign(); });
    AskCheckReport = [this](TKVRunCheck& Check, QWidget* Parent, bool Print) {
        // Nobody could read the report: printing goes on as it did before
        // there was one.
        if (!CanShowDialogs())
            return Print;
        TKVCheckDialog dialog(Check, Print, Parent);
        dialog.OnProblem = [this](const TKVRunProblem& Problem) {
            if (Problem.Record > 0)
                ShowRecord(Problem.Record);
            if (Problem.Element >= 0 && Problem.Element < Lab->Document->Count()) {
                Lab->SelectedElement = Lab->Document->Items(Problem.Element);
                Lab->PaintLabScreen(true);
                Lab->AdjustHandle();
                SyncWithLab();
            }
        };
        return dialog.exec() == QDialog::Accepted;
    };
}

void TKVDesignerWindow::CreateRecordBar()
{
    // A row of its own: the record shown matters as much as the tools.
    addToolBarBreak();
    BarRecords = addToolBar(QString());
    BarRecords->setObjectName(QStringLiteral("BarRecords"));
    BarRecords->addAction(ActRecordFirst);
    BarRecords->addAction(ActRecordPrior);
    SpinRecord = new QSpinBox(BarRecords);
    SpinRecord->setObjectName(QStringLiteral("SpinRecord"));
    SpinRecord->setRange(1, 1);
    SpinRecord->setKeyboardTracking(false);
    connect(SpinRecord, &QSpinBox::valueChanged, this, [this](int Value) {
        if (Value != Lab->GetShownRecord())
            ShowRecord(Value);
    });
    BarRecords->addWidget(SpinRecord);
    LabRecordCount = new QLabel(BarRecords);
    LabRecordCount->setObjectName(QStringLiteral("LabRecordCount"));
    LabRecordCount->setContentsMargins(4, 0, 4, 0);
    BarRecords->addWidget(LabRecordCount);
    BarRecords->addAction(ActRecordNext);
    BarRecords->addAction(ActRecordLast);
    BarRecords->addSeparator();
    BarRecords->addAction(ActFieldNames);
    BarRecords->addAction(ActCheck);
}

void TKVDesignerWindow::RetranslateRecords()
{
    BarRecords->setWindowTitle(tr("Registros"));
    ActRecordFirst->setText(tr("Primer registro"));
    ActRecordPrior->setText(tr("Registro anterior"));
    ActRecordNext->setText(tr("Registro siguiente"));
    ActRecordLast->setText(tr("Último registro"));
    ActFieldNames->setText(tr("Nombres de campo"));
    ActFieldNames->setToolTip(tr("Mostrar los nombres de los campos en lugar de los datos del registro"));
    SpinRecord->setToolTip(tr("Registro mostrado en la etiqueta"));
    SpinRecord->setAccessibleName(tr("Registro mostrado"));
    // The keyboard reaches the box's own edit, which a screen reader names.
    if (auto* edit = SpinRecord->findChild<QLineEdit*>())
        edit->setAccessibleName(SpinRecord->accessibleName());
    ActCheck->setText(tr("Co&mprobar…"));
    ActCheck->setToolTip(tr("Comprobar toda la tirada antes de imprimirla"));
    SyncRecords();
}

void TKVDesignerWindow::SyncRecords()
{
    if (!BarRecords)
        return;
    const bool data = Lab->DaBa && Lab->DataOK;
    const int count = data ? Lab->ShownRecordCount() : 0;
    const int shown = Lab->GetShownRecord();
    for (QAction* a : {ActRecordFirst, ActRecordPrior})
        a->setEnabled(count > 0 && shown > 1);
    for (QAction* a : {ActRecordNext, ActRecordLast})
        a->setEnabled(count > 0 && shown < count);
    ActFieldNames->setEnabled(data);
    {
        const QSignalBlocker block(SpinRecord);
        SpinRecord->setRange(1, std::max(1, count));
        SpinRecord->setValue(std::min(std::max(1, shown), std::max(1, count)));
    }
    SpinRecord->setEnabled(count > 0);
    LabRecordCount->setText(count > 0 ? tr("de %1").arg(count) : tr("sin registros"));
}

void TKVDesignerWindow::ShowRecord(int Record)
{
    Run([this, Record] { Lab->SetShownRecord(std::max(1, Record)); });
}

bool TKVDesignerWindow::CheckDesign()
{
    bool clean = false;
    Run([this, &clean] {
        if (const QString problem = Lab->RunProblem(); !problem.isEmpty()) {
            ShowMessage(problem);
            return;
        }
        TKVRunCheck check(*Lab);
        check.Run();
        clean = check.Problems.empty();
        AskCheckReport(check, this, false);
    });
    return clean;
}

bool TKVDesignerWindow::MayPrintAfterCheck()
{
    TKVRunCheck check(*Lab);
    check.Run();
    return check.Problems.empty() || AskCheckReport(check, this, true);
}
