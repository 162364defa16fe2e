// The filter builder of the label properties dialog, usable without the
// dialog: a condition on a field's current value, and its addition to the
// filter of the field's table.
#pragma once

#include <QString>

class TKVField;

// "([FIELD] Op value)" with the field's current text as the value: quoted
// with doubled apostrophes for text and date fields, with a decimal point
// for float fields, as it stands for every other type.
QString Condition(const TKVField* Field, const QString& Op);

// Appends Condition(Field, Op) to the filter of the field's table, joined by
// " AND " after any filter it has, switches the filter on and refreshes the
// table. A filter the data layer cannot use raises EDBError.
void AddFilter(TKVField* Field, const QString& Op);
