#include "KVPdfJoin.h"

#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <memory>
#include <vector>

std::optional<QDateTime> KVPdfJoin::SourceDate()
{
    const QByteArray text = qgetenv("SOURCE_DATE_EPOCH").trimmed();
    bool ok = false;
    const qint64 seconds = text.toLongLong(&ok);
    if (text.isEmpty() || !ok || seconds < 0)
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

QString KVPdfJoin::Join(const QStringList& Parts, const QString& Output, const std::optional<QDateTime>& Date)
{
    try {
        // The parts stay open until the output is written: their page
        // streams are copied from the files while writing, never held whole.
        std::vector<std::unique_ptr<QPDF>> parts;
        QPDF joined;
        joined.emptyPDF();
        QPDFPageDocumentHelper pages(joined);
        for (const QString& name : Parts) {
            auto part = std::make_unique<QPDF>();
            part->processFile(QFile::encodeName(name).constData());
            for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(*part).getAllPages())
                pages.addPage(page, false);
            parts.push_back(std::move(part));
        }
        // The parts' metadata streams carry their own times and random
        // document IDs; the joined document keeps only the plain entries.
        QPDFObjectHandle info = QPDFObjectHandle::newDictionary();
        if (!parts.empty()) {
            QPDFObjectHandle first = parts.front()->getTrailer().getKey("/Info");
            if (first.isDictionary())
                for (const char* key : {"/Title", "/Creator", "/Producer", "/CreationDate", "/ModDate"})
                    if (first.hasKey(key) && first.getKey(key).isString())
                        info.replaceKey(key, QPDFObjectHandle::newString(first.getKey(key).getStringValue()));
        }
        if (Date) {
            const std::string stamp =
                Date->toUTC().toString(QStringLiteral("'D:'yyyyMMddHHmmss'Z'")).toStdString();
            info.replaceKey("/CreationDate", QPDFObjectHandle::newString(stamp));
            if (info.hasKey("/ModDate"))
                info.replaceKey("/ModDate", QPDFObjectHandle::newString(stamp));
        }
        joined.getTrailer().replaceKey("/Info", joined.makeIndirectObject(info));

        // The file is ours to close: a write that failed (a full disk) shows
        // only when the last buffer is flushed, which the writer does not check.
        const QByteArray name = QFile::encodeName(Output);
        FILE* file = std::fopen(name.constData(), "wb");
        if (!file)
            return QString::fromLocal8Bit(std::strerror(errno));
        auto closed = false;
        const auto close = qScopeGuard([&] {
            if (!closed)
                std::fclose(file);
        });
        QPDFWriter writer(joined);
        writer.setOutputFile(name.constData(), file, false);
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setCompressStreams(false);
        writer.setObjectStreamMode(qpdf_o_disable);
        writer.setDeterministicID(true);
        writer.write();
        const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
        closed = true;
        if (std::fclose(file) != 0 || !flushed)
            return QString::fromLocal8Bit(std::strerror(errno));
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
    return {};
}
