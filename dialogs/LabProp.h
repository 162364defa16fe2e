// TPropLab: the label properties dialog. One modal window sets up the whole
// sheet of a designer: label and paper geometry with a sketch of the sheet
// on which the first label to print is picked, the print run, the designer
// aids (grid, snapping, frame, colours, background picture, alignment lines)
// and the data source with a record filter built by pointing at values.
//
// There is no OK or Cancel: every control writes its value through the
// settings' own setters as soon as it changes. The label name is written
// when its edit is left, and the data source chosen on the data page is
// copied into the designer's table when the dialog closes, however it
// closes.
//
// The controls are those of LabProp.ui and are reached by their object
// names; the handlers are public so that hosts and tests can drive them.
#pragma once

#include "dialogs/LabPropFilter.h"
#include "types/KVtypes.h"

#include "ui_LabProp.h"

#include <QDialog>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QMenu;
class QWidget;
class TKVDataSource;
class TKVField;
class TKVLab;
class TKVTable;

class TPropLab : public QDialog, public Ui::TPropLab
{
    Q_OBJECT

public:
    explicit TPropLab(QWidget* Parent = nullptr);
    ~TPropLab() override;

    // The edited designer, set by the opener before Ini; not owned.
    TKVLab* Lab = nullptr;
    // The dialog's working copy of the data source; the designer's own
    // table is not touched until the dialog closes.
    std::unique_ptr<TKVTable> DataTable;
    // Feeds dbGrid from DataTable.
    TKVDataSource* DaSo = nullptr;
    // The sheet sketch, drawn off-screen and copied to PaintBox1.
    QImage Sketch;
    // The grid's operator menu: equality, inequality, less, greater,
    // Execute, Delete1.
    QMenu* PopupMenu1 = nullptr;

    // Loads every control from the designer and selects a page: 0 size,
    // 1 print, 2 background, 3 data; anything else keeps the first page.
    void Ini(std::int32_t Page);
    // Run-time captions from the string table.
    void FillLanguage();
    void FillPapers();
    // The paper-size edits are open only for the user-defined paper.
    void CheckPapers();
    // The dialog's table from the designer's table: alias, table, filter.
    // A source or table of the design that is not available here is shown
    // anyway, marked, and the dialog says why.
    void IniTable();
    // Record count, number of labels and print range after the data changed.
    // The number of labels follows the record count only after the user
    // changed the data source or its use, never on loading.
    void CheckDataInf();
    // Fits the sketch box to the paper's shape inside 192 x 276 pixels.
    void CheckDraw();
    // Millimetres on the paper to pixels of the sketch box.
    std::int32_t MapW2Sx(float X) const;
    std::int32_t MapW2Sy(float Y) const;

    // The field of the grid's current cell on DataTable's current record,
    // or null when there is none (no table, no records, no cell).
    TKVField* SelectedField() const;
    // The colour a swatch shows.
    static TColor SwatchColor(const QWidget* Swatch);

    // Handlers, named after control and event.
    void PageControl1Change();
    // Draws the sketch and has the box show it.
    void PaintBox1Paint();
    void PaintBox1MouseDown(int X, int Y);
    void SpEdFloatWidthChange();
    void SpEdFloatHeightChange();
    void SpinEdNuHorChange();
    void SpinEdNuVerChange();
    void SpEdFloatLeftMarChange();
    void SpEdFloatTopMarChange();
    void SpEdFloatDiHorChange();
    void SpEdFloatDiVerChange();
    void SpEdFloatPaWidthChange();
    void SpEdFloatPaHeightChange();
    void CBoxPaperNameChange();
    void EdLabNameExit();
    void RaBuVerClick();
    void RaBuHorClick();
    void SpEdNuLabsChange();
    void SpEdFirstColChange();
    void SpEdFirstRowChange();
    void SpinEdFromChange();
    void SpinEdToChange();
    void CheckAllRecordsClick();
    void CheckShowClick();
    void ShCoSelectMouseDown();
    void ShCoBackMouseDown();
    void SpEdFloatGXChange();
    void SpEdFloatGYChange();
    void ShCoGridMouseDown();
    void CheckGridClick();
    void CheckSnapClick();
    void SpEdFloatD1Change();
    void SpEdFloatD2Change();
    void SpEdFloatPenWidthChange();
    void ShCoFrameMouseDown();
    void ComBoxStyleChange();
    void CheckBackImageClick();
    void BitBtnOpenImageClick();
    void SpEdFloatAlLeftChange();
    void SpEdFloatAlTopChange();
    void ShCoAlignMouseDown();
    void CheckShowAlignClick();
    void CBoxAliasChange();
    void CBoxTablesChange();
    void CheckDataClick();
    enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast };
    void DBNavigator1Click(TNavigateBtn Button);
    void dbGridCellChange();
    void PopupMenu1Popup();
    void equalityClick();
    void inequalityClick();
    void lessClick();
    void greaterClick();
    void ExecuteClick();
    void Delete1Click();
    // Applies the data source the user chose, if any, to the designer's
    // table and validates it.
    void FormClose();

    // Shows the dialog modally for TKVLab::ShowProp; replaceable so that
    // headless hosts and tests decide what showing it does.
    static std::function<void(TPropLab* Dialog)>& ShowModal();

    // Every way of closing (Escape, the window's close button, accept or
    // reject) ends here.
    void done(int Result) override;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // Steps 1 to 4 of the sketch: sheet, labels, first label, margins.
    void DrawSketch();
    // The bound of the print-range edits; never below what they show.
    void SetRangeTop(std::int32_t Top);
    // Moves DataTable to a row of the grid (0-based).
    void GoToRecord(int Row);
    // The grid after DataTable was opened, refreshed or re-filtered.
    void ReloadGrid();
    void UpdateNavigator();
    void AddGridFilter(const QString& Op);
    void ApplyPaperRow(int Row);
    void AcceptLimits();
    void Connect();
    void ShowTakenValues();

    // The tables of the chosen alias into CBoxTables; none chosen: none.
    void FillTables();
    // Says in LabSourceState why the chosen alias or table cannot be read.
    void ShowSourceState();
    // The background picture's thumbnail, while the label shows it.
    void ShowBackPicture();
    bool MovingGrid = false;
    // Set while Ini loads the controls: the handlers it runs show what the
    // design has and must not change its data binding or number of labels.
    bool Loading = false;
    // The user chose another alias or table, or changed the filter.
    bool SourceChanged = false;
};

// The open label dialog, while TKVLab::ShowProp runs.
extern TPropLab* PropLab;
