// TKVStream: the little-endian reader and writer of label files and of the
// element clipboard. Reads are strict: a short read, a string longer than
// what is left, longer than KVLimits::MaxStringBytes or of negative length,
// and a length that is not a finite number within KVLimits::MaxLength throw
// EKvStreamError, so a damaged file never yields half-read or absurd values.
//
// Strings are stored in Windows-1252. One that code page cannot carry is
// written with its Windows-1252 rendering and noted with its place (record
// and ordinal), so that the extension block (TKVExtension) can hold its full
// text; a reader given those texts returns them in place of the renderings.
#pragma once

#include "types/EKvError.h"
#include "types/KVtypes.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

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
    void WriteBytes(const QByteArray& Bytes);

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
    // Size raw bytes, no more than are left.
    QByteArray ReadBytes(std::int32_t Size);

    // Strings are counted per record so that the extension block can name
    // one: the label's own strings are record -1 (where a stream starts),
    // element i's are record i, each counted from 0.
    void BeginRecord(std::int32_t Record);
    // Where each element record began on the device, as written: the
    // designer tells which elements a change touched by comparing them.
    const std::vector<qint64>& RecordStarts() const { return Starts; }
    // Where the next byte goes on the device, as RecordStarts counts.
    qint64 WritePos() const;
    struct TFullText {
        std::int32_t Record = 0;
        std::int32_t Ordinal = 0;
        QString Text;
    };
    // The strings written so far that Windows-1252 could not carry exactly,
    // in the order they were written.
    const std::vector<TFullText>& FullTexts() const { return Noted; }
    // Goes back to where the stream started and reads again, ReadStr
    // answering Texts for the strings they name. The bytes of a device that
    // cannot seek are kept for this as they are read.
    void ReadAgain(const std::vector<TFullText>& Texts);
    // Whether ReadAgain gave texts, and how many of them no string has
    // asked for yet.
    bool ReadsFullTexts() const { return GivenTexts; }
    std::size_t FullTextsLeft() const { return Given.size(); }

    // Bytes left to read (-1 where the device cannot tell).
    qint64 Remaining() const;
    QIODevice* Device() const { return Dev; }

    // Label files hold single-byte Windows-1252 text. The five bytes that
    // code page leaves undefined map to U+0081, U+008D, U+008F, U+0090 and
    // U+009D, so every byte sequence survives a load and a save.
    static QString DecodeText(const QByteArray& Bytes);
    // Characters the code page lacks become '?'; Exact, when given, tells
    // whether there were none.
    static QByteArray EncodeText(const QString& Text, bool* Exact = nullptr);

private:
    void ReadExact(char* Data, qint64 Size);
    void WriteExact(const char* Data, qint64 Size);
    QIODevice* Dev;
    // The bytes of a memory buffer written from its end; null otherwise.
    QByteArray* Memory = nullptr;
    qint64 Start = 0; // where ReadAgain goes back to
    // Bytes read from a seekable device ahead of the values: a label file
    // is read in blocks, not through the device for every value. From a
    // device that cannot seek only what the values need is read, and every
    // byte is kept here for ReadAgain.
    QByteArray Ahead;
    mutable qint64 DeviceSize = -1; // unknown until asked, and after a write
    qsizetype AheadPos = 0;
    std::int32_t Record = -1;
    std::int32_t Ordinal = 0;
    std::vector<TFullText> Noted;
    std::vector<qint64> Starts;
    std::map<std::pair<std::int32_t, std::int32_t>, QString> Given;
    bool GivenTexts = false;
};
