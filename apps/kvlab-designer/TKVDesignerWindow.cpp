// TKVDesignerWindow: construction, actions, menus, tool bars and texts.
#include "TKVDesignerWindow.h"

#include "KVHostIcons.h"
#include "KVHostLanguage.h"
#include "TKVAliasDialog.h"
#include "TKVDesignerLab.h"
#include "dialogs/KVDialogTools.h"
#include "types/KVMessage.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {
// The tool bars' arrangement as saved in the settings: raised when bars are
// added or taken away (2: the alignment and record bars).
constexpr int ToolBarLayout = 2;

const TKVDrawTool ToolOrder[] = {dwSelection, dwText,   dwAddText, dwParagraph, dwBarCode,
                                 dwSymbol,    dwLine,   dwRect,    dwImage};
const TKVZoom ZoomOrder[] = {zm50, zm75, zm100, zm125, zm150, zm175, zm200};
const int ZoomPercent[] = {50, 75, 100, 125, 150, 175, 200};

QAction* NewAction(QObject* Parent, const char* Name, const QIcon& Icon = QIcon())
{
    auto* action = new QAction(Icon, QString(), Parent);
    action->setObjectName(QLatin1String(Name));
    return action;
}
}

TKVDesignerWindow::TKVDesignerWindow(QWidget* Parent) : QMainWindow(Parent)
{
    setObjectName(QStringLiteral("TKVDesignerWindow"));
    setWindowIcon(HostIcon(TKVHostIcon::hiApplication));
    setAcceptDrops(true);
    Lab = new TKVDesignerLab(this);
    Lab->setObjectName(QStringLiteral("Lab"));
    Lab->CreateLab();
    setCentralWidget(Lab);

    InstallDefaultDialogs();
    CreateActions();
    CreateRecordActions();
    CreateEditActions();
    CreateMenus();
    CreateToolBars();
    AddEditActions();
    CreateRecordBar();
    LabPosition = new QLabel(this);
    LabPosition->setObjectName(QStringLiteral("LabPosition"));
    LabPosition->setMinimumWidth(LabPosition->fontMetrics().horizontalAdvance(QStringLiteral("x 000,0 mm   y 000,0 mm")));
    LabData = new QLabel(this);
    LabData->setObjectName(QStringLiteral("LabData"));
    LabPosition->setContentsMargins(16, 0, 4, 0);
    statusBar()->addPermanentWidget(LabData);
    statusBar()->addPermanentWidget(LabPosition);
    ConnectLab();
    Retranslate();

    const QSettings settings;
    if (!restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray()))
        resize(1000, 700);
    // A layout saved by a version with other tool bars is not restored: it
    // would squeeze the bars it does not know into one row.
    restoreState(settings.value(QStringLiteral("window/state")).toByteArray(), ToolBarLayout);
    const int zoom = settings.value(QStringLiteral("window/zoom"), int(zm100)).toInt();
    if (zoom >= zm50 && zoom <= zm200)
        Lab->SetZoom(TKVZoom(zoom));
    MarkSaved();
    SyncWithLab();
}

TKVDesignerWindow::~TKVDesignerWindow() = default;

void TKVDesignerWindow::InstallDefaultDialogs()
{
    AskOpenFileName = [this](QWidget* Parent, const QString& Folder) {
        if (!CanShowDialogs())
            return QString();
        return QFileDialog::getOpenFileName(Parent, tr("Abrir diseño"), Folder,
                                            tr("Diseños de etiquetas (*.lab);;Todos los archivos (*)"));
    };
    AskSaveFileName = [this](QWidget* Parent, const QString& Suggested) {
        if (!CanShowDialogs())
            return QString();
        return QFileDialog::getSaveFileName(Parent, tr("Guardar diseño"), Suggested,
                                            tr("Diseños de etiquetas (*.lab)"));
    };
    AskSaveChanges = [this](QWidget* Parent, const QString& Design) {
        if (!CanShowDialogs())
            return TSaveAnswer::Cancel;
        QMessageBox box(QMessageBox::Warning, tr("KVLab Designer"),
                        tr("El diseño «%1» tiene cambios sin guardar.").arg(Design),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, Parent);
        box.setInformativeText(tr("¿Desea guardar los cambios?"));
        box.setDefaultButton(QMessageBox::Save);
        box.button(QMessageBox::Save)->setText(tr("Guardar"));
        box.button(QMessageBox::Discard)->setText(tr("No guardar"));
        box.button(QMessageBox::Cancel)->setText(tr("Cancelar"));
        switch (box.exec()) {
        case QMessageBox::Save: return TSaveAnswer::Save;
        case QMessageBox::Discard: return TSaveAnswer::Discard;
        default: return TSaveAnswer::Cancel;
        }
    };
    AskConfirm = [this](QWidget* Parent, const QString& Question) {
        if (!CanShowDialogs())
            return false;
        return QMessageBox::question(Parent, tr("KVLab Designer"), Question) == QMessageBox::Yes;
    };
    AskPrinter = [this](QPrinter& Printer, QWidget* Parent) {
        if (!CanShowDialogs())
            return false;
        QPrintDialog dialog(&Printer, Parent);
        dialog.setWindowTitle(tr("Imprimir etiquetas"));
        // The run (copies, record range, first position) is the design's;
        // the dialog chooses where it goes.
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        return dialog.exec() == QDialog::Accepted;
    };
    AskAlias = [](TKVAliasEntry& Entry, QWidget* Parent) {
        if (!CanShowDialogs())
            return false;
        return TKVAliasDialog::Edit(Entry, Parent);
    };
}

