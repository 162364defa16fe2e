// TKVCsvDataSet: one .csv file of a folder alias read as a table, the way
// spreadsheets and other programs write them: fields separated by commas,
// semicolons or tabs (detected from the header row unless the alias names
// one), UTF-8 with or without a byte-order mark or Windows-1252 (text that is
// not valid UTF-8), records ended by CR, LF or CRLF, quoted fields holding
// separators, doubled quotes and line breaks. The first record holds the
// field names. The file is streamed record by record, never loaded whole, and
// only regular files are read; a record longer than KVLimits::MaxCsvRecordBytes
// is an error. The filter is evaluated in memory on each record; in a file
// not separated by commas, numbers may carry a decimal comma.
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
    // Path is the .csv file; Separator is ',', ';' or '\t', or 0 to detect
    // it. Throws EDBError when the file cannot be read or the filter names an
    // unknown field.
    TKVCsvDataSet(const QString& Path, TKVFilter Filter, char Separator = 0);
    ~TKVCsvDataSet() override;

    int FieldCount() const override { return int(Names.size()); }
    QString FieldName(int Index) const override { return Names.value(Index); }
    TKVFieldType FieldType(int Index) const override { return Types[std::size_t(Index)]; }
    void Rewind() override;
    bool Fetch() override;
    QVariant Value(int Index) const override { return Row.value(Index); }
    int RecordCount() override;

    // The separator a folder alias names in its parameters ("sep=;", "sep=tab"
    // after a '?'), 0 when none. Throws EDBError for any other parameter.
    static char ParseOptions(const QString& Options);
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
    char Separator = 0;
    QStringList Names;
    std::vector<TKVFieldType> Types;
    std::vector<bool> Booleans;
    std::unique_ptr<TKVCsvReader> Reader;
    QStringList Row;
    bool Fresh = false; // positioned before the first record
    int Total = 0;      // records in the file
    int Count = -1;     // records that pass the filter
};
