#include "dialogs/LabProp.h"

#include "ui_LabProp.h"

#include "document/TKVBackSurf.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "designer/TKVLab.h"
#include "dialogs/KVDialogTools.h"
#include "dialogs/KVChoosers.h"
#include "dialogs/TKVDataSource.h"
#include "document/TKVImage.h"
#include "document/TKVSession.h"
#include "document/TKVTable.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"
#include "types/KVMessage.h"
#include "types/TKVCanvas.h"

#include <QScopeGuard>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <cmath>

TPropLab* PropLab = nullptr;

namespace {
// The sketch box is fitted into this size; its shape follows the paper.
constexpr int BoxWidth = 192;
constexpr int BoxHeight = 276;
// Aspect (width / height) from which the box takes the whole width.
constexpr long double WideAspect = 0.7L;

// What the toolkit does with an error that leaves an event handler: it
// shows the message and the dialog stays open with what it had.
template <typename F> void Reported(F&& Body)
{
    try {
        Body();
    } catch (const EKvError& e) {
        ShowMessage(e.Message());
    } catch (const std::exception& e) {
        ShowMessage(QString::fromLocal8Bit(e.what()));
    }
}

QColor InfoBackground() { return QApplication::palette().color(QPalette::ToolTipBase); }

void Highlight(QWidget* W, bool On)
{
    QPalette p = W->palette();
    p.setColor(QPalette::Base, On ? InfoBackground() : ToQColor(clWindow));
    W->setPalette(p);
}

// The focus left for good, not just for another window or a popup.
bool LeftForGood(const QFocusEvent* E)
{
    return E->reason() != Qt::ActiveWindowFocusReason && E->reason() != Qt::PopupFocusReason;
}

// Navigator glyphs: bars and triangles, as the data navigators draw them.
QIcon NavigatorIcon(TPropLab::TNavigateBtn Button)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0));
    const bool back = Button == TPropLab::nbFirst || Button == TPropLab::nbPrior;
    const QPolygonF left{QPointF(11, 3), QPointF(11, 13), QPointF(5, 8)};
    const QPolygonF right{QPointF(5, 3), QPointF(5, 13), QPointF(11, 8)};
    p.drawPolygon(back ? left : right);
    if (Button == TPropLab::nbFirst)
        p.drawRect(QRectF(3, 3, 2, 10));
    if (Button == TPropLab::nbLast)
        p.drawRect(QRectF(11, 3, 2, 10));
    return QIcon(pm);
}

// What an edit stands for: the stored value it was loaded with until the
// user changes it (ShowValue, EditValue).
float Value(const TSpinEditFloat* E) { return EditValue(E); }

// Index of an item whose text equals Text ignoring case, or -1.
int FindItem(const QComboBox* Box, const QString& Text)
{
    return Text.isEmpty() ? -1 : Box->findText(Text, Qt::MatchFixedString);
}

// The alias and table lists: an entry of the design's own source or table
// that is not available here shows a mark after its name and carries the
// name itself as data.
constexpr int NameRole = Qt::UserRole;
constexpr int MissingRole = Qt::UserRole + 1;

QString EntryName(const QComboBox* Box, int Index)
{
    const QVariant name = Box->itemData(Index, NameRole);
    return name.isValid() ? name.toString() : Box->itemText(Index);
}

QString ChosenName(const QComboBox* Box)
{
    return Box->currentIndex() < 0 ? QString() : EntryName(Box, Box->currentIndex());
}

bool ChosenMissing(const QComboBox* Box)
{
    return Box->currentIndex() >= 0 && Box->itemData(Box->currentIndex(), MissingRole).toBool();
}

