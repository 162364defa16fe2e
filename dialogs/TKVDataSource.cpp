#include "dialogs/TKVDataSource.h"

#include "document/TKVTable.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

TKVDataSource::TKVDataSource(TKVTable* DataSet, QObject* Parent) : QAbstractTableModel(Parent), Table(DataSet)
{
    TitleFont.setFamily(QStringLiteral("Arial"));
    TitleFont.setPixelSize(12);
}

TKVDataSource::~TKVDataSource() = default;

void TKVDataSource::Reload()
{
    beginResetModel();
    Reader.reset();
    Rows.clear();
    Start = 0;
    Count = 0;
    Titles.clear();
    Indicator = -1;
    if (Table->Active()) {
        for (int i = 0; i < Table->FieldCount(); ++i)
            Titles << Table->Fields(i)->DisplayLabel;
        try {
            Count = Table->RecordCount();
        } catch (const EDBError&) {
            Count = 0;
        }
        Reader = std::make_unique<TKVTable>();
        Reader->DatabaseName = Table->DatabaseName;
        Reader->TableName = Table->TableName;
        Reader->Filter = Table->Filter;
        Reader->Filtered = Table->Filtered;
        Indicator = Table->GetRecNo() - 1;
    }
    endResetModel();
}

void TKVDataSource::RecordChanged()
{
    const int old = Indicator;
    Indicator = Table->Active() ? Table->GetRecNo() - 1 : -1;
    if (old == Indicator)
        return;
    if (old >= 0 && old < Count)
        emit headerDataChanged(Qt::Vertical, old, old);
    if (Indicator >= 0 && Indicator < Count)
        emit headerDataChanged(Qt::Vertical, Indicator, Indicator);
}

bool TKVDataSource::Load(int Row) const
{
    if (!Reader)
        return false;
    // Centre the window a little behind the row, so that scrolling back by
    // a few rows does not read the table again from the top.
    int first = std::max(0, Row - WindowSize / 4);
    first = std::min(first, std::max(0, Count - WindowSize));
    Rows.clear();
    Start = first;
    try {
        if (!Reader->Active())
            Reader->Open();
        int position = Reader->GetRecNo() - 1;
        if (position < 0)
            return false; // an empty result
        if (first < position) {
            Reader->First();
            position = 0;
        }
        Reader->MoveBy(first - position);
        if (Reader->GetRecNo() - 1 != first)
            return false; // fewer records than counted: the source changed
        const int wanted = std::min(WindowSize, Count - first);
        for (int k = 0; k < wanted; ++k) {
            QStringList row;
            row.reserve(Reader->FieldCount());
            for (int i = 0; i < Reader->FieldCount(); ++i)
                row << Reader->Fields(i)->AsString();
            Rows.push_back(std::move(row));
            if (k + 1 < wanted) {
                const int before = Reader->GetRecNo();
                Reader->Next();
                if (Reader->GetRecNo() == before)
                    break;
            }
        }
    } catch (const EDBError&) {
        // The grid shows empty cells; the table's own user reports errors.
        Reader->Close();
        Rows.clear();
        return false;
    }
    return Row >= Start && Row < Start + int(Rows.size());
}

int TKVDataSource::rowCount(const QModelIndex& Parent) const { return Parent.isValid() ? 0 : Count; }

int TKVDataSource::columnCount(const QModelIndex& Parent) const { return Parent.isValid() ? 0 : int(Titles.size()); }

QVariant TKVDataSource::data(const QModelIndex& Index, int Role) const
{
    if (Role != Qt::DisplayRole || !Index.isValid() || Index.row() >= Count || Index.column() >= Titles.size())
        return {};
    const int row = Index.row();
    if (row < Start || row >= Start + int(Rows.size()))
        if (!Load(row))
            return {};
    const QStringList& values = Rows[std::size_t(row - Start)];
    return Index.column() < values.size() ? values[Index.column()] : QString();
}

QVariant TKVDataSource::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
    if (Orientation == Qt::Horizontal) {
        switch (Role) {
        case Qt::DisplayRole: return Section >= 0 && Section < Titles.size() ? Titles[Section] : QVariant();
        case Qt::FontRole: return TitleFont;
        case Qt::ForegroundRole: return QBrush(QColor(0, 0, 128)); // navy
        default: return {};
        }
    }
    // The row indicator: an arrow at the current record.
    if (Role == Qt::DisplayRole)
        return Section == Indicator ? QStringLiteral("\u25B6") : QString();
    return {};
}

Qt::ItemFlags TKVDataSource::flags(const QModelIndex& Index) const
{
    return Index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
