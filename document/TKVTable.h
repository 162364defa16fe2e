// TKVTable: the label's data source: a database alias, a table and a record
// filter, opened as a forward cursor. Field values are read from the record
// the table stands on; moving past the last record stays on it.
#pragma once

#include "document/TKVDataSet.h"
#include "types/EKvError.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

// Every failure of the data layer: missing database or table, bad filter,
// unknown field.
class EDBError : public EKvError
{
public:
    using EKvError::EKvError;
};

class TKVTable;

class TKVField
{
public:
    TKVField(TKVTable* Table, int Index, QString Name, TKVFieldType Type);
    QString FieldName;
    TKVFieldType DataType;
    QString DisplayLabel;
    QString AsString() const;
    bool AsBoolean() const;
    QVariant Value() const;

private:
    TKVTable* Table;
    int Index;
};

// Opens a data set for an alias, a table and a filter, or throws EDBError.
using TKVDataSetFactory =
    std::function<std::unique_ptr<TKVDataSet>(const QString& DatabaseName, const QString& TableName, const QString& Filter)>;

class TKVTable
{
public:
    TKVTable();
    ~TKVTable();

    QString DatabaseName;
    QString TableName;
    QString Filter;
    bool Filtered = false;

    void Open();
    void Close();
    bool Active() const { return DataSet != nullptr; }
    void Refresh();
    void First();
    void Next();
    void MoveBy(int Distance);
    int RecordCount();
    int FieldCount() const { return int(FieldList.size()); }
    TKVField* Fields(int Index) const;
    // The field of that name (case-insensitive) or EDBError.
    TKVField* FieldByName(const QString& Name) const;
    TKVField* FindField(const QString& Name) const;

    QVariant CurrentValue(int Index) const;

    // Where data sets come from; the data-source layer installs its own.
    static void SetDataSetFactory(TKVDataSetFactory Factory);

private:
    std::unique_ptr<TKVDataSet> DataSet;
    std::vector<std::unique_ptr<TKVField>> FieldList;
    bool OnRecord = false;
};
