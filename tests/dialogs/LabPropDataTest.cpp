// The data page of the label properties dialog on real SQLite and CSV
// sources: alias and table lists, the record count and the number of labels,
// the navigator and grid, the filter builder, and what closing the dialog
// hands to the designer.
#include "LabPropTestFixture.h"

#include "dialogs/TKVDataSource.h"
#include "document/TKVSession.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {
const QString Alias = QStringLiteral("LabPropShop");
const QString OtherAlias = QStringLiteral("LabPropArchive");

// Runs statements on a SQLite file through a connection of its own.
void Exec(const QString& Path, const QStringList& Statements)
{
    const QString name = QStringLiteral("labprop-fixture");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(Path);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("BEGIN")));
        for (const QString& s : Statements)
            ASSERT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
        ASSERT_TRUE(q.exec(QStringLiteral("COMMIT")));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Ten customers; the Lyon rows at 12.49, 12.5 and 100 tell a numeric
// comparison from a textual one. Six are in Lyon, four of them at 12.5 or
// more.
QString MakeShop(const QString& Dir)
{
    const QString path = Dir + QStringLiteral("/shop.db");
    Exec(path, {
        QStringLiteral("CREATE TABLE clientes (NAME TEXT, CITY TEXT, PRICE REAL, QTY INTEGER)"),
        QStringLiteral("INSERT INTO clientes VALUES ('Ana', 'Lyon', 12.5, 3), ('Bruno', 'Paris', 9.99, 1),"
                       "('Carla', 'Lyon', 30, 10), ('O''Neil', 'Dublin', 12.5, 2), ('Eva', 'Lyon', 8, 5),"
                       "('Félix', 'Madrid', 200, 7), ('Gala', 'Lyon', 12.49, 4), ('Hugo', 'Lyon', 100, 1),"
                       "('Inés', 'Sevilla', 15, 2), ('Juan', 'Lyon', 12.5, 6)"),
        QStringLiteral("CREATE TABLE empty (NAME TEXT)"),
        QStringLiteral("CREATE TABLE articulos (CODE TEXT, PRICE REAL)"),
        QStringLiteral("INSERT INTO articulos VALUES ('A1', 1.5), ('A2', 2.5)"),
    });
    return path;
}

class LabPropData : public LabPropFixture
{
protected:
    QString Dir;
    QString Shop;

    void SetUp() override
    {
        LabPropFixture::SetUp();
        Dir = TestSupport::TempDir();
        Shop = MakeShop(Dir);
        TKVSession::AddAlias(Alias, Shop);
        QDir().mkpath(Dir + QStringLiteral("/csv"));
        QFile csv(Dir + QStringLiteral("/csv/stock.csv"));
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write("ITEM,UNITS\nbolt,4\nnut,9\nwasher,1\n");
        csv.close();
        TKVSession::AddAlias(OtherAlias, Dir + QStringLiteral("/csv"));
        Lab->Table->DatabaseName = Alias;
        Lab->Table->TableName = QStringLiteral("clientes");
    }

    void TearDown() override
    {
        LabPropFixture::TearDown();
        TKVSession::DeleteAlias(Alias);
        TKVSession::DeleteAlias(OtherAlias);
    }

    QTableView* Grid() const { return W<QTableView>("dbGrid"); }
    TKVTable& Data() const { return *Dlg->DataTable; }
    int IndexOf(const QString& Field) const
    {
        for (int i = 0; i < Data().FieldCount(); ++i)
            if (Data().Fields(i)->FieldName == Field)
                return i;
        return -1;
    }
    // Puts the grid's cursor on a cell, as a click does.
    void Pick(int Row, const QString& Field)
    {
        const int column = IndexOf(Field);
        ASSERT_GE(column, 0) << Field.toStdString();
        Grid()->setCurrentIndex(Grid()->model()->index(Row, column));
    }
    QString Cell(int Row, const QString& Field) const
    {
        return Grid()->model()->index(Row, IndexOf(Field)).data().toString();
    }
    QString Count() const { return W<QLabel>("LabCount")->text(); }
};
}

