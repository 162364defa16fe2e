#include "document/TKVObject.h"

#include "document/TKVAddText.h"
#include "document/TKVDrawWatch.h"
#include "document/TKVBackSurf.h"
#include "document/TKVDesign.h"
#include "document/TKVExtension.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "document/TKVImage.h"
#include "document/TKVLabelFields.h"
#include "document/TKVLimitCheck.h"
#include "document/TKVLine.h"
#include "document/TKVMeasure.h"
#include "document/TKVParagraph.h"
#include "document/TKVPrintInfo.h"
#include "document/TKVRect.h"
#include "document/TKVStream.h"
#include "document/TKVSymbol.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"
#include "strings/KVLanguage.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"
#include "types/KVMessage.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <limits>

namespace {
// Makers of the element kinds that layers above this one define (the
// barcode). Zero-initialised before any code runs, so a layer may register
// from its own static initialisation.
constinit std::array<TKVObject::TElementMaker, 256> Makers{};


// Everything a label file holds, read completely before any of it is applied.
struct LabelFile {
    QString Version;
    std::vector<TKVLabelValue> Settings;
    bool AllRecords = false;
    std::vector<std::unique_ptr<TKVElement>> Elements;
    TKVExtEntries KeptEntries;
};
}

TKVObject::~TKVObject()
{
    Elements.clear();
    TKVImage::ReleasePictures();
}

int TKVObject::IndexOf(const TKVElement* E) const
{
    for (std::size_t i = 0; i < Elements.size(); ++i)
        if (Elements[i].get() == E)
            return int(i);
    return -1;
}

void TKVObject::Clear() { Elements.clear(); }

bool TKVObject::AddElement(std::unique_ptr<TKVElement> E)
{
    Elements.push_back(std::move(E));
    return true;
}

bool TKVObject::RemoveElement(TKVElement* E)
{
    const int i = IndexOf(E);
    if (i < 0)
        return false;
    Elements.erase(Elements.begin() + i);
    return true;
}

bool TKVObject::FindElement(TPoint P, TKVDesign* Lab)
{
    for (const auto& e : Elements)
        if (e->PointInObject(P, Lab)) {
            Lab->SelectedElement = e.get();
            return true;
        }
    return false;
}

void TKVObject::DrawElements(TPoint2D Offset, const TKVDrawContext& Context, bool UseData)
{
    TKVDrawWatch* watch = Context.Watch;
    for (int i = Count() - 1; i >= 0; --i) {
        TKVElement* e = Items(i);
        if (watch && !watch->ElementBegins(*e))
            continue;
        e->Draw(Offset, Context, UseData);
        if (watch)
            watch->ElementEnds(*e);
    }
}

std::unique_ptr<TKVElement> TKVObject::CreateElement(int Kind)
{
    switch (Kind) {
    case deLine: return std::make_unique<TKVLine>();
    case deText: return std::make_unique<TKVText>();
    case deRect: return std::make_unique<TKVRect>();
    case deSymbol: return std::make_unique<TKVSymbol>();
    case dePoliText: return std::make_unique<TKVAddText>();
    case deImage: return std::make_unique<TKVImage>();
    case deParagraph: return std::make_unique<TKVParagraph>();
    default:
        if (Kind >= 0 && Kind < int(Makers.size()) && Makers[std::size_t(Kind)])
            return Makers[std::size_t(Kind)]();
        return nullptr;
    }
}

bool TKVObject::RegisterElement(int Kind, TElementMaker Make)
{
    if (Kind < 0 || Kind >= int(Makers.size()))
        return false;
    Makers[std::size_t(Kind)] = Make;
    return true;
}

void TKVObject::SaveToStream(TKVStream& S, const TKVDesign* Lab) const
{
    // The version, the file's first string, says whether an extension block
    // follows, and that shows only once every string has been written: the
    // design is written aside first.
    QBuffer aside;
    aside.open(QIODevice::WriteOnly);
    TKVStream dry(&aside);
    WriteDesign(dry, Lab, Lab->Version);
    TKVExtEntries label = KeptEntries;
    if (Lab->PrintInfo->AllRecords)
        label.push_back({TKVExtension::etAllRecords, QByteArray(1, '\1')});
    const TKVExtension block = TKVExtension::Of(dry, label, Elements);
    WriteDesign(S, Lab, block.VersionFor(Lab->Version));
    block.Write(S);
}

qint64 TKVObject::SnapshotToStream(TKVStream& S, const TKVDesign* Lab) const
{
    WriteDesign(S, Lab, Lab->Version);
    const qint64 extension = S.WritePos();
    TKVExtEntries label = KeptEntries;
    if (Lab->PrintInfo->AllRecords)
        label.push_back({TKVExtension::etAllRecords, QByteArray(1, '\1')});
    TKVExtension::Of(S, label, Elements).Write(S);
    return extension;
}

void TKVObject::WriteDesign(TKVStream& S, const TKVDesign* Lab, const QString& Version) const
{
    S.WriteStr(Version);
    TKVLabelFields::Write(S, *Lab);

    S.WriteInt32(Count());
    for (int i = 0; i < Count(); ++i) {
        S.BeginRecord(i);
        Items(i)->SaveToStream(S);
    }
}