int FindEntry(const QComboBox* Box, const QString& Name)
{
    if (Name.isEmpty())
        return -1;
    for (int i = 0; i < Box->count(); ++i)
        if (EntryName(Box, i).compare(Name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void MarkMissing(QComboBox* Box, int Index, const QString& Name)
{
    Box->setItemText(Index, Name + QLatin1Char(' ') + LoadResString(&KvNotHere));
    Box->setItemIcon(Index, Box->style()->standardIcon(QStyle::SP_MessageBoxWarning));
    Box->setItemData(Index, Name, NameRole);
    Box->setItemData(Index, true, MissingRole);
}

void AddMissing(QComboBox* Box, const QString& Name)
{
    Box->addItem(Name);
    MarkMissing(Box, Box->count() - 1, Name);
}

bool Available(const QString& DatabaseName)
{
    try {
        TKVSession::Resolve(DatabaseName);
        return true;
    } catch (const EDBError&) {
        return false;
    }
}
}

TPropLab::TPropLab(QWidget* Parent)
    : QDialog(Parent), DataTable(std::make_unique<TKVTable>()), ui(std::make_unique<Ui::TPropLab>())
{
    ui->setupUi(this);
    // FormCreate: the sketch starts at the box's design size.
    Sketch = QImage(BoxWidth, BoxHeight, QImage::Format_RGB32);
    Sketch.fill(Qt::white);

    DaSo = new TKVDataSource(DataTable.get(), this);
    ui->dbGrid->setModel(DaSo);
    ui->dbGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    ui->dbGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui->dbGrid->verticalHeader()->setDefaultSectionSize(ui->dbGrid->fontMetrics().height() + 6);
    ui->dbGrid->verticalHeader()->setFixedWidth(14);

    PopupMenu1 = new QMenu(ui->dbGrid);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addActions({ui->equality, ui->inequality, ui->less, ui->greater});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({ui->Execute, ui->Delete1});
    ui->Execute->setCheckable(true);

    ui->NavFirst->setIcon(NavigatorIcon(nbFirst));
    ui->NavPrior->setIcon(NavigatorIcon(nbPrior));
    ui->NavNext->setIcon(NavigatorIcon(nbNext));
    ui->NavLast->setIcon(NavigatorIcon(nbLast));

    // The first print row and column are typed only on purpose, not while
    // the arrows are being held or a number is half typed.
    ui->SpEdFirstCol->setKeyboardTracking(false);
    ui->SpEdFirstRow->setKeyboardTracking(false);

    ui->PaintBox1->installEventFilter(this);
    for (QWidget* s : {ui->ShCoSelect, ui->ShCoBack, ui->ShCoGrid, ui->ShCoFrame, ui->ShCoAlign})
        s->installEventFilter(this);
    for (QSpinBox* s : findChildren<QSpinBox*>())
        s->installEventFilter(this);
    ui->EdLabName->installEventFilter(this);
    for (TSpinEditFloat* e : findChildren<TSpinEditFloat*>()) {
        connect(e, &TSpinEditFloat::entered, this, [e] { Highlight(e, true); });
        connect(e, &TSpinEditFloat::exited, this, [e] { Highlight(e, false); });
    }
    // Shown only when the design's data source cannot be read here.
    ui->LabSourceState->hide();
    UpdateNavigator();
    AcceptLimits();
    Connect();
    ShowTakenValues();
}

TPropLab::~TPropLab()
{
    // The grid's model reads DataTable: let both go before the table does.
    ui->dbGrid->setModel(nullptr);
    delete DaSo;
    DaSo = nullptr;
}

void TPropLab::Connect()
{
    // Every handler runs under the toolkit's error reporting.
    const auto on = [this](void (TPropLab::*Handler)()) { return [this, Handler] { Reported([&] { (this->*Handler)(); }); }; };
    const auto checked = [this](void (TPropLab::*Handler)()) {
        return [this, Handler](bool On) {
            if (On)
                Reported([&] { (this->*Handler)(); });
        };
    };

    connect(ui->PageControl1, &QTabWidget::currentChanged, this, on(&TPropLab::PageControl1Change));
    connect(ui->SpEdFloatWidth, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatWidthChange));
    connect(ui->SpEdFloatHeight, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatHeightChange));
    connect(ui->SpinEdNuHor, &QSpinBox::valueChanged, this, on(&TPropLab::SpinEdNuHorChange));
    connect(ui->SpinEdNuVer, &QSpinBox::valueChanged, this, on(&TPropLab::SpinEdNuVerChange));
    connect(ui->SpEdFloatLeftMar, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatLeftMarChange));
    connect(ui->SpEdFloatTopMar, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatTopMarChange));
    connect(ui->SpEdFloatDiHor, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatDiHorChange));
    connect(ui->SpEdFloatDiVer, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatDiVerChange));
    connect(ui->SpEdFloatPaWidth, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatPaWidthChange));
    connect(ui->SpEdFloatPaHeight, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatPaHeightChange));
    connect(ui->CBoxPaperName, &QComboBox::activated, this, on(&TPropLab::CBoxPaperNameChange));
    connect(ui->CBoxPaperName->lineEdit(), &QLineEdit::textEdited, this, on(&TPropLab::CBoxPaperNameChange));
    connect(ui->CBoxPaperName->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        // Leaving the paper box: a paper it names is taken, anything else
        // gives way to the paper in use.
        QComboBox* box = ui->CBoxPaperName;
        if (FindItem(box, box->currentText()) >= 0)
            Reported([&] { CBoxPaperNameChange(); });
        else
            box->setEditText(box->currentIndex() >= 0 ? box->itemText(box->currentIndex()) : QString());
    });
    connect(ui->RaBuVer, &QRadioButton::toggled, this, checked(&TPropLab::RaBuVerClick));
    connect(ui->RaBuHor, &QRadioButton::toggled, this, checked(&TPropLab::RaBuHorClick));

    connect(ui->SpEdNuLabs, &QSpinBox::valueChanged, this, on(&TPropLab::SpEdNuLabsChange));
    connect(ui->SpEdFirstCol, &QSpinBox::valueChanged, this, on(&TPropLab::SpEdFirstColChange));
    connect(ui->SpEdFirstRow, &QSpinBox::valueChanged, this, on(&TPropLab::SpEdFirstRowChange));
    connect(ui->SpinEdFrom, &QSpinBox::valueChanged, this, on(&TPropLab::SpinEdFromChange));
    connect(ui->SpinEdTo, &QSpinBox::valueChanged, this, on(&TPropLab::SpinEdToChange));
    connect(ui->CheckAllRecords, &QCheckBox::toggled, this, on(&TPropLab::CheckAllRecordsClick));
    connect(ui->CheckShow, &QCheckBox::toggled, this, on(&TPropLab::CheckShowClick));

    connect(ui->SpEdFloatGX, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatGXChange));
    connect(ui->SpEdFloatGY, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatGYChange));
    connect(ui->CheckGrid, &QCheckBox::toggled, this, on(&TPropLab::CheckGridClick));
    connect(ui->CheckSnap, &QCheckBox::toggled, this, on(&TPropLab::CheckSnapClick));
    connect(ui->SpEdFloatD1, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatD1Change));
    connect(ui->SpEdFloatD2, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatD2Change));
    connect(ui->SpEdFloatPenWidth, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatPenWidthChange));
    connect(ui->ComBoxStyle, &QComboBox::activated, this, on(&TPropLab::ComBoxStyleChange));
    connect(ui->CheckBackImage, &QCheckBox::toggled, this, on(&TPropLab::CheckBackImageClick));
    connect(ui->BitBtnOpenImage, &QPushButton::clicked, this, on(&TPropLab::BitBtnOpenImageClick));
    connect(ui->SpEdFloatAlLeft, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatAlLeftChange));
    connect(ui->SpEdFloatAlTop, &TSpinEditFloat::changed, this, on(&TPropLab::SpEdFloatAlTopChange));
    connect(ui->CheckShowAlign, &QCheckBox::toggled, this, on(&TPropLab::CheckShowAlignClick));

    connect(ui->CBoxAlias, &QComboBox::activated, this, on(&TPropLab::CBoxAliasChange));
    connect(ui->CBoxTables, &QComboBox::activated, this, on(&TPropLab::CBoxTablesChange));
    connect(ui->CheckData, &QCheckBox::toggled, this, on(&TPropLab::CheckDataClick));
    const std::pair<QToolButton*, TNavigateBtn> buttons[] = {
        {ui->NavFirst, nbFirst}, {ui->NavPrior, nbPrior}, {ui->NavNext, nbNext}, {ui->NavLast, nbLast}};
    for (const auto& b : buttons) {
        const TNavigateBtn which = b.second;
        connect(b.first, &QToolButton::clicked, this, [this, which] { Reported([&] { DBNavigator1Click(which); }); });
    }
    connect(ui->dbGrid->selectionModel(), &QItemSelectionModel::currentChanged, this, on(&TPropLab::dbGridCellChange));
    connect(ui->dbGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& At) {
        Reported([&] { PopupMenu1Popup(); });
        PopupMenu1->popup(ui->dbGrid->viewport()->mapToGlobal(At));
    });
    connect(ui->equality, &QAction::triggered, this, on(&TPropLab::equalityClick));
    connect(ui->inequality, &QAction::triggered, this, on(&TPropLab::inequalityClick));
    connect(ui->less, &QAction::triggered, this, on(&TPropLab::lessClick));
    connect(ui->greater, &QAction::triggered, this, on(&TPropLab::greaterClick));
    connect(ui->Execute, &QAction::triggered, this, on(&TPropLab::ExecuteClick));
    connect(ui->Delete1, &QAction::triggered, this, on(&TPropLab::Delete1Click));
}

// The size, print, grid, frame and alignment fields take what a label file
// and a run hold.
void TPropLab::AcceptLimits()
{
    for (QWidget* group : std::initializer_list<QWidget*>{ui->TabSize, ui->TabPrint, ui->GpBoxGrid, ui->GpBoxFrame,
                                                          ui->GpBoxAligns})
        AcceptFileLimits(group);
    for (QSpinBox* count : {ui->SpinEdNuHor, ui->SpinEdNuVer, ui->SpEdFirstCol, ui->SpEdFirstRow})
        count->setMaximum(KVLimits::MaxSheetRowsCols);
    ui->SpEdNuLabs->setMaximum(int(KVLimits::MaxRunLabels));
}

