#include "document/TKVTable.h"

namespace {
TKVDataSetFactory& Factory()
{
    static TKVDataSetFactory f;
    return f;
}

bool WordIsTrue(const QString& Text, bool& Known)
{
    static const QStringList yes{QStringLiteral("1"), QStringLiteral("true"), QStringLiteral("yes"),
                                 QStringLiteral("si"), QStringLiteral("sí"), QStringLiteral("t"),
                                 QStringLiteral("y")};
    static const QStringList no{QStringLiteral("0"), QStringLiteral("false"), QStringLiteral("no"),
                                QStringLiteral("f"), QStringLiteral("n"), QString()};
    const QString t = Text.trimmed().toLower();
    Known = true;
    if (yes.contains(t))
        return true;
    if (no.contains(t))
        return false;
    Known = false;
    return false;
}
}

TKVField::TKVField(TKVTable* Table, int Index, QString Name, TKVFieldType Type)
    : FieldName(Name), DataType(Type), DisplayLabel(Name), Table(Table), Index(Index)
{
}

QVariant TKVField::Value() const { return Table->CurrentValue(Index); }

QString TKVField::AsString() const
{
    const QVariant v = Value();
    if (!v.isValid() || v.isNull())
        return {};
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

bool TKVField::AsBoolean() const
{
    const QVariant v = Value();
    if (!v.isValid() || v.isNull())
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    bool known = false;
    const bool word = WordIsTrue(v.toString(), known);
    if (known)
        return word;
    bool isNumber = false;
    const double n = v.toString().trimmed().toDouble(&isNumber);
    return isNumber && n != 0;
}

TKVTable::TKVTable() = default;
TKVTable::~TKVTable() = default;

void TKVTable::SetDataSetFactory(TKVDataSetFactory F) { Factory() = std::move(F); }

void TKVTable::Open()
{
    if (Active())
        return;
    if (!Factory())
        throw EDBError(QStringLiteral("No data source layer is available"));
    std::unique_ptr<TKVDataSet> ds = Factory()(DatabaseName, TableName, Filtered ? Filter : QString());
    if (!ds)
        throw EDBError(QStringLiteral("Cannot open table %1 of %2").arg(TableName, DatabaseName));
    FieldList.clear();
    for (int i = 0; i < ds->FieldCount(); ++i)
        FieldList.push_back(std::make_unique<TKVField>(this, i, ds->FieldName(i), ds->FieldType(i)));
    DataSet = std::move(ds);
    First();
}

void TKVTable::Close()
{
    DataSet.reset();
    FieldList.clear();
    OnRecord = false;
}

void TKVTable::Refresh()
{
    if (Active())
        First();
}

void TKVTable::First()
{
    if (!DataSet)
        return;
    DataSet->Rewind();
    OnRecord = DataSet->Fetch();
}

void TKVTable::Next()
{
    if (DataSet && DataSet->Fetch())
        OnRecord = true;
}

void TKVTable::MoveBy(int Distance)
{
    // The cursor only goes forward; a backward move starts again from the top.
    if (!DataSet)
        return;
    for (int i = 0; i < Distance; ++i)
        if (!DataSet->Fetch())
            break;
}

int TKVTable::RecordCount() { return DataSet ? DataSet->RecordCount() : 0; }

TKVField* TKVTable::Fields(int Index) const
{
    if (Index < 0 || Index >= FieldCount())
        throw EDBError(QStringLiteral("Field index out of range: %1").arg(Index));
    return FieldList[std::size_t(Index)].get();
}

TKVField* TKVTable::FindField(const QString& Name) const
{
    for (const auto& f : FieldList)
        if (f->FieldName.compare(Name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

TKVField* TKVTable::FieldByName(const QString& Name) const
{
    if (TKVField* f = FindField(Name))
        return f;
    throw EDBError(QStringLiteral("Field '%1' not found").arg(Name));
}

QVariant TKVTable::CurrentValue(int Index) const
{
    if (!DataSet || !OnRecord)
        return {};
    return DataSet->Value(Index);
}
