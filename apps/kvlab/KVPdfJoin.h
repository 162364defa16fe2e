// Joins the PDF parts of a run printed by several jobs into one document,
// and makes the document's dates reproducible.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace KVPdfJoin {
// The time a reproducible build asks documents to carry (SOURCE_DATE_EPOCH,
// seconds since 1970 in UTC); none when it is not set or malformed.
std::optional<QDateTime> SourceDate();
// SOURCE_DATE_EPOCH when it is set but no such time: a run asked to be
// reproducible that cannot be is refused rather than dated now. Empty
// otherwise.
QByteArray MalformedSourceDate();

// Writes the pages of Parts (PDFs of Qt's writer), in order, as the PDF
// Output. The document's title, creator and producer come from the first
// part; its creation date is Date when given, otherwise the first part's.
// Objects are copied as they are, streams not compressed again, and the
// file's ID is derived from its content, so the same parts and date give
// the same bytes. What went wrong, or nothing.
QString Join(const QStringList& Parts, const QString& Output, const std::optional<QDateTime>& Date);
}
