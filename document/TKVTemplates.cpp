#include "document/TKVTemplates.h"

#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "strings/KVLanguage.h"
#include "types/KVtypes.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSet>
#include <QSizeF>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <map>

// What the reader leaves out; shown with QT_LOGGING_RULES="kvlab.templates.info=true".
Q_LOGGING_CATEGORY(LogTemplates, "kvlab.templates", QtWarningMsg)

namespace {
QString Text(const char* Spanish) { return KVLanguage::Text("TKVTemplates", Spanish); }

QString Number(double V) { return QString::number(V, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$"))); }

double Length(const QXmlStreamAttributes& A, const char* Name, double Default = 0)
{
    double mm = Default;
    const QString text = A.value(QLatin1String(Name)).toString();
    if (!text.isEmpty() && !TKVTemplates::ToMM(text, mm))
        mm = Default;
    return mm;
}

// One template as read, before "equiv" entries are resolved.
struct TRead {
    TKVTemplate T;
    QString Equiv; // the part of the same brand this one copies
    int Layouts = 0;
};

void ReadLabel(QXmlStreamReader& X, TRead& R)
{
    const QStringView shape = X.name();
    const QXmlStreamAttributes a = X.attributes();
    TKVTemplate& t = R.T;
    if (shape == QLatin1String("Label-rectangle") || shape == QLatin1String("Label-ellipse")) {
        t.Width = Length(a, "width");
        t.Height = Length(a, "height");
        if (shape == QLatin1String("Label-ellipse"))
            t.Note = Text("elíptica: se usa el rectángulo que la contiene");
    } else if (shape == QLatin1String("Label-round")) {
        t.Width = t.Height = 2 * Length(a, "radius");
        t.Note = Text("redonda: se usa el cuadrado que la contiene");
    } else { // Label-cd
        const double d = 2 * Length(a, "radius");
        // A business-card CD is cut to a rectangle smaller than its disc.
        t.Width = Length(a, "width", d);
        t.Height = Length(a, "height", d);
        t.Note = Text("CD: se usa el rectángulo que la contiene");
    }
    while (X.readNextStartElement()) {
        if (X.name() == QLatin1String("Layout")) {
            const QXmlStreamAttributes l = X.attributes();
            if (++R.Layouts == 1) {
                t.Columns = l.value(QLatin1String("nx")).toInt();
                t.Rows = l.value(QLatin1String("ny")).toInt();
                t.X0 = Length(l, "x0");
                t.Y0 = Length(l, "y0");
                t.Dx = Length(l, "dx");
                t.Dy = Length(l, "dy");
            }
        }
        X.skipCurrentElement();
    }
}

void ReadTemplate(QXmlStreamReader& X, const QHash<QString, QSizeF>& Papers, TRead& R)
{
    const QXmlStreamAttributes a = X.attributes();
    TKVTemplate& t = R.T;
    t.Brand = a.value(QLatin1String("brand")).toString().trimmed();
    t.Part = a.value(QLatin1String("part")).toString().trimmed();
    t.Description = a.value(QLatin1String("_description")).toString();
    if (t.Description.isEmpty())
        t.Description = a.value(QLatin1String("description")).toString();
    t.Paper = a.value(QLatin1String("size")).toString();
    R.Equiv = a.value(QLatin1String("equiv")).toString().trimmed();
    if (const auto p = Papers.constFind(t.Paper); p != Papers.constEnd()) {
        t.PaperWidth = p->width();
        t.PaperHeight = p->height();
    } else {
        t.PaperWidth = Length(a, "width");
        t.PaperHeight = Length(a, "height");
    }
    while (X.readNextStartElement()) {
        if (X.name().startsWith(QLatin1String("Label-")))
            ReadLabel(X, R);
        else
            X.skipCurrentElement();
    }
}

// Reads one file: paper sizes into Papers, templates into Out.
QString ReadFile(const QString& Path, QHash<QString, QSizeF>& Papers, std::vector<TRead>& Out)
{
    QFile f(Path);
    if (!f.open(QIODevice::ReadOnly))
        return f.errorString();
    QXmlStreamReader x(&f);
    // Files with and without the gLabels namespace read alike: only local
    // names are compared.
    if (!x.readNextStartElement())
        return x.errorString();
    if (x.name() == QLatin1String("Glabels-paper-sizes")) {
        while (x.readNextStartElement()) {
            if (x.name() == QLatin1String("Paper-size")) {
                const QXmlStreamAttributes a = x.attributes();
                Papers.insert(a.value(QLatin1String("id")).toString(), QSizeF(Length(a, "width"), Length(a, "height")));
            }
            x.skipCurrentElement();
        }
    } else if (x.name() == QLatin1String("Glabels-templates")) {
        while (x.readNextStartElement()) {
            if (x.name() == QLatin1String("Template")) {
                TRead r;
                r.T.File = Path;
                ReadTemplate(x, Papers, r);
                Out.push_back(std::move(r));
            } else {
                x.skipCurrentElement();
            }
        }
    } else {
        x.skipCurrentElement();
    }
    return x.hasError() ? QStringLiteral("%1 (%2:%3)").arg(x.errorString()).arg(x.lineNumber()).arg(x.columnNumber())
                        : QString();
}

QString Key(const QString& Name) { return Name.simplified().toCaseFolded(); }

bool SameSheet(const TKVTemplate& A, const TKVTemplate& B)
{
    auto near = [](double X, double Y) { return std::fabs(X - Y) < 0.005; };
    return near(A.PaperWidth, B.PaperWidth) && near(A.PaperHeight, B.PaperHeight) && near(A.Width, B.Width) &&
           near(A.Height, B.Height) && A.Columns == B.Columns && A.Rows == B.Rows && near(A.X0, B.X0) &&
           near(A.Y0, B.Y0) && near(A.Dx, B.Dx) && near(A.Dy, B.Dy);
}
}

QString TKVTemplate::Name() const { return Brand + QLatin1Char(' ') + Part; }

bool TKVTemplate::OnePerPage() const
{
    return Columns == 1 && Rows == 1 && std::fabs(PaperWidth - Width) < 0.1 && std::fabs(PaperHeight - Height) < 0.1;
}

double TKVTemplate::GapX() const { return Columns > 1 ? Dx - Width : 0; }
double TKVTemplate::GapY() const { return Rows > 1 ? Dy - Height : 0; }

int TKVTemplate::PaperRow() const
{
    for (int row = 0; row < PaperCount; ++row) {
        if (row == UserPaperIndex)
            continue;
        if (std::fabs(Papers[std::size_t(row)].Width - PaperWidth) < 0.05 &&
            std::fabs(Papers[std::size_t(row)].Height - PaperHeight) < 0.05)
            return row;
    }
    return -1;
}

void TKVTemplate::ApplyTo(TKVMeasure& M, TKVPrintInfo& P) const
{
    const int row = PaperRow();
    const TPaperType& paper = Papers[std::size_t(row < 0 ? UserPaperIndex : row)];
    M.SetPaperWidth(row < 0 ? float(PaperWidth) : paper.Width);
    M.SetPaperHeight(row < 0 ? float(PaperHeight) : paper.Height);
    M.SetPaperName(paper.Name);
    P.PaperCode = std::uint16_t(row < 0 ? UserPaperCode : paper.Code);
    P.Orientation = 0;
    // A typed width keeps 4 significant digits; a manufacturer's measure is
    // kept exactly (107.95 mm is not 108 mm), above the setters' floors.
    M.SetWidth(float(Width));
    M.SetHeight(float(Height));
    if (M.Width >= 10.0f && float(Width) >= 10.0f)
        M.Width = float(Width);
    if (M.Height >= 5.0f && float(Height) >= 5.0f)
        M.Height = float(Height);
    M.SetNuHor(Rows);
    M.SetNuVer(Columns);
    M.SetMarLeft(float(X0));
    M.SetMarTop(float(Y0));
    M.SetDiHor(float(GapX()));
    M.SetDiVer(float(GapY()));
    M.SetLabelName(Name());
}

void TKVTemplates::OneLabelPerPage(TKVMeasure& M, TKVPrintInfo& P)
{
    TKVTemplate t;
    t.PaperWidth = t.Width = M.Width;
    t.PaperHeight = t.Height = M.Height;
    const QString name = M.LabelName;
    t.ApplyTo(M, P);
    M.SetLabelName(name);
}

bool TKVTemplates::ToMM(const QString& Text, double& MM)
{
    static const QRegularExpression form(QStringLiteral("^\\s*([-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?)\\s*([a-z]*)\\s*$"));
    const QRegularExpressionMatch m = form.match(Text);
    if (!m.hasMatch())
        return false;
    const double v = m.captured(1).toDouble();
    const QString unit = m.captured(2);
    static const std::map<QString, double> perUnit{
        {QString(), 25.4 / 72},     {QStringLiteral("pt"), 25.4 / 72}, {QStringLiteral("in"), 25.4},
        {QStringLiteral("mm"), 1.0}, {QStringLiteral("cm"), 10.0},      {QStringLiteral("pc"), 25.4 / 6},
    };
    const auto it = perUnit.find(unit);
    if (it == perUnit.end())
        return false;
    MM = v * it->second;
    return std::isfinite(MM);
}

QStringList TKVTemplates::DefaultFolders()
{
    QStringList folders;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty())
        folders << data + QStringLiteral("/kvlab/templates");
    if (QCoreApplication::instance())
        folders << QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/kvlab/templates"));
    folders << QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("libglabels-3.0/templates"),
                                         QStandardPaths::LocateDirectory);
    folders.removeDuplicates();
    return folders;
}

