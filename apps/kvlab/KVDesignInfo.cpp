#include "KVDesignInfo.h"

#include "KVJsonWriter.h"
#include "barcode/TKVBarCode.h"
#include "document/TKVBackSurf.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "designer/TKVLab.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVObject.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
#include "document/TKVTable.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"

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
}

QString KVDesignInfo::Describe(const TKVLab& Lab, bool Json)
{
    KVJsonWriter w(!Json);
    w.BeginObject();
    w.Value(QStringLiteral("Version"), Lab.Version);

    const TKVMeasure& m = *Lab.Measure;
    w.BeginObject(QStringLiteral("Measure"));
    w.Value(QStringLiteral("LabelName"), m.LabelName);
    w.Value(QStringLiteral("PaperName"), m.PaperName);
    w.Value(QStringLiteral("Width"), m.Width);
    w.Value(QStringLiteral("Height"), m.Height);
    w.Value(QStringLiteral("MarLeft"), m.MarLeft);
    w.Value(QStringLiteral("MarTop"), m.MarTop);
    w.Value(QStringLiteral("DiHor"), m.DiHor);
    w.Value(QStringLiteral("DiVer"), m.DiVer);
    w.Value(QStringLiteral("NuHor"), I(m.NuHor));
    w.Value(QStringLiteral("NuVer"), I(m.NuVer));
    w.Value(QStringLiteral("PaperWidth"), m.PaperWidth);
    w.Value(QStringLiteral("PaperHeight"), m.PaperHeight);
    w.EndObject();

    const TKVBackSurf& b = *Lab.BackSurf;
    w.BeginObject(QStringLiteral("BackSurf"));
    w.Value(QStringLiteral("FileName"), b.FileName);
    w.Value(QStringLiteral("Color"), I(b.Color));
    w.Value(QStringLiteral("Style"), I(b.Style));
    w.Value(QStringLiteral("AlignColor"), I(b.AlignColor));
    w.Value(QStringLiteral("AlignLeft"), b.AlignLeft);
    w.Value(QStringLiteral("AlignTop"), b.AlignTop);
    w.Value(QStringLiteral("ShowAlign"), b.ShowAlign);
    w.EndObject();

    const TKVGrid& g = *Lab.Grid;
    w.BeginObject(QStringLiteral("Grid"));
    w.Value(QStringLiteral("Color"), I(g.Color));
    w.Value(QStringLiteral("IncX"), g.IncX);
    w.Value(QStringLiteral("IncY"), g.IncY);
    w.Value(QStringLiteral("Show"), g.Show);
    w.EndObject();

    const TKVFrame& f = *Lab.Frame;
    w.BeginObject(QStringLiteral("Frame"));
    w.Value(QStringLiteral("Color"), I(f.Color));
    w.Value(QStringLiteral("Dist1"), f.Dist1);
    w.Value(QStringLiteral("Dist2"), f.Dist2);
    w.Value(QStringLiteral("Style"), I(f.Style));
    w.Value(QStringLiteral("PenWidth"), f.PenWidth);
    w.EndObject();

    w.Value(QStringLiteral("ShowMargins"), Lab.ShowMargins);
    w.Value(QStringLiteral("SelColor"), I(Lab.SelColor));
    w.Value(QStringLiteral("DaBa"), Lab.DaBa);

    w.BeginObject(QStringLiteral("Table"));
    w.Value(QStringLiteral("DatabaseName"), Lab.Table->DatabaseName);
    w.Value(QStringLiteral("TableName"), Lab.Table->TableName);
    w.Value(QStringLiteral("Filter"), Lab.Table->Filter);
    w.EndObject();

    const TKVPrintInfo& p = *Lab.PrintInfo;
    w.BeginObject(QStringLiteral("PrintInfo"));
    w.Value(QStringLiteral("Labs"), I(p.Labs));
    w.Value(QStringLiteral("Color"), I(p.Color));
    w.Value(QStringLiteral("FirstRow"), I(p.FirstRow));
    w.Value(QStringLiteral("FirstCol"), I(p.FirstCol));
    w.Value(QStringLiteral("FirstLab"), I(p.FirstLab));
    w.Value(QStringLiteral("LastLab"), I(p.LastLab));
    w.Value(QStringLiteral("PaperCode"), I(p.PaperCode));
    w.Value(QStringLiteral("Orientation"), I(p.Orientation));
    w.EndObject();

    w.BeginArray(QStringLiteral("Elements"));
    for (const auto& e : Lab.Document->Elements)
        Element(w, *e);
    w.EndArray();
    w.EndObject();
    return w.Text() + QLatin1Char('\n');
}
