#include "designer/TKVClipboard.h"

#include "document/TKVElement.h"
#include "document/TKVExtension.h"
#include "document/TKVLimitCheck.h"
#include "document/TKVObject.h"
#include "document/TKVStream.h"

#include <QBuffer>

QByteArray& TKVClipboard::ClipStream()
{
    static QByteArray stream;
    return stream;
}

TKVEle& TKVClipboard::ClipKind()
{
    static TKVEle kind = dePoint;
    return kind;
}

std::vector<std::pair<TKVEle, QByteArray>>& TKVClipboard::Records()
{
    static std::vector<std::pair<TKVEle, QByteArray>> records;
    return records;
}

void TKVClipboard::Copy(const TKVElement& E) { Copy(std::vector<const TKVElement*>{&E}); }

void TKVClipboard::Copy(const std::vector<const TKVElement*>& Elements)
{
    std::vector<std::pair<TKVEle, QByteArray>> records;
    for (const TKVElement* e : Elements) {
        e->CheckLimits(TKVLimitCheck::Element(-1, e->Elem()));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        TKVStream stream(&buffer);
        TKVExtension::WriteElement(stream, *e);
        buffer.close();
        records.emplace_back(e->Elem(), bytes);
    }
    if (records.empty())
        return;
    // Only complete records replace the previous ones.
    Records() = std::move(records);
    ClipStream() = Records().front().second;
    ClipKind() = Records().front().first;
}

std::unique_ptr<TKVElement> TKVClipboard::Read(TKVEle Kind, const QByteArray& Bytes)
{
    std::unique_ptr<TKVElement> e = TKVObject::CreateElement(Kind);
    if (!e)
        return nullptr;
    QByteArray bytes = Bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(1); // past the kind byte
    TKVStream stream(&buffer);
    TKVExtension::ReadElement(stream, *e);
    return e;
}

std::unique_ptr<TKVElement> TKVClipboard::Paste()
{
    if (!HasElement())
        return nullptr;
    return Read(ClipKind(), ClipStream());
}

std::vector<std::unique_ptr<TKVElement>> TKVClipboard::PasteAll()
{
    std::vector<std::unique_ptr<TKVElement>> v;
    for (const auto& [kind, bytes] : Records())
        if (auto e = Read(kind, bytes))
            v.push_back(std::move(e));
    return v;
}

void TKVClipboard::Discard()
{
    Records().clear();
    ClipStream().clear();
    ClipKind() = dePoint;
}
