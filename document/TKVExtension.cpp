#include "document/TKVExtension.h"

#include "document/TKVElement.h"
#include "document/TKVStream.h"
#include "strings/KVLanguage.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"

#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <limits>

namespace {
const QByteArray Magic = QByteArrayLiteral("KVX1");
constexpr std::int32_t EntryHeaderBytes = 2 + 4 + 4;

[[noreturn]] void Refuse() { throw EKvStreamError(LabelFileReadError()); }

QByteArray FullTextPayload(const TKVStream::TFullText& T)
{
    if (T.Ordinal > std::numeric_limits<std::uint16_t>::max())
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede escribir la cadena %1 de un registro en el archivo de etiquetas").arg(T.Ordinal));
    const auto ordinal = qToLittleEndian(std::uint16_t(T.Ordinal));
    return QByteArray(reinterpret_cast<const char*>(&ordinal), 2) + T.Text.toUtf8();
}

TKVStream::TFullText ParseFullText(std::int32_t Element, const QByteArray& Payload)
{
    if (Payload.size() < 2)
        Refuse();
    const std::int32_t ordinal = qFromLittleEndian<std::uint16_t>(Payload.constData());
    // The version string is the reader's own, never an override.
    if (Element == TKVExtension::Label && ordinal == 0)
        Refuse();
    // A byte order mark at the start is text like any other.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(QByteArrayView(Payload).sliced(2));
    // Saved again, the text's Windows-1252 rendering has one byte for each
    // UTF-16 unit, and that string must stay within the limit to load.
    if (utf8.hasError() || text.size() > KVLimits::MaxStringBytes)
        Refuse();
    return {Element, ordinal, std::move(text)};
}
}

const QString TKVExtension::Version = QStringLiteral("1.2");

bool TKVExtension::IsKnown(std::uint16_t Tag)
{
    return std::any_of(std::begin(Tags), std::end(Tags), [Tag](const TTagInfo& t) { return t.Tag == Tag; });
}

// ---- Writing

TKVExtension TKVExtension::Of(const TKVStream& Written, const TKVExtEntries* LabelEntries,
                              const std::vector<const TKVElement*>& Elements)
{
    TKVExtension x;
    const std::vector<TKVStream::TFullText>& texts = Written.FullTexts();
    std::size_t next = 0;
    // Records are written in order, so the noted strings come grouped by
    // record: the label's, then element 0's, and so on.
    const auto add = [&](std::int32_t Element, const TKVExtEntries* Kept) {
        for (; next < texts.size() && texts[next].Record == Element; ++next)
            x.Entries.push_back({Element, etFullText, FullTextPayload(texts[next])});
        if (Kept)
            for (const TKVExtEntry& e : *Kept)
                x.Entries.push_back({Element, e.Tag, e.Payload});
    };
    add(Label, LabelEntries);
    for (std::size_t i = 0; i < Elements.size(); ++i) {
        TKVExtEntries own;
        Elements[i]->SaveExtEntries(own);
        add(std::int32_t(i), &own);
        for (const TKVExtEntry& e : Elements[i]->KeptEntries)
            x.Entries.push_back({std::int32_t(i), e.Tag, e.Payload});
    }
    if (next != texts.size())
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede escribir el archivo de etiquetas: una cadena fuera de sus registros"));
    return x;
}

TKVExtension TKVExtension::Of(const TKVStream& Written, const TKVExtEntries& LabelEntries,
                              std::span<const std::unique_ptr<TKVElement>> Elements)
{
    std::vector<const TKVElement*> elements;
    elements.reserve(Elements.size());
    for (const auto& e : Elements)
        elements.push_back(e.get());
    return Of(Written, &LabelEntries, elements);
}

QString TKVExtension::VersionFor(const QString& Own) const
{
    if (!IsEmpty())
        return Version;
    return Own == Version ? QStringLiteral("1.1") : Own;
}

void TKVExtension::Write(TKVStream& S) const
{
    if (IsEmpty())
        return;
    qint64 size = 0;
    for (const TEntry& e : Entries)
        size += EntryHeaderBytes + e.Payload.size();
    if (size > KVLimits::MaxLabelFileSize)
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede escribir el archivo de etiquetas: su bloque de extensión pasa de %1 bytes")
                           .arg(KVLimits::MaxLabelFileSize));
    S.WriteBytes(Magic);
    S.WriteInt32(std::int32_t(size));
    for (const TEntry& e : Entries) {
        S.WriteUInt16(e.Tag);
        S.WriteInt32(e.Element);
        S.WriteInt32(std::int32_t(e.Payload.size()));
        S.WriteBytes(e.Payload);
    }
}

