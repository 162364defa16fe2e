// TKVDesignerWindow: label files, recent files, dropped files, printing, data
// sources and languages.
#include "TKVDesignerWindow.h"

#include "KVHostLanguage.h"
#include "TKVDesignerLab.h"
#include "document/TKVObject.h"
#include "document/TKVStream.h"
#include "document/TKVPrintInfo.h"
#include "TKVCalibrationDialog.h"
#include "types/TKVPrinter.h"
#include "types/EKvError.h"
#include "types/KVMessage.h"

#include <QAction>
#include <QActionGroup>
#include <QBuffer>
#include <QUndoStack>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QScopeGuard>
#include <QSettings>
#include <QStatusBar>
#include <QUrl>

namespace {
const QString RecentKey = QStringLiteral("recentFiles");
const QString FolderKey = QStringLiteral("lastFolder");
const int MaxRecent = 8;

QString LanguageName(const QString& Language)
{
    // Each language is offered in its own words.
    if (Language == QLatin1String("es"))
        return QStringLiteral("Español");
    if (Language == QLatin1String("en"))
        return QStringLiteral("English");
    const QString name = QLocale(Language).nativeLanguageName();
    return name.isEmpty() ? Language : name.left(1).toUpper() + name.mid(1);
}
}

// ---- Modification -------------------------------------------------------------

QByteArray TKVDesignerWindow::DesignBytes() const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TKVStream stream(&buffer);
    Lab->Document->SaveToStream(stream, Lab);
    return buffer.data();
}

// The undo history's clean index is where the design was last loaded or
// saved; away from it, steps that brought the file's bytes back (a command
// and its reverse done by hand) are still no change.
bool TKVDesignerWindow::IsModified() const { return !Lab->UndoStack()->isClean() && DesignBytes() != SavedBytes; }

void TKVDesignerWindow::MarkSaved()
{
    Lab->UndoStack()->setClean();
    SavedBytes = DesignBytes();
    setWindowModified(false);
}

QString TKVDesignerWindow::DisplayName() const
{
    return CurrentFile.isEmpty() ? tr("Sin título") : QFileInfo(CurrentFile).fileName();
}

bool TKVDesignerWindow::MaySaveChanges()
{
    if (!IsModified())
        return true;
    switch (AskSaveChanges(this, DisplayName())) {
    case TSaveAnswer::Save: return Save();
    case TSaveAnswer::Discard: return true;
    case TSaveAnswer::Cancel: break;
    }
    return false;
}

// ---- Label files ----------------------------------------------------------------

bool TKVDesignerWindow::NewDesign()
{
    if (!MaySaveChanges())
        return false;
    Run([this] {
        Lab->CreateLab();
        // The new label keeps the sheet and its data source, so its fields
        // are offered as they were.
        Lab->ValidData();
        Lab->PaintLabScreen(true);
    });
    CurrentFile.clear();
    MarkSaved();
    UpdateTitle();
    SyncWithLab();
    return true;
}

bool TKVDesignerWindow::OpenDesign()
{
    if (!MaySaveChanges())
        return false;
    QString folder = QSettings().value(FolderKey).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        const QStringList examples = TKVHostData::ExampleDesigns();
        folder = examples.isEmpty() ? QString() : QFileInfo(examples.first()).absolutePath();
    }
    const QString file = AskOpenFileName(this, folder);
    return !file.isEmpty() && LoadDesign(file);
}

bool TKVDesignerWindow::OpenDesign(const QString& FileName)
{
    return MaySaveChanges() && LoadDesign(FileName);
}

bool TKVDesignerWindow::LoadDesign(const QString& FileName)
{
    const QString file = QFileInfo(FileName).absoluteFilePath();
    bool loaded = false;
    Run([&] {
        try {
            Lab->LoadLab(file);
            loaded = true;
        } catch (const EKvError& e) {
            // The control's message names no file: say which one.
            throw EKvError(QStringLiteral("%1:\n%2").arg(e.Message(), QDir::toNativeSeparators(file)));
        }
    });
    if (!loaded)
        return false;
    Adopt(file);
    SyncWithLab();
    statusBar()->showMessage(tr("Abierto %1").arg(QFileInfo(file).fileName()), 5000);
    return true;
}

bool TKVDesignerWindow::Save()
{
    if (CurrentFile.isEmpty())
        return SaveAs();
    return WriteDesign(CurrentFile);
}

