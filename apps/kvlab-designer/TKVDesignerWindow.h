// TKVDesignerWindow: the main window of kvlab-designer. It holds one designer
// control and gives every public command of it a menu entry, a tool button or
// a shortcut: label files, printing and preview, the label properties on each
// of their pages, the drawing tools, zoom, the element commands and their
// context menu, and the data-source aliases. It knows whether the design has
// changes that are not in its file, and asks before it drops them.
//
// The window's code is split by concern:
//   TKVDesignerWindow.cpp   actions, menus, tool bars, texts
//   TKVDesignerFiles.cpp    label files, recent files, dropping, printing
//   TKVDesignerEdit.cpp     drawing tools, zoom, element commands, context menu
#pragma once

#include "TKVHostData.h"
#include "types/KVtypes.h"

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QMimeData;
class QPrinter;
class QSpinBox;
class QToolBar;
class TKVDesignerLab;
class TKVRunCheck;

class TKVDesignerWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit TKVDesignerWindow(QWidget* Parent = nullptr);
    ~TKVDesignerWindow() override;

    TKVDesignerLab* Lab;

    // ---- Label files ----
    // The design's file; empty for a design that was never saved.
    const QString& FileName() const { return CurrentFile; }
    // The design differs from what was last loaded or saved: its elements
    // or any of the settings the label file stores.
    bool IsModified() const;
    // Each asks first when the design has unsaved changes; false when the
    // user cancels or the command fails (the failure is shown as a message).
    bool NewDesign();
    bool OpenDesign(const QString& FileName);
    bool OpenDesign();
    bool Save();
    bool SaveAs();
    // Loads without asking (the program's start, and after asking).
    bool LoadDesign(const QString& FileName);
    // Most recent first.
    QStringList RecentFiles() const;

    // ---- Printing ----
    // The print dialog shows the design's paper; the printer chosen there
    // prints the run.
    void PrintDesign();
    void PreviewDesign();
    // One sheet of label outlines on the printer chosen in the print dialog,
    // and the printer's correction (TKVCalibrationDialog).
    void PrintTestSheet();
    void CalibratePrinter();

    // ---- Records and the check of a run (TKVDesignerRecords.cpp) ----
    // Shows a record of the design's table: 1-based, clamped to the table.
    void ShowRecord(int Record);
    // Checks the run as Print would print it and shows the report; true
    // when it found no problem.
    bool CheckDesign();
    // Shows the report; a click on a problem shows its record with its
    // element selected. Print: the report is asked before printing and
    // true means print all the same. The default opens TKVCheckDialog;
    // without a screen it prints all the same.
    std::function<bool(TKVRunCheck& Check, QWidget* Parent, bool Print)> AskCheckReport;
    QAction* ActCheck;
    QAction* ActRecordFirst;
    QAction* ActRecordPrior;
    QAction* ActRecordNext;
    QAction* ActRecordLast;
    QAction* ActFieldNames;
    QSpinBox* SpinRecord;
    QLabel* LabRecordCount;

    // ---- Data sources ----
    // Asks for an alias and registers it; the open design sees it at once.
    bool RegisterDataSource();
    void ForgetDataSource(const QString& Name);

    // ---- The windows this one opens, replaceable for tests and headless
    // runs. The defaults are the standard dialogs; without a screen they
    // answer "no" (Cancel, no file, no printer) so that nothing waits. ----
    enum class TSaveAnswer { Save, Discard, Cancel };
    std::function<QString(QWidget* Parent, const QString& Folder)> AskOpenFileName;
    std::function<QString(QWidget* Parent, const QString& Suggested)> AskSaveFileName;
    std::function<TSaveAnswer(QWidget* Parent, const QString& Design)> AskSaveChanges;
    std::function<bool(QWidget* Parent, const QString& Question)> AskConfirm;
    std::function<bool(QPrinter& Printer, QWidget* Parent)> AskPrinter;
    std::function<bool(TKVAliasEntry& Entry, QWidget* Parent)> AskAlias;

    // ---- Actions, by command ----
    QAction* ActNew;
    QAction* ActOpen;
    QAction* ActSave;
    QAction* ActSaveAs;
    QAction* ActPreview;
    QAction* ActPrint;
    QAction* ActTestSheet;
    QAction* ActCalibrate;
    QAction* ActQuit;
    QAction* ActCut;
    QAction* ActCopy;
    QAction* ActPaste;
    QAction* ActDelete;
    QAction* ActClear;
    QAction* ActFront;
    QAction* ActBack;
    QAction* ActAlignLeft;
    QAction* ActAlignTop;
    QAction* ActTransparent;
    QAction* ActElementProp;
    QAction* ActZoomIn;
    QAction* ActZoomOut;
    QAction* ActZoom100;
    QAction* ActRegisterAlias;
    QAction* ActAbout;
    // Undo, redo, selecting every element, and aligning the selection: to
    // the group's bounds, or to the label when one element is selected.
    QAction* ActUndo;
    QAction* ActRedo;
    QAction* ActSelectAll;
    std::map<int, QAction*> ActAlign; // by Qt::AlignmentFlag
    QAction* ActDistributeH;
    QAction* ActDistributeV;
    QAction* ActCentre;
    QToolBar* BarAlign;
    QMenu* MenuAlign;
    // The label properties dialog, one entry per page: size, print,
    // background, data.
    QList<QAction*> ActLabelPage;
    std::map<TKVDrawTool, QAction*> ActTool;
    std::map<TKVZoom, QAction*> ActZoom;
    QComboBox* CBoxZoom;
    QMenu* MenuRecent;
    QMenu* MenuExamples;
    QMenu* MenuForgetAlias;
    QMenu* MenuLanguage;
    QLabel* LabPosition;
    QLabel* LabData;
    // The context menu the last right click opened.
    QPointer<QMenu> ContextMenu;

    // Brings the window in step with the control: the drawing tool, the
    // zoom, what the element commands can act on, the modified mark.
    void SyncWithLab();

