#include "document/TKVStream.h"

#include "strings/KVLanguage.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"

#include <QBuffer>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>

namespace {
// Windows-1252 bytes 0x80..0x9F; the undefined ones map to the C1 control of
// the same value.
constexpr std::array<char16_t, 32> Cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}

TKVStream::TKVStream(QIODevice* Device) : Dev(Device), Start(Device->isSequential() ? 0 : Device->pos())
{
    // A design is written to memory value by value: appended to the buffer's
    // bytes at once rather than through the device for each one, which costs
    // an undo step or a redraw of a large design more than the values.
    if (auto* buffer = qobject_cast<QBuffer*>(Device);
        buffer && buffer->isWritable() && !buffer->isReadable() && buffer->pos() == buffer->size())
        Memory = &buffer->buffer();
}

TKVStream::~TKVStream()
{
    if (Memory) {
        // The buffer's position follows what was appended (a caller may have
        // closed it already).
        if (Dev->isOpen())
            Dev->seek(Memory->size());
        return;
    }
    const qsizetype unread = Ahead.size() - AheadPos;
    if (unread > 0 && !Dev->isSequential())
        Dev->seek(Dev->pos() - unread);
}

QString TKVStream::DecodeText(const QByteArray& Bytes)
{
    QString s;
    s.resize(Bytes.size());
    for (qsizetype i = 0; i < Bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(Bytes[i]);
        s[i] = QChar(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b));
    }
    return s;
}

QByteArray TKVStream::EncodeText(const QString& Text, bool* Exact)
{
    QByteArray out;
    out.resize(Text.size());
    bool exact = true;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const char16_t c = Text[i].unicode();
        char b = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            b = char(c);
        } else {
            for (std::size_t k = 0; k < Cp1252High.size(); ++k)
                if (Cp1252High[k] == c) {
                    b = char(0x80 + k);
                    break;
                }
        }
        exact = exact && (b != '?' || c == u'?');
        out[i] = b;
    }
    if (Exact)
        *Exact = exact;
    return out;
}

void TKVStream::ReadExact(char* Data, qint64 Size)
{
    if (Size == 0)
        return;
    constexpr qint64 Block = 64 * 1024;
    if (Ahead.size() - AheadPos < Size) {
        if (Dev->isSequential()) {
            // The bytes after the values belong to whoever reads the device
            // next: only what is missing is read.
            const qint64 missing = Size - (Ahead.size() - AheadPos);
            const QByteArray more = Dev->read(missing);
            Ahead += more;
            if (more.size() != missing)
                throw EKvStreamError(LabelFileReadError());
        } else {
            Ahead.remove(0, AheadPos);
            AheadPos = 0;
            const qint64 wanted = std::max(Block, Size - Ahead.size());
            Ahead += Dev->read(wanted);
            if (Ahead.size() < Size)
                throw EKvStreamError(LabelFileReadError());
        }
    }
    std::memcpy(Data, Ahead.constData() + AheadPos, std::size_t(Size));
    AheadPos += Size;
}

void TKVStream::WriteExact(const char* Data, qint64 Size)
{
    if (Memory) {
        // Grown by doubling: appending to a QByteArray does not promise it.
        const qsizetype at = Memory->size();
        if (Memory->capacity() < at + Size)
            Memory->reserve(std::max<qsizetype>(2 * at, at + Size + 4096));
        Memory->resize(at + Size);
        std::memcpy(Memory->data() + at, Data, std::size_t(Size));
        return;
    }
    if (Size == 0)
        return;
    if (AheadPos < Ahead.size() && !Dev->isSequential()) {
        // A write follows the values read, not the bytes read ahead.
        Dev->seek(Dev->pos() - (Ahead.size() - AheadPos));
        Ahead.clear();
        AheadPos = 0;
    }
    DeviceSize = -1;
    if (Dev->write(Data, Size) != Size)
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede escribir: %1").arg(Dev->errorString()));
}

qint64 TKVStream::Remaining() const
{
    if (Dev->isSequential())
        return -1;
    // The size of a file is a system call: asked once per stream, not once
    // per string of a design of thousands of elements.
    if (DeviceSize < 0)
        DeviceSize = Dev->size();
    return DeviceSize - Dev->pos() + (Ahead.size() - AheadPos);
}

void TKVStream::WriteInt32(std::int32_t V)
{
    const auto le = qToLittleEndian(V);
    WriteExact(reinterpret_cast<const char*>(&le), 4);
}

void TKVStream::WriteUInt16(std::uint16_t V)
{
    const auto le = qToLittleEndian(V);
    WriteExact(reinterpret_cast<const char*>(&le), 2);
}

