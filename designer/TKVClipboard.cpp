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

void TKVClipboard::Copy(const TKVElement& E)
{
    E.CheckLimits(TKVLimitCheck::Element(-1, E.Elem()));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TKVStream stream(&buffer);
    TKVExtension::WriteElement(stream, E);
    buffer.close();
    // Only a complete record replaces the previous one.
    ClipStream() = bytes;
    ClipKind() = E.Elem();
}

std::unique_ptr<TKVElement> TKVClipboard::Paste()
{
    if (!HasElement())
        return nullptr;
    std::unique_ptr<TKVElement> e = TKVObject::CreateElement(ClipKind());
    if (!e)
        return nullptr;
    QByteArray bytes = ClipStream();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(1); // past the kind byte
    TKVStream stream(&buffer);
    TKVExtension::ReadElement(stream, *e);
    return e;
}

void TKVClipboard::Discard()
{
    ClipStream().clear();
    ClipKind() = dePoint;
}