// Fields whose setters floor or clamp what is typed show what was stored.
void TPropLab::ShowTakenValues()
{
    const std::pair<TSpinEditFloat*, std::function<float()>> fields[] = {
        {ui->SpEdFloatWidth, [this] { return Lab->Measure->Width; }},
        {ui->SpEdFloatHeight, [this] { return Lab->Measure->Height; }},
        {ui->SpEdFloatGX, [this] { return Lab->Grid->IncX; }},
        {ui->SpEdFloatGY, [this] { return Lab->Grid->IncY; }},
        {ui->SpEdFloatAlLeft, [this] { return Lab->BackSurf->AlignLeft; }},
        {ui->SpEdFloatAlTop, [this] { return Lab->BackSurf->AlignTop; }},
    };
    for (const auto& [edit, stored] : fields)
        ShowTakenValue(edit, [this, edit = edit, stored = stored] { return Lab ? stored() : EditValue(edit); });
}

// ---------------------------------------------------------------- loading

void TPropLab::Ini(std::int32_t Page)
{
    Loading = true;
    const auto loaded = qScopeGuard([this] { Loading = false; });
    FillLanguage();

    if (Page > ui->PageControl1->count())
        Page = 0;
    switch (Page) {
    case 0: ui->PageControl1->setCurrentWidget(ui->TabSize); break;
    case 1: ui->PageControl1->setCurrentWidget(ui->TabPrint); break;
    case 2: ui->PageControl1->setCurrentWidget(ui->TabBack); break;
    case 3: ui->PageControl1->setCurrentWidget(ui->TabData); break;
    default: break;
    }

    // Every value is shown as it is stored, and stays so until the user
    // changes it (ShowValue).
    const TKVMeasure& m = *Lab->Measure;
    ShowValue(ui->SpEdFloatWidth, m.Width);
    ShowValue(ui->SpEdFloatHeight, m.Height);
    ShowValue(ui->SpEdFloatDiHor, m.DiHor);
    ShowValue(ui->SpEdFloatDiVer, m.DiVer);
    ShowValue(ui->SpEdFloatLeftMar, m.MarLeft);
    ShowValue(ui->SpEdFloatTopMar, m.MarTop);
    ShowValue(ui->SpinEdNuHor, m.NuHor);
    ShowValue(ui->SpinEdNuVer, m.NuVer);
    ShowValue(ui->SpEdFloatPaWidth, m.PaperWidth);
    ShowValue(ui->SpEdFloatPaHeight, m.PaperHeight);
    ui->EdLabName->setText(m.LabelName);

    const TKVPrintInfo& p = *Lab->PrintInfo;
    {
        // Shown only: these two are set by clicking the sketch.
        const QSignalBlocker c(ui->SpEdFirstCol), r(ui->SpEdFirstRow);
        ShowValue(ui->SpEdFirstCol, p.FirstCol);
        ShowValue(ui->SpEdFirstRow, p.FirstRow);
    }
    // The print range's bound comes with the record count; until then it
    // must not cut the stored range.
    ui->SpinEdFrom->setMaximum(std::max({p.Labs, p.FirstLab, 1}));
    ui->SpinEdTo->setMaximum(std::max({p.Labs, p.LastLab, 1}));
    ShowValue(ui->SpinEdFrom, p.FirstLab);
    ShowValue(ui->SpinEdTo, p.LastLab);
    ui->CheckAllRecords->setChecked(p.AllRecords);
    ShowValue(ui->SpEdNuLabs, p.Labs);

    ui->CBoxAlias->clear();
    ui->CBoxAlias->addItems(TKVSession::GetAliasNames());
    // The design's data source is offered whatever it is: a path rather than
    // a registered alias is a source as good as any; one that is not
    // available here (an alias of another computer, a database that is gone)
    // is marked, and stays the design's unless the user chooses another.
    const QString own = Lab->Table->DatabaseName;
    if (!own.isEmpty()) {
        const int known = FindEntry(ui->CBoxAlias, own);
        if (known < 0 && Available(own))
            ui->CBoxAlias->addItem(own);
        else if (known < 0)
            AddMissing(ui->CBoxAlias, own);
        else if (!Available(own))
            MarkMissing(ui->CBoxAlias, known, EntryName(ui->CBoxAlias, known));
    }
    IniTable();

    ui->CheckData->setChecked(Lab->DaBa);

    const TKVBackSurf& b = *Lab->BackSurf;
    SetSwatch(ui->ShCoBack, b.Color);
    ShowValue(ui->SpEdFloatAlLeft, b.AlignLeft);
    ShowValue(ui->SpEdFloatAlTop, b.AlignTop);
    ui->CheckShowAlign->setChecked(b.ShowAlign);
    SetSwatch(ui->ShCoAlign, b.AlignColor);

    const TKVGrid& g = *Lab->Grid;
    SetSwatch(ui->ShCoGrid, g.Color);
    SetSwatch(ui->ShCoSelect, Lab->SelColor);
    ShowValue(ui->SpEdFloatGX, g.IncX);
    ShowValue(ui->SpEdFloatGY, g.IncY);
    ui->CheckShow->setChecked(Lab->ShowMargins);
    ui->CheckGrid->setChecked(g.Show);
    ui->CheckSnap->setChecked(Lab->Snap == snGrid);

    const TKVFrame& f = *Lab->Frame;
    SetSwatch(ui->ShCoFrame, f.Color);
    ShowValue(ui->SpEdFloatD1, f.Dist1);
    ShowValue(ui->SpEdFloatD2, f.Dist2);
    ShowValue(ui->SpEdFloatPenWidth, f.PenWidth);
    ui->ComBoxStyle->setCurrentIndex(f.Style == maSingle ? 1 : f.Style == maDoble ? 2 : 0);

    {
        // The picture was read when the design was loaded; showing the box
        // is no request to read it again.
        const QSignalBlocker block(ui->CheckBackImage);
        if (Lab->BackSurf->Style == biImage)
            ui->CheckBackImage->setChecked(true);
        else if (Lab->BackSurf->Style == biNone)
            ui->CheckBackImage->setChecked(false);
    }

    if (Lab->PrintInfo->Orientation == 0)
        ui->RaBuVer->setChecked(true);
    else if (Lab->PrintInfo->Orientation == 1)
        ui->RaBuHor->setChecked(true);

    ui->LabImageFile->setText(Lab->BackSurf->FileName);
    ShowBackPicture();

    FillPapers();
    CheckDraw();
    PaintBox1Paint();
}

