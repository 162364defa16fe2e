#include "KVPdfJoin.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <vector>

// The parts are PDFs of Qt's writer: one classic cross-reference table, no
// object streams, no incremental updates. Joining them is copying their
// objects under new numbers, dropping each part's catalog, page tree root
// and information dictionary, and writing one of each for the whole. It is
// done object by object, so memory grows with the number of objects (a few
// bytes each), never with their contents; a general PDF library holds every
// object of every page at once, which for a million labels is a gigabyte.
namespace {
struct TPart {
    QFile File;
    // Offset of each object by number; -1 for free entries.
    std::vector<qint64> Offsets;
    qint64 XrefAt = 0;
    int Root = 0, Info = 0, PagesRoot = 0;
    std::vector<int> Kids;
};

QByteArray ReadAt(QFile& File, qint64 From, qint64 To)
{
    if (!File.seek(From))
        return {};
    return File.read(To - From);
}

const QRegularExpression& Reference()
{
    static const QRegularExpression ref(QStringLiteral("(?<![0-9.])([0-9]+) ([0-9]+) R(?![A-Za-z0-9])"));
    return ref;
}

int RefIn(const QByteArray& Text, const char* Key)
{
    const QRegularExpression re(QStringLiteral("%1\\s+([0-9]+)\\s+0\\s+R").arg(QRegularExpression::escape(QLatin1String(Key))));
    const auto m = re.match(QString::fromLatin1(Text));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// Reads the cross-reference table and the trailer, the catalog and the page
// tree root of one part; what is wrong with it, or nothing.
QString Open(TPart& P, const QString& Name)
{
    P.File.setFileName(Name);
    if (!P.File.open(QIODevice::ReadOnly))
        return P.File.errorString();
    const qint64 size = P.File.size();
    const QByteArray tail = ReadAt(P.File, std::max<qint64>(0, size - 64), size);
    const qsizetype at = tail.lastIndexOf("startxref");
    if (at < 0)
        return QStringLiteral("no startxref");
    P.XrefAt = tail.mid(at + 9).trimmed().split('\n').first().trimmed().toLongLong();
    QByteArray head = ReadAt(P.File, P.XrefAt, std::min(size, P.XrefAt + 64));
    const QList<QByteArray> first = head.split('\n');
    if (first.size() < 2 || first[0].trimmed() != "xref")
        return QStringLiteral("no classic cross-reference table");
    const QList<QByteArray> range = first[1].trimmed().split(' ');
    if (range.size() != 2 || range[0] != "0")
        return QStringLiteral("more than one cross-reference section");
    const int count = range[1].toInt();
    const qint64 entries = P.XrefAt + first[0].size() + 1 + first[1].size() + 1;
    const QByteArray table = ReadAt(P.File, entries, entries + qint64(count) * 20);
    if (table.size() != qint64(count) * 20)
        return QStringLiteral("cross-reference table cut short");
    P.Offsets.assign(std::size_t(count), -1);
    for (int i = 0; i < count; ++i)
        if (table[i * 20 + 17] == 'n')
            P.Offsets[std::size_t(i)] = table.mid(i * 20, 10).toLongLong();
    const QByteArray trailer = ReadAt(P.File, entries + qint64(count) * 20, size);
    P.Root = RefIn(trailer, "/Root");
    P.Info = RefIn(trailer, "/Info");
    auto object = [&](int N) -> QByteArray {
        if (N <= 0 || N >= count || P.Offsets[std::size_t(N)] < 0)
            return {};
        const QByteArray text = ReadAt(P.File, P.Offsets[std::size_t(N)], std::min(size, P.Offsets[std::size_t(N)] + 65536));
        const qsizetype end = text.indexOf("endobj");
        return end < 0 ? QByteArray() : text.left(end);
    };
    P.PagesRoot = RefIn(object(P.Root), "/Pages");
    if (P.PagesRoot <= 0)
        return QStringLiteral("no page tree");
    // The page tree root lists every page; it is read whole, at a few bytes
    // a page.
    const qint64 rootAt = P.Offsets[std::size_t(P.PagesRoot)];
    qint64 rootEnd = P.XrefAt;
    for (qint64 o : P.Offsets)
        if (o > rootAt && o < rootEnd)
            rootEnd = o;
    const QByteArray pages = ReadAt(P.File, rootAt, rootEnd);
    const qsizetype kids = pages.indexOf("/Kids");
    const qsizetype open = pages.indexOf('[', kids), close = pages.indexOf(']', open);
    if (kids < 0 || open < 0 || close < 0)
        return QStringLiteral("no page list");
    auto it = Reference().globalMatch(QString::fromLatin1(pages.mid(open + 1, close - open - 1)));
    while (it.hasNext())
        P.Kids.push_back(it.next().captured(1).toInt());
    return {};
}

// Writes and hashes the output; remembers the first failure.
class TOut
{
public:
    explicit TOut(const QString& Name) : File(Name) { Ok = File.open(QIODevice::WriteOnly | QIODevice::Truncate); }
    void Write(const QByteArray& Bytes)
    {
        if (!Ok)
            return;
        Hash.addData(Bytes);
        Ok = File.write(Bytes) == Bytes.size();
        At += Bytes.size();
    }
    QFile File;
    QCryptographicHash Hash{QCryptographicHash::Md5};
    qint64 At = 0;
    bool Ok = false;
};

// The closing parenthesis of the literal string that opens at From (strings
// nest balanced parentheses and escape others), or the end of Text.
qsizetype StringEnd(const QByteArray& Text, qsizetype From)
{
    int depth = 0;
    qsizetype i = From;
    for (; i < Text.size(); ++i) {
        if (Text[i] == '\\') {
            ++i;
            continue;
        }
        if (Text[i] == '(')
            ++depth;
        else if (Text[i] == ')' && --depth == 0)
            break;
    }
    return i;
}

// The object's dictionary (or whole body when it has no stream) with its
// references renumbered; strings are copied as they are.
QByteArray Renumber(const QByteArray& Body, const std::function<int(int)>& Map)
{
    QByteArray out;
    out.reserve(Body.size() + 16);
    qsizetype i = 0;
    auto plain = [&](qsizetype From, qsizetype To) {
        const QString text = QString::fromLatin1(Body.mid(From, To - From));
        qsizetype last = 0;
        auto it = Reference().globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            out += text.mid(last, m.capturedStart() - last).toLatin1();
            out += QByteArray::number(Map(m.captured(1).toInt())) + " 0 R";
            last = m.capturedEnd();
        }
        out += text.mid(last).toLatin1();
    };
    qsizetype from = 0;
    while (i < Body.size()) {
        if (Body[i] == '(') {
            plain(from, i);
            const qsizetype start = i;
            i = StringEnd(Body, i);
            out += Body.mid(start, i + 1 - start);
            from = ++i;
        } else {
            ++i;
        }
    }
    plain(from, Body.size());
    return out;
}

// Where an object's stream data begins (after "stream" and its end of line),
// or -1 for an object without one: the keyword right after the outermost
// dictionary closes.
qsizetype StreamStart(const QByteArray& Object, qsizetype BodyAt)
{
    qsizetype i = BodyAt;
    while (i < Object.size() && std::isspace(static_cast<unsigned char>(Object[i])))
        ++i;
    if (!Object.mid(i).startsWith("<<"))
        return -1;
    int depth = 0;
    for (; i < Object.size(); ++i) {
        const char c = Object[i];
        if (c == '(') {
            i = StringEnd(Object, i);
        } else if (c == '<' && i + 1 < Object.size() && Object[i + 1] == '<') {
            ++depth;
            ++i;
        } else if (c == '>' && i + 1 < Object.size() && Object[i + 1] == '>') {
            ++i;
            if (--depth == 0) {
                ++i;
                break;
            }
        }
    }
    while (i < Object.size() && std::isspace(static_cast<unsigned char>(Object[i])))
        ++i;
    if (!Object.mid(i).startsWith("stream"))
        return -1;
    i += 6;
    if (Object.mid(i).startsWith("\r\n"))
        return i + 2;
    return Object.mid(i).startsWith("\n") ? i + 1 : -1;
}
}