const TKVTemplates& TKVTemplates::Installed()
{
    static const TKVTemplates installed = [] {
        TKVTemplates t;
        t.Load(DefaultFolders());
        return t;
    }();
    return installed;
}

void TKVTemplates::Load(const QStringList& Folders)
{
    List.clear();
    Problems.clear();
    SkippedLayouts = 0;
    // Paper sizes come from any folder and serve them all: read them first.
    QHash<QString, QSizeF> papers;
    std::vector<QStringList> files;
    for (const QString& folder : Folders) {
        const QDir dir(folder);
        QStringList names;
        for (const QString& name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
            const QString path = dir.filePath(name);
            if (name == QLatin1String("paper-sizes.xml")) {
                std::vector<TRead> none;
                if (const QString e = ReadFile(path, papers, none); !e.isEmpty())
                    Problems << path + QStringLiteral(": ") + e;
            } else {
                names << path;
            }
        }
        files.push_back(names);
    }
    // A name of an earlier folder hides the same name in a later one.
    QSet<QString> earlier;
    for (const QStringList& names : files) {
        QSet<QString> here;
        for (const QString& path : names) {
            std::vector<TRead> read;
            if (const QString e = ReadFile(path, papers, read); !e.isEmpty())
                Problems << path + QStringLiteral(": ") + e;
            // "equiv" names a product of the same brand in the same file.
            QHash<QString, const TRead*> byPart;
            for (const TRead& r : read)
                if (r.Equiv.isEmpty())
                    byPart.insert(Key(r.T.Brand + QLatin1Char(' ') + r.T.Part), &r);
            for (const TRead& r : read) {
                const TRead* source = &r;
                if (!r.Equiv.isEmpty()) {
                    source = byPart.value(Key(r.T.Brand + QLatin1Char(' ') + r.Equiv));
                    if (!source)
                        continue;
                }
                if (source->Layouts != 1) {
                    SkippedLayouts += source->Layouts > 1;
                    continue;
                }
                TKVTemplate t = source->T;
                t.Brand = r.T.Brand;
                t.Part = r.T.Part;
                const QString key = Key(t.Name());
                if (t.Part.isEmpty() || earlier.contains(key) || !(t.Width > 0) || !(t.Height > 0) ||
                    !(t.PaperWidth > 0) || !(t.PaperHeight > 0) || t.Columns < 1 || t.Rows < 1)
                    continue;
                here.insert(key);
                List.push_back(std::move(t));
            }
        }
        earlier.unite(here);
    }
    if (SkippedLayouts > 0)
        qCInfo(LogTemplates).noquote() << QStringLiteral("%1 templates with several layouts are not listed").arg(SkippedLayouts);
    for (const QString& p : std::as_const(Problems))
        qCWarning(LogTemplates).noquote() << QStringLiteral("template file %1").arg(p);
}