TEST_F(LabPropData, ListsAliasesAndTablesAndOpensTheDesignersTable)
{
    Open(3);
    QComboBox* aliases = Box("CBoxAlias");
    EXPECT_GE(aliases->findText(Alias), 0);
    EXPECT_GE(aliases->findText(OtherAlias), 0);
    EXPECT_EQ(aliases->currentText(), Alias);
    QComboBox* tables = Box("CBoxTables");
    EXPECT_EQ(tables->count(), 3);
    EXPECT_EQ(tables->currentText(), QStringLiteral("clientes"));
    EXPECT_TRUE(Data().Active());
    EXPECT_EQ(Count(), QStringLiteral("10"));
    EXPECT_EQ(Grid()->model()->rowCount(), 10);
    EXPECT_EQ(Grid()->model()->columnCount(), 4);
    EXPECT_EQ(Grid()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("CITY"));
    EXPECT_EQ(Cell(3, QStringLiteral("NAME")), QStringLiteral("O'Neil"));
    EXPECT_EQ(Cell(9, QStringLiteral("PRICE")), QStringLiteral("12.5"));

    // CSV folders list their tables with the extension.
    Choose(aliases, OtherAlias);
    EXPECT_EQ(tables->count(), 1);
    EXPECT_EQ(tables->currentText(), QStringLiteral("stock.csv"));
    EXPECT_EQ(Data().DatabaseName, OtherAlias);
    EXPECT_EQ(Data().TableName, QStringLiteral("stock.csv"));
    EXPECT_EQ(Count(), QStringLiteral("3"));
    EXPECT_EQ(Cell(1, QStringLiteral("ITEM")), QStringLiteral("nut"));

    Choose(aliases, Alias);
    Choose(tables, QStringLiteral("articulos"));
    EXPECT_EQ(Count(), QStringLiteral("2"));
    // Nothing reached the designer's table yet.
    EXPECT_EQ(Lab->Table->TableName, QStringLiteral("clientes"));
    EXPECT_FALSE(Lab->Table->Active());
}

