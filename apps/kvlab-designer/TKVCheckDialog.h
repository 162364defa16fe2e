// TKVCheckDialog: the report of a run's check in kvlab-designer: one line
// per problem and the summary. A click on a problem shows its record on the
// label with its element selected; before printing, the dialog also offers
// to print all the same.
#pragma once

#include <QDialog>
#include <functional>

class QListWidget;
class TKVRunCheck;
struct TKVRunProblem;

class TKVCheckDialog : public QDialog
{
    Q_OBJECT

public:
    // Print: the report comes before a print run; accepting it prints.
    TKVCheckDialog(TKVRunCheck& Check, bool Print, QWidget* Parent = nullptr);
    // A problem was chosen.
    std::function<void(const TKVRunProblem& Problem)> OnProblem;
    QListWidget* ListProblems;

private:
    TKVRunCheck& Check;
};
