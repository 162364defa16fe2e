// TKVClipboard: the element clipboard that every designer of the process
// shares. It holds one element record exactly as a label file stores it,
// kind byte first, apart from the system clipboard, followed by the
// extension block of the element's entries when it has any (TKVExtension).
// Several elements copied together are kept as one such record each, in
// stacking order.
#pragma once

#include "types/KVtypes.h"

#include <QByteArray>
#include <memory>
#include <utility>
#include <vector>

class TKVElement;

class TKVClipboard
{
public:
    TKVClipboard() = delete;

    // Replaces the clipboard by E's record. An element that a label file
    // could not hold is refused (EKvError naming the field) and the
    // clipboard keeps what it had: every record on it can be pasted.
    static void Copy(const TKVElement& E);
    // The same for several elements at once, front-most first; all of them
    // or none are taken.
    static void Copy(const std::vector<const TKVElement*>& Elements);
    // A new element read from the record, with its class defaults for
    // whatever the record does not hold; null when nothing was copied.
    static std::unique_ptr<TKVElement> Paste();
    // Every element on the clipboard, in the order they were copied.
    static std::vector<std::unique_ptr<TKVElement>> PasteAll();
    static int Count() { return int(Records().size()); }
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
    static std::vector<std::pair<TKVEle, QByteArray>>& Records();
    static std::unique_ptr<TKVElement> Read(TKVEle Kind, const QByteArray& Bytes);
};