TEST_F(LabPropData, DesignersNamesNotInTheListsAreShownAndKept)
{
    // A CSV table named without its extension is the listed one.
    Lab->Table->DatabaseName = OtherAlias;
    Lab->Table->TableName = QStringLiteral("stock");
    Open(3);
    EXPECT_EQ(Box("CBoxAlias")->currentText(), OtherAlias);
    EXPECT_EQ(Box("CBoxTables")->currentText(), QStringLiteral("stock.csv"));
    EXPECT_FALSE(W<QLabel>("LabSourceState")->isVisibleTo(Dlg.get()));

    // An alias that is not registered here is shown, marked, and said to be
    // missing; the design keeps it. (Before, the first alias and its first
    // table were chosen instead, and closing bound the design to them.)
    Lab->Table->DatabaseName = QStringLiteral("NoSuchAlias");
    Lab->Table->TableName = QStringLiteral("clientes");
    Open(3);
    EXPECT_EQ(Box("CBoxAlias")->currentText(), QStringLiteral("NoSuchAlias (no disponible)"));
    EXPECT_EQ(Box("CBoxTables")->currentText(), QStringLiteral("clientes"));
    EXPECT_FALSE(Data().Active());
    EXPECT_EQ(Grid()->model()->rowCount(), 0);
    EXPECT_TRUE(W<QLabel>("LabSourceState")->isVisibleTo(Dlg.get()));
    EXPECT_TRUE(W<QLabel>("LabSourceState")->text().contains(QStringLiteral("NoSuchAlias")));
    Dlg->reject();
    EXPECT_EQ(Lab->Table->DatabaseName, QStringLiteral("NoSuchAlias"));
    EXPECT_EQ(Lab->Table->TableName, QStringLiteral("clientes"));

    // Choosing a source that is here binds the design to it; the marked
    // entry brings the design's own back.
    Open(3);
    Choose(Box("CBoxAlias"), Alias);
    EXPECT_EQ(Box("CBoxTables")->currentText(), QStringLiteral("articulos"));
    EXPECT_FALSE(W<QLabel>("LabSourceState")->isVisibleTo(Dlg.get()));
    Choose(Box("CBoxAlias"), QStringLiteral("NoSuchAlias (no disponible)"));
    EXPECT_EQ(Box("CBoxTables")->currentText(), QStringLiteral("clientes"));
    Dlg->reject();
    EXPECT_EQ(Lab->Table->DatabaseName, QStringLiteral("NoSuchAlias"));
    EXPECT_EQ(Lab->Table->TableName, QStringLiteral("clientes"));

    // A table the source lacks: the same, on the table list.
    Lab->Table->DatabaseName = Alias;
    Lab->Table->TableName = QStringLiteral("socios");
    Open(3);
    EXPECT_EQ(Box("CBoxAlias")->currentText(), Alias);
    EXPECT_EQ(Box("CBoxTables")->currentText(), QStringLiteral("socios (no disponible)"));
    EXPECT_FALSE(Data().Active());
    EXPECT_TRUE(W<QLabel>("LabSourceState")->text().contains(QStringLiteral("socios")));
    Choose(Box("CBoxTables"), QStringLiteral("clientes"));
    EXPECT_EQ(Count(), QStringLiteral("10"));
    EXPECT_FALSE(W<QLabel>("LabSourceState")->isVisibleTo(Dlg.get()));
    Dlg->reject();
    EXPECT_EQ(Lab->Table->TableName, QStringLiteral("clientes"));

    // A database named by its path is a source even though no alias names
    // it: it is offered rather than replaced.
    Lab->Table->DatabaseName = Shop;
    Lab->Table->TableName = QStringLiteral("articulos");
    Open(3);
    EXPECT_EQ(Box("CBoxAlias")->currentText(), Shop);
    EXPECT_EQ(Box("CBoxTables")->currentText(), QStringLiteral("articulos"));
    EXPECT_EQ(Count(), QStringLiteral("2"));
    Dlg->reject();
    EXPECT_EQ(Lab->Table->DatabaseName, Shop);
}

TEST_F(LabPropData, CheckDataTakesTheRecordCountAsTheNumberOfLabels)
{
    Lab->PrintInfo->Labs = 25;
    Open(1);
    EXPECT_EQ(Lab->PrintInfo->Labs, 25) << "without data the typed number stays";
    EXPECT_TRUE(S("SpEdNuLabs")->isEnabled());
    EXPECT_FALSE(S("SpinEdFrom")->isEnabled());
    EXPECT_FALSE(S("SpinEdTo")->isEnabled());

    C("CheckData")->click();
    EXPECT_TRUE(Lab->DaBa);
    EXPECT_EQ(Lab->PrintInfo->Labs, 10);
    EXPECT_EQ(S("SpEdNuLabs")->value(), 10);
    EXPECT_FALSE(S("SpEdNuLabs")->isEnabled());
    EXPECT_TRUE(S("SpinEdFrom")->isEnabled());
    // Turned on, data printing runs to the last record there is.
    EXPECT_TRUE(Lab->PrintInfo->AllRecords);
    EXPECT_FALSE(S("SpinEdTo")->isEnabled());
    C("CheckAllRecords")->click();
    EXPECT_FALSE(Lab->PrintInfo->AllRecords);
    EXPECT_TRUE(S("SpinEdTo")->isEnabled());
    EXPECT_EQ(S("SpinEdTo")->maximum(), 10);
    // The range is record numbers; a first record after the last is stored as typed.
    S("SpinEdTo")->setValue(4);
    S("SpinEdFrom")->setValue(7);
    EXPECT_EQ(Lab->PrintInfo->FirstLab, 7);
    EXPECT_EQ(Lab->PrintInfo->LastLab, 4);
    S("SpinEdTo")->setValue(50);
    EXPECT_EQ(Lab->PrintInfo->LastLab, 10) << "bounded by the record count";

    C("CheckData")->click();
    EXPECT_FALSE(Lab->DaBa);
    EXPECT_TRUE(S("SpEdNuLabs")->isEnabled());
    EXPECT_FALSE(S("SpinEdFrom")->isEnabled());
    // 30 labels on a sheet of 3 x 2 are accepted.
    S("SpEdNuLabs")->setValue(30);
    EXPECT_EQ(Lab->PrintInfo->Labs, 30);

    // Opening with the flag on shows the count and keeps the design's
    // number of labels (it used to take the count at once, so that merely
    // looking at the dialog changed the design).
    Lab->DaBa = true;
    Lab->PrintInfo->Labs = 1;
    Open(1);
    EXPECT_TRUE(C("CheckData")->isChecked());
    EXPECT_FALSE(Lab->PrintInfo->AllRecords) << "a stored design keeps its range";
    EXPECT_EQ(Lab->PrintInfo->Labs, 1);
    EXPECT_EQ(S("SpinEdTo")->maximum(), 10) << "the print range still reaches every record";
}

