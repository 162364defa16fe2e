// kvlab-designer's main window driven as a user drives it: mouse clicks and
// drags on the designer, its menus and tool bars, the property dialogs
// answered through their modal-run hooks, label files on disk and a real PDF
// whose barcode is read back with zbar.
#include "common/TestSupport.h"

#include "KVHostLanguage.h"
#include "TKVAliasDialog.h"
#include "TKVHostData.h"
#include "TKVDesignerLab.h"
#include "TKVDesignerWindow.h"
#include "barcode/TKVBarCode.h"
#include "controls/SpinEditFloat.h"
#include "designer/TKVClipboard.h"
#include "dialogs/KVChoosers.h"
#include "dialogs/LabProp.h"
#include "document/TKVObject.h"
#include "document/TKVRect.h"
#include "document/TKVSession.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/TKVPrinter.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace {
using TAnswer = TKVDesignerWindow::TSaveAnswer;

// A valid EAN-13 (check digit 1), as GS1's example number.
const QString Ean = QStringLiteral("4006381333931");

void SendMouse(QWidget* Target, QEvent::Type Type, QPoint P, Qt::MouseButton Button, Qt::MouseButtons Buttons)
{
    QMouseEvent event(Type, QPointF(P), Target->mapToGlobal(QPointF(P)), Button, Buttons, Qt::NoModifier);
    QApplication::sendEvent(Target, &event);
}

