// TKVCsvDataSet: one .csv file of a folder alias read as a table. The file is
// RFC 4180 text in UTF-8 (with or without a byte-order mark) whose first row
// holds the field names. It is streamed record by record, never loaded whole;
// the filter is evaluated in memory on each record.
#pragma once

#include "document/TKVDataSet.h"
#include "document/TKVFilter.h"

#include <QStringList>
#include <memory>
#include <vector>

class TKVCsvReader;

class TKVCsvDataSet : public TKVDataSet
{
public:
    // Path is the .csv file. Throws EDBError when it cannot be read or the
    // filter names an unknown field.
    TKVCsvDataSet(const QString& Path, TKVFilter Filter);
    ~TKVCsvDataSet() override;

    int FieldCount() const override { return int(Names.size()); }
    QString FieldName(int Index) const override { return Names.value(Index); }
    TKVFieldType FieldType(int Index) const override
    {
        return Booleans[std::size_t(Index)] ? TKVFieldType::ftBoolean : TKVFieldType::ftString;
    }
    void Rewind() override;
    bool Fetch() override;
    QVariant Value(int Index) const override { return Row.value(Index); }
    int RecordCount() override;

    // The .csv files of a folder, sorted, with or without the extension.
    static QStringList TableNames(const QString& Folder, bool Extensions);
    // The file a table name stands for: the name with or without ".csv",
    // exact case first. Only files the folder lists can be named, so a name
    // cannot reach outside it. Throws EDBError when there is none.
    static QString ResolveTable(const QString& Folder, const QString& TableName);

private:
    // A reader standing after the header row.
    std::unique_ptr<TKVCsvReader> OpenReader() const;

    QString Path;
    TKVFilter Filter;
    QStringList Names;
    std::vector<bool> Booleans;
    std::unique_ptr<TKVCsvReader> Reader;
    QStringList Row;
    bool Fresh = false; // positioned before the first record
    int Total = 0;      // records in the file
    int Count = -1;     // records that pass the filter
};