std::vector<const TKVTemplate*> TKVTemplates::Find(const QString& Text) const
{
    const QStringList words = Text.toCaseFolded().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<const TKVTemplate*> found;
    for (const TKVTemplate& t : List) {
        const QString size = Number(t.Width) + QLatin1Char('x') + Number(t.Height);
        const QString hay = (t.Name() + QLatin1Char(' ') + t.Description + QLatin1Char(' ') + t.Paper + QLatin1Char(' ') +
                             size + QStringLiteral("mm"))
                                .toCaseFolded();
        if (std::all_of(words.begin(), words.end(), [&](const QString& w) { return hay.contains(w); }))
            found.push_back(&t);
    }
    return found;
}

const TKVTemplate* TKVTemplates::ByName(const QString& Name, QStringList* Near) const
{
    const QString key = Key(Name);
    std::vector<const TKVTemplate*> same;
    for (const TKVTemplate& t : List)
        if (Key(t.Name()) == key)
            same.push_back(&t);
    if (!same.empty() && std::all_of(same.begin(), same.end(), [&](const TKVTemplate* t) { return SameSheet(*t, *same[0]); }))
        return same[0];
    if (Near) {
        Near->clear();
        if (!same.empty()) {
            for (const TKVTemplate* t : same)
                *Near << QStringLiteral("%1 (%2)").arg(t->Name(), QFileInfo(t->File).fileName());
            return nullptr;
        }
        // Names that hold the asked part, or every word asked.
        const QStringList words = key.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const TKVTemplate& t : List) {
            const QString name = Key(t.Name());
            const QString part = Key(t.Part);
            const bool partLike = !words.isEmpty() && part.size() > 1 && (words.last().contains(part) || part.contains(words.last()));
            const bool allWords = std::all_of(words.begin(), words.end(), [&](const QString& w) { return name.contains(w); });
            if ((partLike || allWords) && Near->size() < 12)
                *Near << t.Name();
        }
    }
    return nullptr;
}