void TKVDesignerWindow::CreateActions()
{
    QStyle* s = style();
    ActNew = NewAction(this, "ActNew", s->standardIcon(QStyle::SP_FileIcon));
    ActNew->setShortcut(QKeySequence::New);
    connect(ActNew, &QAction::triggered, this, [this] { NewDesign(); });
    ActOpen = NewAction(this, "ActOpen", s->standardIcon(QStyle::SP_DialogOpenButton));
    ActOpen->setShortcut(QKeySequence::Open);
    connect(ActOpen, &QAction::triggered, this, [this] { OpenDesign(); });
    ActSave = NewAction(this, "ActSave", s->standardIcon(QStyle::SP_DialogSaveButton));
    ActSave->setShortcut(QKeySequence::Save);
    connect(ActSave, &QAction::triggered, this, [this] { Save(); });
    ActSaveAs = NewAction(this, "ActSaveAs");
    ActSaveAs->setShortcut(QKeySequence::SaveAs);
    connect(ActSaveAs, &QAction::triggered, this, [this] { SaveAs(); });
    ActPreview = NewAction(this, "ActPreview", HostIcon(TKVHostIcon::hiPreview));
    ActPreview->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    connect(ActPreview, &QAction::triggered, this, [this] { PreviewDesign(); });
    ActPrint = NewAction(this, "ActPrint", HostIcon(TKVHostIcon::hiPrint));
    ActPrint->setShortcut(QKeySequence::Print);
    connect(ActPrint, &QAction::triggered, this, [this] { PrintDesign(); });
    ActTestSheet = NewAction(this, "ActTestSheet");
    connect(ActTestSheet, &QAction::triggered, this, [this] { PrintTestSheet(); });
    ActCalibrate = NewAction(this, "ActCalibrate");
    connect(ActCalibrate, &QAction::triggered, this, [this] { CalibratePrinter(); });
    ActQuit = NewAction(this, "ActQuit");
    ActQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    ActQuit->setMenuRole(QAction::QuitRole);
    connect(ActQuit, &QAction::triggered, this, &QWidget::close);

    ActCut = NewAction(this, "ActCut");
    ActCut->setShortcut(QKeySequence::Cut);
    connect(ActCut, &QAction::triggered, this, [this] { Run([this] { CutElement(); }); });
    ActCopy = NewAction(this, "ActCopy", HostIcon(TKVHostIcon::hiCopy));
    ActCopy->setShortcut(QKeySequence::Copy);
    connect(ActCopy, &QAction::triggered, this, [this] { Run([this] { Lab->CopyElement(); }); });
    ActPaste = NewAction(this, "ActPaste", HostIcon(TKVHostIcon::hiPaste));
    ActPaste->setShortcut(QKeySequence::Paste);
    connect(ActPaste, &QAction::triggered, this, [this] { Run([this] { Lab->PasteElement(); }); });
    ActDelete = NewAction(this, "ActDelete", HostIcon(TKVHostIcon::hiDelete));
    ActDelete->setShortcut(QKeySequence::Delete);
    connect(ActDelete, &QAction::triggered, this, [this] { Run([this] { Lab->DeleteElement(); }); });
    ActClear = NewAction(this, "ActClear");
    ActClear->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
    connect(ActClear, &QAction::triggered, this, [this] { Run([this] { ClearLabel(); }); });
    ActFront = NewAction(this, "ActFront", HostIcon(TKVHostIcon::hiFront));
    ActFront->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up));
    connect(ActFront, &QAction::triggered, this, [this] { Run([this] { Lab->Front(); }); });
    ActBack = NewAction(this, "ActBack", HostIcon(TKVHostIcon::hiBack));
    ActBack->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down));
    connect(ActBack, &QAction::triggered, this, [this] { Run([this] { Lab->Back(); }); });
    ActAlignLeft = NewAction(this, "ActAlignLeft", HostIcon(TKVHostIcon::hiAlignLeft));
    ActAlignLeft->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    connect(ActAlignLeft, &QAction::triggered, this, [this] { Run([this] { Lab->AlignLeft(); }); });
    ActAlignTop = NewAction(this, "ActAlignTop", HostIcon(TKVHostIcon::hiAlignTop));
    ActAlignTop->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    connect(ActAlignTop, &QAction::triggered, this, [this] { Run([this] { Lab->AlignTop(); }); });
    ActTransparent = NewAction(this, "ActTransparent", HostIcon(TKVHostIcon::hiTransparent));
    ActTransparent->setCheckable(true);
    ActTransparent->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(ActTransparent, &QAction::triggered, this, [this] { Run([this] { Lab->Transparent(); }); });
    ActElementProp = NewAction(this, "ActElementProp", HostIcon(TKVHostIcon::hiProperties));
    ActElementProp->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Return));
    connect(ActElementProp, &QAction::triggered, this, [this] { Run([this] { Lab->ShowElementProp(); }); });

    for (int page = 0; page < 4; ++page) {
        QAction* a = NewAction(this, "ActLabelPage", page == 0 ? HostIcon(TKVHostIcon::hiLabel) : QIcon());
        a->setObjectName(QStringLiteral("ActLabelPage%1").arg(page));
        a->setShortcut(QKeySequence(Qt::CTRL | (Qt::Key_1 + page)));
        connect(a, &QAction::triggered, this, [this, page] { Run([this, page] { Lab->ShowProp(page); }); });
        ActLabelPage << a;
    }

    ToolGroup = new QActionGroup(this);
    ToolGroup->setExclusive(true);
    for (TKVDrawTool tool : ToolOrder) {
        QAction* a = NewAction(ToolGroup, "ActTool", ToolIcon(tool));
        a->setObjectName(QStringLiteral("ActTool%1").arg(int(tool)));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, tool] { ChooseTool(tool); });
        ActTool[tool] = a;
    }
    ActTool[dwSelection]->setShortcut(QKeySequence(Qt::Key_Escape));

    ZoomGroup = new QActionGroup(this);
    ZoomGroup->setExclusive(true);
    for (int i = 0; i < 7; ++i) {
        const TKVZoom zoom = ZoomOrder[i];
        QAction* a = NewAction(ZoomGroup, "ActZoom");
        a->setObjectName(QStringLiteral("ActZoom%1").arg(ZoomPercent[i]));
        a->setText(QStringLiteral("%1 %").arg(ZoomPercent[i]));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, zoom] { ChooseZoom(zoom); });
        ActZoom[zoom] = a;
    }
    ActZoomIn = NewAction(this, "ActZoomIn");
    ActZoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(ActZoomIn, &QAction::triggered, this, [this] { StepZoom(1); });
    ActZoomOut = NewAction(this, "ActZoomOut");
    ActZoomOut->setShortcut(QKeySequence::ZoomOut);
    connect(ActZoomOut, &QAction::triggered, this, [this] { StepZoom(-1); });
    ActZoom100 = NewAction(this, "ActZoom100");
    ActZoom100->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(ActZoom100, &QAction::triggered, this, [this] { ChooseZoom(zm100); });

    ActRegisterAlias = NewAction(this, "ActRegisterAlias");
    connect(ActRegisterAlias, &QAction::triggered, this, [this] { RegisterDataSource(); });
    ActAbout = NewAction(this, "ActAbout", HostIcon(TKVHostIcon::hiApplication));
    ActAbout->setMenuRole(QAction::AboutRole);
    connect(ActAbout, &QAction::triggered, this, [this] {
        const QString text =
            tr("<b>KVLab Designer</b><p>Diseño e impresión de hojas de etiquetas con la biblioteca KVLab.</p>"
               "<p>Ejemplos: %1</p>")
                .arg(TKVHostData::ExampleFolders().join(QStringLiteral(", ")));
        if (CanShowDialogs())
            QMessageBox::about(this, tr("Acerca de KVLab Designer"), text);
    });
}

