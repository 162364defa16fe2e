#include "document/TKVCsvDataSet.h"

#include "document/TKVTable.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

// Reads RFC 4180 records line by line: a quoted field may hold commas,
// doubled quotes and line breaks. Lenient where the RFC is strict: text
// after a closing quote is kept, an unterminated quote ends at the end of
// the file, blank lines are skipped, and a record may have fewer or more
// fields than the header.
class TKVCsvReader
{
public:
    explicit TKVCsvReader(const QString& Path) : File(Path)
    {
        if (!File.open(QIODevice::ReadOnly))
            throw EDBError(QStringLiteral("Cannot read %1: %2").arg(Path, File.errorString()));
        Stream.setDevice(&File);
        Stream.setEncoding(QStringConverter::Utf8);
        Stream.setAutoDetectUnicode(true);
    }

    bool Read(QStringList& Fields)
    {
        Fields.clear();
        do {
            if (!Stream.readLineInto(&Line))
                return false;
        } while (Line.isEmpty());
        QString field;
        bool inQuotes = false;
        bool atStart = true;
        qsizetype i = 0;
        for (;;) {
            if (i >= Line.size()) {
                if (inQuotes && Stream.readLineInto(&Line)) {
                    field += QLatin1Char('\n');
                    i = 0;
                    continue;
                }
                break;
            }
            const QChar ch = Line[i++];
            if (inQuotes) {
                if (ch != QLatin1Char('"'))
                    field += ch;
                else if (i < Line.size() && Line[i] == QLatin1Char('"')) {
                    field += ch;
                    ++i;
                } else
                    inQuotes = false;
            } else if (ch == QLatin1Char(',')) {
                Fields << field;
                field.clear();
                atStart = true;
                continue;
            } else if (ch == QLatin1Char('"') && atStart) {
                inQuotes = true;
            } else {
                field += ch;
            }
            atStart = false;
        }
        Fields << field;
        return true;
    }

private:
    QFile File;
    QTextStream Stream;
    QString Line;
};

TKVCsvDataSet::TKVCsvDataSet(const QString& Path, TKVFilter Filter) : Path(Path), Filter(std::move(Filter))
{
    Reader = std::make_unique<TKVCsvReader>(Path);
    if (!Reader->Read(Names))
        throw EDBError(QStringLiteral("The CSV file has no header row: %1").arg(Path));
    if (!Names.isEmpty() && Names[0].startsWith(QChar(0xFEFF)))
        Names[0].remove(0, 1);

    // One pass to type the columns: Boolean when every value that is there
    // is a Boolean word, text otherwise.
    std::vector<bool> allWords(std::size_t(Names.size()), true), anyValue(std::size_t(Names.size()), false);
    // The pass ends as soon as every column is known to be text: a run of
    // a few labels from a file of a million rows does not read it all first.
    QStringList record;
    qsizetype undecided = Names.size();
    bool whole = true;
    while (undecided > 0 || Names.isEmpty()) {
        if (!Reader->Read(record))
            break;
        ++Total;
        for (qsizetype i = 0; i < Names.size(); ++i) {
            const QString v = record.value(i);
            if (v.trimmed().isEmpty())
                continue;
            anyValue[std::size_t(i)] = true;
            bool b = false;
            if (allWords[std::size_t(i)] && !KVBooleanWord(v, b)) {
                allWords[std::size_t(i)] = false;
                --undecided;
            }
        }
        if (undecided == 0)
            whole = false;
    }
    for (std::size_t i = 0; i < allWords.size(); ++i)
        Booleans.push_back(allWords[i] && anyValue[i]);
    this->Filter.Bind(Names);
    // Counted while typing only when the pass read the whole file; otherwise
    // RecordCount counts when asked.
    if (this->Filter.IsEmpty() && whole)
        Count = Total;
    Reader = OpenReader();
    Fresh = true;
}

TKVCsvDataSet::~TKVCsvDataSet() = default;

std::unique_ptr<TKVCsvReader> TKVCsvDataSet::OpenReader() const
{
    auto reader = std::make_unique<TKVCsvReader>(Path);
    QStringList header;
    reader->Read(header);
    return reader;
}

void TKVCsvDataSet::Rewind()
{
    if (Fresh)
        return;
    Reader = OpenReader();
    Fresh = true;
}

bool TKVCsvDataSet::Fetch()
{
    Fresh = false;
    QStringList record;
    while (Reader->Read(record)) {
        if (!Filter.Matches(record, Booleans))
            continue;
        record.resize(Names.size());
        Row = std::move(record);
        return true;
    }
    return false;
}

int TKVCsvDataSet::RecordCount()
{
    if (Count < 0) {
        const std::unique_ptr<TKVCsvReader> reader = OpenReader();
        QStringList record;
        int n = 0;
        while (reader->Read(record))
            n += Filter.Matches(record, Booleans) ? 1 : 0;
        Count = n;
    }
    return Count;
}

QStringList TKVCsvDataSet::TableNames(const QString& Folder, bool Extensions)
{
    QStringList names;
    const QDir dir(Folder);
    for (const QString& file : dir.entryList({QStringLiteral("*.csv")}, QDir::Files | QDir::Readable))
        names << (Extensions ? file : file.chopped(4));
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString TKVCsvDataSet::ResolveTable(const QString& Folder, const QString& TableName)
{
    const QDir dir(Folder);
    const QStringList files = dir.entryList({QStringLiteral("*.csv")}, QDir::Files | QDir::Readable);
    const QString wanted = TableName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? TableName
                                                                                          : TableName + QLatin1String(".csv");
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive})
        for (const QString& f : files)
            if (f.compare(wanted, cs) == 0)
                return dir.filePath(f);
    throw EDBError(QStringLiteral("Table not found: %1 in %2").arg(TableName, Folder));
}