bool TKVDesignerWindow::SaveAs()
{
    QString suggested = CurrentFile;
    if (suggested.isEmpty())
        suggested = QDir(QSettings().value(FolderKey, QDir::homePath()).toString())
                        .filePath(tr("etiqueta") + QStringLiteral(".lab"));
    QString file = AskSaveFileName(this, suggested);
    if (file.isEmpty())
        return false;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".lab");
    return WriteDesign(file);
}

bool TKVDesignerWindow::WriteDesign(const QString& FileName)
{
    const QString file = QFileInfo(FileName).absoluteFilePath();
    bool saved = false;
    Run([&] {
        Lab->SaveLab(file);
        saved = true;
    });
    if (!saved)
        return false;
    Adopt(file);
    statusBar()->showMessage(tr("Guardado %1").arg(QFileInfo(file).fileName()), 5000);
    return true;
}

void TKVDesignerWindow::Adopt(const QString& File)
{
    CurrentFile = File;
    QSettings().setValue(FolderKey, QFileInfo(File).absolutePath());
    AddRecent(File);
    MarkSaved();
    UpdateTitle();
}

// ---- Recent files and examples ---------------------------------------------------

QStringList TKVDesignerWindow::RecentFiles() const { return QSettings().value(RecentKey).toStringList(); }

void TKVDesignerWindow::AddRecent(const QString& FileName)
{
    QStringList files = RecentFiles();
    files.removeAll(FileName);
    files.prepend(FileName);
    while (files.size() > MaxRecent)
        files.removeLast();
    QSettings().setValue(RecentKey, files);
}

void TKVDesignerWindow::FillRecentMenu()
{
    MenuRecent->clear();
    const QStringList files = RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString file = files[i];
        QAction* a = MenuRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName()));
        a->setToolTip(QDir::toNativeSeparators(file));
        a->setStatusTip(QDir::toNativeSeparators(file));
        connect(a, &QAction::triggered, this, [this, file] {
            if (!QFileInfo(file).isFile()) {
                ShowMessage(tr("El archivo ya no existe:\n%1").arg(QDir::toNativeSeparators(file)));
                QStringList left = RecentFiles();
                left.removeAll(file);
                QSettings().setValue(RecentKey, left);
                return;
            }
            OpenDesign(file);
        });
    }
    if (files.isEmpty()) {
        MenuRecent->addAction(tr("(ninguno)"))->setEnabled(false);
        return;
    }
    MenuRecent->addSeparator();
    connect(MenuRecent->addAction(tr("&Vaciar la lista")), &QAction::triggered, this,
            [] { QSettings().remove(RecentKey); });
}

void TKVDesignerWindow::FillExamplesMenu()
{
    MenuExamples->clear();
    const QStringList designs = TKVHostData::ExampleDesigns();
    for (const QString& design : designs) {
        QAction* a = MenuExamples->addAction(QFileInfo(design).fileName());
        a->setStatusTip(QDir::toNativeSeparators(design));
        connect(a, &QAction::triggered, this, [this, design] { OpenDesign(design); });
    }
    if (designs.isEmpty())
        MenuExamples->addAction(tr("(no se encuentran los ejemplos)"))->setEnabled(false);
}

// ---- Dropped files --------------------------------------------------------------

QString TKVDesignerWindow::LabFileIn(const QMimeData* Data)
{
    if (!Data || !Data->hasUrls())
        return {};
    for (const QUrl& url : Data->urls()) {
        const QFileInfo info(url.toLocalFile());
        if (url.isLocalFile() && info.isFile() && info.suffix().compare(QLatin1String("lab"), Qt::CaseInsensitive) == 0)
            return info.absoluteFilePath();
    }
    return {};
}

void TKVDesignerWindow::dragEnterEvent(QDragEnterEvent* Event)
{
    if (!LabFileIn(Event->mimeData()).isEmpty())
        Event->acceptProposedAction();
}

void TKVDesignerWindow::dropEvent(QDropEvent* Event)
{
    const QString file = LabFileIn(Event->mimeData());
    if (file.isEmpty())
        return;
    Event->acceptProposedAction();
    // Asking about unsaved changes inside the drop would hold the program
    // the file was dragged from: the drop ends first.
    QMetaObject::invokeMethod(this, [this, file] { OpenDesign(file); }, Qt::QueuedConnection);
}

// ---- Printing -------------------------------------------------------------------

