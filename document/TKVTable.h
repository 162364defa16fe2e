// TKVTable: the label's data source: a database alias, a table and a record
// filter, opened as a forward cursor. Field values are read from the record
// the table stands on; moving past the last record stays on it.
#pragma once

#include "document/TKVDataSet.h"
#include "types/EKvError.h"

#include <QByteArray>
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
    // The same words as the CSV Boolean columns, or a non-zero number.
    bool AsBoolean() const;
    QVariant Value() const;
    // The table the field belongs to.
    TKVTable* DataSet() const { return Table; }

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

    // Opens the table on its first record, or throws EDBError.
    void Open();
    void Close();
    bool Active() const { return DataSet != nullptr; }
    // Reads the table again with the current filter and filter switch and
    // stands on the first record. On EDBError the table stays as it was.
    void Refresh();
    void First();
    // Past the last record the table stays on it.
    void Next();
    // Forward moves read on; a backward move reads again from the top.
    void MoveBy(int Distance);
    // True once a move went past the last record, or when there is none.
    bool Eof() const { return !OnRecord || PastEnd; }
    // 1-based number of the current record, 0 on an empty or closed table.
    int GetRecNo() const { return OnRecord ? RecNo + 1 : 0; }
    int RecordCount();
    int FieldCount() const { return int(FieldList.size()); }
    TKVField* Fields(int Index) const;
    // The field of that name (case-insensitive) or EDBError.
    TKVField* FieldByName(const QString& Name) const;
    TKVField* FindField(const QString& Name) const;

    QVariant CurrentValue(int Index) const;
    // A fingerprint of the current record's values (empty when the table
    // stands on none): two readings of the data agree on a record when
    // their fingerprints do.
    QByteArray CurrentKey() const;

    // Where data sets come from. The session's aliases (TKVSession) are the
    // default; an empty factory puts that default back.
    static void SetDataSetFactory(TKVDataSetFactory Factory);

private:
    std::unique_ptr<TKVDataSet> OpenDataSet() const;
    void MakeFields();

    std::unique_ptr<TKVDataSet> DataSet;
    std::vector<std::unique_ptr<TKVField>> FieldList;
    bool OnRecord = false;
    bool PastEnd = false;
    int RecNo = -1; // 0-based index of the record the cursor stands on
};
