#include "KVDesignInfo.h"

#include "KVJsonWriter.h"
#include "barcode/TKVBarCode.h"
#include "designer/TKVLab.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLabelFields.h"
#include "document/TKVObject.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
#include "document/TKVTable.h"

#include <cstring>
#include <variant>

namespace {
using I = std::int64_t;

void Element(KVJsonWriter& w, const TKVElement& e)
{
    w.BeginObject();
    w.Value(QStringLiteral("Elem"), I(e.Elem()));
    w.Value(QStringLiteral("Color"), I(e.Color));
    w.Value(QStringLiteral("BackColor"), I(e.BackColor));
    w.Value(QStringLiteral("BorderColor"), I(e.BorderColor));
    w.Value(QStringLiteral("ReservedFlag"), e.ReservedFlag);
    w.Value(QStringLiteral("Border"), e.Border);
    w.Value(QStringLiteral("Transparent"), e.Transparent);
    w.Value(QStringLiteral("PenWidth"), e.PenWidth);
    w.Point(QStringLiteral("Point1"), e.Point1.X, e.Point1.Y);
    w.Point(QStringLiteral("Point2"), e.Point2.X, e.Point2.Y);
    w.Value(QStringLiteral("Angle"), I(e.Angle));
    w.Value(QStringLiteral("TextSpace"), I(e.TextSpace));
    if (const auto* d = dynamic_cast<const TKVData*>(&e)) {
        w.Value(QStringLiteral("FontName"), d->FontName);
        w.Value(QStringLiteral("FieldName"), d->FieldName);
        w.Value(QStringLiteral("FontHeight"), d->FontHeight);
        w.Value(QStringLiteral("UseDaBa"), d->UseDaBa);
    }
    if (const auto* t = dynamic_cast<const TKVDataText*>(&e)) {
        w.Value(QStringLiteral("Text"), t->Text);
        w.Value(QStringLiteral("TextAlign"), I(t->TextAlign));
        w.Value(QStringLiteral("Bold"), t->Bold);
        w.Value(QStringLiteral("Italic"), t->Italic);
        w.Value(QStringLiteral("Underline"), t->Underline);
    }
    if (const auto* a = dynamic_cast<const TKVAddText*>(&e)) {
        w.Value(QStringLiteral("Prefix"), a->Prefix);
        w.Value(QStringLiteral("Suffix"), a->Suffix);
    }
    if (const auto* b = dynamic_cast<const TKVBarCode*>(&e)) {
        w.Value(QStringLiteral("Code"), b->Code);
        w.Value(QStringLiteral("BarType"), I(b->BarType));
        w.Value(QStringLiteral("BarWidth"), b->BarWidth);
        w.Value(QStringLiteral("BarSpace"), b->BarSpace);
        w.Value(QStringLiteral("NumberHeight"), b->NumberHeight);
        w.Value(QStringLiteral("ShowNumber"), b->ShowNumber);
        w.Value(QStringLiteral("LeftMargin"), b->LeftMargin);
        w.Value(QStringLiteral("TopMargin"), b->TopMargin);
        if (TKVZintSymbol::Handles(b->BarType)) {
            w.BeginObject(QStringLiteral("Options"));
            w.Value(QStringLiteral("EcLevel"), I(b->Options.EcLevel));
            w.Value(QStringLiteral("Gs1"), b->Options.Gs1);
            w.EndObject();
        }
    }
    if (const auto* r = dynamic_cast<const TKVRect*>(&e))
        w.Value(QStringLiteral("RectExtra"), I(r->RectExtra));
    if (const auto* s = dynamic_cast<const TKVSymbol*>(&e)) {
        w.Value(QStringLiteral("Symbol"), I(s->Symbol));
        w.Value(QStringLiteral("Bold"), s->Bold);
    }
    if (const auto* p = dynamic_cast<const TKVImage*>(&e))
        w.Value(QStringLiteral("FileName"), p->FileName);
    w.EndObject();
}

// One label setting, as the writer takes it: numbers of every integer
// width as integers.
void Setting(KVJsonWriter& W, const QString& Name, const QString& V) { W.Value(Name, V); }
void Setting(KVJsonWriter& W, const QString& Name, float V) { W.Value(Name, V); }
void Setting(KVJsonWriter& W, const QString& Name, bool V) { W.Value(Name, V); }
template <typename T>
void Setting(KVJsonWriter& W, const QString& Name, T V)
{
    W.Value(Name, std::int64_t(V));
}
}

QString KVDesignInfo::Describe(const TKVLab& Lab, bool Json)
{
    KVJsonWriter w(!Json);
    w.BeginObject();
    w.Value(QStringLiteral("Version"), Lab.Version);

    // The settings objects in the order users know from earlier versions;
    // the design's own fields ("") come after the frame.
    for (const char* group : {"Measure", "BackSurf", "Grid", "Frame", "", "Table", "PrintInfo"}) {
        if (*group)
            w.BeginObject(QString::fromLatin1(group));
        for (const TKVLabelField& f : TKVLabelFields::All()) {
            if (std::strcmp(f.Group, group))
                continue;
            const QString name = QString::fromLatin1(f.Name);
            std::visit([&w, &name](const auto& V) { Setting(w, name, V); }, f.Get(Lab));
        }
        if (*group)
            w.EndObject();
    }

    w.BeginArray(QStringLiteral("Elements"));
    for (const auto& e : Lab.Document->Elements)
        Element(w, *e);
    w.EndArray();
    w.EndObject();
    return w.Text() + QLatin1Char('\n');
}
