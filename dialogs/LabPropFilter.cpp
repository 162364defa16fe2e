#include "dialogs/LabPropFilter.h"

#include "document/TKVTable.h"
#include "types/KVtypes.h"

QString Condition(const TKVField* Field, const QString& Op)
{
    QString value = Field->AsString();
    switch (Field->DataType) {
    case TKVFieldType::ftString:
    case TKVFieldType::ftDate: PascalStr(value); break;
    case TKVFieldType::ftFloat: ComaStr(value); break;
    default: break;
    }
    return QStringLiteral("([%1] %2 %3)").arg(Field->FieldName, Op, value);
}

void AddFilter(TKVField* Field, const QString& Op)
{
    TKVTable* table = Field->DataSet();
    const QString condition = Condition(Field, Op);
    table->Filter = table->Filter.isEmpty() ? condition : table->Filter + QStringLiteral(" AND ") + condition;
    table->Filtered = true;
    table->Refresh();
}