void TKVObject::LoadFromStream(TKVStream& S, TKVDesign* Lab)
{
    LabelFile f;
    f.Version = S.ReadStr();
    f.Settings = TKVLabelFields::Read(S);

    const std::int32_t n = S.ReadInt32();
    // Every record takes at least its kind byte.
    const qint64 left = S.Remaining();
    if (n < 0 || n > KVLimits::MaxElements || (left >= 0 && n > left))
        throw EKvStreamError(LabelFileReadError());
    for (std::int32_t i = 0; i < n; ++i) {
        std::unique_ptr<TKVElement> e = CreateElement(S.ReadByte());
        if (!e)
            continue; // an unknown kind uses up its byte and its count
        S.BeginRecord(std::int32_t(f.Elements.size()));
        e->LoadFromStream(S);
        f.Elements.push_back(std::move(e));
    }
    // The extension block names the full texts of strings read before it:
    // the file is read again with them in hand.
    if (TKVExtension::Read(S, f.Version, f.KeptEntries, f.Elements))
        return LoadFromStream(S, Lab);
    if (S.Remaining() > 0)
        throw EKvStreamError(LabelFileReadError());
    std::erase_if(f.KeptEntries, [&f](const TKVExtEntry& e) {
        if (e.Tag != TKVExtension::etAllRecords)
            return false;
        f.AllRecords = e.Payload == QByteArray(1, '\1');
        return true;
    });

    // Pictures are decoded before anything of the open design changes: a
    // message about a missing file may run the event loop, and a repaint then
    // must still find the old design whole. A picture that cannot be read is
    // reported and its element kept, with its file name, as an empty frame:
    // a later save must not lose it.
    for (auto& e : f.Elements)
        if (auto* image = TKVImage::Of(e.get()))
            image->CreatePic();
    const QString& backFile = std::get<QString>(TKVLabelFields::Find(f.Settings, "BackSurf", "FileName"));
    QImage back;
    if (!backFile.isEmpty() && !TKVImage::LoadPicture(backFile, back))
        ShowMessage(KVLanguage::Text("KVMessages", "No se puede abrir el archivo: ") + backFile);

    // The whole design is at hand: it replaces the open one in one step,
    // with nothing drawn and no data source opened on the way. The old
    // design's table is closed first, so that no repaint can read it under
    // the new design's names.
    Lab->Table->Close();
    Lab->DataOK = false;
    Lab->Version = f.Version;
    TKVLabelFields::Apply(f.Settings, *Lab);
    Lab->BackSurf->Picture = back; // empty when missing: never the previous design's
    Lab->PrintInfo->AllRecords = f.AllRecords;
    Elements = std::move(f.Elements);
    KeptEntries = std::move(f.KeptEntries);
}

void TKVObject::SaveToFile(const QString& FileName, const TKVDesign* Lab) const
{
    // The new file is renamed over the old one: what stands there must be a
    // label file, not a device, a pipe or a folder (as root a save onto
    // /dev/null would replace the device for everyone).
    const QFileInfo target(FileName);
    if (target.exists() && !target.isFile())
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede escribir %1: no es un archivo normal").arg(FileName));
    CheckLimits(Lab);
    // The design goes to memory first and then to the file in one unbuffered
    // write, so that a disk that fills up shows as a short write. Through
    // QSaveFile's buffer it would not: Qt 6.4 takes a partial flush for
    // success, and the commit would rename a file cut short over the old one.
    QBuffer memory;
    memory.open(QIODevice::WriteOnly);
    TKVStream stream(&memory);
    SaveToStream(stream, Lab);
    const QByteArray& bytes = memory.data();
    TKVLimitCheck::FileSize(bytes.size());

    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede escribir %1: %2").arg(FileName, file.errorString()));
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        file.cancelWriting();
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede escribir %1: escritos %2 de %3 bytes (¿está lleno el disco?)")
                           .arg(FileName)
                           .arg(std::max<qint64>(written, 0))
                           .arg(bytes.size()));
    }
    if (!file.commit())
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede escribir %1: %2").arg(FileName, file.errorString()));
}

void TKVObject::LoadFromFile(const QString& FileName, TKVDesign* Lab)
{
    // Only a regular file of a plausible size: a folder, a device or a pipe
    // could block the reader or feed it without end.
    const QFileInfo info(FileName);
    if (!info.isFile() || info.size() > KVLimits::MaxLabelFileSize)
        throw EKvError(LabelFileReadError());
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EKvError(LabelFileReadError());
    TKVStream stream(&file);
    const TKVImage::PictureFolderScope pictures(QFileInfo(FileName).absolutePath());
    LoadFromStream(stream, Lab);
    if (Lab)
        Lab->DesignFolder = QFileInfo(FileName).absolutePath();
}

void TKVObject::CheckLimits(const TKVDesign* Lab) const
{
    TKVLimitCheck::LabelSettings(*Lab);
    TKVLimitCheck::Elements(Count());
    for (int i = 0; i < Count(); ++i)
        Items(i)->CheckLimits(TKVLimitCheck::Element(i, Items(i)->Elem()));
}