TEST_F(LabPropData, FilterBuilderOnSqliteNarrowsTheRecordsAndClosingHandsItToTheDesigner)
{
    Lab->DaBa = true;
    Open(3);
    ASSERT_EQ(Count(), QStringLiteral("10"));

    // "=" on the CITY of a Lyon customer.
    Pick(0, QStringLiteral("CITY"));
    ASSERT_EQ(Dlg->SelectedField()->AsString(), QStringLiteral("Lyon"));
    Dlg->equalityClick();
    EXPECT_EQ(Data().Filter, QStringLiteral("([CITY] = 'Lyon')"));
    EXPECT_TRUE(Data().Filtered);
    EXPECT_EQ(Grid()->model()->rowCount(), 6) << "the grid shows the filtered records";
    EXPECT_EQ(Count(), QStringLiteral("10")) << "the operators do not refresh the count";

    // ">" (inclusive) on the PRICE of Juan, the last Lyon customer, 12.5.
    Pick(5, QStringLiteral("PRICE"));
    EXPECT_EQ(Data().GetRecNo(), 6) << "the grid's cursor moved the table";
    ASSERT_EQ(Dlg->SelectedField()->AsString(), QStringLiteral("12.5"));
    Dlg->greaterClick();
    EXPECT_EQ(Data().Filter, QStringLiteral("([CITY] = 'Lyon') AND ([PRICE] >= 12.5)"));
    EXPECT_EQ(Grid()->model()->rowCount(), 4) << "Ana, Carla, Hugo, Juan: 12.49 is out, 100 is in";
    QStringList names;
    for (int r = 0; r < 4; ++r)
        names << Cell(r, QStringLiteral("NAME"));
    EXPECT_EQ(names, (QStringList{"Ana", "Carla", "Hugo", "Juan"}));

    Dlg->PopupMenu1Popup();
    EXPECT_TRUE(W<QAction>("Execute")->isEnabled());
    EXPECT_TRUE(W<QAction>("Execute")->isChecked());
    W<QAction>("Execute")->trigger();
    EXPECT_EQ(Count(), QStringLiteral("4"));
    EXPECT_EQ(Lab->PrintInfo->Labs, 4);

    // Closing: the designer's table takes source and filter, filtered, and
    // is validated.
    Dlg->reject();
    TKVTable& own = *Lab->Table;
    EXPECT_EQ(own.DatabaseName, Alias);
    EXPECT_EQ(own.TableName, QStringLiteral("clientes"));
    EXPECT_EQ(own.Filter, QStringLiteral("([CITY] = 'Lyon') AND ([PRICE] >= 12.5)"));
    EXPECT_TRUE(own.Filtered);
    EXPECT_TRUE(Lab->DataOK);
    ASSERT_TRUE(own.Active());
    EXPECT_EQ(own.RecordCount(), 4);
}