void TKVDesignerWindow::CreateMenus()
{
    MenuFile = menuBar()->addMenu(QString());
    MenuFile->setObjectName(QStringLiteral("MenuFile"));
    MenuFile->addAction(ActNew);
    MenuFile->addAction(ActOpen);
    MenuRecent = MenuFile->addMenu(QString());
    MenuRecent->setObjectName(QStringLiteral("MenuRecent"));
    connect(MenuRecent, &QMenu::aboutToShow, this, &TKVDesignerWindow::FillRecentMenu);
    MenuExamples = MenuFile->addMenu(QString());
    MenuExamples->setObjectName(QStringLiteral("MenuExamples"));
    connect(MenuExamples, &QMenu::aboutToShow, this, &TKVDesignerWindow::FillExamplesMenu);
    MenuFile->addSeparator();
    MenuFile->addAction(ActSave);
    MenuFile->addAction(ActSaveAs);
    MenuFile->addSeparator();
    MenuFile->addAction(ActPreview);
    MenuFile->addAction(ActCheck);
    MenuFile->addAction(ActPrint);
    MenuFile->addAction(ActTestSheet);
    MenuFile->addAction(ActCalibrate);
    MenuFile->addSeparator();
    MenuFile->addAction(ActQuit);

    MenuEdit = menuBar()->addMenu(QString());
    MenuEdit->setObjectName(QStringLiteral("MenuEdit"));
    MenuEdit->addAction(ActCut);
    MenuEdit->addAction(ActCopy);
    MenuEdit->addAction(ActPaste);
    MenuEdit->addAction(ActDelete);
    MenuEdit->addAction(ActClear);
    MenuEdit->addSeparator();
    MenuEdit->addAction(ActFront);
    MenuEdit->addAction(ActBack);
    MenuEdit->addSeparator();
    MenuEdit->addAction(ActAlignLeft);
    MenuEdit->addAction(ActAlignTop);
    MenuEdit->addAction(ActTransparent);
    MenuEdit->addSeparator();
    MenuEdit->addAction(ActElementProp);

    MenuTools = menuBar()->addMenu(QString());
    MenuTools->setObjectName(QStringLiteral("MenuTools"));
    for (TKVDrawTool tool : ToolOrder) {
        MenuTools->addAction(ActTool[tool]);
        if (tool == dwSelection)
            MenuTools->addSeparator();
    }

    MenuView = menuBar()->addMenu(QString());
    MenuView->setObjectName(QStringLiteral("MenuView"));
    MenuView->addAction(ActZoomIn);
    MenuView->addAction(ActZoomOut);
    MenuView->addAction(ActZoom100);
    MenuView->addSeparator();
    for (TKVZoom zoom : ZoomOrder)
        MenuView->addAction(ActZoom[zoom]);

    MenuLabel = menuBar()->addMenu(QString());
    MenuLabel->setObjectName(QStringLiteral("MenuLabel"));
    MenuLabel->addActions(ActLabelPage);

    MenuData = menuBar()->addMenu(QString());
    MenuData->setObjectName(QStringLiteral("MenuData"));
    MenuData->addAction(ActRegisterAlias);
    MenuForgetAlias = MenuData->addMenu(QString());
    MenuForgetAlias->setObjectName(QStringLiteral("MenuForgetAlias"));
    connect(MenuForgetAlias, &QMenu::aboutToShow, this, &TKVDesignerWindow::FillAliasMenu);
    MenuData->addSeparator();
    MenuData->addAction(ActLabelPage[3]);

    MenuLanguage = menuBar()->addMenu(QString());
    MenuLanguage->setObjectName(QStringLiteral("MenuLanguage"));
    LanguageGroup = new QActionGroup(this);
    LanguageGroup->setExclusive(true);
    connect(MenuLanguage, &QMenu::aboutToShow, this, &TKVDesignerWindow::FillLanguageMenu);

    MenuHelp = menuBar()->addMenu(QString());
    MenuHelp->setObjectName(QStringLiteral("MenuHelp"));
    MenuHelp->addAction(ActAbout);
}

