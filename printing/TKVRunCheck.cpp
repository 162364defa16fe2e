#include "printing/TKVRunCheck.h"

#include "barcode/TKVBarCode.h"
#include "designer/TKVLab.h"
#include "document/TKVAddText.h"
#include "document/TKVFrame.h"
#include "document/TKVImage.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVTable.h"
#include "strings/KVLanguage.h"
#include "strings/KVStrings.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {
QString CheckText(const char* Spanish) { return KVLanguage::Text("TKVRunCheck", Spanish); }

// Ink within this much of the edge (0.01 mm) is not worth a word: rounding
// and the thinnest pen reach that far.
constexpr int EdgeTolerance = 10;

// The bound field of an element whose content is text, or null.
const TKVData* BoundText(const TKVElement& Element)
{
    const auto* data = dynamic_cast<const TKVData*>(&Element);
    if (!data || !data->UseDaBa)
        return nullptr;
    return dynamic_cast<const TKVDataText*>(data) || dynamic_cast<const TKVBarCode*>(data) ? data : nullptr;
}

QString Shortened(const QString& S)
{
    const QString line = S.simplified();
    return line.size() > 30 ? line.left(29) + QChar(0x2026) : line;
}
}

const char* TKVRunProblem::KindName(TKind Kind)
{
    static constexpr const char* names[] = {"outside",     "text-overflow", "text-shrunk", "barcode-invalid", "check-digit",
                                            "field-empty", "field-null",    "picture",     "off-page"};
    return names[Kind];
}

TKVRunCheck::TKVRunCheck(TKVLab& Lab) : Lab(Lab) {}

void TKVRunCheck::Run()
{
    Problems.clear();
    Index.clear();
    Labels = 0;
    Watching = true;
    const auto& elements = Lab.Document->Elements;
    for (std::size_t i = 0; i < elements.size(); ++i)
        Index.insert(elements[i].get(), std::int32_t(i));
    // A picture that cannot be read is missing from every label alike.
    for (const auto& e : elements)
        if (const auto* image = dynamic_cast<const TKVImage*>(e.get()); image && image->Picture.isNull())
            Add(TKVRunProblem::pkPicture, image, CheckText("no se puede leer el archivo %1").arg(image->FileName));
    Lab.CheckRun(*this);
}

void TKVRunCheck::LabelBegins(const TRect& Box, std::int32_t Record, bool OffPage)
{
    // A label with a frame holds its content inside the frame's lines.
    const TKVFrame& frame = *Lab.Frame;
    const int inset = frame.Style == maNot ? 0
                                           : Coord(frame.Dist1 + (frame.Style == maDoble ? frame.Dist2 : 0.0f) + frame.PenWidth);
    Label = {Box.Left + inset, Box.Top + inset, Box.Right - inset, Box.Bottom - inset};
    Framed = inset > 0;
    this->Record = Record;
    Watching = Record > 0 || Labels == 0;
    ++Labels;
    Name.clear();
    if (Record > 0) {
        TKVTable& table = *Lab.Table;
        for (const auto& e : Lab.Document->Elements) {
            const TKVData* bound = BoundText(*e);
            if (!bound)
                continue;
            const QVariant value = table.FieldByName(bound->FieldName)->Value();
            const bool isNull = value.isNull() || !value.isValid();
            if (Name.isEmpty() && !isNull && dynamic_cast<const TKVDataText*>(bound))
                Name = Shortened(value.toString());
            if (isNull)
                Add(TKVRunProblem::pkFieldNull, bound, CheckText("el campo %1 no tiene valor").arg(bound->FieldName));
            else if (table.FieldByName(bound->FieldName)->AsString().trimmed().isEmpty())
                Add(TKVRunProblem::pkFieldEmpty, bound, CheckText("el campo %1 está vacío").arg(bound->FieldName));
        }
    }
    if (OffPage)
        Add(TKVRunProblem::pkOffPage, nullptr, CheckText("la etiqueta cae fuera del área imprimible de la página"));
}

void TKVRunCheck::Drawn(const TKVElement& Element, const TRect& Box)
{
    if (!Watching)
        return;
    if (const auto* bar = dynamic_cast<const TKVBarCode*>(&Element))
        if (const int digit = bar->WrongCheckDigit(); digit >= 0)
            Add(TKVRunProblem::pkCheckDigit, &Element, LoadResString(&KvBarCheckDigit).arg(digit) +
                                                          QStringLiteral(" (%1)").arg(bar->Code));
    // The side it passes most.
    const std::pair<int, const char*> sides[] = {
        {Label.Left - Box.Left, QT_TRANSLATE_NOOP("TKVRunCheck", "sale %1 mm por la izquierda")},
        {Box.Right - Label.Right, QT_TRANSLATE_NOOP("TKVRunCheck", "sale %1 mm por la derecha")},
        {Label.Top - Box.Top, QT_TRANSLATE_NOOP("TKVRunCheck", "sale %1 mm por arriba")},
        {Box.Bottom - Label.Bottom, QT_TRANSLATE_NOOP("TKVRunCheck", "sale %1 mm por abajo")},
    };
    const auto most = std::max_element(std::begin(sides), std::end(sides),
                                       [](const auto& A, const auto& B) { return A.first < B.first; });
    if (most->first > EdgeTolerance) {
        const double mm = std::round(most->first / 10.0) / 10.0;
        Add(TKVRunProblem::pkOutside, &Element,
            CheckText(most->second).arg(Mm(mm)) + (Framed ? CheckText(" del marco") : QString()), mm);
    }
}