void TPropLab::FillLanguage()
{
    setWindowTitle(LoadResString(&KvLabPro));
    QTabWidget* pages = ui->PageControl1;
    pages->setTabText(pages->indexOf(ui->TabSize), LoadResString(&KvDim));
    pages->setTabText(pages->indexOf(ui->TabPrint), LoadResString(&KvPrint));
    pages->setTabText(pages->indexOf(ui->TabBack), LoadResString(&KvBack1));
    pages->setTabText(pages->indexOf(ui->TabData), LoadResString(&KvDataBase));
    ui->GpBoxLabName->setTitle(LoadResString(&KvSize));
    ui->GpBoxSizes->setTitle(LoadResString(&KvDim));
    ui->LabWidth->setText(LoadResString(&KvWidth));
    ui->LabHeight->setText(LoadResString(&KvHeight));
    ui->GpBoxDist->setTitle(LoadResString(&KvSep));
    ui->LabHorDis->setText(LoadResString(&KvHor));
    ui->LabVerDis->setText(LoadResString(&KvVer));
    ui->GpBoxMargins->setTitle(LoadResString(&KvPrMarg));
    ui->LabLeftMar->setText(LoadResString(&KvLeft));
    ui->LabTopMar->setText(LoadResString(&KvTop));
    ui->GpBoxNumber->setTitle(LoadResString(&KvDis));
    ui->LabNuHor->setText(LoadResString(&KvRow));
    ui->LabNuVer->setText(LoadResString(&KvCol));
    ui->GpBoxPaper->setTitle(LoadResString(&KvPaper));
    ui->LabPaperWidth->setText(LoadResString(&KvWidth));
    ui->LabPaperHeight->setText(LoadResString(&KvHeight));
    ui->LabPaperName->setText(LoadResString(&KvName));
    ui->GpBoxOrien->setTitle(LoadResString(&KvOrien));
    ui->RaBuVer->setText(LoadResString(&KvPortrait));
    ui->RaBuHor->setText(LoadResString(&KvLandscape));
    ui->LabNuLabs->setText(LoadResString(&KvNuLabs));
    ui->CheckShow->setText(LoadResString(&KvShowMar));
    ui->LabFirstCol->setText(LoadResString(&KvFirstCol));
    ui->LabFirstRow->setText(LoadResString(&KvFirstRow));
    ui->LabPrintFrom->setText(LoadResString(&KvPrintFrom));
    ui->LabPrintTo->setText(LoadResString(&KvTo));
    ui->GpBoxGrid->setTitle(LoadResString(&KvGrid));
    ui->LabGridX->setText(LoadResString(&KvGridX));
    ui->LabGridY->setText(LoadResString(&KvGridY));
    ui->CheckSnap->setText(LoadResString(&KvSnapGrid));
    ui->CheckGrid->setText(LoadResString(&KvShowGrid));
    ui->GpBoxFrame->setTitle(LoadResString(&KvFrame));
    ui->LabD1->setText(LoadResString(&KvD1Frame));
    ui->LabD2->setText(LoadResString(&KvD2Frame));
    ui->LabPenWidth->setText(LoadResString(&KvPenWidth));
    ui->LabFrameType->setText(LoadResString(&KVBarType));
    ui->GpBoxImage->setTitle(LoadResString(&KvImage));
    ui->CheckBackImage->setText(LoadResString(&KvShowImage));
    ui->BitBtnOpenImage->setText(LoadResString(&KvOpenImage));
    ui->GpBoxAligns->setTitle(LoadResString(&KvAlignOb));
    ui->LabAlignLeft->setText(LoadResString(&KvAlignLeft));
    ui->LabAlignTop->setText(LoadResString(&KvAlignTop));
    ui->CheckShowAlign->setText(LoadResString(&KvShowLines));
    ui->LabColSelect->setText(LoadResString(&KvColSelect));
    ui->LabBackColor->setText(LoadResString(&KvBackColor));
    ui->LabTable->setText(LoadResString(&KvTable));
    ui->CheckData->setText(LoadResString(&KvDataBase));
    ui->CheckAllRecords->setText(LoadResString(&KvToLast));
    ui->LabBackNote->setText(LoadResString(&KvBackNotPrinted));
}

// ---------------------------------------------------------------- paper

void TPropLab::FillPapers()
{
    QComboBox* box = ui->CBoxPaperName;
    const QSignalBlocker block(box);
    box->clear();
    for (const TPaperType& paper : Papers)
        box->addItem(paper.Name);
    box->setCurrentIndex(box->findText(Lab->Measure->PaperName, Qt::MatchExactly | Qt::MatchCaseSensitive));
    if (box->currentIndex() < 0)
        box->setEditText(QString());
    CheckPapers();
}

void TPropLab::CheckPapers()
{
    const QComboBox* box = ui->CBoxPaperName;
    const int user = box->findText(LoadResString(&KvUser), Qt::MatchExactly | Qt::MatchCaseSensitive);
    const bool free = user >= 0 && user == box->currentIndex();
    ui->SpEdFloatPaWidth->setEnabled(free);
    ui->SpEdFloatPaHeight->setEnabled(free);
}

void TPropLab::CBoxPaperNameChange()
{
    QComboBox* box = ui->CBoxPaperName;
    const QString text = box->currentText();
    int row = box->currentIndex();
    if (row < 0 || box->itemText(row) != text)
        row = FindItem(box, text);
    // Typed text that names no paper leaves the paper as it is.
    if (row < 0 || row >= PaperCount)
        return;
    if (row != box->currentIndex()) {
        const QSignalBlocker block(box);
        box->setCurrentIndex(row);
    }
    ApplyPaperRow(row);
}

void TPropLab::ApplyPaperRow(int Row)
{
    const TPaperType& paper = Papers[std::size_t(Row)];
    CheckPapers();
    ShowValue(ui->SpEdFloatPaWidth, paper.Width);
    ShowValue(ui->SpEdFloatPaHeight, paper.Height);
    TKVMeasure& m = *Lab->Measure;
    m.SetPaperWidth(paper.Width);
    m.SetPaperHeight(paper.Height);
    m.SetPaperName(paper.Name);
    Lab->PrintInfo->PaperCode = std::uint16_t(paper.Code);
    Lab->AdjustPrint();
    CheckDraw();
    PaintBox1Paint();
}

// ---------------------------------------------------------------- sketch

void TPropLab::CheckDraw()
{
    const TKVMeasure& m = *Lab->Measure;
    const float r = Lab->PrintInfo->Orientation == 1 ? m.PaperHeight / m.PaperWidth : m.PaperWidth / m.PaperHeight;
    int w = BoxWidth, h = BoxHeight;
    // A paper without an area has no shape to show: the box keeps its size.
    if (std::isfinite(r) && r > 0) {
        if (static_cast<long double>(r) >= WideAspect)
            h = std::max(1, RoundEven(BoxWidth / static_cast<long double>(r)));
        else
            w = std::max(1, RoundEven(BoxHeight * static_cast<long double>(r)));
    }
    ui->PaintBox1->resize(w, h);
    const QWidget* bevel = ui->Bevel1;
    ui->PaintBox1->move((bevel->width() - w) / 2, (bevel->height() - h) / 2);
    if (Sketch.size() != QSize(w, h))
        Sketch = QImage(w, h, QImage::Format_RGB32);
}

std::int32_t TPropLab::MapW2Sx(float X) const
{
    const TKVMeasure& m = *Lab->Measure;
    const float across = Lab->PrintInfo->Orientation == 1 ? m.PaperHeight : m.PaperWidth;
    if (!(across > 0))
        return 0;
    return RoundEven(static_cast<long double>(ui->PaintBox1->width()) * X / across);
}