TEST_F(LabPropData, OtherOperatorsAndTheMenuRules)
{
    Open(3);
    Dlg->PopupMenu1Popup();
    EXPECT_FALSE(W<QAction>("Execute")->isEnabled()) << "no filter yet";
    EXPECT_FALSE(W<QAction>("Delete1")->isEnabled());

    Pick(1, QStringLiteral("QTY")); // Bruno, 1
    W<QAction>("inequality")->trigger();
    Pick(0, QStringLiteral("QTY")); // after the refresh: Ana, 3
    W<QAction>("less")->trigger();
    EXPECT_EQ(Data().Filter, QStringLiteral("([QTY] <> 1) AND ([QTY] <= 3)"));
    EXPECT_EQ(Grid()->model()->rowCount(), 3) << "Ana 3, O'Neil 2, Inés 2; not Bruno and Hugo with 1";

    // Switched off, the filter is kept but not applied.
    Data().Filtered = false;
    Dlg->PopupMenu1Popup();
    EXPECT_TRUE(W<QAction>("Execute")->isEnabled());
    EXPECT_FALSE(W<QAction>("Execute")->isChecked());
    W<QAction>("Execute")->trigger();
    EXPECT_EQ(Count(), QStringLiteral("3"));

    W<QAction>("Delete1")->trigger();
    EXPECT_TRUE(Data().Filter.isEmpty());
    EXPECT_FALSE(Data().Filtered);
    EXPECT_EQ(Count(), QStringLiteral("10"));
    Dlg->PopupMenu1Popup();
    EXPECT_FALSE(W<QAction>("Delete1")->isEnabled());
}

TEST_F(LabPropData, OperatorsWithoutASelectedFieldDoNothing)
{
    // An empty table: no record, so no value to compare with.
    Open(3);
    Choose(Box("CBoxTables"), QStringLiteral("empty"));
    EXPECT_EQ(Count(), QStringLiteral("0"));
    EXPECT_EQ(Dlg->SelectedField(), nullptr);
    for (const char* item : {"equality", "inequality", "less", "greater"})
        W<QAction>(item)->trigger();
    EXPECT_TRUE(Data().Filter.isEmpty());

    // No data source at all.
    Lab->Table->DatabaseName.clear();
    Lab->Table->TableName.clear();
    TKVSession::DeleteAlias(Alias);
    TKVSession::DeleteAlias(OtherAlias);
    Open(3);
    EXPECT_FALSE(Data().Active());
    W<QAction>("equality")->trigger();
    Dlg->DBNavigator1Click(TPropLab::nbLast);
    EXPECT_TRUE(Data().Filter.isEmpty());
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
}