QStringList DecodePng(const QString& Png)
{
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), Png});
    zbar.waitForFinished(120000);
    return QString::fromUtf8(zbar.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

template <class T>
T* Child(QObject* Parent, const char* Name)
{
    T* child = Parent->findChild<T*>(QLatin1String(Name));
    EXPECT_NE(child, nullptr) << Name;
    return child;
}

class DesignerWindow : public ::testing::Test
{
protected:
    std::unique_ptr<TKVDesignerWindow> W;
    TKVDesignerLab* Lab = nullptr;

    // How the test answers the window's questions.
    TAnswer SaveAnswer = TAnswer::Discard;
    int SaveQuestions = 0;
    QString OpenName;
    QString SaveName;
    bool ConfirmAnswer = true;
    std::function<bool(QPrinter&)> OnPrinter;
    TKVAliasEntry AliasAnswer;
    bool AliasConfirmed = true;

    // The modal runs of the property dialogs.
    std::function<void(QDialog& Dialog)> OnElementDialog;
    std::function<void(TPropLab* Dialog)> OnLabelDialog;
    QStringList DialogsRun;

    static void SetUpTestSuite()
    {
        // Settings of these tests live in a folder of their own.
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, TestSupport::TempDir());
        QCoreApplication::setOrganizationName(QStringLiteral("KVLabTests"));
        QCoreApplication::setApplicationName(QStringLiteral("kvlab-designer-test"));
        KVHostLanguage::AddModuleFolder(TestSupport::BinaryPath(QStringLiteral("bin")));
    }

    void SetUp() override
    {
        QSettings().clear();
        TKVSession::ClearAliases();
        TKVHostData::RegisterAll();
        TKVClipboard::Discard();
        SavedRunner = PropertyDialogRunner();
        PropertyDialogRunner() = [this](QDialog& Dialog) {
            DialogsRun << QString::fromLatin1(Dialog.metaObject()->className());
            if (OnElementDialog)
                OnElementDialog(Dialog);
        };
        SavedLabRunner = TPropLab::ShowModal();
        TPropLab::ShowModal() = [this](TPropLab* Dialog) {
            DialogsRun << QStringLiteral("TPropLab");
            if (OnLabelDialog)
                OnLabelDialog(Dialog);
        };
        TestSupport::TakeMessages();
        MakeWindow();
    }

    void TearDown() override
    {
        SaveAnswer = TAnswer::Discard;
        W.reset();
        PropertyDialogRunner() = SavedRunner;
        TPropLab::ShowModal() = SavedLabRunner;
        TKVPrinter::Reset();
        TKVSession::ClearAliases();
    }

    void MakeWindow()
    {
        W = std::make_unique<TKVDesignerWindow>();
        Lab = W->Lab;
        W->AskSaveChanges = [this](QWidget*, const QString&) {
            ++SaveQuestions;
            return SaveAnswer;
        };
        W->AskOpenFileName = [this](QWidget*, const QString&) { return OpenName; };
        W->AskSaveFileName = [this](QWidget*, const QString&) { return SaveName; };
        W->AskConfirm = [this](QWidget*, const QString&) { return ConfirmAnswer; };
        W->AskPrinter = [this](QPrinter& Printer, QWidget*) { return OnPrinter ? OnPrinter(Printer) : false; };
        W->AskAlias = [this](TKVAliasEntry& Entry, QWidget*) {
            Entry = AliasAnswer;
            return AliasConfirmed;
        };
        W->resize(1000, 700);
        W->show();
        QApplication::processEvents();
    }

    // The window pixel of a label point, as the pointer gives it.
    QPoint At(float X, float Y) const
    {
        return {Lab->WindowX(X) - Lab->HPosition, Lab->WindowY(Y) - Lab->VPosition};
    }
    void Click(QPoint P, Qt::MouseButton Button = Qt::LeftButton)
    {
        SendMouse(Lab->viewport(), QEvent::MouseButtonPress, P, Button, Button);
        SendMouse(Lab->viewport(), QEvent::MouseButtonRelease, P, Button, Qt::NoButton);
    }
    void Drag(QPoint From, QPoint To)
    {
        SendMouse(Lab->viewport(), QEvent::MouseButtonPress, From, Qt::LeftButton, Qt::LeftButton);
        for (int i = 1; i <= 4; ++i)
            SendMouse(Lab->viewport(), QEvent::MouseMove, From + (To - From) * i / 4, Qt::NoButton, Qt::LeftButton);
        SendMouse(Lab->viewport(), QEvent::MouseButtonRelease, To, Qt::LeftButton, Qt::NoButton);
    }
    void Tool(TKVDrawTool T) { W->ActTool.at(T)->trigger(); }

    template <class T>
    T* Element(int Index) const
    {
        return dynamic_cast<T*>(Lab->Document->Items(Index));
    }
    template <class T>
    T* Find() const
    {
        for (int i = 0; i < Lab->Document->Count(); ++i)
            if (auto* e = dynamic_cast<T*>(Lab->Document->Items(i)))
                return e;
        return nullptr;
    }

    // A text, a barcode and a rectangle made with the mouse and set up in
    // their dialogs.
    void DrawThreeElements()
    {
        OnElementDialog = [](QDialog& Dialog) {
            const QString kind = QString::fromLatin1(Dialog.metaObject()->className());
            if (kind == QLatin1String("TPropText")) {
                Child<QLineEdit>(&Dialog, "EdText")->setText(QStringLiteral("Hola KVLab"));
            } else if (kind == QLatin1String("TPropCoBar")) {
                QComboBox* type = Child<QComboBox>(&Dialog, "ComBoxType");
                type->setCurrentIndex(type->findText(QStringLiteral("EAN-13"), Qt::MatchContains));
                Child<QLineEdit>(&Dialog, "EdNum")->setText(Ean);
            } else if (kind == QLatin1String("TProRect")) {
                Child<TSpinEditFloat>(&Dialog, "SpEdFloatPen")->SetValue(0.8);
            }
        };
        Tool(dwText);
        Click(At(4, 3));
        Tool(dwBarCode);
        Click(At(4, 12));
        Tool(dwRect);
        Drag(At(44, 4), At(58, 30));
        // Back to selection with a right click outside the selection, then
        // the rectangle's dialog through the window's command.
        Click(At(50, 33), Qt::RightButton);
        if (W->ContextMenu)
            W->ContextMenu->close();
        Click(At(51, 20));
        W->ActElementProp->trigger();
        OnElementDialog = nullptr;
    }

    TKVDialogRunner SavedRunner;
    std::function<void(TPropLab*)> SavedLabRunner;
};
}

