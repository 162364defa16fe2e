#include "dialogs/LabProp.h"

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
#include "document/TKVTemplates.h"
#include "strings/KVLanguage.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"
#include "types/KVMessage.h"
#include "types/TKVCanvas.h"

#include <QScopeGuard>
#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
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

// The name box shows a new design's stored name in the user's language and
// stores it back unchanged, so an untouched dialog changes nothing.
QString DefaultNameShown() { return KVLanguage::Text("TPropLab", "Mi etiqueta"); }
QString ShownLabelName(const QString& Stored)
{
    return Stored == TKVMeasure::DefaultLabelName() ? DefaultNameShown() : Stored;
}
QString StoredLabelName(const QString& Shown)
{
    return Shown == DefaultNameShown() ? TKVMeasure::DefaultLabelName() : Shown;
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
    : QDialog(Parent), DataTable(std::make_unique<TKVTable>())
{
    setupUi(this);
    // FormCreate: the sketch starts at the box's design size.
    Sketch = QImage(BoxWidth, BoxHeight, QImage::Format_RGB32);
    Sketch.fill(Qt::white);

    DaSo = new TKVDataSource(DataTable.get(), this);
    dbGrid->setModel(DaSo);
    dbGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    dbGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    dbGrid->verticalHeader()->setDefaultSectionSize(dbGrid->fontMetrics().height() + 6);
    dbGrid->verticalHeader()->setFixedWidth(14);

    PopupMenu1 = new QMenu(dbGrid);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addActions({equality, inequality, less, greater});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({Execute, Delete1});
    Execute->setCheckable(true);

    NavFirst->setIcon(NavigatorIcon(nbFirst));
    NavPrior->setIcon(NavigatorIcon(nbPrior));
    NavNext->setIcon(NavigatorIcon(nbNext));
    NavLast->setIcon(NavigatorIcon(nbLast));

    // The first print row and column are typed only on purpose, not while
    // the arrows are being held or a number is half typed.
    SpEdFirstCol->setKeyboardTracking(false);
    SpEdFirstRow->setKeyboardTracking(false);

    PaintBox1->installEventFilter(this);
    for (QSpinBox* s : findChildren<QSpinBox*>())
        s->installEventFilter(this);
    EdLabName->installEventFilter(this);
    for (TSpinEditFloat* e : findChildren<TSpinEditFloat*>()) {
        connect(e, &TSpinEditFloat::entered, this, [e] { Highlight(e, true); });
        connect(e, &TSpinEditFloat::exited, this, [e] { Highlight(e, false); });
    }
    // Shown only when the design's data source cannot be read here.
    LabSourceState->hide();
    UpdateNavigator();
    AcceptLimits();
    Connect();
    ShowTakenValues();
}

TPropLab::~TPropLab()
{
    // The grid's model reads DataTable: let both go before the table does.
    dbGrid->setModel(nullptr);
    delete DaSo;
    DaSo = nullptr;
}

void TPropLab::Connect()
{
    // Every handler runs under the toolkit's error reporting.
    const auto checked = [this](void (TPropLab::*Handler)()) {
        return [this, Handler](bool On) {
            if (On)
                RunHandler([&] { (this->*Handler)(); });
        };
    };

    ConnectHandler(PageControl1, &QTabWidget::currentChanged, this, &TPropLab::PageControl1Change);
    ConnectHandler(SpEdFloatWidth, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatWidthChange);
    ConnectHandler(SpEdFloatHeight, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatHeightChange);
    ConnectHandler(SpinEdNuHor, &QSpinBox::valueChanged, this, &TPropLab::SpinEdNuHorChange);
    ConnectHandler(SpinEdNuVer, &QSpinBox::valueChanged, this, &TPropLab::SpinEdNuVerChange);
    ConnectHandler(SpEdFloatLeftMar, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatLeftMarChange);
    ConnectHandler(SpEdFloatTopMar, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatTopMarChange);
    ConnectHandler(SpEdFloatDiHor, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatDiHorChange);
    ConnectHandler(SpEdFloatDiVer, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatDiVerChange);
    ConnectHandler(SpEdFloatPaWidth, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatPaWidthChange);
    ConnectHandler(SpEdFloatPaHeight, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatPaHeightChange);
    ConnectHandler(CBoxPaperName, &QComboBox::activated, this, &TPropLab::CBoxPaperNameChange);
    ConnectHandler(EdTemplate, &QLineEdit::textChanged, this, &TPropLab::EdTemplateChange);
    ConnectHandler(ListTemplates, &QListWidget::currentRowChanged, this, &TPropLab::ListTemplatesChange);
    ConnectHandler(BtnOnePerPage, &QPushButton::clicked, this, &TPropLab::BtnOnePerPageClick);
    ConnectHandler(CBoxPaperName->lineEdit(), &QLineEdit::textEdited, this, &TPropLab::CBoxPaperNameChange);
    connect(CBoxPaperName->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        // Leaving the paper box: a paper it names is taken, anything else
        // gives way to the paper in use.
        QComboBox* box = CBoxPaperName;
        if (FindItem(box, box->currentText()) >= 0)
            RunHandler([&] { CBoxPaperNameChange(); });
        else
            box->setEditText(box->currentIndex() >= 0 ? box->itemText(box->currentIndex()) : QString());
    });
    connect(RaBuVer, &QRadioButton::toggled, this, checked(&TPropLab::RaBuVerClick));
    connect(RaBuHor, &QRadioButton::toggled, this, checked(&TPropLab::RaBuHorClick));

    ConnectHandler(SpEdNuLabs, &QSpinBox::valueChanged, this, &TPropLab::SpEdNuLabsChange);
    ConnectHandler(SpEdFirstCol, &QSpinBox::valueChanged, this, &TPropLab::SpEdFirstColChange);
    ConnectHandler(SpEdFirstRow, &QSpinBox::valueChanged, this, &TPropLab::SpEdFirstRowChange);
    ConnectHandler(SpinEdFrom, &QSpinBox::valueChanged, this, &TPropLab::SpinEdFromChange);
    ConnectHandler(SpinEdTo, &QSpinBox::valueChanged, this, &TPropLab::SpinEdToChange);
    ConnectHandler(CheckAllRecords, &QCheckBox::toggled, this, &TPropLab::CheckAllRecordsClick);
    ConnectHandler(CheckShow, &QCheckBox::toggled, this, &TPropLab::CheckShowClick);

    ConnectHandler(SpEdFloatGX, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatGXChange);
    ConnectHandler(SpEdFloatGY, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatGYChange);
    ConnectHandler(CheckGrid, &QCheckBox::toggled, this, &TPropLab::CheckGridClick);
    ConnectHandler(CheckSnap, &QCheckBox::toggled, this, &TPropLab::CheckSnapClick);
    ConnectHandler(SpEdFloatD1, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatD1Change);
    ConnectHandler(SpEdFloatD2, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatD2Change);
    ConnectHandler(SpEdFloatPenWidth, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatPenWidthChange);
    ConnectHandler(ComBoxStyle, &QComboBox::activated, this, &TPropLab::ComBoxStyleChange);
    ConnectHandler(CheckBackImage, &QCheckBox::toggled, this, &TPropLab::CheckBackImageClick);
    ConnectHandler(BitBtnOpenImage, &QPushButton::clicked, this, &TPropLab::BitBtnOpenImageClick);
    ConnectHandler(SpEdFloatAlLeft, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatAlLeftChange);
    ConnectHandler(SpEdFloatAlTop, &TSpinEditFloat::changed, this, &TPropLab::SpEdFloatAlTopChange);
    ConnectHandler(CheckShowAlign, &QCheckBox::toggled, this, &TPropLab::CheckShowAlignClick);

    ConnectHandler(CBoxAlias, &QComboBox::activated, this, &TPropLab::CBoxAliasChange);
    ConnectHandler(CBoxTables, &QComboBox::activated, this, &TPropLab::CBoxTablesChange);
    ConnectHandler(CheckData, &QCheckBox::toggled, this, &TPropLab::CheckDataClick);
    ConnectHandler(ShCoSelect, &TKVShape::mouseDown, this, &TPropLab::ShCoSelectMouseDown);
    ConnectHandler(ShCoBack, &TKVShape::mouseDown, this, &TPropLab::ShCoBackMouseDown);
    ConnectHandler(ShCoGrid, &TKVShape::mouseDown, this, &TPropLab::ShCoGridMouseDown);
    ConnectHandler(ShCoFrame, &TKVShape::mouseDown, this, &TPropLab::ShCoFrameMouseDown);
    ConnectHandler(ShCoAlign, &TKVShape::mouseDown, this, &TPropLab::ShCoAlignMouseDown);
    const std::pair<QToolButton*, TNavigateBtn> buttons[] = {
        {NavFirst, nbFirst}, {NavPrior, nbPrior}, {NavNext, nbNext}, {NavLast, nbLast}};
    for (const auto& b : buttons) {
        const TNavigateBtn which = b.second;
        connect(b.first, &QToolButton::clicked, this, [this, which] { RunHandler([&] { DBNavigator1Click(which); }); });
    }
    ConnectHandler(dbGrid->selectionModel(), &QItemSelectionModel::currentChanged, this, &TPropLab::dbGridCellChange);
    connect(dbGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& At) {
        RunHandler([&] { PopupMenu1Popup(); });
        PopupMenu1->popup(dbGrid->viewport()->mapToGlobal(At));
    });
    ConnectHandler(equality, &QAction::triggered, this, &TPropLab::equalityClick);
    ConnectHandler(inequality, &QAction::triggered, this, &TPropLab::inequalityClick);
    ConnectHandler(less, &QAction::triggered, this, &TPropLab::lessClick);
    ConnectHandler(greater, &QAction::triggered, this, &TPropLab::greaterClick);
    ConnectHandler(Execute, &QAction::triggered, this, &TPropLab::ExecuteClick);
    ConnectHandler(Delete1, &QAction::triggered, this, &TPropLab::Delete1Click);
}