void TKVRunCheck::Placeholder(const TKVElement& Element, const QString& Reason)
{
    if (!Watching)
        return;
    const QString code = static_cast<const TKVBarCode&>(Element).Code;
    Add(TKVRunProblem::pkBarcodeInvalid, &Element,
        CheckText("se imprime la marca de código no válido: %1").arg(Reason) +
            (code.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(Shortened(code))));
}

void TKVRunCheck::Overflow(const TKVElement& Element, int Needed)
{
    if (!Watching || Needed <= EdgeTolerance)
        return;
    const double mm = std::round(Needed / 10.0) / 10.0;
    Add(TKVRunProblem::pkTextOverflow, &Element, CheckText("no cabe en su recuadro: faltan %1 mm").arg(Mm(mm)), mm);
}

void TKVRunCheck::Shrunk(const TKVElement& Element, float Least)
{
    if (!Watching)
        return;
    Add(TKVRunProblem::pkTextShrunk, &Element,
        CheckText("no cabe ni reducido a su tamaño mínimo de %1 mm").arg(Mm(Least)), std::round(Least * 10.0) / 10.0);
}

void TKVRunCheck::Add(TKVRunProblem::TKind Kind, const TKVElement* Element, const QString& Detail, double Mm)
{
    TKVRunProblem p;
    p.Kind = Kind;
    // A picture's problem is the design's, not a record's.
    p.Record = Kind == TKVRunProblem::pkPicture ? 0 : Record;
    p.Name = p.Record > 0 ? Name : QString();
    p.Element = Element ? Index.value(Element, -1) : -1;
    if (const auto* data = dynamic_cast<const TKVData*>(Element); data && data->UseDaBa)
        p.Field = data->FieldName;
    p.Detail = Detail;
    p.Mm = Mm;
    Problems.push_back(std::move(p));
}

QString TKVRunCheck::Mm(double Value) const
{
    // The user's language writes its own decimal mark.
    const QLocale locale(KVLanguage::IsLoaded() ? QLocale::English : QLocale::Spanish);
    return locale.toString(Value, 'f', 1);
}

QString TKVRunCheck::Describe(const TKVRunProblem& P) const
{
    QString line;
    if (P.Record > 0) {
        line = CheckText("registro %1").arg(P.Record);
        if (!P.Name.isEmpty())
            line += QStringLiteral(" (%1)").arg(P.Name);
        line += QStringLiteral(": ");
    }
    if (P.Element >= 0 && P.Element < Lab.Document->Count()) {
        const TKVElement& e = *Lab.Document->Items(P.Element);
        static const TResStringRec* const kinds[] = {nullptr,      &KvKindLine,   &KvKindText,     &KvKindBar,      &KvKindRect,
                                                      &KvKindSymbol, &KvKindPoliText, &KvKindImage, &KvKindParagraph};
        const TResStringRec* kind = kinds[std::min<int>(e.Elem(), deParagraph)];
        line += (kind ? LoadResString(kind) : QString()) + QLatin1Char(' ');
        QString name = P.Field;
        if (name.isEmpty()) {
            if (const auto* text = dynamic_cast<const TKVDataText*>(&e))
                name = Shortened(text->Text);
            else if (const auto* image = dynamic_cast<const TKVImage*>(&e))
                name = image->FileName;
        }
        line += name.isEmpty() ? CheckText("n.º %1").arg(P.Element + 1) : QStringLiteral("'%1'").arg(name);
        line += P.Kind == TKVRunProblem::pkOutside ? QStringLiteral(" ") : QStringLiteral(": ");
    } else if (P.Record == 0 && P.Kind == TKVRunProblem::pkOffPage) {
        line = CheckText("una etiqueta: ");
    }
    return line + P.Detail;
}

QString TKVRunCheck::Summary() const
{
    const auto& run = Lab.LastRun;
    QString line = run.FromData ? CheckText("%1 etiqueta(s) comprobada(s), registros %2 a %3 de %4 en %5")
                                      .arg(run.Labels)
                                      .arg(run.FirstRecord)
                                      .arg(run.LastRecord)
                                      .arg(run.Records)
                                      .arg(Lab.Table->TableName)
                                : CheckText("%1 copia(s) comprobada(s)").arg(run.Labels);
    if (Problems.empty())
        return line + CheckText(": sin problemas");
    QList<std::int32_t> records;
    for (const TKVRunProblem& p : Problems)
        if (p.Record > 0 && (records.isEmpty() || records.back() != p.Record))
            records << p.Record;
    return line + CheckText(": %1 problema(s) en %2 registro(s)").arg(Problems.size()).arg(records.size());
}