TEST_F(DesignerWindow, DrawEditSaveReopenAndPrintABarcodeThatScans)
{
    ASSERT_FALSE(W->IsModified());
    DrawThreeElements();
    EXPECT_EQ(DialogsRun, (QStringList{QStringLiteral("TPropText"), QStringLiteral("TPropCoBar"),
                                       QStringLiteral("TProRect")}));
    ASSERT_EQ(Lab->Document->Count(), 3);
    ASSERT_NE(Find<TKVText>(), nullptr);
    ASSERT_NE(Find<TKVBarCode>(), nullptr);
    ASSERT_NE(Find<TKVRect>(), nullptr);
    EXPECT_EQ(Find<TKVText>()->Text, QStringLiteral("Hola KVLab"));
    EXPECT_EQ(Find<TKVBarCode>()->Code, Ean);
    EXPECT_FLOAT_EQ(Find<TKVRect>()->PenWidth, 0.8f);
    EXPECT_TRUE(W->ActTool.at(dwSelection)->isChecked()) << "the right click put the control back on selection";
    EXPECT_TRUE(W->IsModified());
    EXPECT_TRUE(W->isWindowModified());

    const QString dir = TestSupport::TempDir();
    SaveName = dir + QStringLiteral("/mi etiqueta");
    W->ActSave->trigger();
    const QString file = dir + QStringLiteral("/mi etiqueta.lab");
    ASSERT_TRUE(QFileInfo(file).isFile()) << "a name without extension gets .lab";
    EXPECT_EQ(W->FileName(), file);
    EXPECT_FALSE(W->IsModified());
    EXPECT_FALSE(W->isWindowModified());
    EXPECT_TRUE(W->windowTitle().contains(QStringLiteral("mi etiqueta.lab")));

    W->ActNew->trigger();
    EXPECT_EQ(SaveQuestions, 0) << "nothing to save";
    EXPECT_EQ(Lab->Document->Count(), 0);
    EXPECT_TRUE(W->FileName().isEmpty());

    OpenName = file;
    W->ActOpen->trigger();
    ASSERT_EQ(Lab->Document->Count(), 3);
    EXPECT_EQ(Find<TKVText>()->Text, QStringLiteral("Hola KVLab"));
    EXPECT_EQ(Find<TKVBarCode>()->Code, Ean);
    EXPECT_FLOAT_EQ(Find<TKVRect>()->PenWidth, 0.8f);
    EXPECT_FALSE(W->IsModified());
    EXPECT_EQ(W->RecentFiles().value(0), file);

    const QString pdf = dir + QStringLiteral("/sheet.pdf");
    QString paperShown;
    OnPrinter = [&](QPrinter& Printer) {
        paperShown = Printer.pageLayout().pageSize().name();
        TKVPrinter::SelectPdf(pdf);
        return true;
    };
    W->ActPrint->trigger();
    EXPECT_EQ(paperShown, QStringLiteral("A4")) << "the dialog shows the design's paper";
    ASSERT_TRUE(QFileInfo(pdf).size() > 0);
    EXPECT_EQ(Lab->LastRun.Labels, 1);

    // The label's corner of the sheet at 600 dpi is plenty for zbar.
    const QString png = dir + QStringLiteral("/sheet");
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                                {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-x"), QStringLiteral("0"),
                                 QStringLiteral("-y"), QStringLiteral("0"), QStringLiteral("-W"),
                                 QStringLiteral("2400"), QStringLiteral("-H"), QStringLiteral("1800"),
                                 QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, png}),
              0);
    EXPECT_EQ(DecodePng(png + QStringLiteral(".png")), QStringList{Ean});
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
}

TEST_F(DesignerWindow, UnsavedChangesAreAskedAboutBeforeTheyAreDropped)
{
    Tool(dwRect);
    Drag(At(5, 5), At(20, 20));
    ASSERT_EQ(Lab->Document->Count(), 1);
    ASSERT_TRUE(W->IsModified()) << "a mouse edit is a change";

    SaveAnswer = TAnswer::Cancel;
    EXPECT_FALSE(W->NewDesign());
    EXPECT_EQ(SaveQuestions, 1);
    EXPECT_EQ(Lab->Document->Count(), 1);
    EXPECT_FALSE(W->close()) << "closing is cancelled too";
    EXPECT_EQ(SaveQuestions, 2);

    // Save with no file yet asks for a name; refusing it keeps everything.
    SaveAnswer = TAnswer::Save;
    SaveName.clear();
    EXPECT_FALSE(W->NewDesign());
    EXPECT_EQ(Lab->Document->Count(), 1);

    const QString file = TestSupport::TempDir() + QStringLiteral("/kept.lab");
    SaveName = file;
    EXPECT_TRUE(W->NewDesign());
    EXPECT_TRUE(QFileInfo(file).isFile());
    EXPECT_EQ(Lab->Document->Count(), 0);

    // Commands, dialogs and settings count as changes; undoing one by hand
    // leaves the design unmodified.
    OpenName = file;
    SaveAnswer = TAnswer::Discard;
    ASSERT_TRUE(W->OpenDesign());
    Tool(dwSelection);
    Click(At(10, 10));
    ASSERT_NE(Lab->SelectedElement, nullptr);
    W->ActTransparent->trigger();
    EXPECT_TRUE(W->isWindowModified());
    W->ActTransparent->trigger();
    EXPECT_FALSE(W->isWindowModified());
    OnLabelDialog = [](TPropLab* Dialog) {
        Child<TSpinEditFloat>(Dialog, "SpEdFloatWidth")->SetValue(80);
    };
    W->ActLabelPage[0]->trigger();
    EXPECT_FLOAT_EQ(Lab->Measure->Width, 80.0f);
    EXPECT_TRUE(W->isWindowModified());
    EXPECT_TRUE(W->OpenDesign(file));
    EXPECT_EQ(SaveQuestions, 5);
    EXPECT_FLOAT_EQ(Lab->Measure->Width, 60.0f);
}

