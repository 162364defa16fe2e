// A data set that serves a few records from memory, installed as the data
// source of every TKVTable while a TableDouble lives.
#pragma once

#include "document/TKVDataSet.h"
#include "document/TKVTable.h"

#include <QVariant>
#include <utility>
#include <vector>

class MemoryDataSet : public TKVDataSet
{
public:
    MemoryDataSet(std::vector<std::pair<QString, TKVFieldType>> Fields, std::vector<std::vector<QVariant>> Rows)
        : FieldList(std::move(Fields)), Rows(std::move(Rows))
    {
    }
    int FieldCount() const override { return int(FieldList.size()); }
    QString FieldName(int Index) const override { return FieldList[std::size_t(Index)].first; }
    TKVFieldType FieldType(int Index) const override { return FieldList[std::size_t(Index)].second; }
    void Rewind() override { Row = -1; }
    bool Fetch() override
    {
        if (Row + 1 >= int(Rows.size()))
            return false;
        ++Row;
        return true;
    }
    QVariant Value(int Index) const override { return Row < 0 ? QVariant() : Rows[std::size_t(Row)][std::size_t(Index)]; }
    int RecordCount() override { return int(Rows.size()); }

private:
    std::vector<std::pair<QString, TKVFieldType>> FieldList;
    std::vector<std::vector<QVariant>> Rows;
    int Row = -1;
};

// Every table opens these records, whatever its alias and name say.
class TableDouble
{
public:
    TableDouble(std::vector<std::pair<QString, TKVFieldType>> Fields, std::vector<std::vector<QVariant>> Rows)
    {
        TKVTable::SetDataSetFactory([Fields, Rows](const QString&, const QString&, const QString&) {
            return std::make_unique<MemoryDataSet>(Fields, Rows);
        });
    }
    ~TableDouble() { TKVTable::SetDataSetFactory(nullptr); }
    TableDouble(const TableDouble&) = delete;
    TableDouble& operator=(const TableDouble&) = delete;
};