std::int32_t TPropLab::MapW2Sy(float Y) const
{
    const TKVMeasure& m = *Lab->Measure;
    const float down = Lab->PrintInfo->Orientation == 1 ? m.PaperWidth : m.PaperHeight;
    if (!(down > 0))
        return 0;
    return RoundEven(static_cast<long double>(ui->PaintBox1->height()) * Y / down);
}

void TPropLab::DrawSketch()
{
    const TKVMeasure& m = *Lab->Measure;
    const TKVPrintInfo& p = *Lab->PrintInfo;
    TKVCanvas c(&Sketch);
    c.SetPixelMapping();
    c.Brush = {FromQColor(InfoBackground()), TBrushStyle::bsSolid};
    c.Pen = {clBlack, 1, TPenStyle::psSolid, TPenMode::pmCopy};
    c.FillRect({0, 0, Sketch.width(), Sketch.height()});

    const auto label = [&](int Col, int Row) {
        const float left = m.MarLeft + Col * (m.Width + m.DiHor);
        const float top = m.MarTop + Row * (m.Height + m.DiVer);
        return TRect{MapW2Sx(left), MapW2Sy(top), MapW2Sx(left + m.Width), MapW2Sy(top + m.Height)};
    };
    // Labels the printer cannot print whole are crossed out in red, where
    // the sketch reaches them; the note below it counts them all.
    const TRect2D printable = p.GetPrintable();
    const auto offPage = [&](int Col, int Row) {
        return !TKVMeasure::Inside(m.LabelRect(Row + 1, Col + 1), printable);
    };
    const auto hatch = [&](const TRect& R) {
        QPainter* painter = c.Painter();
        painter->save();
        painter->setPen(QPen(Qt::red, 0));
        painter->setBrush(QBrush(Qt::red, Qt::BDiagPattern));
        painter->drawRect(QRect(R.Left, R.Top, R.Right - R.Left - 1, R.Bottom - R.Top - 1));
        painter->restore();
    };
    c.Brush.Color = clWhite;
    for (int i = 0; i < m.NuHor; ++i) {
        // Rows that start below the box cannot be seen; a sheet from a file
        // may claim any number of them.
        if (label(0, i).Top > Sketch.height() && m.Height + m.DiVer > 0)
            break;
        for (int j = 0; j < m.NuVer; ++j) {
            const TRect r = label(j, i);
            if (r.Left > Sketch.width() && m.Width + m.DiHor > 0)
                break;
            c.Rectangle(r);
            if (offPage(j, i))
                hatch(r);
        }
    }
    c.Brush.Color = clAqua;
    c.Rectangle(label(p.FirstCol - 1, p.FirstRow - 1));
    if (offPage(p.FirstCol - 1, p.FirstRow - 1))
        hatch(label(p.FirstCol - 1, p.FirstRow - 1));

    const TKVOffPage off = m.OffPage(printable);
    ui->LabOffPage->setText(off.Count == 0 ? QString()
                                           : LoadResString(&KvOffPage).arg(off.Count).arg(off.Row).arg(off.Col));

    if (Lab->ShowMargins) {
        QPainter* painter = c.Painter();
        QPen pen(ToQColor(p.Color));
        pen.setWidth(0);
        pen.setStyle(Qt::DotLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        const int left = MapW2Sx(p.GetMaLeft()), top = MapW2Sy(p.GetMaTop());
        const int right = MapW2Sx(m.PageWidth(p.Orientation) - p.GetMaRight()),
                  bottom = MapW2Sy(m.PageHeight(p.Orientation) - p.GetMaBottom());
        // Like every rectangle here, the right and bottom edges are left out.
        painter->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    }
}

void TPropLab::PaintBox1Paint()
{
    DrawSketch();
    ui->PaintBox1->update();
}

void TPropLab::PaintBox1MouseDown(int X, int Y)
{
    const TKVMeasure& m = *Lab->Measure;
    TKVPrintInfo& p = *Lab->PrintInfo;
    if (m.Width == 0 || m.Height == 0)
        return;
    const int pitchX = MapW2Sx(m.Width + m.DiHor), pitchY = MapW2Sy(m.Height + m.DiVer);
    // Labels closer than a pixel on the sketch cannot be told apart.
    if (pitchX <= 0 || pitchY <= 0)
        return;
    X -= MapW2Sx(m.MarLeft);
    Y -= MapW2Sy(m.MarTop);
    p.SetFirstCol(X / pitchX + 1);
    p.SetFirstRow(Y / pitchY + 1);
    if (m.NuVer < p.FirstCol)
        p.SetFirstCol(m.NuVer);
    if (m.NuHor < p.FirstRow)
        p.SetFirstRow(m.NuHor);
    // Left of the first column or above the first row is the first label.
    if (p.FirstCol < 1)
        p.SetFirstCol(1);
    if (p.FirstRow < 1)
        p.SetFirstRow(1);
    PaintBox1Paint();
}

void TPropLab::PageControl1Change()
{
    if (ui->PageControl1->currentWidget() != ui->TabPrint)
        return;
    const QSignalBlocker c(ui->SpEdFirstCol), r(ui->SpEdFirstRow);
    ShowValue(ui->SpEdFirstCol, Lab->PrintInfo->FirstCol);
    ShowValue(ui->SpEdFirstRow, Lab->PrintInfo->FirstRow);
}

// ---------------------------------------------------------------- write-back

void TPropLab::SpEdFloatWidthChange()
{
    Lab->Measure->SetWidth(Value(ui->SpEdFloatWidth));
    PaintBox1Paint();
}

void TPropLab::SpEdFloatHeightChange()
{
    Lab->Measure->SetHeight(Value(ui->SpEdFloatHeight));
    PaintBox1Paint();
}

void TPropLab::SpinEdNuHorChange()
{
    Lab->Measure->SetNuHor(ui->SpinEdNuHor->value());
    PaintBox1Paint();
}

void TPropLab::SpinEdNuVerChange()
{
    Lab->Measure->SetNuVer(ui->SpinEdNuVer->value());
    PaintBox1Paint();
}

void TPropLab::SpEdFloatLeftMarChange()
{
    Lab->Measure->SetMarLeft(Value(ui->SpEdFloatLeftMar));
    PaintBox1Paint();
}

void TPropLab::SpEdFloatTopMarChange()
{
    Lab->Measure->SetMarTop(Value(ui->SpEdFloatTopMar));
    PaintBox1Paint();
}

void TPropLab::SpEdFloatDiHorChange()
{
    Lab->Measure->SetDiHor(Value(ui->SpEdFloatDiHor));
    PaintBox1Paint();
}

void TPropLab::SpEdFloatDiVerChange()
{
    Lab->Measure->SetDiVer(Value(ui->SpEdFloatDiVer));
    PaintBox1Paint();
}

void TPropLab::SpEdFloatPaWidthChange()
{
    Lab->Measure->SetPaperWidth(Value(ui->SpEdFloatPaWidth));
    CheckDraw();
    PaintBox1Paint();
}

void TPropLab::SpEdFloatPaHeightChange()
{
    Lab->Measure->SetPaperHeight(Value(ui->SpEdFloatPaHeight));
    CheckDraw();
    PaintBox1Paint();
}

void TPropLab::EdLabNameExit() { Lab->Measure->SetLabelName(ui->EdLabName->text()); }

void TPropLab::RaBuVerClick()
{
    Lab->PrintInfo->Orientation = 0;
    Lab->AdjustPrint();
    CheckDraw();
    PaintBox1Paint();
}

void TPropLab::RaBuHorClick()
{
    Lab->PrintInfo->Orientation = 1;
    Lab->AdjustPrint();
    CheckDraw();
    PaintBox1Paint();
}

void TPropLab::SpEdNuLabsChange() { Lab->PrintInfo->SetLabs(ui->SpEdNuLabs->value()); }

void TPropLab::SpEdFirstColChange()
{
    // Typed like a click on the sketch: within the sheet's columns.
    TKVPrintInfo& p = *Lab->PrintInfo;
    p.SetFirstCol(std::max(1, std::min(ui->SpEdFirstCol->value(), Lab->Measure->NuVer)));
    const QSignalBlocker block(ui->SpEdFirstCol);
    ui->SpEdFirstCol->setValue(p.FirstCol);
    PaintBox1Paint();
}

void TPropLab::SpEdFirstRowChange()
{
    TKVPrintInfo& p = *Lab->PrintInfo;
    p.SetFirstRow(std::max(1, std::min(ui->SpEdFirstRow->value(), Lab->Measure->NuHor)));
    const QSignalBlocker block(ui->SpEdFirstRow);
    ui->SpEdFirstRow->setValue(p.FirstRow);
    PaintBox1Paint();
}

void TPropLab::SpinEdFromChange() { Lab->PrintInfo->SetFirstLab(ui->SpinEdFrom->value()); }

void TPropLab::SpinEdToChange() { Lab->PrintInfo->SetLastLab(ui->SpinEdTo->value()); }

void TPropLab::CheckAllRecordsClick()
{
    if (!Loading)
        Lab->PrintInfo->SetAllRecords(ui->CheckAllRecords->isChecked());
    CheckDataInf();
}

void TPropLab::CheckShowClick() { Lab->SetShowMargins(ui->CheckShow->isChecked()); }

void TPropLab::CheckGridClick() { Lab->Grid->SetShow(ui->CheckGrid->isChecked()); }

void TPropLab::SpEdFloatGXChange() { Lab->Grid->SetIncX(Value(ui->SpEdFloatGX)); }

void TPropLab::SpEdFloatGYChange() { Lab->Grid->SetIncY(Value(ui->SpEdFloatGY)); }

void TPropLab::CheckSnapClick() { Lab->SetSnap(ui->CheckSnap->isChecked() ? snGrid : snNone); }

void TPropLab::SpEdFloatD1Change() { Lab->Frame->SetDist1(Value(ui->SpEdFloatD1)); }

void TPropLab::SpEdFloatD2Change() { Lab->Frame->SetDist2(Value(ui->SpEdFloatD2)); }

void TPropLab::SpEdFloatPenWidthChange() { Lab->Frame->SetPenWidth(Value(ui->SpEdFloatPenWidth)); }

void TPropLab::ComBoxStyleChange()
{
    static constexpr TKVFrameStyle styles[] = {maNot, maSingle, maDoble};
    const int i = ui->ComBoxStyle->currentIndex();
    if (i < 0 || i > 2)
        return;
    Lab->Frame->SetStyle(styles[i]);
    Lab->AdjustHandle();
}

void TPropLab::CheckShowAlignClick() { Lab->BackSurf->SetShowAlign(ui->CheckShowAlign->isChecked()); }

void TPropLab::SpEdFloatAlLeftChange() { Lab->BackSurf->SetAlignLeft(Value(ui->SpEdFloatAlLeft)); }

void TPropLab::SpEdFloatAlTopChange() { Lab->BackSurf->SetAlignTop(Value(ui->SpEdFloatAlTop)); }

void TPropLab::CheckDataClick()
{
    Lab->SetDaBa(ui->CheckData->isChecked());
    // Turned on by the user, a data run prints the whole table, rows added
    // later included, unless the user narrows it; a stored design keeps its
    // range.
    if (!Loading && Lab->DaBa)
        ui->CheckAllRecords->setChecked(true);
    CheckDataInf();
}

// ---------------------------------------------------------------- colours, picture

TColor TPropLab::SwatchColor(const QWidget* Swatch) { return Swatch->property("BrushColor").toUInt(); }

void TPropLab::SetSwatch(QWidget* Swatch, TColor Color)
{
    Swatch->setProperty("BrushColor", Color);
    QPalette p = Swatch->palette();
    p.setColor(QPalette::Window, ToQColor(Color));
    Swatch->setPalette(p);
}

bool TPropLab::ChooseSwatchColor(QWidget* Swatch)
{
    TColor color = SwatchColor(Swatch);
    if (!ColorDialog1()(this, color))
        return false;
    SetSwatch(Swatch, color);
    return true;
}

void TPropLab::ShCoSelectMouseDown()
{
    if (!ChooseSwatchColor(ui->ShCoSelect))
        return;
    Lab->SelColor = SwatchColor(ui->ShCoSelect);
    Lab->Paint(); // the selection is drawn over the label in that colour
}

void TPropLab::ShCoBackMouseDown()
{
    if (ChooseSwatchColor(ui->ShCoBack))
        Lab->BackSurf->SetColor(SwatchColor(ui->ShCoBack));
}

void TPropLab::ShCoGridMouseDown()
{
    if (ChooseSwatchColor(ui->ShCoGrid))
        Lab->Grid->SetColor(SwatchColor(ui->ShCoGrid));
}

void TPropLab::ShCoFrameMouseDown()
{
    if (ChooseSwatchColor(ui->ShCoFrame))
        Lab->Frame->SetColor(SwatchColor(ui->ShCoFrame));
}

void TPropLab::ShCoAlignMouseDown()
{
    if (ChooseSwatchColor(ui->ShCoAlign))
        Lab->BackSurf->SetAlignColor(SwatchColor(ui->ShCoAlign));
}

void TPropLab::BitBtnOpenImageClick()
{
    const QString file = OpenPictureDialog1()(this, PictureFilter());
    if (file.isEmpty())
        return;
    ui->LabImageFile->setText(file);
    Lab->BackSurf->SetFileName(file);
    Lab->AdjustHandle();
    ShowBackPicture();
}

void TPropLab::CheckBackImageClick()
{
    TKVBackSurf& back = *Lab->BackSurf;
    if (!ui->CheckBackImage->isChecked()) {
        back.SetStyle(biNone);
        Lab->AdjustHandle();
        ShowBackPicture();
        return;
    }
    if (back.FileName.isEmpty())
        return;
    QImage picture;
    {
        // A name relative to the design's folder, as loading read it.
        const TKVImage::PictureFolderScope folder(Lab->DesignFolder);
        if (!TKVImage::LoadPicture(back.FileName, picture)) {
            const QSignalBlocker block(ui->CheckBackImage);
            ui->CheckBackImage->setChecked(false); // the label shows no picture
            ShowMessage(QStringLiteral("No se puede abrir el archivo: ") + back.FileName);
            return;
        }
    }
    back.SetImage(picture);
    back.SetStyle(biImage);
    Lab->AdjustHandle();
    ShowBackPicture();
}

void TPropLab::ShowBackPicture()
{
    const TKVBackSurf& back = *Lab->BackSurf;
    QLabel* box = ui->LabImagePreview;
    if (back.Style != biImage || back.Picture.isNull()) {
        box->clear();
        return;
    }
    // The box has a fixed size; before the page is laid out, only its
    // minimum says which.
    box->setPixmap(QPixmap::fromImage(
        back.Picture.scaled(box->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

std::function<bool(QWidget*, TColor&)>& TPropLab::ColorDialog1()
{
    static std::function<bool(QWidget*, TColor&)> choose = [](QWidget* Parent, TColor& Color) {
        if (!CanShowDialogs())
            return false; // nobody could answer it
        const QColor chosen = QColorDialog::getColor(ToQColor(Color), Parent);
        if (!chosen.isValid())
            return false;
        Color = FromQColor(chosen);
        return true;
    };
    return choose;
}

std::function<QString(QWidget*, const QString&)>& TPropLab::OpenPictureDialog1()
{
    static std::function<QString(QWidget*, const QString&)> choose = [](QWidget* Parent, const QString& Filter) {
        if (!CanShowDialogs())
            return QString();
        return QFileDialog::getOpenFileName(Parent, QString(), QString(), Filter);
    };
    return choose;
}

QString TPropLab::PictureFilter() { return NameFilters(PictureFileFilter()); }

std::function<void(TPropLab*)>& TPropLab::ShowModal()
{
    static std::function<void(TPropLab*)> show = [](TPropLab* Dialog) {
        if (!CanShowDialogs())
            return; // nobody could answer a modal window
        Dialog->exec();
    };
    return show;
}

// ---------------------------------------------------------------- data page

void TPropLab::IniTable()
{
    const TKVTable& own = *Lab->Table;
    QComboBox* tables = ui->CBoxTables;
    // An unbound design shows no source until the user chooses one.
    ui->CBoxAlias->setCurrentIndex(FindEntry(ui->CBoxAlias, own.DatabaseName));
    Reported([&] { FillTables(); });
    // CSV tables are listed with their extension but may be named without it.
    int table = FindEntry(tables, own.TableName);
    if (table < 0 && !own.TableName.isEmpty())
        table = FindEntry(tables, own.TableName + QStringLiteral(".csv"));
    if (table < 0 && !own.TableName.isEmpty() && ui->CBoxAlias->currentIndex() >= 0) {
        AddMissing(tables, own.TableName);
        table = tables->count() - 1;
    }
    tables->setCurrentIndex(table);
    Reported([&] { CBoxTablesChange(); });
    // The filter comes after the table: a filter the table cannot take is
    // reported and leaves the records there to see, and to build another.
    Reported([&] {
        DataTable->Filter = own.Filter;
        DataTable->Filtered = !DataTable->Filter.isEmpty();
        // Our table reads its filter when it is opened or refreshed.
        if (DataTable->Active() && DataTable->Filtered) {
            DataTable->Refresh();
            ReloadGrid();
        }
    });
    CheckDataInf();
}

void TPropLab::FillTables()
{
    QComboBox* tables = ui->CBoxTables;
    tables->clear();
    const QString alias = ChosenName(ui->CBoxAlias);
    if (alias.isEmpty())
        return;
    if (ChosenMissing(ui->CBoxAlias)) {
        // Nothing can be listed from a source that is not here (the design's
        // own, the only one marked): its table is all there is to show.
        if (!Lab->Table->TableName.isEmpty())
            tables->addItem(Lab->Table->TableName);
        return;
    }
    tables->addItems(TKVSession::GetTableNames(alias, QString(), true, false));
}

void TPropLab::CBoxAliasChange()
{
    if (!Loading)
        SourceChanged = true;
    try {
        FillTables();
    } catch (const EDBError&) {
        // The dialog's table follows the chosen alias even when it lists
        // nothing.
        Reported([this] { CBoxTablesChange(); });
        throw;
    }
    ui->CBoxTables->setCurrentIndex(ui->CBoxTables->count() > 0 ? 0 : -1);
    CBoxTablesChange();
}

void TPropLab::CBoxTablesChange()
{
    if (!Loading)
        SourceChanged = true;
    DataTable->Close();
    DataTable->DatabaseName = ChosenName(ui->CBoxAlias);
    DataTable->TableName = ChosenName(ui->CBoxTables);
    ShowSourceState();
    const bool here = !ChosenMissing(ui->CBoxAlias) && !ChosenMissing(ui->CBoxTables);
    if (here && !DataTable->DatabaseName.isEmpty() && !DataTable->TableName.isEmpty()) {
        try {
            DataTable->Open();
        } catch (const EDBError&) {
            // The grid and the count follow the table whether it opened or not.
            ReloadGrid();
            Reported([this] { CheckDataInf(); });
            throw;
        }
    }
    ReloadGrid();
    CheckDataInf();
}

void TPropLab::ShowSourceState()
{
    QString state;
    if (ChosenMissing(ui->CBoxAlias))
        state = LoadResString(&KvSourceGone).arg(ChosenName(ui->CBoxAlias));
    else if (ChosenMissing(ui->CBoxTables))
        state = LoadResString(&KvTableGone).arg(ChosenName(ui->CBoxTables), ChosenName(ui->CBoxAlias));
    ui->LabSourceState->setText(state);
    ui->LabSourceState->setVisible(!state.isEmpty());
}

void TPropLab::CheckDataInf()
{
    const bool open = DataTable->Active();
    const int count = open ? DataTable->RecordCount() : 0;
    TKVPrintInfo& p = *Lab->PrintInfo;
    // With data the number of labels is the number of records, once the user
    // has chosen them; a design that is only looked at keeps its own.
    if (Lab->DaBa && open && !Loading)
        p.SetLabs(count);
    // No count for a source that cannot be read: 0 would say it is empty.
    ui->LabCount->setText(open ? QString::number(count) : QString());
    SetRangeTop(Lab->DaBa && open ? count : p.Labs);
    const bool data = ui->CheckData->isChecked();
    ui->SpEdNuLabs->setEnabled(!data);
    ui->SpinEdFrom->setEnabled(data);
    ui->CheckAllRecords->setEnabled(data);
    ui->SpinEdTo->setEnabled(data && !ui->CheckAllRecords->isChecked());
    // Show the number of labels a run without data would print; it is
    // already stored.
    const QSignalBlocker block(ui->SpEdNuLabs);
    ui->SpEdNuLabs->setValue(p.Labs);
}

void TPropLab::SetRangeTop(std::int32_t Top)
{
    // A spin box cuts its value to its bound; the range typed earlier is
    // kept until the user changes it.
    for (QSpinBox* edit : {ui->SpinEdFrom, ui->SpinEdTo})
        edit->setMaximum(std::max({Top, edit->value(), edit->minimum()}));
}

void TPropLab::ReloadGrid()
{
    const int column = std::max(0, ui->dbGrid->currentIndex().column());
    MovingGrid = true;
    DaSo->Reload();
    const int row = DataTable->Active() ? DataTable->GetRecNo() - 1 : -1;
    if (row >= 0 && column < DaSo->columnCount())
        ui->dbGrid->setCurrentIndex(DaSo->index(row, column));
    MovingGrid = false;
    UpdateNavigator();
}

void TPropLab::UpdateNavigator()
{
    const int recNo = DataTable->Active() ? DataTable->GetRecNo() : 0;
    const int count = DaSo ? DaSo->rowCount() : 0;
    ui->NavFirst->setEnabled(recNo > 1);
    ui->NavPrior->setEnabled(recNo > 1);
    ui->NavNext->setEnabled(recNo > 0 && recNo < count);
    ui->NavLast->setEnabled(recNo > 0 && recNo < count);
}

void TPropLab::GoToRecord(int Row)
{
    if (!DataTable->Active() || DataTable->GetRecNo() == 0 || Row < 0)
        return;
    const int distance = Row - (DataTable->GetRecNo() - 1);
    if (distance != 0)
        DataTable->MoveBy(distance);
    DaSo->RecordChanged();
    UpdateNavigator();
}

void TPropLab::dbGridCellChange()
{
    if (!MovingGrid)
        GoToRecord(ui->dbGrid->currentIndex().row());
}

void TPropLab::DBNavigator1Click(TNavigateBtn Button)
{
    if (!DataTable->Active() || DataTable->GetRecNo() == 0)
        return;
    switch (Button) {
    case nbFirst: DataTable->First(); break;
    case nbPrior: DataTable->MoveBy(-1); break;
    case nbNext: DataTable->Next(); break;
    case nbLast: DataTable->MoveBy(DaSo->rowCount() - DataTable->GetRecNo()); break;
    }
    const int column = std::max(0, ui->dbGrid->currentIndex().column());
    MovingGrid = true;
    if (column < DaSo->columnCount())
        ui->dbGrid->setCurrentIndex(DaSo->index(DataTable->GetRecNo() - 1, column));
    MovingGrid = false;
    DaSo->RecordChanged();
    UpdateNavigator();
}

TKVField* TPropLab::SelectedField() const
{
    if (!DataTable->Active() || DataTable->GetRecNo() == 0)
        return nullptr;
    const int column = ui->dbGrid->currentIndex().column();
    if (column < 0 || column >= DataTable->FieldCount())
        return nullptr;
    return DataTable->Fields(column);
}

void TPropLab::AddGridFilter(const QString& Op)
{
    TKVField* field = SelectedField();
    if (!field)
        return; // no table, no records or no cell: nothing to compare with
    SourceChanged = true;
    AddFilter(field, Op);
    ReloadGrid();
}

// The items captioned "<" and ">" insert the inclusive operators.
void TPropLab::equalityClick() { AddGridFilter(QStringLiteral("=")); }
void TPropLab::inequalityClick() { AddGridFilter(QStringLiteral("<>")); }
void TPropLab::lessClick() { AddGridFilter(QStringLiteral("<=")); }
void TPropLab::greaterClick() { AddGridFilter(QStringLiteral(">=")); }

void TPropLab::PopupMenu1Popup()
{
    const bool filter = !DataTable->Filter.isEmpty();
    ui->Execute->setChecked(DataTable->Filtered);
    ui->Execute->setEnabled(filter);
    ui->Delete1->setEnabled(filter);
}

void TPropLab::ExecuteClick()
{
    SourceChanged = true;
    DataTable->Filtered = true;
    DataTable->Refresh();
    ReloadGrid();
    CheckDataInf();
}

void TPropLab::Delete1Click()
{
    SourceChanged = true;
    DataTable->Filtered = false;
    DataTable->Filter.clear();
    DataTable->Refresh();
    ReloadGrid();
    CheckDataInf();
}

// ---------------------------------------------------------------- closing

void TPropLab::FormClose()
{
    // A name typed just before closing is kept like one typed before
    // moving on to another control.
    EdLabNameExit();
    TKVTable& own = *Lab->Table;
    own.Close();
    // A design whose source was only looked at keeps it exactly as it names
    // it, including a source that is not available here.
    if (SourceChanged) {
        own.DatabaseName = DataTable->DatabaseName;
        own.TableName = DataTable->TableName;
        own.Filter = DataTable->Filter;
    }
    own.Filtered = true;
    Lab->ValidData();
}

void TPropLab::done(int Result)
{
    if (Lab)
        Reported([this] { FormClose(); });
    QDialog::done(Result);
}

bool TPropLab::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == ui->PaintBox1) {
        if (Event->type() == QEvent::Paint) {
            if (Lab)
                DrawSketch();
            QPainter painter(ui->PaintBox1);
            painter.drawImage(0, 0, Sketch);
            return true;
        }
        if (Event->type() == QEvent::MouseButtonPress && Lab) {
            const QPoint at = static_cast<QMouseEvent*>(Event)->position().toPoint();
            Reported([&] { PaintBox1MouseDown(at.x(), at.y()); });
            return true;
        }
        return false;
    }
    if (Event->type() == QEvent::MouseButtonPress && Lab) {
        const std::pair<QWidget*, void (TPropLab::*)()> swatches[] = {
            {ui->ShCoSelect, &TPropLab::ShCoSelectMouseDown}, {ui->ShCoBack, &TPropLab::ShCoBackMouseDown},
            {ui->ShCoGrid, &TPropLab::ShCoGridMouseDown},     {ui->ShCoFrame, &TPropLab::ShCoFrameMouseDown},
            {ui->ShCoAlign, &TPropLab::ShCoAlignMouseDown}};
        for (const auto& sw : swatches)
            if (Watched == sw.first) {
                const auto handler = sw.second;
                Reported([&] { (this->*handler)(); });
                return true;
            }
    }
    // The focus highlight of the integer spin edits and the name edit.
    if (Event->type() == QEvent::FocusIn || Event->type() == QEvent::FocusOut) {
        QWidget* edit = qobject_cast<QSpinBox*>(Watched);
        if (!edit && Watched == ui->EdLabName)
            edit = ui->EdLabName;
        if (edit) {
            const bool in = Event->type() == QEvent::FocusIn;
            if (in || LeftForGood(static_cast<QFocusEvent*>(Event))) {
                Highlight(edit, in);
                if (!in && edit == ui->EdLabName && Lab)
                    Reported([this] { EdLabNameExit(); });
            }
        }
    }
    return QDialog::eventFilter(Watched, Event);
}