void TKVDesignerWindow::CreateToolBars()
{
    BarFile = addToolBar(QString());
    BarFile->setObjectName(QStringLiteral("BarFile"));
    BarFile->addAction(ActNew);
    BarFile->addAction(ActOpen);
    BarFile->addAction(ActSave);
    BarFile->addSeparator();
    BarFile->addAction(ActPreview);
    BarFile->addAction(ActPrint);
    BarFile->addSeparator();
    BarFile->addAction(ActLabelPage[0]);
    CBoxZoom = new QComboBox(BarFile);
    CBoxZoom->setObjectName(QStringLiteral("CBoxZoom"));
    for (int percent : ZoomPercent)
        CBoxZoom->addItem(QStringLiteral("%1 %").arg(percent));
    connect(CBoxZoom, &QComboBox::activated, this, [this](int Index) { ChooseZoom(ZoomOrder[Index]); });
    BarFile->addWidget(CBoxZoom);

    BarTools = addToolBar(QString());
    BarTools->setObjectName(QStringLiteral("BarTools"));
    for (TKVDrawTool tool : ToolOrder) {
        BarTools->addAction(ActTool[tool]);
        if (tool == dwSelection)
            BarTools->addSeparator();
    }

    BarEdit = addToolBar(QString());
    BarEdit->setObjectName(QStringLiteral("BarEdit"));
    BarEdit->addAction(ActCopy);
    BarEdit->addAction(ActPaste);
    BarEdit->addAction(ActDelete);
    BarEdit->addSeparator();
    BarEdit->addAction(ActFront);
    BarEdit->addAction(ActBack);
    BarEdit->addAction(ActAlignLeft);
    BarEdit->addAction(ActAlignTop);
    BarEdit->addAction(ActTransparent);
    BarEdit->addSeparator();
    BarEdit->addAction(ActElementProp);
}