void TKVDesignerWindow::PrintDesign()
{
    Run([this] {
        // A data run that cannot print what the data says stops before the
        // printer is asked for: copies without data only when the user says so.
        const QString problem = Lab->RunProblem();
        if (!problem.isEmpty()
            && !AskConfirm(this, tr("%1.\n\n¿Imprimir %2 copias de la etiqueta sin datos?")
                                     .arg(problem)
                                     .arg(Lab->PrintInfo->Labs)))
            return;
        const bool daBa = Lab->DaBa;
        if (!problem.isEmpty())
            Lab->DaBa = false;
        const auto restore = qScopeGuard([this, daBa] { Lab->DaBa = daBa; });
        // A data run is checked first; its problems are shown before paper is used.
        if (problem.isEmpty() && Lab->DaBa && !MayPrintAfterCheck())
            return;
        // The dialog opens on the design's paper and orientation.
        Lab->AdjustPrint();
        QPrinter& printer = TKVPrinter::Current();
        if (!AskPrinter(printer, this))
            return;
        Lab->Print();
        const QString target = printer.outputFormat() == QPrinter::PdfFormat
                                   ? QDir::toNativeSeparators(printer.outputFileName())
                                   : printer.printerName();
        statusBar()->showMessage(tr("%1 etiquetas en %2 páginas enviadas a %3")
                                     .arg(Lab->LastRun.Labels)
                                     .arg(Lab->LastRun.Pages)
                                     .arg(target),
                                 8000);
    });
}

void TKVDesignerWindow::PrintTestSheet()
{
    Run([this] {
        Lab->AdjustPrint();
        QPrinter& printer = TKVPrinter::Current();
        if (!AskPrinter(printer, this))
            return;
        Lab->PrintTestSheet();
        statusBar()->showMessage(tr("Hoja de prueba de %1 etiquetas enviada a %2")
                                     .arg(Lab->LastRun.Labels)
                                     .arg(printer.outputFormat() == QPrinter::PdfFormat
                                              ? QDir::toNativeSeparators(printer.outputFileName())
                                              : printer.printerName()),
                                 8000);
    });
}

void TKVDesignerWindow::CalibratePrinter()
{
    Run([this] {
        // The printer is the one the print dialog chose last.
        const QPrinter& printer = TKVPrinter::Current();
        TKVCalibrationDialog dialog(Lab, printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString(),
                                    this);
        if (CanShowDialogs())
            dialog.exec();
    });
}

void TKVDesignerWindow::PreviewDesign()
{
    Run([this] { Lab->Preview(); });
}

// ---- Data sources ---------------------------------------------------------------

bool TKVDesignerWindow::RegisterDataSource()
{
    TKVAliasEntry entry;
    if (!AskAlias(entry, this))
        return false;
    const QString problem = TKVHostData::Check(entry);
    if (!problem.isEmpty()) {
        ShowMessage(problem);
        return false;
    }
    Run([&] {
        TKVHostData::Remember(entry);
        // A design that names the alias finds its data now.
        Lab->ValidData();
        Lab->PaintLabScreen(true);
    });
    statusBar()->showMessage(tr("Origen de datos «%1»: %2").arg(entry.Name, QDir::toNativeSeparators(entry.Location)),
                             8000);
    return true;
}

void TKVDesignerWindow::ForgetDataSource(const QString& Name)
{
    Run([&] {
        TKVHostData::Forget(Name);
        Lab->ValidData();
        Lab->PaintLabScreen(true);
    });
}

void TKVDesignerWindow::FillAliasMenu()
{
    MenuForgetAlias->clear();
    const QList<TKVAliasEntry> entries = TKVHostData::Remembered();
    for (const TKVAliasEntry& e : entries) {
        QAction* a = MenuForgetAlias->addAction(
            QStringLiteral("%1 — %2").arg(e.Name, QDir::toNativeSeparators(e.Location)));
        const QString name = e.Name;
        connect(a, &QAction::triggered, this, [this, name] { ForgetDataSource(name); });
    }
    if (entries.isEmpty())
        MenuForgetAlias->addAction(tr("(ninguno registrado)"))->setEnabled(false);
}

// ---- Languages ------------------------------------------------------------------

void TKVDesignerWindow::FillLanguageMenu()
{
    MenuLanguage->clear();
    for (QAction* a : LanguageGroup->actions())
        delete a;
    const QString current = KVHostLanguage::Current();
    for (const QString& language : KVHostLanguage::Available()) {
        QAction* a = MenuLanguage->addAction(LanguageName(language));
        a->setObjectName(QStringLiteral("ActLanguage_") + language);
        a->setCheckable(true);
        a->setChecked(language == current);
        LanguageGroup->addAction(a);
        connect(a, &QAction::triggered, this, [language] {
            KVHostLanguage::Choose(language);
            QSettings().setValue(QStringLiteral("language"), language);
        });
    }
}