void TKVStream::WriteByte(std::uint8_t V) { WriteExact(reinterpret_cast<const char*>(&V), 1); }

void TKVStream::WriteFloat(float V)
{
    std::uint32_t bits;
    std::memcpy(&bits, &V, 4);
    WriteInt32(std::int32_t(bits));
}

void TKVStream::WriteStr(const QString& S)
{
    bool exact = true;
    const QByteArray bytes = EncodeText(S, &exact);
    WriteInt32(std::int32_t(bytes.size()));
    WriteExact(bytes.constData(), bytes.size());
    if (!exact)
        Noted.push_back({Record, Ordinal, S});
    ++Ordinal;
}

void TKVStream::WriteBytes(const QByteArray& Bytes) { WriteExact(Bytes.constData(), Bytes.size()); }

qint64 TKVStream::WritePos() const { return Memory ? Memory->size() : Dev->pos(); }

void TKVStream::BeginRecord(std::int32_t R)
{
    if (R >= 0)
        Starts.push_back(WritePos());
    Record = R;
    Ordinal = 0;
}

void TKVStream::ReadAgain(const std::vector<TFullText>& Texts)
{
    Given.clear();
    for (const TFullText& t : Texts)
        Given[{t.Record, t.Ordinal}] = t.Text;
    GivenTexts = true;
    Record = -1;
    Ordinal = 0;
    if (Dev->isSequential()) {
        AheadPos = 0;
        return;
    }
    if (!Dev->seek(Start))
        throw EKvStreamError(LabelFileReadError());
    Ahead.clear();
    AheadPos = 0;
}

std::int32_t TKVStream::ReadInt32()
{
    std::int32_t v;
    ReadExact(reinterpret_cast<char*>(&v), 4);
    return qFromLittleEndian(v);
}

std::uint16_t TKVStream::ReadUInt16()
{
    std::uint16_t v;
    ReadExact(reinterpret_cast<char*>(&v), 2);
    return qFromLittleEndian(v);
}

std::uint8_t TKVStream::ReadByte()
{
    std::uint8_t v;
    ReadExact(reinterpret_cast<char*>(&v), 1);
    return v;
}

bool TKVStream::ReadBool()
{
    const std::uint8_t b = ReadByte();
    if (b > 1)
        throw EKvStreamError(LabelFileReadError());
    return b == 1;
}

std::uint8_t TKVStream::ReadEnum(int Max)
{
    const std::uint8_t b = ReadByte();
    if (b > Max)
        throw EKvStreamError(LabelFileReadError());
    return b;
}

float TKVStream::ReadFloat()
{
    const auto bits = std::uint32_t(ReadInt32());
    float v;
    std::memcpy(&v, &bits, 4);
    if (!KVLimits::LengthFits(v))
        throw EKvStreamError(LabelFileReadError());
    return v;
}

std::int32_t TKVStream::ReadInt32(std::int32_t Min, std::int32_t Max)
{
    const std::int32_t v = ReadInt32();
    if (v < Min || v > Max)
        throw EKvStreamError(LabelFileReadError());
    return v;
}

QString TKVStream::ReadStr()
{
    const std::int32_t n = ReadInt32();
    if (!KVLimits::StringFits(n))
        throw EKvStreamError(LabelFileReadError());
    const qint64 left = Remaining();
    if (left >= 0 && n > left)
        throw EKvStreamError(LabelFileReadError());
    QByteArray bytes(n, Qt::Uninitialized);
    ReadExact(bytes.data(), n);
    const std::int32_t ordinal = Ordinal++;
    if (!Given.empty()) {
        const auto given = Given.find({Record, ordinal});
        if (given != Given.end()) {
            QString text = std::move(given->second);
            Given.erase(given);
            return text;
        }
    }
    return DecodeText(bytes);
}

QByteArray TKVStream::ReadBytes(std::int32_t Size)
{
    const qint64 left = Remaining();
    if (Size < 0 || (left >= 0 && Size > left))
        throw EKvStreamError(LabelFileReadError());
    // Where the device cannot tell what is left, the buffer grows only with
    // the bytes that really come.
    constexpr std::int32_t Chunk = 64 * 1024;
    QByteArray bytes;
    while (bytes.size() < Size) {
        const qsizetype at = bytes.size();
        const qsizetype n = std::min<qsizetype>(Chunk, Size - at);
        bytes.resize(at + n);
        ReadExact(bytes.data() + at, n);
    }
    return bytes;
}