namespace {
// The seconds SOURCE_DATE_EPOCH gives: digits only, as `date +%s` writes
// them, up to the last second a PDF date can hold (the end of year 9999).
std::optional<qint64> EpochSeconds(const QByteArray& Text)
{
    constexpr qint64 LastPdfSecond = 253402300799;
    if (Text.isEmpty() || !std::all_of(Text.begin(), Text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    bool ok = false;
    const qint64 seconds = Text.toLongLong(&ok);
    if (!ok || seconds > LastPdfSecond)
        return std::nullopt;
    return seconds;
}
}

std::optional<QDateTime> KVPdfJoin::SourceDate()
{
    const std::optional<qint64> seconds = EpochSeconds(qgetenv("SOURCE_DATE_EPOCH").trimmed());
    if (!seconds)
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(*seconds, Qt::UTC);
}

QByteArray KVPdfJoin::MalformedSourceDate()
{
    const QByteArray text = qgetenv("SOURCE_DATE_EPOCH").trimmed();
    return text.isEmpty() || EpochSeconds(text) ? QByteArray() : text;
}

QString KVPdfJoin::Join(const QStringList& Parts, const QString& Output, const std::optional<QDateTime>& Date)
{
    std::vector<std::unique_ptr<TPart>> parts;
    for (const QString& name : Parts) {
        parts.push_back(std::make_unique<TPart>());
        if (const QString problem = Open(*parts.back(), name); !problem.isEmpty())
            return QStringLiteral("%1: %2").arg(name, problem);
    }
    if (parts.empty())
        return QStringLiteral("no pages");

    // New numbers: every kept object of every part in turn, then the page
    // tree root, the catalog and the information dictionary of the whole.
    std::vector<std::vector<int>> numbers(parts.size());
    int next = 1;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const TPart& p = *parts[k];
        numbers[k].assign(p.Offsets.size(), 0);
        for (std::size_t n = 1; n < p.Offsets.size(); ++n)
            if (p.Offsets[n] >= 0 && int(n) != p.Root && int(n) != p.PagesRoot && int(n) != p.Info)
                numbers[k][n] = next++;
    }
    const int pagesRoot = next++, catalog = next++, info = next++;
    std::vector<qint64> offsets(std::size_t(next), -1);

    TOut out(Output);
    if (!out.Ok)
        return out.File.errorString();
    out.Write(QByteArray("%PDF-1.4\n%\xBF\xF7\xA2\xFE\n"));
    for (std::size_t k = 0; k < parts.size() && out.Ok; ++k) {
        TPart& p = *parts[k];
        const auto map = [&](int Old) {
            if (Old == p.PagesRoot)
                return pagesRoot;
            if (Old == p.Root)
                return catalog;
            if (Old == p.Info)
                return info;
            return Old > 0 && std::size_t(Old) < numbers[k].size() ? numbers[k][std::size_t(Old)] : 0;
        };
        // Objects in the order of the file: each ends where the next begins.
        std::vector<std::pair<qint64, int>> order;
        for (std::size_t n = 1; n < p.Offsets.size(); ++n)
            if (p.Offsets[n] >= 0)
                order.emplace_back(p.Offsets[n], int(n));
        std::sort(order.begin(), order.end());
        for (std::size_t j = 0; j < order.size() && out.Ok; ++j) {
            const int old = order[j].second;
            const int now = numbers[k][std::size_t(old)];
            if (now == 0)
                continue;
            const qint64 end = j + 1 < order.size() ? order[j + 1].first : p.XrefAt;
            QByteArray object = ReadAt(p.File, order[j].first, end);
            const qsizetype obj = object.indexOf(" obj");
            const qsizetype close = object.lastIndexOf("endobj");
            if (obj < 0 || close < 0)
                return QStringLiteral("%1: object %2 cannot be read").arg(Parts[int(k)]).arg(old);
            const qsizetype body = obj + 4;
            const qsizetype stream = StreamStart(object, body);
            offsets[std::size_t(now)] = out.At;
            out.Write(QByteArray::number(now) + " 0 obj");
            if (stream < 0) {
                out.Write(Renumber(object.mid(body, close - body), map));
                out.Write("endobj\n");
            } else {
                out.Write(Renumber(object.mid(body, stream - body), map));
                out.Write(object.mid(stream, close + 6 - stream));
                out.Write("\n");
            }
        }
    }
    // The page tree of the whole, the catalog and the information.
    offsets[std::size_t(pagesRoot)] = out.At;
    out.Write(QByteArray::number(pagesRoot) + " 0 obj\n<<\n/Type /Pages\n/Kids\n[\n");
    QByteArray kids;
    int count = 0;
    for (std::size_t k = 0; k < parts.size(); ++k)
        for (int kid : parts[k]->Kids) {
            if (kid <= 0 || std::size_t(kid) >= numbers[k].size() || numbers[k][std::size_t(kid)] == 0)
                return QStringLiteral("%1: page %2 is missing").arg(Parts[int(k)]).arg(kid);
            kids += QByteArray::number(numbers[k][std::size_t(kid)]) + " 0 R\n";
            ++count;
            if (kids.size() > 65536) {
                out.Write(kids);
                kids.clear();
            }
        }
    out.Write(kids + "]\n/Count " + QByteArray::number(count) + "\n>>\nendobj\n");
    offsets[std::size_t(catalog)] = out.At;
    out.Write(QByteArray::number(catalog) + " 0 obj\n<<\n/Type /Catalog\n/Pages " + QByteArray::number(pagesRoot) +
              " 0 R\n>>\nendobj\n");
    // The first part's title, creator and producer; the date asked for.
    TPart& first = *parts.front();
    QByteArray infoBody = "\n<<\n>>\n";
    if (first.Info > 0 && std::size_t(first.Info) < first.Offsets.size() && first.Offsets[std::size_t(first.Info)] >= 0) {
        qint64 end = first.XrefAt;
        for (qint64 o : first.Offsets)
            if (o > first.Offsets[std::size_t(first.Info)] && o < end)
                end = o;
        const QByteArray object = ReadAt(first.File, first.Offsets[std::size_t(first.Info)], end);
        const qsizetype body = object.indexOf(" obj") + 4, close = object.lastIndexOf("endobj");
        if (body >= 4 && close > body)
            infoBody = object.mid(body, close - body);
    }
    if (Date) {
        const QByteArray stamp = "(D:" + Date->toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z)";
        static const QRegularExpression created(QStringLiteral("/CreationDate\\s*\\([^)]*\\)"));
        QString text = QString::fromLatin1(infoBody);
        text.replace(created, QStringLiteral("/CreationDate ") + QString::fromLatin1(stamp));
        infoBody = text.toLatin1();
    }
    offsets[std::size_t(info)] = out.At;
    out.Write(QByteArray::number(info) + " 0 obj" + infoBody + "endobj\n");

    // The cross-reference table, and an ID derived from everything above.
    const qint64 xref = out.At;
    QByteArray table = "xref\n0 " + QByteArray::number(next) + "\n0000000000 65535 f \n";
    for (int n = 1; n < next; ++n) {
        table += QByteArray::number(offsets[std::size_t(n)]).rightJustified(10, '0') + " 00000 n \n";
        if (table.size() > 65536) {
            out.Write(table);
            table.clear();
        }
    }
    const QByteArray id = out.Hash.result().toHex().toUpper();
    out.Write(table + "trailer\n<<\n/Size " + QByteArray::number(next) + "\n/Info " + QByteArray::number(info) +
              " 0 R\n/Root " + QByteArray::number(catalog) + " 0 R\n/ID [<" + id + "> <" + id + ">]\n>>\nstartxref\n" +
              QByteArray::number(xref) + "\n%%EOF\n");
    if (!out.Ok || !out.File.flush())
        return out.File.errorString();
    out.File.close();
    if (out.File.error() != QFileDevice::NoError)
        return out.File.errorString();
    return {};
}