void TKVDesignerWindow::Retranslate()
{
    MenuFile->setTitle(tr("&Archivo"));
    MenuRecent->setTitle(tr("Abrir &reciente"));
    MenuExamples->setTitle(tr("&Ejemplos"));
    MenuEdit->setTitle(tr("&Edición"));
    MenuTools->setTitle(tr("&Dibujo"));
    MenuView->setTitle(tr("&Ver"));
    MenuLabel->setTitle(tr("Eti&queta"));
    MenuData->setTitle(tr("Da&tos"));
    MenuForgetAlias->setTitle(tr("&Quitar origen de datos"));
    MenuLanguage->setTitle(tr("&Idioma"));
    MenuHelp->setTitle(tr("Ay&uda"));
    BarFile->setWindowTitle(tr("Archivo"));
    BarTools->setWindowTitle(tr("Herramientas de dibujo"));
    BarEdit->setWindowTitle(tr("Elemento"));

    ActNew->setText(tr("&Nuevo"));
    ActNew->setToolTip(tr("Etiqueta nueva, vacía, sobre la misma hoja"));
    ActOpen->setText(tr("&Abrir…"));
    ActOpen->setToolTip(tr("Abrir un diseño de etiqueta (.lab)"));
    ActSave->setText(tr("&Guardar"));
    ActSave->setToolTip(tr("Guardar el diseño"));
    ActSaveAs->setText(tr("Guardar &como…"));
    ActPreview->setText(tr("&Vista preliminar"));
    ActPreview->setToolTip(tr("Ver las hojas tal como se imprimirán"));
    ActPrint->setText(tr("&Imprimir…"));
    ActPrint->setToolTip(tr("Elegir la impresora e imprimir las etiquetas"));
    ActTestSheet->setText(tr("Imprimir &hoja de prueba…"));
    ActTestSheet->setToolTip(tr("Imprimir solo el contorno de cada etiqueta de una hoja, para ponerla sobre una hoja de etiquetas"));
    ActCalibrate->setText(tr("Calibrar i&mpresora…"));
    ActCalibrate->setToolTip(tr("Corregir cuánto desplaza o escala la impresora lo que imprime"));
    ActQuit->setText(tr("&Salir"));

    ActCut->setText(tr("Cor&tar"));
    ActCopy->setText(tr("&Copiar"));
    ActCopy->setToolTip(tr("Copiar el elemento seleccionado"));
    ActPaste->setText(tr("&Pegar"));
    ActPaste->setToolTip(tr("Pegar una copia del elemento copiado, 2 mm más abajo y a la derecha"));
    ActDelete->setText(tr("&Borrar"));
    ActDelete->setToolTip(tr("Borrar el elemento seleccionado"));
    ActClear->setText(tr("Borrar &todo"));
    ActFront->setText(tr("Traer &delante"));
    ActFront->setToolTip(tr("Poner el elemento delante de todos"));
    ActBack->setText(tr("Enviar &atrás"));
    ActBack->setToolTip(tr("Poner el elemento detrás de todos"));
    ActAlignLeft->setText(tr("Alinear a la &izquierda"));
    ActAlignLeft->setToolTip(tr("Llevar el elemento a la línea de alineación izquierda"));
    ActAlignTop->setText(tr("Alinear a&rriba"));
    ActAlignTop->setToolTip(tr("Llevar el elemento a la línea de alineación superior"));
    ActTransparent->setText(tr("T&ransparente"));
    ActTransparent->setToolTip(tr("Dibujar el elemento sin fondo"));
    ActElementProp->setText(tr("Propi&edades del elemento…"));
    ActElementProp->setToolTip(tr("Propiedades del elemento seleccionado"));

    ActLabelPage[0]->setText(tr("&Tamaño y hoja…"));
    ActLabelPage[0]->setToolTip(tr("Propiedades de la etiqueta: tamaño, papel y distribución"));
    ActLabelPage[1]->setText(tr("&Impresión…"));
    ActLabelPage[1]->setToolTip(tr("Propiedades de la etiqueta: número de etiquetas y primera posición"));
    ActLabelPage[2]->setText(tr("&Fondo, rejilla y marco…"));
    ActLabelPage[2]->setToolTip(tr("Propiedades de la etiqueta: fondo, rejilla, marco y alineación"));
    ActLabelPage[3]->setText(tr("&Datos de la etiqueta…"));
    ActLabelPage[3]->setToolTip(tr("Propiedades de la etiqueta: tabla y filtro de los datos"));

    const std::map<TKVDrawTool, std::pair<QString, QString>> tools{
        {dwSelection, {tr("&Selección"), tr("Seleccionar, mover y cambiar de tamaño los elementos")}},
        {dwText, {tr("&Texto"), tr("Texto: pulse en la etiqueta para colocarlo")}},
        {dwAddText, {tr("Texto &compuesto"), tr("Texto compuesto (prefijo, texto, sufijo): pulse en la etiqueta")}},
        {dwParagraph, {tr("&Párrafo"), tr("Párrafo: arrastre para dibujar su rectángulo")}},
        {dwBarCode, {tr("Código de &barras"), tr("Código de barras: pulse en la etiqueta para colocarlo")}},
        {dwSymbol, {tr("S&ímbolo"), tr("Símbolo: pulse en la etiqueta para colocarlo")}},
        {dwLine, {tr("&Línea"), tr("Línea: arrastre de un extremo al otro")}},
        {dwRect, {tr("&Rectángulo"), tr("Rectángulo: arrastre de una esquina a la opuesta")}},
        {dwImage, {tr("&Imagen"), tr("Imagen: arrastre para dibujar su rectángulo y elija el archivo")}},
    };
    for (const auto& [tool, texts] : tools) {
        ActTool.at(tool)->setText(texts.first);
        ActTool.at(tool)->setToolTip(texts.second);
        ActTool.at(tool)->setStatusTip(texts.second);
    }

    ActZoomIn->setText(tr("&Acercar"));
    ActZoomOut->setText(tr("A&lejar"));
    ActZoom100->setText(tr("&Tamaño real"));
    CBoxZoom->setToolTip(tr("Zoom"));
    ActRegisterAlias->setText(tr("&Registrar origen de datos…"));
    ActRegisterAlias->setToolTip(tr("Dar nombre a un archivo SQLite, una carpeta CSV o una base PostgreSQL"));
    ActAbout->setText(tr("&Acerca de KVLab Designer"));
    RetranslateRecords();
    RetranslateEditActions();
    UpdateTitle();
    ShowDataSource();
}

void TKVDesignerWindow::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::LanguageChange)
        Retranslate();
    QMainWindow::changeEvent(Event);
}

void TKVDesignerWindow::UpdateTitle()
{
    setWindowTitle(QStringLiteral("%1[*] — KVLab Designer").arg(DisplayName()));
}

void TKVDesignerWindow::Run(const std::function<void()>& Command)
{
    RunHandler(Command);
    SyncWithLab();
}

void TKVDesignerWindow::closeEvent(QCloseEvent* Event)
{
    if (!MaySaveChanges()) {
        Event->ignore();
        return;
    }
    QSettings settings;
    settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
    settings.setValue(QStringLiteral("window/state"), saveState(ToolBarLayout));
    settings.setValue(QStringLiteral("window/zoom"), int(Lab->Zoom));
    Event->accept();
}
