// TKVExtension: the extension block of label files and of the element
// clipboard, where a design keeps what the "1.1" records have no field for.
// A design that needs no entry is written as a "1.1" file, byte for byte as
// before; one that needs any is written as "1.2": the same records, then,
// after the last element record, the block: "KVX1", an int32 byte length,
// and entries of (uint16 tag, int32 element index or -1 for the label,
// int32 length, payload). docs/label-file.md describes it for other readers.
//
// A tag with its high bit set must be understood, or the file is refused;
// other tags this release does not know are kept with their label or
// element and written back unchanged, so that a design made by a newer
// release survives a save by this one.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class TKVElement;
class TKVStream;

// An entry this release does not understand, as the block held it.
struct TKVExtEntry {
    std::uint16_t Tag = 0;
    QByteArray Payload;
    bool operator==(const TKVExtEntry&) const = default;
};
using TKVExtEntries = std::vector<TKVExtEntry>;

class TKVExtension
{
public:
    // The tags, the one table of them in the code (docs/label-file.md
    // lists the same; a tag, once published, keeps its number and meaning).
    enum TTag : std::uint16_t {
        // A string that Windows-1252 cannot carry: uint16 ordinal of the
        // string in its record, then its full text in UTF-8.
        etFullText = 0x8001,
        // A barcode of a type libzint encodes: uint8 type (the record's
        // BarType), uint8 QR Code error correction (0 L, 1 M, 2 Q, 3 H),
        // uint8 flags (bit 0: DataMatrix data is a GS1 element string).
        etBarSymbol = 0x8002,
        // The label's data run prints every record from the first asked to
        // the end of the data (payload: one byte, 1). Not critical: a reader
        // that ignores it prints the saved range, which the file still holds.
        etAllRecords = 0x0001,
        // How a text, composite text or paragraph fits: uint8 mode (1 shrink
        // to the label's width or the paragraph's box, 2 clip at the label's
        // edge), uint16 least font height in 0.01 mm, little-endian. Not
        // critical: a reader that ignores it draws the text as it always did.
        etTextFit = 0x0002,
    };
    struct TTagInfo {
        TTag Tag;
        const char* Name;
    };
    static constexpr TTagInfo Tags[] = {
        {etFullText, "UTF-8 string"},
        {etBarSymbol, "barcode symbology"},
        {etAllRecords, "all records"},
        {etTextFit, "text fitting"},
    };
    static constexpr std::uint16_t CriticalBit = 0x8000;
    // The element index of entries about the label itself.
    static constexpr std::int32_t Label = -1;
    // The version string of a design written with the block.
    static const QString Version;

    static bool IsKnown(std::uint16_t Tag);

    // ---- Label files

    // The block a design needs: the full texts of the strings that Written
    // noted, then the entries kept for the label and for each element.
    static TKVExtension Of(const TKVStream& Written, const TKVExtEntries& LabelEntries,
                           std::span<const std::unique_ptr<TKVElement>> Elements);
    bool IsEmpty() const { return Entries.empty(); }
    // The version string to write: Version when there is a block to follow,
    // else the design's own (a "1.2" design that needs nothing any more is a
    // "1.1" one again).
    QString VersionFor(const QString& Own) const;
    // The block, or nothing when it is empty.
    void Write(TKVStream& S) const;

    // Reads the block that follows the last element record, and ends the
    // file, when the file's version is Version (nothing otherwise; an element
    // that needs an entry, a barcode of a libzint type, is then refused): the kept
    // entries go to the label and the elements, the full texts to the
    // stream. True when the stream has been sent back to read the file again
    // with those texts (the first reading only finds them); what the first
    // reading gave is then to be dropped. Damage, and a critical tag this
    // release does not know, throw EKvStreamError.
    static bool Read(TKVStream& S, const QString& FileVersion, TKVExtEntries& LabelEntries,
                     std::span<const std::unique_ptr<TKVElement>> Elements);

    // ---- The element clipboard: one element record, followed by a block
    // of the element's entries (index 0) when it has any.
    static void WriteElement(TKVStream& S, const TKVElement& E);
    static void ReadElement(TKVStream& S, TKVElement& E);

private:
    struct TEntry {
        std::int32_t Element = Label;
        std::uint16_t Tag = 0;
        QByteArray Payload;
    };
    std::vector<TEntry> Entries;

    static TKVExtension Of(const TKVStream& Written, const TKVExtEntries* LabelEntries,
                           const std::vector<const TKVElement*>& Elements);
    static TKVExtension ReadBlock(TKVStream& S, std::int32_t ElementCount);
    bool Apply(TKVStream& S, TKVExtEntries* LabelEntries, const std::vector<TKVElement*>& Elements) const;
    // Refuses elements whose records ask for an entry that did not come.
    static void RequireEntries(const std::vector<TKVElement*>& Elements);
};
