#include "document/TKVCsvDataSet.h"

#include "document/TKVStream.h"
#include "document/TKVTable.h"
#include "strings/KVLanguage.h"
#include "types/KVLimits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QUrlQuery>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Reads records byte by byte from a block buffer: separators, quotes and line
// ends are ASCII in both encodings, so the record structure is found before
// any text is decoded, and no line is read whole before its length is known.
// Lenient where RFC 4180 is strict: text after a closing quote is kept, an
// unterminated quote ends at the end of the file, blank lines are skipped,
// and a record may have fewer or more fields than the header.
class TKVCsvReader
{
public:
    TKVCsvReader(const QString& Path, char Separator) : Path(Path), Sep(Separator)
    {
        // Devices, pipes and sockets are refused before they are opened: a
        // table named after /dev/zero or a FIFO would never end, or never
        // start. The descriptor is checked again, as the name may have been
        // changed in between; O_NONBLOCK keeps that open from waiting for a
        // FIFO's writer.
        if (!QFileInfo(Path).isFile())
            throw EDBError(KVLanguage::Text("KVMessages", "No es un archivo normal: %1").arg(Path));
        const int fd = ::open(QFile::encodeName(Path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            throw EDBError(KVLanguage::Text("KVMessages", "No se puede leer %1: %2").arg(Path, QString::fromLocal8Bit(std::strerror(errno))));
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            throw EDBError(KVLanguage::Text("KVMessages", "No es un archivo normal: %1").arg(Path));
        }
        if (!File.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
            throw EDBError(KVLanguage::Text("KVMessages", "No se puede leer %1: %2").arg(Path, File.errorString()));
        if (Peek(0) == 0xEF && Peek(1) == 0xBB && Peek(2) == 0xBF) {
            Pos += 3;
            Encoding = TEncoding::Utf8;
        }
        if (Sep == 0)
            Sep = DetectSeparator();
    }

    char Separator() const { return Sep; }

    // The next record's fields; false at the end of the file. Throws
    // EDBError for a record longer than the limit.
    bool Read(QStringList& Fields)
    {
        Fields.clear();
        // Blank lines hold no record.
        for (;;) {
            const int c = Peek(0);
            if (c < 0)
                return false;
            if (c != '\r' && c != '\n')
                break;
            EndLine();
        }
        const qint64 line = Line;
        qint64 size = 0;
        QByteArray field;
        bool quoted = false;
        bool atStart = true;
        const auto take = [&](qsizetype n) {
            size += n;
            if (size > KVLimits::MaxCsvRecordBytes)
                throw EDBError(KVLanguage::Text("KVMessages", "El registro de la línea %1 de %2 pasa de %3 bytes")
                                   .arg(line)
                                   .arg(Path)
                                   .arg(KVLimits::MaxCsvRecordBytes));
        };
        for (;;) {
            if (Pos >= Buffer.size() && !Fill()) {
                // An unterminated quote ends with the file, without the
                // file's last line end.
                if (quoted && field.endsWith('\n'))
                    field.chop(1);
                break;
            }
            const char* data = Buffer.constData();
            if (quoted) {
                // Up to the next quote or line end, all of it field text.
                qsizetype end = Pos;
                while (end < Buffer.size() && data[end] != '"' && data[end] != '\r' && data[end] != '\n')
                    ++end;
                take(end - Pos);
                field.append(data + Pos, end - Pos);
                Pos = end;
                if (Pos >= Buffer.size())
                    continue;
                const char c = data[Pos];
                if (c == '"') {
                    take(1);
                    ++Pos;
                    if (Peek(0) == '"') {
                        take(1);
                        ++Pos;
                        field += '"';
                    } else {
                        quoted = false;
                    }
                } else {
                    // A line break inside quotes is part of the field, as LF.
                    take(c == '\r' && Peek(1) == '\n' ? 2 : 1);
                    EndLine();
                    field += '\n';
                }
                continue;
            }
            qsizetype end = Pos;
            while (end < Buffer.size() && data[end] != Sep && data[end] != '\r' && data[end] != '\n' &&
                   (data[end] != '"' || !atStart || end > Pos))
                ++end;
            if (end > Pos) {
                take(end - Pos);
                field.append(data + Pos, end - Pos);
                Pos = end;
                atStart = false;
                continue;
            }
            const char c = data[Pos];
            if (c == '\r' || c == '\n') {
                EndLine();
                break;
            }
            take(1);
            ++Pos;
            if (c == '"') {
                quoted = true;
                atStart = false;
            } else {
                Fields << Decode(field);
                field.clear();
                atStart = true;
            }
        }
        Fields << Decode(field);
        return true;
    }

private:
    enum class TEncoding { Undecided, Utf8, Windows1252 };

    // Appends the next block of the file; false at its end.
    bool Fill()
    {
        if (AtEnd)
            return false;
        if (Pos > 0) {
            Buffer.remove(0, Pos);
            Pos = 0;
        }
        constexpr qsizetype block = 64 * 1024;
        const qsizetype had = Buffer.size();
        Buffer.resize(had + block);
        const qint64 n = File.read(Buffer.data() + had, block);
        Buffer.resize(had + std::max<qint64>(n, 0));
        if (n < 0)
            throw EDBError(KVLanguage::Text("KVMessages", "No se puede leer %1: %2").arg(Path, File.errorString()));
        if (n == 0)
            AtEnd = true;
        return n > 0;
    }

    // The byte Ahead bytes on, or -1 past the end of the file.
    int Peek(qsizetype Ahead)
    {
        while (Pos + Ahead >= Buffer.size())
            if (!Fill())
                return -1;
        return static_cast<unsigned char>(Buffer[Pos + Ahead]);
    }

    // Steps over the CR, LF or CRLF at the read position.
    void EndLine()
    {
        if (Peek(0) == '\r' && Peek(1) == '\n')
            ++Pos;
        ++Pos;
        ++Line;
    }

    // The separator of the header record: the most frequent of comma,
    // semicolon and tab outside quotes, comma on a tie or when there is none.
    char DetectSeparator()
    {
        const char candidates[] = {',', ';', '\t'};
        qsizetype counts[3] = {0, 0, 0};
        bool quoted = false;
        bool atStart = true;
        qsizetype i = 0;
        while (Peek(i) == '\r' || Peek(i) == '\n')
            ++i;
        for (; i < KVLimits::MaxCsvRecordBytes; ++i) {
            const int c = Peek(i);
            if (c < 0 || (!quoted && (c == '\r' || c == '\n')))
                break;
            if (c == '"') {
                if (quoted && Peek(i + 1) == '"')
                    ++i; // a doubled quote inside quotes
                else
                    quoted = quoted ? false : atStart;
                atStart = false;
                continue;
            }
            atStart = false;
            if (quoted)
                continue;
            for (int k = 0; k < 3; ++k)
                if (c == candidates[k]) {
                    ++counts[k];
                    atStart = true;
                }
        }
        int best = 0;
        for (int k = 1; k < 3; ++k)
            if (counts[k] > counts[best])
                best = k;
        return candidates[best];
    }

    // A field's text. The file's encoding is decided by its first text that
    // is not ASCII; a field that is not valid UTF-8 is read as Windows-1252
    // even in a UTF-8 file (a file joined from two sources), so no text ever
    // shows replacement characters.
    QString Decode(const QByteArray& Bytes)
    {
        bool ascii = true;
        for (const char b : Bytes)
            if (static_cast<unsigned char>(b) >= 0x80) {
                ascii = false;
                break;
            }
        if (ascii)
            return QString::fromLatin1(Bytes);
        if (Encoding != TEncoding::Windows1252) {
            QStringDecoder utf8(QStringDecoder::Utf8,
                                QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
            QString text = utf8.decode(Bytes);
            const bool valid = !utf8.hasError();
            if (Encoding == TEncoding::Undecided)
                Encoding = valid ? TEncoding::Utf8 : TEncoding::Windows1252;
            if (valid)
                return text;
        }
        return TKVStream::DecodeText(Bytes);
    }

    QString Path;
    char Sep;
    QFile File;
    QByteArray Buffer; // read from the file, unparsed from Pos on
    qsizetype Pos = 0;
    bool AtEnd = false;
    qint64 Line = 1; // line of the byte at Pos
    TEncoding Encoding = TEncoding::Undecided;
};

namespace {
// What the values of a column have been so far.
struct TColumnGuess {
    bool AnyValue = false;
    bool Booleans = true; // every value a Boolean word
    bool Numbers = true;  // every value a number, none with a leading zero
    bool Integers = true; // every value an integer
};

// Codes such as postcodes keep their leading zeros: a column holding "08001"
// is text, whatever its other values.
bool LeadingZero(const QString& Text)
{
    const QString t = Text.trimmed();
    qsizetype i = t.startsWith(u'+') || t.startsWith(u'-') ? 1 : 0;
    return i + 1 < t.size() && t[i] == u'0' && t[i + 1].isDigit();
}
}

TKVCsvDataSet::TKVCsvDataSet(const QString& Path, TKVFilter Filter, char Separator)
    : Path(Path), Filter(std::move(Filter))
{
    Reader = std::make_unique<TKVCsvReader>(Path, Separator);
    this->Separator = Reader->Separator();
    const bool decimalComma = this->Separator != ',';
    if (!Reader->Read(Names))
        throw EDBError(KVLanguage::Text("KVMessages", "El archivo CSV no tiene fila de cabecera: %1").arg(Path));

    // One pass to type the columns. Boolean when every value that is there
    // is a Boolean word: decided by the last value, so the pass reads on
    // while a column could still be one. Numbers are judged on the first
    // records only. The pass ends as soon as every column is decided: a run
    // of a few labels from a file of a million rows does not read it all
    // first.
    std::vector<TColumnGuess> guess(std::size_t(Names.size()));
    QStringList record;
    bool whole = false;
    for (;;) {
        qsizetype booleans = 0, numbers = 0;
        for (const TColumnGuess& g : guess) {
            booleans += g.Booleans ? 1 : 0;
            numbers += g.Numbers ? 1 : 0;
        }
        if (booleans == 0 && (numbers == 0 || Total >= KVTypingSampleRecords))
            break;
        if (!Reader->Read(record)) {
            whole = true;
            break;
        }
        ++Total;
        for (qsizetype i = 0; i < Names.size(); ++i) {
            const QString v = record.value(i);
            if (v.trimmed().isEmpty())
                continue;
            TColumnGuess& g = guess[std::size_t(i)];
            g.AnyValue = true;
            bool b = false;
            if (g.Booleans && !KVBooleanWord(v, b))
                g.Booleans = false;
            if (g.Numbers && Total <= KVTypingSampleRecords) {
                if (!TKVFilter::IsNumber(v, decimalComma) || LeadingZero(v))
                    g.Numbers = false;
                else if (v.contains(u'.') || v.contains(u',') || v.contains(u'e') || v.contains(u'E'))
                    g.Integers = false;
            }
        }
    }
    for (const TColumnGuess& g : guess) {
        Booleans.push_back(g.AnyValue && g.Booleans);
        Types.push_back(Booleans.back()              ? TKVFieldType::ftBoolean
                        : !g.AnyValue || !g.Numbers ? TKVFieldType::ftString
                        : g.Integers                ? TKVFieldType::ftInteger
                                                    : TKVFieldType::ftFloat);
    }
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
    auto reader = std::make_unique<TKVCsvReader>(Path, Separator);
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
        if (!Filter.Matches(record, Booleans, Separator != ','))
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
            n += Filter.Matches(record, Booleans, Separator != ',') ? 1 : 0;
        Count = n;
    }
    return Count;
}

char TKVCsvDataSet::ParseOptions(const QString& Options)
{
    char separator = 0;
    for (const auto& [key, value] : QUrlQuery(Options).queryItems(QUrl::FullyDecoded)) {
        if (key != QLatin1String("sep"))
            throw EDBError(KVLanguage::Text("KVMessages", "Parámetro desconocido de una carpeta CSV: %1 (solo se conoce sep)").arg(key));
        if (value == QLatin1String(",") || value == QLatin1String(";"))
            separator = value[0].toLatin1();
        else if (value == QLatin1String("\t") || value.compare(QLatin1String("tab"), Qt::CaseInsensitive) == 0)
            separator = '\t';
        else
            throw EDBError(KVLanguage::Text("KVMessages", "Separador CSV no válido: %1 (use sep=, sep=; o sep=tab)").arg(value));
    }
    return separator;
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
    // Devices and pipes are found too, for the reader to refuse by name.
    const QStringList files = dir.entryList({QStringLiteral("*.csv")}, QDir::Files | QDir::System | QDir::Readable);
    const QString wanted = TableName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? TableName
                                                                                          : TableName + QLatin1String(".csv");
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive})
        for (const QString& f : files)
            if (f.compare(wanted, cs) == 0)
                return dir.filePath(f);
    throw EDBError(KVLanguage::Text("KVMessages", "No se encuentra la tabla: %1 en %2").arg(TableName, Folder));
}