protected:
    void closeEvent(QCloseEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    // TKVDesignerWindow.cpp
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void Retranslate();
    // The undo, selection and alignment commands (TKVDesignerAlign.cpp).
    void CreateEditActions();
    void AddEditActions();
    void RetranslateEditActions();
    void InstallDefaultDialogs();
    void UpdateTitle();
    // Runs a command; an error it raises becomes a message. The window is
    // brought in step with the control afterwards.
    void Run(const std::function<void()>& Command);

    // TKVDesignerRecords.cpp
    void CreateRecordActions();
    void CreateRecordBar();
    void RetranslateRecords();
    void SyncRecords();
    // Before a data run is printed: false when the user would rather not.
    bool MayPrintAfterCheck();
    QToolBar* BarRecords = nullptr;

    // TKVDesignerFiles.cpp
    QByteArray DesignBytes() const;
    void MarkSaved();
    bool MaySaveChanges();
    bool WriteDesign(const QString& FileName);
    // The open design is now File: title, recent files, saved state.
    void Adopt(const QString& File);
    void AddRecent(const QString& FileName);
    void FillRecentMenu();
    void FillExamplesMenu();
    void FillAliasMenu();
    void FillLanguageMenu();
    QString DisplayName() const;
    static QString LabFileIn(const QMimeData* Data);

    // TKVDesignerEdit.cpp
    void ConnectLab();
    void ChooseTool(TKVDrawTool Tool);
    void ChooseZoom(TKVZoom Zoom);
    void StepZoom(int Steps);
    void ShowContextMenu(bool OnSelection, int X, int Y);
    void ShowPosition(int X, int Y);
    void ShowDataSource();
    void CutElement();
    void ClearLabel();

    QString CurrentFile;
    // The design as it was last loaded or saved, as its file holds it.
    QByteArray SavedBytes;
    QActionGroup* ToolGroup;
    QActionGroup* ZoomGroup;
    QActionGroup* LanguageGroup;
    QToolBar* BarFile;
    QToolBar* BarTools;
    QToolBar* BarEdit;
    QMenu* MenuFile;
    QMenu* MenuEdit;
    QMenu* MenuTools;
    QMenu* MenuView;
    QMenu* MenuLabel;
    QMenu* MenuData;
    QMenu* MenuHelp;
};
