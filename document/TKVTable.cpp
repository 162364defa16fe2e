#include "document/TKVTable.h"

#include "document/TKVFilter.h"
#include "document/TKVSession.h"
#include "strings/KVLanguage.h"

#include <QCryptographicHash>

#include <algorithm>

namespace {
TKVDataSetFactory& Factory()
{
    static TKVDataSetFactory f = &TKVSession::OpenDataSet;
    return f;
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
    const QString text = v.toString();
    bool word = false;
    if (KVBooleanWord(text, word))
        return word;
    return TKVFilter::IsNumber(text) && text.trimmed().toDouble() != 0;
}

TKVTable::TKVTable() = default;
TKVTable::~TKVTable() = default;

void TKVTable::SetDataSetFactory(TKVDataSetFactory F)
{
    Factory() = F ? std::move(F) : TKVDataSetFactory(&TKVSession::OpenDataSet);
}

std::unique_ptr<TKVDataSet> TKVTable::OpenDataSet() const
{
    std::unique_ptr<TKVDataSet> ds = Factory()(DatabaseName, TableName, Filtered ? Filter : QString());
    if (!ds)
        throw EDBError(KVLanguage::Text("KVMessages", "No se puede abrir la tabla %1 de %2").arg(TableName, DatabaseName));
    return ds;
}

void TKVTable::MakeFields()
{
    // Callers may hold fields across a Refresh (the label dialog's filter
    // builder does): keep them while the table's columns are the same.
    bool same = int(FieldList.size()) == DataSet->FieldCount();
    for (int i = 0; same && i < DataSet->FieldCount(); ++i)
        same = FieldList[std::size_t(i)]->FieldName == DataSet->FieldName(i) &&
               FieldList[std::size_t(i)]->DataType == DataSet->FieldType(i);
    if (same)
        return;
    FieldList.clear();
    for (int i = 0; i < DataSet->FieldCount(); ++i)
        FieldList.push_back(std::make_unique<TKVField>(this, i, DataSet->FieldName(i), DataSet->FieldType(i)));
}

void TKVTable::Open()
{
    if (Active())
        return;
    DataSet = OpenDataSet();
    MakeFields();
    First();
}

void TKVTable::Close()
{
    DataSet.reset();
    FieldList.clear();
    OnRecord = false;
    PastEnd = false;
    RecNo = -1;
}

void TKVTable::Refresh()
{
    if (!Active())
        return;
    std::unique_ptr<TKVDataSet> ds = OpenDataSet();
    DataSet = std::move(ds);
    MakeFields();
    First();
}

void TKVTable::First()
{
    if (!DataSet)
        return;
    DataSet->Rewind();
    PastEnd = false;
    OnRecord = DataSet->Fetch();
    RecNo = OnRecord ? 0 : -1;
}

void TKVTable::Next()
{
    if (!DataSet)
        return;
    if (DataSet->Fetch()) {
        OnRecord = true;
        ++RecNo;
    } else {
        PastEnd = true;
    }
}

void TKVTable::MoveBy(int Distance)
{
    if (!DataSet || !OnRecord)
        return;
    if (Distance < 0) {
        // A forward cursor cannot step back: read again up to the target.
        const int target = std::max(0, RecNo + Distance);
        First();
        Distance = target;
    }
    for (int i = 0; i < Distance; ++i) {
        if (!DataSet->Fetch()) {
            PastEnd = true;
            break;
        }
        ++RecNo;
    }
}

int TKVTable::RecordCount() { return DataSet ? DataSet->RecordCount() : 0; }

TKVField* TKVTable::Fields(int Index) const
{
    if (Index < 0 || Index >= FieldCount())
        throw EDBError(KVLanguage::Text("KVMessages", "Índice de campo fuera de rango: %1").arg(Index));
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
    throw EDBError(KVLanguage::Text("KVMessages", "No se encuentra el campo '%1'").arg(Name));
}

QVariant TKVTable::CurrentValue(int Index) const
{
    if (!DataSet || !OnRecord)
        return {};
    return DataSet->Value(Index);
}

QByteArray TKVTable::CurrentKey() const
{
    if (!DataSet || !OnRecord || PastEnd)
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int i = 0; i < DataSet->FieldCount(); ++i) {
        const QVariant v = DataSet->Value(i);
        // Type and length first: ("ab", "c") and ("a", "bc") differ.
        const QByteArray text = v.isNull() ? QByteArray() : v.toString().toUtf8();
        const qint64 head[] = {v.isNull() ? -1 : qint64(v.typeId()), qint64(text.size())};
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(head), sizeof head));
        hash.addData(text);
    }
    return hash.result().left(8).toHex();
}
