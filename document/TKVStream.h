// TKVStream: the little-endian reader and writer of label files and of the
// element clipboard. Reads are strict: a short read, a string longer than
// what is left, longer than KVLimits::MaxStringBytes or of negative length,
// and a length that is not a finite number within KVLimits::MaxLength throw
// EKvStreamError, so a damaged file never yields half-read or absurd values.
#pragma once

#include "types/EKvError.h"
#include "types/KVtypes.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class QIODevice;

class EKvStreamError : public EKvError
{
public:
    using EKvError::EKvError;
};

class TKVStream
{
public:
    explicit TKVStream(QIODevice* Device);
    // A device that can seek is left where the values read end, although
    // the stream reads ahead of them.
    ~TKVStream();
    TKVStream(const TKVStream&) = delete;
    TKVStream& operator=(const TKVStream&) = delete;

    void WriteInt32(std::int32_t V);
    void WriteUInt16(std::uint16_t V);
    void WriteByte(std::uint8_t V);
    void WriteBool(bool V) { WriteByte(V ? 1 : 0); }
    void WriteFloat(float V);
    void WriteColor(TColor V) { WriteInt32(std::int32_t(V)); }
    void WriteStr(const QString& S);

    std::int32_t ReadInt32();
    std::uint16_t ReadUInt16();
    std::uint8_t ReadByte();
    bool ReadBool();               // only 0 and 1 are Booleans
    std::uint8_t ReadEnum(int Max); // a byte from 0 to Max
    // Every float of a label file is a length or position in millimetres:
    // finite and within plus or minus KVLimits::MaxLength.
    float ReadFloat();
    // An int32 from Min to Max.
    std::int32_t ReadInt32(std::int32_t Min, std::int32_t Max);
    TColor ReadColor() { return TColor(ReadInt32()); }
    QString ReadStr();

    // Bytes left to read (-1 where the device cannot tell).
    qint64 Remaining() const;
    QIODevice* Device() const { return Dev; }

    // Label files hold single-byte Windows-1252 text. The five bytes that
    // code page leaves undefined map to U+0081, U+008D, U+008F, U+0090 and
    // U+009D, so every byte sequence survives a load and a save.
    static QString DecodeText(const QByteArray& Bytes);
    static QByteArray EncodeText(const QString& Text);

private:
    void ReadExact(char* Data, qint64 Size);
    void WriteExact(const char* Data, qint64 Size);
    QIODevice* Dev;
    // Bytes read from a seekable device ahead of the values: a label file
    // is read in blocks, not through the device for every value.
    QByteArray Ahead;
    mutable qint64 DeviceSize = -1; // unknown until asked, and after a write
    qsizetype AheadPos = 0;
};
