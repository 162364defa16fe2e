// TKVDataSet: what a data-source backend gives a TKVTable, a forward cursor
// over the rows of one filtered table. Backends (SQL databases, CSV folders)
// and test doubles implement it.
#pragma once

#include <QString>
#include <QVariant>
#include <memory>

enum class TKVFieldType { ftString, ftInteger, ftFloat, ftBoolean, ftDate, ftOther };

// Types that a backend reads from the values rather than from a declaration
// (CSV numbers, SQL columns holding only 0 and 1) are judged on this many
// first records: opening a large table for a few labels stays quick.
constexpr int KVTypingSampleRecords = 1000;

class TKVDataSet
{
public:
    virtual ~TKVDataSet() = default;
    virtual int FieldCount() const = 0;
    virtual QString FieldName(int Index) const = 0;
    virtual TKVFieldType FieldType(int Index) const = 0;
    // Back before the first row; the next Fetch reads the first row.
    virtual void Rewind() = 0;
    // Reads the next row; false when there is none (the cursor then keeps
    // the last row it read).
    virtual bool Fetch() = 0;
    virtual QVariant Value(int Index) const = 0;
    virtual int RecordCount() = 0;
};