// The size, print, grid, frame and alignment fields take what a label file
// and a run hold.
void TPropLab::AcceptLimits()
{
    for (QWidget* group : std::initializer_list<QWidget*>{TabSize, TabPrint, GpBoxGrid, GpBoxFrame,
                                                          GpBoxAligns})
        AcceptFileLimits(group);
    for (QSpinBox* count : {SpinEdNuHor, SpinEdNuVer, SpEdFirstCol, SpEdFirstRow})
        count->setMaximum(KVLimits::MaxSheetRowsCols);
    SpEdNuLabs->setMaximum(int(KVLimits::MaxRunLabels));
}

// Fields whose setters floor or clamp what is typed show what was stored.
void TPropLab::ShowTakenValues()
{
    const std::pair<TSpinEditFloat*, std::function<float()>> fields[] = {
        {SpEdFloatWidth, [this] { return Lab->Measure->Width; }},
        {SpEdFloatHeight, [this] { return Lab->Measure->Height; }},
        {SpEdFloatGX, [this] { return Lab->Grid->IncX; }},
        {SpEdFloatGY, [this] { return Lab->Grid->IncY; }},
        {SpEdFloatAlLeft, [this] { return Lab->BackSurf->AlignLeft; }},
        {SpEdFloatAlTop, [this] { return Lab->BackSurf->AlignTop; }},
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

    if (Page > PageControl1->count())
        Page = 0;
    switch (Page) {
    case 0: PageControl1->setCurrentWidget(TabSize); break;
    case 1: PageControl1->setCurrentWidget(TabPrint); break;
    case 2: PageControl1->setCurrentWidget(TabBack); break;
    case 3: PageControl1->setCurrentWidget(TabData); break;
    default: break;
    }

    // Every value is shown as it is stored, and stays so until the user
    // changes it (ShowValue).
    const TKVMeasure& m = *Lab->Measure;
    ShowValue(SpEdFloatWidth, m.Width);
    ShowValue(SpEdFloatHeight, m.Height);
    ShowValue(SpEdFloatDiHor, m.DiHor);
    ShowValue(SpEdFloatDiVer, m.DiVer);
    ShowValue(SpEdFloatLeftMar, m.MarLeft);
    ShowValue(SpEdFloatTopMar, m.MarTop);
    ShowValue(SpinEdNuHor, m.NuHor);
    ShowValue(SpinEdNuVer, m.NuVer);
    ShowValue(SpEdFloatPaWidth, m.PaperWidth);
    ShowValue(SpEdFloatPaHeight, m.PaperHeight);
    EdLabName->setText(ShownLabelName(m.LabelName));

    const TKVPrintInfo& p = *Lab->PrintInfo;
    {
        // Shown only: these two are set by clicking the sketch.
        const QSignalBlocker c(SpEdFirstCol), r(SpEdFirstRow);
        ShowValue(SpEdFirstCol, p.FirstCol);
        ShowValue(SpEdFirstRow, p.FirstRow);
    }
    // The print range's bound comes with the record count; until then it
    // must not cut the stored range.
    SpinEdFrom->setMaximum(std::max({p.Labs, p.FirstLab, 1}));
    SpinEdTo->setMaximum(std::max({p.Labs, p.LastLab, 1}));
    ShowValue(SpinEdFrom, p.FirstLab);
    ShowValue(SpinEdTo, p.LastLab);
    CheckAllRecords->setChecked(p.AllRecords);
    ShowValue(SpEdNuLabs, p.Labs);

    CBoxAlias->clear();
    CBoxAlias->addItems(TKVSession::GetAliasNames());
    // The design's data source is offered whatever it is: a path rather than
    // a registered alias is a source as good as any; one that is not
    // available here (an alias of another computer, a database that is gone)
    // is marked, and stays the design's unless the user chooses another.
    const QString own = Lab->Table->DatabaseName;
    if (!own.isEmpty()) {
        const int known = FindEntry(CBoxAlias, own);
        if (known < 0 && Available(own))
            CBoxAlias->addItem(own);
        else if (known < 0)
            AddMissing(CBoxAlias, own);
        else if (!Available(own))
            MarkMissing(CBoxAlias, known, EntryName(CBoxAlias, known));
    }
    IniTable();

    CheckData->setChecked(Lab->DaBa);

    const TKVBackSurf& b = *Lab->BackSurf;
    ShCoBack->SetBrushColor(b.Color);
    ShowValue(SpEdFloatAlLeft, b.AlignLeft);
    ShowValue(SpEdFloatAlTop, b.AlignTop);
    CheckShowAlign->setChecked(b.ShowAlign);
    ShCoAlign->SetBrushColor(b.AlignColor);

    const TKVGrid& g = *Lab->Grid;
    ShCoGrid->SetBrushColor(g.Color);
    ShCoSelect->SetBrushColor(Lab->SelColor);
    ShowValue(SpEdFloatGX, g.IncX);
    ShowValue(SpEdFloatGY, g.IncY);
    CheckShow->setChecked(Lab->ShowMargins);
    CheckGrid->setChecked(g.Show);
    CheckSnap->setChecked(Lab->Snap == snGrid);

    const TKVFrame& f = *Lab->Frame;
    ShCoFrame->SetBrushColor(f.Color);
    ShowValue(SpEdFloatD1, f.Dist1);
    ShowValue(SpEdFloatD2, f.Dist2);
    ShowValue(SpEdFloatPenWidth, f.PenWidth);
    ComBoxStyle->setCurrentIndex(f.Style == maSingle ? 1 : f.Style == maDoble ? 2 : 0);

    {
        // The picture was read when the design was loaded; showing the box
        // is no request to read it again.
        const QSignalBlocker block(CheckBackImage);
        if (Lab->BackSurf->Style == biImage)
            CheckBackImage->setChecked(true);
        else if (Lab->BackSurf->Style == biNone)
            CheckBackImage->setChecked(false);
    }

    if (Lab->PrintInfo->Orientation == 0)
        RaBuVer->setChecked(true);
    else if (Lab->PrintInfo->Orientation == 1)
        RaBuHor->setChecked(true);

    LabImageFile->setText(Lab->BackSurf->FileName);
    ShowBackPicture();

    FillPapers();
    CheckDraw();
    PaintBox1Paint();
    EdTemplateChange();
}

void TPropLab::FillLanguage()
{
    setWindowTitle(LoadResString(&KvLabPro));
    QTabWidget* pages = PageControl1;
    pages->setTabText(pages->indexOf(TabSize), LoadResString(&KvDim));
    pages->setTabText(pages->indexOf(TabPrint), LoadResString(&KvPrint));
    pages->setTabText(pages->indexOf(TabBack), LoadResString(&KvBack1));
    pages->setTabText(pages->indexOf(TabData), LoadResString(&KvDataBase));
    GpBoxLabName->setTitle(LoadResString(&KvSize));
    GpBoxSizes->setTitle(LoadResString(&KvDim));
    LabWidth->setText(LoadResString(&KvWidth));
    LabHeight->setText(LoadResString(&KvHeight));
    GpBoxDist->setTitle(LoadResString(&KvSep));
    LabHorDis->setText(LoadResString(&KvHor));
    LabVerDis->setText(LoadResString(&KvVer));
    GpBoxMargins->setTitle(LoadResString(&KvPrMarg));
    LabLeftMar->setText(LoadResString(&KvLeft));
    LabTopMar->setText(LoadResString(&KvTop));
    GpBoxNumber->setTitle(LoadResString(&KvDis));
    LabNuHor->setText(LoadResString(&KvRow));
    LabNuVer->setText(LoadResString(&KvCol));
    GpBoxPaper->setTitle(LoadResString(&KvPaper));
    LabPaperWidth->setText(LoadResString(&KvWidth));
    LabPaperHeight->setText(LoadResString(&KvHeight));
    LabPaperName->setText(LoadResString(&KvName));
    GpBoxOrien->setTitle(LoadResString(&KvOrien));
    BtnOnePerPage->setText(KVLanguage::Text("TPropLab", "Una etiqueta por página"));
    EdTemplate->setPlaceholderText(KVLanguage::Text("TPropLab", "Buscar por marca, referencia o tamaño (p. ej. Avery L7160, 63.5x38.1)"));
    // The table's KvPortrait and KvLandscape read "Portrait" and "Landscape"
    // in Spanish too: the buttons take the form's own words instead.
    RaBuVer->setText(KVLanguage::FormText("Vertical"));
    RaBuHor->setText(KVLanguage::FormText("Horizontal"));
    LabNuLabs->setText(LoadResString(&KvNuLabs));
    CheckShow->setText(LoadResString(&KvShowMar));
    LabFirstCol->setText(LoadResString(&KvFirstCol));
    LabFirstRow->setText(LoadResString(&KvFirstRow));
    LabPrintFrom->setText(LoadResString(&KvPrintFrom));
    LabPrintTo->setText(LoadResString(&KvTo));
    GpBoxGrid->setTitle(LoadResString(&KvGrid));
    LabGridX->setText(LoadResString(&KvGridX));
    LabGridY->setText(LoadResString(&KvGridY));
    CheckSnap->setText(LoadResString(&KvSnapGrid));
    CheckGrid->setText(LoadResString(&KvShowGrid));
    GpBoxFrame->setTitle(LoadResString(&KvFrame));
    LabD1->setText(LoadResString(&KvD1Frame));
    LabD2->setText(LoadResString(&KvD2Frame));
    LabPenWidth->setText(LoadResString(&KvPenWidth));
    LabFrameType->setText(LoadResString(&KVBarType));
    GpBoxImage->setTitle(LoadResString(&KvImage));
    CheckBackImage->setText(LoadResString(&KvShowImage));
    BitBtnOpenImage->setText(LoadResString(&KvOpenImage));
    GpBoxAligns->setTitle(LoadResString(&KvAlignOb));
    LabAlignLeft->setText(LoadResString(&KvAlignLeft));
    LabAlignTop->setText(LoadResString(&KvAlignTop));
    CheckShowAlign->setText(LoadResString(&KvShowLines));
    LabColSelect->setText(LoadResString(&KvColSelect));
    LabBackColor->setText(LoadResString(&KvBackColor));
    LabTable->setText(LoadResString(&KvTable));
    CheckData->setText(LoadResString(&KvDataBase));
    CheckAllRecords->setText(LoadResString(&KvToLast));
    LabBackNote->setText(LoadResString(&KvBackNotPrinted));
}

// ---------------------------------------------------------------- paper

void TPropLab::FillPapers()
{
    QComboBox* box = CBoxPaperName;
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
    const QComboBox* box = CBoxPaperName;
    const int user = box->findText(LoadResString(&KvUser), Qt::MatchExactly | Qt::MatchCaseSensitive);
    const bool free = user >= 0 && user == box->currentIndex();
    SpEdFloatPaWidth->setEnabled(free);
    SpEdFloatPaHeight->setEnabled(free);
}

void TPropLab::CBoxPaperNameChange()
{
    QComboBox* box = CBoxPaperName;
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
    ShowValue(SpEdFloatPaWidth, paper.Width);
    ShowValue(SpEdFloatPaHeight, paper.Height);
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
    PaintBox1->resize(w, h);
    const QWidget* bevel = Bevel1;
    PaintBox1->move((bevel->width() - w) / 2, (bevel->height() - h) / 2);
    if (Sketch.size() != QSize(w, h))
        Sketch = QImage(w, h, QImage::Format_RGB32);
}

std::int32_t TPropLab::MapW2Sx(float X) const
{
    const TKVMeasure& m = *Lab->Measure;
    const float across = Lab->PrintInfo->Orientation == 1 ? m.PaperHeight : m.PaperWidth;
    if (!(across > 0))
        return 0;
    return RoundEven(static_cast<long double>(PaintBox1->width()) * X / across);
}

std::int32_t TPropLab::MapW2Sy(float Y) const
{
    const TKVMeasure& m = *Lab->Measure;
    const float down = Lab->PrintInfo->Orientation == 1 ? m.PaperWidth : m.PaperHeight;
    if (!(down > 0))
        return 0;
    return RoundEven(static_cast<long double>(PaintBox1->height()) * Y / down);
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
    LabOffPage->setText(off.Count == 0 ? QString()
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
    PaintBox1->update();
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
    if (PageControl1->currentWidget() != TabPrint)
        return;
    const QSignalBlocker c(SpEdFirstCol), r(SpEdFirstRow);
    ShowValue(SpEdFirstCol, Lab->PrintInfo->FirstCol);
    ShowValue(SpEdFirstRow, Lab->PrintInfo->FirstRow);
}

// ---------------------------------------------------------------- write-back

void TPropLab::SpEdFloatWidthChange()
{
    Lab->Measure->SetWidth(Value(SpEdFloatWidth));
    PaintBox1Paint();
}

void TPropLab::SpEdFloatHeightChange()
{
    Lab->Measure->SetHeight(Value(SpEdFloatHeight));
    PaintBox1Paint();
}

void TPropLab::SpinEdNuHorChange()
{
    Lab->Measure->SetNuHor(SpinEdNuHor->value());
    PaintBox1Paint();
}

void TPropLab::SpinEdNuVerChange()
{
    Lab->Measure->SetNuVer(SpinEdNuVer->value());
    PaintBox1Paint();
}

void TPropLab::SpEdFloatLeftMarChange()
{
    Lab->Measure->SetMarLeft(Value(SpEdFloatLeftMar));
    PaintBox1Paint();
}

void TPropLab::SpEdFloatTopMarChange()
{
    Lab->Measure->SetMarTop(Value(SpEdFloatTopMar));
    PaintBox1Paint();
}

void TPropLab::SpEdFloatDiHorChange()
{
    Lab->Measure->SetDiHor(Value(SpEdFloatDiHor));
    PaintBox1Paint();
}

void TPropLab::SpEdFloatDiVerChange()
{
    Lab->Measure->SetDiVer(Value(SpEdFloatDiVer));
    PaintBox1Paint();
}

void TPropLab::SpEdFloatPaWidthChange()
{
    Lab->Measure->SetPaperWidth(Value(SpEdFloatPaWidth));
    CheckDraw();
    PaintBox1Paint();
}

void TPropLab::SpEdFloatPaHeightChange()
{
    Lab->Measure->SetPaperHeight(Value(SpEdFloatPaHeight));
    CheckDraw();
    PaintBox1Paint();
}

void TPropLab::EdLabNameExit() { Lab->Measure->SetLabelName(StoredLabelName(EdLabName->text())); }

void TPropLab::EdTemplateChange()
{
    // A long list would only be scrolled: the first matches, and a count.
    constexpr std::size_t Shown = 300;
    const auto found = TKVTemplates::Installed().Find(EdTemplate->text());
    const QSignalBlocker block(ListTemplates);
    ListTemplates->clear();
    for (std::size_t i = 0; i < std::min(found.size(), Shown); ++i) {
        const TKVTemplate& t = *found[i];
        QString text = QStringLiteral("%1 — %2 — %3 x %4 mm, %5 x %6")
                           .arg(t.Name(), t.Description)
                           .arg(t.Width, 0, 'f', 1)
                           .arg(t.Height, 0, 'f', 1)
                           .arg(t.Columns)
                           .arg(t.Rows);
        if (!t.Note.isEmpty())
            text += QStringLiteral(" (") + t.Note + QLatin1Char(')');
        auto* item = new QListWidgetItem(text, ListTemplates);
        item->setData(Qt::UserRole, t.Name());
    }
    GpBoxTemplate->setTitle(KVLanguage::Text("TPropLab", "Plantilla (%1)").arg(found.size()));
}

void TPropLab::BtnOnePerPageClick()
{
    TKVTemplates::OneLabelPerPage(*Lab->Measure, *Lab->PrintInfo);
    ShowSheet();
}

void TPropLab::ListTemplatesChange()
{
    const QListWidgetItem* item = ListTemplates->currentItem();
    const TKVTemplate* t = item ? TKVTemplates::Installed().ByName(item->data(Qt::UserRole).toString()) : nullptr;
    if (!t)
        return;
    t->ApplyTo(*Lab->Measure, *Lab->PrintInfo);
    ShowSheet();
}

void TPropLab::ShowSheet()
{
    // The controls show the new sheet; their handlers must not write it
    // back rounded.
    const bool loading = Loading;
    Loading = true;
    const auto back = qScopeGuard([this, loading] { Loading = loading; });
    const TKVMeasure& m = *Lab->Measure;
    const std::pair<TSpinEditFloat*, float> values[] = {
        {SpEdFloatWidth, m.Width},        {SpEdFloatHeight, m.Height},       {SpEdFloatDiHor, m.DiHor},
        {SpEdFloatDiVer, m.DiVer},        {SpEdFloatLeftMar, m.MarLeft},     {SpEdFloatTopMar, m.MarTop},
        {SpEdFloatPaWidth, m.PaperWidth}, {SpEdFloatPaHeight, m.PaperHeight},
    };
    for (const auto& [edit, value] : values) {
        const QSignalBlocker block(edit);
        ShowValue(edit, value);
    }
    for (const auto& [box, value] : {std::pair{SpinEdNuHor, m.NuHor}, std::pair{SpinEdNuVer, m.NuVer}}) {
        const QSignalBlocker block(box);
        ShowValue(box, value);
    }
    EdLabName->setText(ShownLabelName(m.LabelName));
    {
        const QSignalBlocker block(RaBuVer);
        RaBuVer->setChecked(true);
    }
    FillPapers();
    Lab->AdjustPrint();
    CheckDraw();
    PaintBox1Paint();
}

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

void TPropLab::SpEdNuLabsChange() { Lab->PrintInfo->SetLabs(SpEdNuLabs->value()); }

void TPropLab::SpEdFirstColChange()
{
    // Typed like a click on the sketch: within the sheet's columns.
    TKVPrintInfo& p = *Lab->PrintInfo;
    p.SetFirstCol(std::max(1, std::min(SpEdFirstCol->value(), Lab->Measure->NuVer)));
    const QSignalBlocker block(SpEdFirstCol);
    SpEdFirstCol->setValue(p.FirstCol);
    PaintBox1Paint();
}

void TPropLab::SpEdFirstRowChange()
{
    TKVPrintInfo& p = *Lab->PrintInfo;
    p.SetFirstRow(std::max(1, std::min(SpEdFirstRow->value(), Lab->Measure->NuHor)));
    const QSignalBlocker block(SpEdFirstRow);
    SpEdFirstRow->setValue(p.FirstRow);
    PaintBox1Paint();
}

void TPropLab::SpinEdFromChange() { Lab->PrintInfo->SetFirstLab(SpinEdFrom->value()); }

void TPropLab::SpinEdToChange() { Lab->PrintInfo->SetLastLab(SpinEdTo->value()); }

void TPropLab::CheckAllRecordsClick()
{
    if (!Loading)
        Lab->PrintInfo->SetAllRecords(CheckAllRecords->isChecked());
    CheckDataInf();
}

void TPropLab::CheckShowClick() { Lab->SetShowMargins(CheckShow->isChecked()); }

void TPropLab::CheckGridClick() { Lab->Grid->SetShow(CheckGrid->isChecked()); }

void TPropLab::SpEdFloatGXChange() { Lab->Grid->SetIncX(Value(SpEdFloatGX)); }

void TPropLab::SpEdFloatGYChange() { Lab->Grid->SetIncY(Value(SpEdFloatGY)); }

void TPropLab::CheckSnapClick() { Lab->SetSnap(CheckSnap->isChecked() ? snGrid : snNone); }

void TPropLab::SpEdFloatD1Change() { Lab->Frame->SetDist1(Value(SpEdFloatD1)); }

void TPropLab::SpEdFloatD2Change() { Lab->Frame->SetDist2(Value(SpEdFloatD2)); }

void TPropLab::SpEdFloatPenWidthChange() { Lab->Frame->SetPenWidth(Value(SpEdFloatPenWidth)); }

void TPropLab::ComBoxStyleChange()
{
    static constexpr TKVFrameStyle styles[] = {maNot, maSingle, maDoble};
    const int i = ComBoxStyle->currentIndex();
    if (i < 0 || i > 2)
        return;
    Lab->Frame->SetStyle(styles[i]);
    Lab->AdjustHandle();
}

void TPropLab::CheckShowAlignClick() { Lab->BackSurf->SetShowAlign(CheckShowAlign->isChecked()); }

void TPropLab::SpEdFloatAlLeftChange() { Lab->BackSurf->SetAlignLeft(Value(SpEdFloatAlLeft)); }

void TPropLab::SpEdFloatAlTopChange() { Lab->BackSurf->SetAlignTop(Value(SpEdFloatAlTop)); }

void TPropLab::CheckDataClick()
{
    Lab->SetDaBa(CheckData->isChecked());
    // Turned on by the user, a data run prints the whole table, rows added
    // later included, unless the user narrows it; a stored design keeps its
    // range.
    if (!Loading && Lab->DaBa)
        CheckAllRecords->setChecked(true);
    CheckDataInf();
}

// ---------------------------------------------------------------- colours, picture

TColor TPropLab::SwatchColor(const QWidget* Swatch) { return Swatch->property("BrushColor").toUInt(); }

void TPropLab::ShCoSelectMouseDown()
{
    if (!PickSwatchColor(ShCoSelect, Lab->SelColor, this))
        return;
    Lab->Paint(); // the selection is drawn over the label in that colour
}

void TPropLab::ShCoBackMouseDown()
{
    TColor color = Lab->BackSurf->Color;
    if (PickSwatchColor(ShCoBack, color, this))
        Lab->BackSurf->SetColor(color);
}

void TPropLab::ShCoGridMouseDown()
{
    TColor color = Lab->Grid->Color;
    if (PickSwatchColor(ShCoGrid, color, this))
        Lab->Grid->SetColor(color);
}

void TPropLab::ShCoFrameMouseDown()
{
    TColor color = Lab->Frame->Color;
    if (PickSwatchColor(ShCoFrame, color, this))
        Lab->Frame->SetColor(color);
}

void TPropLab::ShCoAlignMouseDown()
{
    TColor color = Lab->BackSurf->AlignColor;
    if (PickSwatchColor(ShCoAlign, color, this))
        Lab->BackSurf->SetAlignColor(color);
}

void TPropLab::BitBtnOpenImageClick()
{
    QString file = Lab->BackSurf->FileName;
    if (!ChoosePicture(file, PictureFileFilter(), this))
        return;
    LabImageFile->setText(file);
    Lab->BackSurf->SetFileName(file);
    Lab->AdjustHandle();
    ShowBackPicture();
}

void TPropLab::CheckBackImageClick()
{
    TKVBackSurf& back = *Lab->BackSurf;
    if (!CheckBackImage->isChecked()) {
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
            const QSignalBlocker block(CheckBackImage);
            CheckBackImage->setChecked(false); // the label shows no picture
            ShowMessage(KVLanguage::Text("KVMessages", "No se puede abrir el archivo: ") + back.FileName);
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
    QLabel* box = LabImagePreview;
    if (back.Style != biImage || back.Picture.isNull()) {
        box->clear();
        return;
    }
    // The box has a fixed size; before the page is laid out, only its
    // minimum says which.
    box->setPixmap(QPixmap::fromImage(
        back.Picture.scaled(box->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

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
    QComboBox* tables = CBoxTables;
    // An unbound design shows no source until the user chooses one.
    CBoxAlias->setCurrentIndex(FindEntry(CBoxAlias, own.DatabaseName));
    RunHandler([&] { FillTables(); });
    // CSV tables are listed with their extension but may be named without it.
    int table = FindEntry(tables, own.TableName);
    if (table < 0 && !own.TableName.isEmpty())
        table = FindEntry(tables, own.TableName + QStringLiteral(".csv"));
    if (table < 0 && !own.TableName.isEmpty() && CBoxAlias->currentIndex() >= 0) {
        AddMissing(tables, own.TableName);
        table = tables->count() - 1;
    }
    tables->setCurrentIndex(table);
    RunHandler([&] { CBoxTablesChange(); });
    // The filter comes after the table: a filter the table cannot take is
    // reported and leaves the records there to see, and to build another.
    RunHandler([&] {
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
    QComboBox* tables = CBoxTables;
    tables->clear();
    const QString alias = ChosenName(CBoxAlias);
    if (alias.isEmpty())
        return;
    if (ChosenMissing(CBoxAlias)) {
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
        RunHandler([this] { CBoxTablesChange(); });
        throw;
    }
    CBoxTables->setCurrentIndex(CBoxTables->count() > 0 ? 0 : -1);
    CBoxTablesChange();
}

void TPropLab::CBoxTablesChange()
{
    if (!Loading)
        SourceChanged = true;
    DataTable->Close();
    DataTable->DatabaseName = ChosenName(CBoxAlias);
    DataTable->TableName = ChosenName(CBoxTables);
    ShowSourceState();
    const bool here = !ChosenMissing(CBoxAlias) && !ChosenMissing(CBoxTables);
    if (here && !DataTable->DatabaseName.isEmpty() && !DataTable->TableName.isEmpty()) {
        try {
            DataTable->Open();
        } catch (const EDBError&) {
            // The grid and the count follow the table whether it opened or not.
            ReloadGrid();
            RunHandler([this] { CheckDataInf(); });
            throw;
        }
    }
    ReloadGrid();
    CheckDataInf();
}

void TPropLab::ShowSourceState()
{
    QString state;
    if (ChosenMissing(CBoxAlias))
        state = LoadResString(&KvSourceGone).arg(ChosenName(CBoxAlias));
    else if (ChosenMissing(CBoxTables))
        state = LoadResString(&KvTableGone).arg(ChosenName(CBoxTables), ChosenName(CBoxAlias));
    LabSourceState->setText(state);
    LabSourceState->setVisible(!state.isEmpty());
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
    LabCount->setText(open ? QString::number(count) : QString());
    SetRangeTop(Lab->DaBa && open ? count : p.Labs);
    const bool data = CheckData->isChecked();
    SpEdNuLabs->setEnabled(!data);
    SpinEdFrom->setEnabled(data);
    CheckAllRecords->setEnabled(data);
    SpinEdTo->setEnabled(data && !CheckAllRecords->isChecked());
    // Show the number of labels a run without data would print; it is
    // already stored.
    const QSignalBlocker block(SpEdNuLabs);
    SpEdNuLabs->setValue(p.Labs);
}

void TPropLab::SetRangeTop(std::int32_t Top)
{
    // A spin box cuts its value to its bound; the range typed earlier is
    // kept until the user changes it.
    for (QSpinBox* edit : {SpinEdFrom, SpinEdTo})
        edit->setMaximum(std::max({Top, edit->value(), edit->minimum()}));
}

void TPropLab::ReloadGrid()
{
    const int column = std::max(0, dbGrid->currentIndex().column());
    MovingGrid = true;
    DaSo->Reload();
    const int row = DataTable->Active() ? DataTable->GetRecNo() - 1 : -1;
    if (row >= 0 && column < DaSo->columnCount())
        dbGrid->setCurrentIndex(DaSo->index(row, column));
    MovingGrid = false;
    UpdateNavigator();
}

void TPropLab::UpdateNavigator()
{
    const int recNo = DataTable->Active() ? DataTable->GetRecNo() : 0;
    const int count = DaSo ? DaSo->rowCount() : 0;
    NavFirst->setEnabled(recNo > 1);
    NavPrior->setEnabled(recNo > 1);
    NavNext->setEnabled(recNo > 0 && recNo < count);
    NavLast->setEnabled(recNo > 0 && recNo < count);
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
        GoToRecord(dbGrid->currentIndex().row());
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
    const int column = std::max(0, dbGrid->currentIndex().column());
    MovingGrid = true;
    if (column < DaSo->columnCount())
        dbGrid->setCurrentIndex(DaSo->index(DataTable->GetRecNo() - 1, column));
    MovingGrid = false;
    DaSo->RecordChanged();
    UpdateNavigator();
}

TKVField* TPropLab::SelectedField() const
{
    if (!DataTable->Active() || DataTable->GetRecNo() == 0)
        return nullptr;
    const int column = dbGrid->currentIndex().column();
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
    Execute->setChecked(DataTable->Filtered);
    Execute->setEnabled(filter);
    Delete1->setEnabled(filter);
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
        RunHandler([this] { FormClose(); });
    QDialog::done(Result);
}

bool TPropLab::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == PaintBox1) {
        if (Event->type() == QEvent::Paint) {
            if (Lab)
                DrawSketch();
            QPainter painter(PaintBox1);
            painter.drawImage(0, 0, Sketch);
            return true;
        }
        if (Event->type() == QEvent::MouseButtonPress && Lab) {
            const QPoint at = static_cast<QMouseEvent*>(Event)->position().toPoint();
            RunHandler([&] { PaintBox1MouseDown(at.x(), at.y()); });
            return true;
        }
        return false;
    }
    // The focus highlight of the integer spin edits and the name edit.
    if (Event->type() == QEvent::FocusIn || Event->type() == QEvent::FocusOut) {
        QWidget* edit = qobject_cast<QSpinBox*>(Watched);
        if (!edit && Watched == EdLabName)
            edit = EdLabName;
        if (edit) {
            const bool in = Event->type() == QEvent::FocusIn;
            if (in || LeftForGood(static_cast<QFocusEvent*>(Event))) {
                Highlight(edit, in);
                if (!in && edit == EdLabName && Lab)
                    RunHandler([this] { EdLabNameExit(); });
            }
        }
    }
    return QDialog::eventFilter(Watched, Event);
}