void TKVExtension::WriteElement(TKVStream& S, const TKVElement& E)
{
    S.BeginRecord(0);
    E.SaveToStream(S);
    Of(S, nullptr, {&E}).Write(S);
}

// ---- Reading

TKVExtension TKVExtension::ReadBlock(TKVStream& S, std::int32_t ElementCount)
{
    if (S.ReadBytes(std::int32_t(Magic.size())) != Magic)
        Refuse();
    const std::int32_t size = S.ReadInt32();
    const qint64 left = S.Remaining();
    if (size < 0 || size > KVLimits::MaxLabelFileSize || (left >= 0 && size > left))
        Refuse();
    TKVExtension x;
    std::int32_t used = 0;
    while (used < size) {
        if (size - used < EntryHeaderBytes || x.Entries.size() >= std::size_t(KVLimits::MaxExtensionEntries))
            Refuse();
        TEntry e;
        e.Tag = S.ReadUInt16();
        e.Element = S.ReadInt32(Label, ElementCount - 1);
        const std::int32_t n = S.ReadInt32(0, size - used - EntryHeaderBytes);
        if ((e.Tag & CriticalBit) && !IsKnown(e.Tag))
            Refuse();
        e.Payload = S.ReadBytes(n);
        used += EntryHeaderBytes + n;
        x.Entries.push_back(std::move(e));
    }
    // The block is the last thing in the file, before it is read again.
    if (S.Remaining() > 0)
        Refuse();
    return x;
}

bool TKVExtension::Apply(TKVStream& S, TKVExtEntries* LabelEntries, const std::vector<TKVElement*>& Elements) const
{
    if (LabelEntries)
        LabelEntries->clear();
    for (TKVElement* e : Elements)
        e->KeptEntries.clear();
    std::vector<TKVStream::TFullText> texts;
    for (const TEntry& e : Entries) {
        if (e.Element != Label && std::size_t(e.Element) >= Elements.size())
            Refuse();
        TKVElement* element = e.Element == Label ? nullptr : Elements[std::size_t(e.Element)];
        if (e.Tag == etFullText) {
            texts.push_back(ParseFullText(e.Element, e.Payload));
            continue;
        }
        if (element && element->LoadExtEntry({e.Tag, e.Payload}))
            continue;
        // A critical tag known here that its element did not take is
        // misplaced or malformed (unknown critical ones never come this
        // far); the others are kept, the label's for the design to read.
        TKVExtEntries* kept = element ? &element->KeptEntries : LabelEntries;
        if ((e.Tag & CriticalBit) || !kept)
            Refuse();
        kept->push_back({e.Tag, e.Payload});
    }
    if (S.ReadsFullTexts()) {
        // The second reading: every text must have met its string.
        if (S.FullTextsLeft() > 0)
            Refuse();
        return false;
    }
    if (texts.empty())
        return false;
    // One text for one string.
    std::sort(texts.begin(), texts.end(), [](const auto& A, const auto& B) {
        return std::pair(A.Record, A.Ordinal) < std::pair(B.Record, B.Ordinal);
    });
    for (std::size_t i = 1; i < texts.size(); ++i)
        if (texts[i].Record == texts[i - 1].Record && texts[i].Ordinal == texts[i - 1].Ordinal)
            Refuse();
    S.ReadAgain(texts);
    return true;
}

bool TKVExtension::Read(TKVStream& S, const QString& FileVersion, TKVExtEntries& LabelEntries,
                        std::span<const std::unique_ptr<TKVElement>> Elements)
{
    std::vector<TKVElement*> elements;
    elements.reserve(Elements.size());
    for (const auto& e : Elements)
        elements.push_back(e.get());
    const bool again =
        FileVersion == Version && ReadBlock(S, std::int32_t(Elements.size())).Apply(S, &LabelEntries, elements);
    if (!again)
        RequireEntries(elements);
    return again;
}

void TKVExtension::RequireEntries(const std::vector<TKVElement*>& Elements)
{
    for (const TKVElement* e : Elements)
        if (e->ExtEntryMissing())
            Refuse();
}

void TKVExtension::ReadElement(TKVStream& S, TKVElement& E)
{
    do {
        S.BeginRecord(0);
        E.LoadFromStream(S);
        E.KeptEntries.clear();
        if (S.Remaining() == 0)
            break;
    } while (ReadBlock(S, 1).Apply(S, nullptr, {&E}));
    RequireEntries({&E});
}