TEST_F(DesignerWindow, ElementCommandsActOnTheSelection)
{
    Tool(dwRect);
    Drag(At(5, 5), At(20, 20));
    Drag(At(25, 5), At(40, 20));
    Tool(dwSelection);
    EXPECT_FALSE(W->ActCopy->isEnabled()) << "no selection yet";
    EXPECT_FALSE(W->ActPaste->isEnabled()) << "nothing copied yet";

    Click(At(10, 10));
    TKVElement* first = Lab->SelectedElement;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(W->ActCopy->isEnabled());
    W->ActCopy->trigger();
    EXPECT_TRUE(W->ActPaste->isEnabled());
    W->ActPaste->trigger();
    ASSERT_EQ(Lab->Document->Count(), 3);
    EXPECT_FLOAT_EQ(Lab->SelectedElement->Point1.X, first->Point1.X + 2.0f);

    W->ActFront->trigger();
    EXPECT_EQ(Lab->Document->IndexOf(Lab->SelectedElement), 0);
    W->ActBack->trigger();
    EXPECT_EQ(Lab->Document->IndexOf(Lab->SelectedElement), 2);
    W->ActDelete->trigger();
    EXPECT_EQ(Lab->Document->Count(), 2);
    EXPECT_FALSE(W->ActDelete->isEnabled());

    Click(At(30, 10));
    W->ActCut->trigger();
    EXPECT_EQ(Lab->Document->Count(), 1);
    EXPECT_TRUE(W->ActPaste->isEnabled());

    ConfirmAnswer = false;
    W->ActClear->trigger();
    EXPECT_EQ(Lab->Document->Count(), 1) << "clearing was not confirmed";
    ConfirmAnswer = true;
    W->ActClear->trigger();
    EXPECT_EQ(Lab->Document->Count(), 0);
    EXPECT_FALSE(W->ActClear->isEnabled());
}

