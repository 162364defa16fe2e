// TKVDataSource: feeds a read-only grid from a TKVTable. The table is a
// forward cursor whose current record belongs to its user (the label
// dialog's navigator and filter builder), so the rows the grid shows are
// read through a second cursor over the same source. Only a window of rows
// around the last one asked for is kept, so memory does not grow with the
// table.
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QStringList>
#include <memory>
#include <vector>

class TKVTable;

class TKVDataSource : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TKVDataSource(TKVTable* DataSet, QObject* Parent = nullptr);
    ~TKVDataSource() override;

    // Rows kept at a time.
    static constexpr int WindowSize = 200;

    // Reads the table's source, filter and columns again; call after the
    // table was opened, closed, refreshed or re-filtered.
    void Reload();
    // Marks the table's current record in the row indicator.
    void RecordChanged();

    TKVTable* DataSet() const { return Table; }
    // The first row and the number of rows held now.
    int WindowStart() const { return Start; }
    int WindowRows() const { return int(Rows.size()); }

    int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& Parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& Index) const override;

private:
    // Reads the window that holds Row; false when the row cannot be read.
    bool Load(int Row) const;

    TKVTable* Table;
    QFont TitleFont;
    int Count = 0;
    QStringList Titles;
    // The reading cursor and the window it filled.
    mutable std::unique_ptr<TKVTable> Reader;
    mutable int Start = 0;
    mutable std::vector<QStringList> Rows;
    int Indicator = -1; // row of the table's current record
};
