// TKVClipboard: the element clipboard that every designer of the process
// shares. It holds one element record exactly as a label file stores it,
// kind byte first, apart from the system clipboard, followed by the
// extension block of the element's entries when it has any (TKVExtension).
#pragma once

#include "types/KVtypes.h"

#include <QByteArray>
#include <memory>

class TKVElement;

class TKVClipboard
{
public:
    TKVClipboard() = delete;

    // Replaces the clipboard by E's record. An element that a label file
    // could not hold is refused (EKvError naming the field) and the
    // clipboard keeps what it had: every record on it can be pasted.
    static void Copy(const TKVElement& E);
    // A new element read from the record, with its class defaults for
    // whatever the record does not hold; null when nothing was copied.
    static std::unique_ptr<TKVElement> Paste();
    // Empties the clipboard, as after start-up.
    static void Discard();

    static bool HasElement() { return !ClipStream().isEmpty(); }
    // The record's bytes, kind byte first, and its extension block; empty
    // when nothing was copied.
    static const QByteArray& Bytes() { return ClipStream(); }
    // dePoint when nothing was copied.
    static TKVEle Kind() { return ClipKind(); }

private:
    static QByteArray& ClipStream();
    static TKVEle& ClipKind();
};