TEST_F(LabPropData, NavigatorAndGridMoveTogether)
{
    Open(3);
    Dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Dlg.get()));
    auto* first = W<QToolButton>("NavFirst");
    auto* prior = W<QToolButton>("NavPrior");
    auto* next = W<QToolButton>("NavNext");
    auto* last = W<QToolButton>("NavLast");
    EXPECT_EQ(Data().GetRecNo(), 1);
    EXPECT_FALSE(first->isEnabled());
    EXPECT_FALSE(prior->isEnabled());
    EXPECT_TRUE(next->isEnabled());

    last->click();
    EXPECT_EQ(Data().GetRecNo(), 10);
    EXPECT_EQ(Grid()->currentIndex().row(), 9);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_FALSE(last->isEnabled());
    prior->click();
    EXPECT_EQ(Data().GetRecNo(), 9);
    EXPECT_EQ(Grid()->currentIndex().row(), 8);
    EXPECT_EQ(Data().FieldByName(QStringLiteral("NAME"))->AsString(), QStringLiteral("Inés"));
    first->click();
    next->click();
    next->click();
    EXPECT_EQ(Data().GetRecNo(), 3);
    EXPECT_EQ(Grid()->currentIndex().row(), 2);
    EXPECT_EQ(Grid()->model()->headerData(2, Qt::Vertical).toString(), QStringLiteral("\u25B6"));
    EXPECT_TRUE(Grid()->model()->headerData(0, Qt::Vertical).toString().isEmpty());

    // A click in the grid moves the table.
    const QRect cell = Grid()->visualRect(Grid()->model()->index(6, 0));
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(Data().GetRecNo(), 7);
    EXPECT_EQ(Data().FieldByName(QStringLiteral("NAME"))->AsString(), QStringLiteral("Gala"));

    // The grid is read-only.
    EXPECT_FALSE(Grid()->model()->flags(Grid()->model()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(Grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(LabPropData, GridReadsAWindowOfALargeTable)
{
    QStringList rows;
    for (int i = 0; i < 1000; ++i)
        rows << QStringLiteral("('item %1', %2)").arg(i).arg(i);
    Exec(Shop, {QStringLiteral("CREATE TABLE big (NAME TEXT, N INTEGER)"),
                QStringLiteral("INSERT INTO big VALUES ") + rows.join(QLatin1Char(','))});
    Lab->Table->TableName = QStringLiteral("big");
    Open(3);
    QAbstractItemModel* m = Grid()->model();
    ASSERT_EQ(m->rowCount(), 1000);
    EXPECT_EQ(m->index(700, 0).data().toString(), QStringLiteral("item 700"));
    EXPECT_EQ(m->index(999, 1).data().toString(), QStringLiteral("999"));
    EXPECT_EQ(m->index(3, 0).data().toString(), QStringLiteral("item 3"));
    EXPECT_LE(Dlg->DaSo->WindowRows(), TKVDataSource::WindowSize);
    // Reading rows for the grid leaves the table's own record alone.
    EXPECT_EQ(Data().GetRecNo(), 1);
}

TEST_F(LabPropData, ClosingByAnyMeansHandsTheSourceToTheDesigner)
{
    const struct {
        const char* How;
        std::function<void(TPropLab&)> Close;
    } ways[] = {
        {"reject", [](TPropLab& D) { D.reject(); }},
        {"accept", [](TPropLab& D) { D.accept(); }},
        {"window close button", [](TPropLab& D) { D.close(); }},
        {"Escape", [](TPropLab& D) { QTest::keyClick(&D, Qt::Key_Escape); }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.How);
        Lab->Table->DatabaseName = Alias;
        Lab->Table->TableName = QStringLiteral("clientes");
        Lab->Table->Filter.clear();
        Lab->DaBa = true;
        Open(3);
        Dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Dlg.get()));
        Choose(Box("CBoxAlias"), OtherAlias);
        Pick(0, QStringLiteral("ITEM"));
        Dlg->equalityClick();
        w.Close(*Dlg);
        EXPECT_FALSE(Dlg->isVisible());
        EXPECT_EQ(Lab->Table->DatabaseName, OtherAlias);
        EXPECT_EQ(Lab->Table->TableName, QStringLiteral("stock.csv"));
        EXPECT_EQ(Lab->Table->Filter, QStringLiteral("([ITEM] = 'bolt')"));
        EXPECT_TRUE(Lab->Table->Filtered);
        EXPECT_TRUE(Lab->DataOK);
        EXPECT_EQ(Lab->Table->RecordCount(), 1);
    }
}

TEST_F(LabPropData, DesignersFilterIsLoadedAndABadOneIsReportedNotFatal)
{
    Lab->Table->Filter = QStringLiteral("([CITY] = 'Lyon')");
    Open(3);
    EXPECT_EQ(Data().Filter, Lab->Table->Filter);
    EXPECT_TRUE(Data().Filtered);
    EXPECT_EQ(Count(), QStringLiteral("6"));
    EXPECT_EQ(Grid()->model()->rowCount(), 6);

    // A filter on a field the table lacks: reported, the dialog still opens
    // and the filter can be deleted.
    Lab->Table->Filter = QStringLiteral("([TOWN] = 'Lyon')");
    TestSupport::TakeMessages();
    Open(3);
    EXPECT_EQ(TestSupport::TakeMessages().size(), 1);
    Dlg->PopupMenu1Popup();
    ASSERT_TRUE(W<QAction>("Delete1")->isEnabled());
    W<QAction>("Delete1")->trigger();
    EXPECT_EQ(Count(), QStringLiteral("10"));
    Dlg->reject();
    EXPECT_TRUE(Lab->Table->Filter.isEmpty());
}