TEST_F(DesignerWindow, UndoRedoAndAlignmentFromMenusKeysAndToolBars)
{
    Tool(dwRect);
    Drag(At(5, 5), At(20, 20));
    Drag(At(25, 10), At(40, 30));
    Tool(dwSelection);
    EXPECT_TRUE(W->IsModified());
    EXPECT_FALSE(W->ActAlign.at(Qt::AlignTop)->isEnabled()) << "nothing selected";
    W->ActSelectAll->trigger();
    ASSERT_EQ(Lab->SelectedElements().size(), 2u);
    EXPECT_FALSE(W->ActDistributeH->isEnabled()) << "two elements have one gap";
    W->ActAlign.at(Qt::AlignTop)->trigger();
    EXPECT_FLOAT_EQ(Element<TKVElement>(0)->Point1.Y, Element<TKVElement>(1)->Point1.Y);

    W->activateWindow();
    QApplication::setActiveWindow(W.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(W.get()));
    Lab->setFocus();
    QTest::keyClick(Lab, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(Element<TKVElement>(0)->Point1.Y, Element<TKVElement>(1)->Point1.Y);
    EXPECT_TRUE(W->ActRedo->isEnabled());
    QTest::keyClick(Lab, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FLOAT_EQ(Element<TKVElement>(0)->Point1.Y, Element<TKVElement>(1)->Point1.Y);
    // Undone back to the empty label the design is as it was saved.
    while (W->ActUndo->isEnabled())
        W->ActUndo->trigger();
    EXPECT_EQ(Lab->Document->Count(), 0);
    EXPECT_FALSE(W->IsModified());
    EXPECT_FALSE(W->isWindowModified());
    QTest::keyClick(Lab, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Lab->Document->Count(), 1);

    // Every control of the window that the keyboard reaches has a name.
    for (QWidget* w : W->findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(W.get()) || w->window() != W.get())
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        EXPECT_TRUE(a && !a->text(QAccessible::Name).isEmpty())
            << w->objectName().toStdString() << " " << w->metaObject()->className();
    }
}

TEST_F(DesignerWindow, ShortcutsReachTheCommands)
{
    Tool(dwRect);
    Drag(At(5, 5), At(20, 20));
    Tool(dwSelection);
    Click(At(10, 10));
    ASSERT_NE(Lab->SelectedElement, nullptr);
    W->activateWindow();
    QApplication::setActiveWindow(W.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(W.get()));
    Lab->setFocus();
    QTest::keyClick(Lab, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(Lab, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Lab->Document->Count(), 2);
    QTest::keyClick(Lab, Qt::Key_Delete);
    EXPECT_EQ(Lab->Document->Count(), 1);
    QTest::keyClick(Lab, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(Lab->Zoom, zm125);
    Tool(dwLine);
    QTest::keyClick(Lab, Qt::Key_Escape);
    EXPECT_EQ(Lab->DrawTool, dwSelection);
    EXPECT_TRUE(W->ActTool.at(dwSelection)->isChecked());
}

TEST_F(DesignerWindow, RightClickMenusFollowWhatWasHit)
{
    Tool(dwRect);
    Drag(At(5, 5), At(20, 20));
    Tool(dwSelection);
    Click(At(10, 10));
    ASSERT_NE(Lab->SelectedElement, nullptr);

    Click(At(12, 12), Qt::RightButton);
    ASSERT_TRUE(W->ContextMenu);
    EXPECT_TRUE(W->ContextMenu->actions().contains(W->ActDelete));
    EXPECT_TRUE(W->ContextMenu->actions().contains(W->ActElementProp));
    EXPECT_NE(Lab->SelectedElement, nullptr) << "a right click on the selection keeps it";
    W->ContextMenu->close();

    Tool(dwText);
    Click(At(40, 30), Qt::RightButton);
    ASSERT_TRUE(W->ContextMenu);
    EXPECT_FALSE(W->ContextMenu->actions().contains(W->ActDelete));
    EXPECT_TRUE(W->ContextMenu->actions().contains(W->ActLabelPage[0]));
    EXPECT_EQ(Lab->SelectedElement, nullptr);
    EXPECT_TRUE(W->ActTool.at(dwSelection)->isChecked()) << "the tool went back to selection";
    W->ContextMenu->close();
}

TEST_F(DesignerWindow, StatusBarShowsThePointerInMillimetres)
{
    const QPoint p = At(12.5f, 7.0f);
    SendMouse(Lab->viewport(), QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    const QLocale locale;
    EXPECT_EQ(W->LabPosition->text(), QStringLiteral("x %1 mm   y %2 mm")
                                          .arg(locale.toString(Lab->Worldx(p.x()), 'f', 1),
                                               locale.toString(Lab->Worldy(p.y()), 'f', 1)));
    EXPECT_NEAR(Lab->Worldx(p.x()), 12.5, 0.3);
}

TEST_F(DesignerWindow, ZoomStepsBetweenFiftyAndTwoHundredPercent)
{
    W->ActZoom.at(zm50)->trigger();
    EXPECT_EQ(Lab->Zoom, zm50);
    EXPECT_EQ(W->CBoxZoom->currentText(), QStringLiteral("50 %"));
    W->ActZoomOut->trigger();
    EXPECT_EQ(Lab->Zoom, zm50);
    for (int i = 0; i < 8; ++i)
        W->ActZoomIn->trigger();
    EXPECT_EQ(Lab->Zoom, zm200);
    EXPECT_TRUE(W->ActZoom.at(zm200)->isChecked());
    W->CBoxZoom->setCurrentIndex(1);
    emit W->CBoxZoom->activated(1);
    EXPECT_EQ(Lab->Zoom, zm75);
    W->ActZoom100->trigger();
    EXPECT_EQ(Lab->Zoom, zm100);
    EXPECT_FALSE(W->IsModified()) << "zoom is not part of the design";
}

TEST_F(DesignerWindow, EachLabelPageOpensTheLabelDialogOnIt)
{
    QList<int> pages;
    OnLabelDialog = [&](TPropLab* Dialog) { pages << Child<QTabWidget>(Dialog, "PageControl1")->currentIndex(); };
    for (QAction* a : W->ActLabelPage)
        a->trigger();
    EXPECT_EQ(pages, (QList<int>{0, 1, 2, 3}));
}

TEST_F(DesignerWindow, ExamplesOpenWithTheirDataAndTheExampleAlias)
{
    const QString db = TestSupport::BinaryPath(QStringLiteral("examples/clientes.db"));
    EXPECT_EQ(TKVSession::Resolve(QStringLiteral("ejemplos")).Location, QFileInfo(db).absoluteFilePath());
    const QStringList examples = TKVHostData::ExampleDesigns();
    ASSERT_EQ(examples.size(), 5);
    for (const char* name : {"credenciales.lab", "direcciones.lab", "envio.lab", "logistica.lab", "productos.lab"}) {
        const QString file = TestSupport::SourcePath(QStringLiteral("examples/") + QLatin1String(name));
        ASSERT_TRUE(W->OpenDesign(file)) << name;
        EXPECT_GT(Lab->Document->Count(), 0) << name;
        EXPECT_FALSE(W->IsModified()) << name;
        EXPECT_TRUE(W->windowTitle().startsWith(QLatin1String(name)));
        if (Lab->DaBa) {
            EXPECT_TRUE(Lab->DataOK) << name << " reads the example database";
        }
    }
    W->OpenDesign(TestSupport::SourcePath(QStringLiteral("examples/direcciones.lab")));
    EXPECT_EQ(W->LabData->text(), QStringLiteral("Datos: ejemplos · clientes"));

    // The Examples menu lists the copies beside the example database.
    emit W->MenuExamples->aboutToShow();
    QStringList entries;
    for (QAction* a : W->MenuExamples->actions())
        entries << a->text();
    EXPECT_EQ(entries, (QStringList{QStringLiteral("credenciales.lab"), QStringLiteral("direcciones.lab"),
                                    QStringLiteral("envio.lab"), QStringLiteral("logistica.lab"),
                                    QStringLiteral("productos.lab")}));
}

TEST_F(DesignerWindow, LookingAtDialogsIsNoChange)
{
    // Every dialog loads its controls when it opens; that alone must not mark
    // the design as changed, or every look at a dialog would ask to save.
    // The label dialog on a design with data included: it used to set the
    // number of labels to the number of records.
    const QString dir = TestSupport::TempDir();
    for (const char* name : {"credenciales.lab", "direcciones.lab", "envio.lab", "productos.lab"}) {
        ASSERT_TRUE(W->OpenDesign(TestSupport::SourcePath(QStringLiteral("examples/") + QLatin1String(name))));
        const int labs = Lab->PrintInfo->Labs;
        W->ActLabelPage[1]->trigger();
        EXPECT_EQ(Lab->PrintInfo->Labs, labs) << name;
        EXPECT_FALSE(W->IsModified()) << name;
        SaveName = dir + QLatin1Char('/') + QLatin1String(name);
        ASSERT_TRUE(W->SaveAs());

        for (QAction* page : W->ActLabelPage) {
            page->trigger();
            EXPECT_FALSE(W->IsModified()) << name << ", " << page->objectName().toStdString();
        }
        for (int i = 0; i < Lab->Document->Count(); ++i) {
            Lab->SelectedElement = Lab->Document->Items(i);
            W->SyncWithLab();
            W->ActElementProp->trigger();
            EXPECT_FALSE(W->IsModified()) << name << ", element " << i << " of kind "
                                          << int(Lab->Document->Items(i)->Elem());
        }
    }
    EXPECT_EQ(DialogsRun.count(QStringLiteral("TPropLab")), 20);
    // One element dialog per element: the badges have five texts and lines and
    // their gradient picture, the others five elements each.
    EXPECT_EQ(DialogsRun.size(), 20 + 6 + 5 + 5 + 5);
}

TEST_F(DesignerWindow, UnreadableFilesAreReportedAndChangeNothing)
{
    const QString bad = TestSupport::TempDir() + QStringLiteral("/roto.lab");
    TestSupport::WriteFile(bad, QByteArray("not a label"));
    ASSERT_TRUE(W->OpenDesign(TestSupport::SourcePath(QStringLiteral("examples/envio.lab"))));
    const int count = Lab->Document->Count();
    EXPECT_FALSE(W->OpenDesign(bad));
    const QStringList messages = TestSupport::TakeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("No se puede leer el archivo elegido")));
    EXPECT_TRUE(messages[0].contains(QStringLiteral("roto.lab")));
    EXPECT_EQ(Lab->Document->Count(), count);
    EXPECT_TRUE(W->FileName().endsWith(QStringLiteral("envio.lab")));
}

TEST_F(DesignerWindow, RecentFilesAndDroppedFilesOpen)
{
    const QString a = TestSupport::SourcePath(QStringLiteral("examples/envio.lab"));
    const QString b = TestSupport::SourcePath(QStringLiteral("examples/productos.lab"));
    ASSERT_TRUE(W->OpenDesign(a));
    ASSERT_TRUE(W->OpenDesign(b));
    EXPECT_EQ(W->RecentFiles().mid(0, 2), (QStringList{QFileInfo(b).absoluteFilePath(), QFileInfo(a).absoluteFilePath()}));
    emit W->MenuRecent->aboutToShow();
    ASSERT_GE(W->MenuRecent->actions().size(), 2);
    W->MenuRecent->actions()[1]->trigger();
    EXPECT_TRUE(W->FileName().endsWith(QStringLiteral("envio.lab")));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(b)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(W.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(W.get(), &drop);
    QApplication::processEvents();
    EXPECT_TRUE(W->FileName().endsWith(QStringLiteral("productos.lab")));

    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(TestSupport::SourcePath(QStringLiteral("README.md")))});
    QDragEnterEvent other(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    other.setAccepted(false);
    QApplication::sendEvent(W.get(), &other);
    EXPECT_FALSE(other.isAccepted()) << "only label designs are taken";
}

TEST_F(DesignerWindow, RegisteredDataSourcesAreRememberedAndUsed)
{
    // The example design names the alias "ejemplos"; pointing it at the CSV
    // copy of the data makes the design read the CSV tables.
    const QString csv = TestSupport::BinaryPath(QStringLiteral("examples/csv"));
    AliasAnswer = {QStringLiteral("ejemplos"), csv};
    ASSERT_TRUE(W->RegisterDataSource());
    EXPECT_EQ(TKVSession::Resolve(QStringLiteral("ejemplos")).Backend, TKVBackend::bkCsv);
    EXPECT_EQ(TKVHostData::Remembered(), QList<TKVAliasEntry>{AliasAnswer});
    ASSERT_TRUE(W->OpenDesign(TestSupport::SourcePath(QStringLiteral("examples/direcciones.lab"))));
    EXPECT_TRUE(Lab->DataOK);

    AliasAnswer = {QStringLiteral("otra"), TestSupport::TempDir() + QStringLiteral("/no-existe.db")};
    EXPECT_FALSE(W->RegisterDataSource());
    EXPECT_EQ(TestSupport::TakeMessages().size(), 1);
    EXPECT_EQ(TKVHostData::Remembered().size(), 1);

    // A new start registers what was remembered.
    TKVSession::ClearAliases();
    TKVHostData::RegisterAll();
    EXPECT_EQ(TKVSession::Resolve(QStringLiteral("ejemplos")).Backend, TKVBackend::bkCsv);

    // Forgetting the user's alias brings the bundled database back.
    W->ForgetDataSource(QStringLiteral("EJEMPLOS"));
    EXPECT_TRUE(TKVHostData::Remembered().isEmpty());
    EXPECT_EQ(TKVSession::Resolve(QStringLiteral("ejemplos")).Backend, TKVBackend::bkSQLite);
}

TEST_F(DesignerWindow, AliasDialogAcceptsOnlyASourceOfTheChosenKind)
{
    const QString db = TestSupport::BinaryPath(QStringLiteral("examples/clientes.db"));
    const QString csv = TestSupport::BinaryPath(QStringLiteral("examples/csv"));
    const QString notDb = TestSupport::TempDir() + QStringLiteral("/notes.db");
    TestSupport::WriteFile(notDb, QByteArray("these are notes, not a database\n"));
    const struct {
        int Kind;
        QString Location;
        const char* Says; // the start of the dialog's message; empty when accepted
    } rows[] = {
        {TKVAliasDialog::akSQLite, db, ""},
        {TKVAliasDialog::akCsv, csv, ""},
        {TKVAliasDialog::akSQLite, csv, "No existe el archivo"},
        {TKVAliasDialog::akCsv, db, "No existe la carpeta"},
        {TKVAliasDialog::akSQLite, QStringLiteral("/no/such/file.db"), "No existe el archivo"},
        {TKVAliasDialog::akPostgreSQL, db, "Una URL de PostgreSQL"},
        {TKVAliasDialog::akCsv, QString(), "Indique un archivo"},
        // The library's own words for a file SQLite cannot read.
        {TKVAliasDialog::akSQLite, notDb, "?"},
    };
    for (const auto& r : rows) {
        TKVAliasDialog dialog;
        dialog.EdName->setText(QStringLiteral("prueba"));
        dialog.CBoxKind->setCurrentIndex(r.Kind);
        dialog.EdLocation->setText(r.Location);
        dialog.accept();
        const QString says = QString::fromUtf8(r.Says);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, says.isEmpty()) << r.Location.toStdString();
        if (says.isEmpty())
            EXPECT_TRUE(dialog.LabStatus->text().isEmpty()) << r.Location.toStdString();
        else if (says == QLatin1String("?"))
            EXPECT_FALSE(dialog.LabStatus->text().isEmpty()) << r.Location.toStdString();
        else
            EXPECT_TRUE(dialog.LabStatus->text().startsWith(says))
                << r.Location.toStdString() << ": " << dialog.LabStatus->text().toStdString();
    }
}

TEST_F(DesignerWindow, EnglishReplacesEveryTextOfTheWindow)
{
    const auto texts = [this] {
        QStringList all;
        for (QAction* a : W->findChildren<QAction*>())
            if (!a->text().isEmpty() && !a->objectName().startsWith(QLatin1String("ActZoom")))
                all << a->text() + QLatin1Char('|') + a->toolTip();
        for (QMenu* m : W->findChildren<QMenu*>())
            if (!m->title().isEmpty())
                all << m->title();
        return all;
    };
    const QStringList spanish = texts();
    ASSERT_TRUE(KVHostLanguage::Choose(QStringLiteral("en")));
    QApplication::processEvents();
    const QStringList english = texts();
    KVHostLanguage::Choose(QStringLiteral("es"));
    QApplication::processEvents();
    EXPECT_EQ(texts(), spanish) << "back in Spanish";

    ASSERT_EQ(english.size(), spanish.size());
    for (int i = 0; i < spanish.size(); ++i)
        EXPECT_NE(english[i], spanish[i]) << "not translated: " << spanish[i].toStdString();
    EXPECT_TRUE(english.contains(QStringLiteral("&Save|Save the design")));

    // Qt's standard buttons and dialogs follow: the print dialog is Qt's.
    const auto cancel = [] {
        TKVAliasDialog dialog;
        return dialog.Buttons->button(QDialogButtonBox::Cancel)->text();
    };
    EXPECT_EQ(cancel(), QStringLiteral("Cancelar"));
    KVHostLanguage::Choose(QStringLiteral("en"));
    EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
    KVHostLanguage::Choose(QStringLiteral("es"));
}

TEST_F(DesignerWindow, APrintThatTheDataCannotServeAsksBeforeThePrinterAndPrintsCopiesOnlyIfTold)
{
    Lab->DaBa = true;
    Lab->Table->DatabaseName = TestSupport::BinaryPath(QStringLiteral("examples/clientes.db"));
    Lab->Table->TableName = QStringLiteral("clientes");
    Lab->Table->Filter = QStringLiteral("([ciudad] = 'Atlantis')");
    Lab->PrintInfo->Labs = 3;
    QStringList questions;
    W->AskConfirm = [&](QWidget*, const QString& Question) {
        questions << Question;
        return ConfirmAnswer;
    };
    int printers = 0;
    const QString pdf = TestSupport::TempDir() + QStringLiteral("/copies.pdf");
    OnPrinter = [&](QPrinter&) {
        ++printers;
        TKVPrinter::SelectPdf(pdf);
        return true;
    };

    ConfirmAnswer = false;
    W->ActPrint->trigger();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(QStringLiteral("Atlantis"))) << questions[0].toStdString();
    EXPECT_EQ(printers, 0) << "declined: the printer is not even asked";

    ConfirmAnswer = true;
    W->ActPrint->trigger();
    EXPECT_EQ(printers, 1);
    EXPECT_FALSE(Lab->LastRun.FromData);
    EXPECT_EQ(Lab->LastRun.Labels, 3);
    EXPECT_TRUE(Lab->DaBa) << "the design still prints its records";
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
}
