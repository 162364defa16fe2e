#include "document/TKVLimitCheck.h"

#include "document/TKVBackSurf.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "document/TKVDesign.h"
#include "document/TKVTable.h"
#include "document/TKVMeasure.h"
#include "strings/KVStrings.h"
#include "types/EKvError.h"
#include "types/KVLimits.h"

#include <limits>

namespace {
// The shortest decimal that reads back as the same float, as the tools show
// stored values.
QString Shown(float Value)
{
    for (int digits = 1; digits < 9; ++digits) {
        const QString s = QString::number(double(Value), 'g', digits);
        if (s.toFloat() == Value)
            return s;
    }
    return QString::number(double(Value), 'g', 9);
}
}

TKVLimitCheck TKVLimitCheck::Label() { return TKVLimitCheck(LoadResString(&KvLimitLabel)); }

TKVLimitCheck TKVLimitCheck::Element(int Index, TKVEle Kind)
{
    if (Index < 0)
        return TKVLimitCheck(LoadResString(&KvLimitCopied).arg(ElementKindName(Kind)));
    return TKVLimitCheck(LoadResString(&KvLimitElement).arg(Index + 1).arg(ElementKindName(Kind)));
}

void TKVLimitCheck::Refuse(const char* Field, const QString& Value, double Min, double Max) const
{
    const QString field = QString::fromLatin1(Field);
    // Counts without a lower limit (sheet rows and columns) name only the upper one.
    if (Min == double(std::numeric_limits<std::int32_t>::min()))
        throw EKvError(LoadResString(&KvLimitMax).arg(Where, field, Value, Shown(float(Max))));
    throw EKvError(LoadResString(&KvLimitRange).arg(Where, field, Value, Shown(float(Min)), Shown(float(Max))));
}

void TKVLimitCheck::Length(const char* Field, float Value) const
{
    if (!KVLimits::LengthFits(Value))
        Refuse(Field, Shown(Value), -KVLimits::MaxLength, KVLimits::MaxLength);
}

void TKVLimitCheck::LabelSize(const char* Field, float Value) const
{
    if (!KVLimits::LabelSizeFits(Value))
        Refuse(Field, Shown(Value), KVLimits::MinLabelSize, KVLimits::MaxLength);
}

void TKVLimitCheck::Text(const char* Field, const QString& Value) const
{
    // Label files hold one byte for every UTF-16 unit (TKVStream::EncodeText).
    if (!KVLimits::StringFits(Value.size()))
        throw EKvError(LoadResString(&KvLimitText)
                           .arg(Where, QString::fromLatin1(Field))
                           .arg(Value.size())
                           .arg(KVLimits::MaxStringBytes));
}

void TKVLimitCheck::Range(const char* Field, std::int64_t Value, std::int64_t Min, std::int64_t Max) const
{
    if (Value < Min || Value > Max)
        Refuse(Field, QString::number(Value), double(Min), double(Max));
}

void TKVLimitCheck::Elements(std::int64_t Count)
{
    if (Count > KVLimits::MaxElements)
        throw EKvError(LoadResString(&KvLimitElements).arg(Count).arg(KVLimits::MaxElements));
}

void TKVLimitCheck::FileSize(std::int64_t Bytes)
{
    if (Bytes > KVLimits::MaxLabelFileSize)
        throw EKvError(LoadResString(&KvLimitFileSize).arg(Bytes).arg(KVLimits::MaxLabelFileSize));
}

void TKVLimitCheck::LabelSettings(const TKVDesign& Lab)
{
    const TKVLimitCheck label = Label();
    label.Text("Version", Lab.Version);
    label.Text("BackSurf.FileName", Lab.BackSurf->FileName);
    label.Text("Table.DatabaseName", Lab.Table->DatabaseName);
    label.Text("Table.TableName", Lab.Table->TableName);
    label.Text("Table.Filter", Lab.Table->Filter);
    const TKVMeasure& m = *Lab.Measure;
    label.Text("Measure.LabelName", m.LabelName);
    label.Text("Measure.PaperName", m.PaperName);
    label.LabelSize("Measure.Width", m.Width);
    label.LabelSize("Measure.Height", m.Height);
    label.Length("Measure.MarLeft", m.MarLeft);
    label.Length("Measure.MarTop", m.MarTop);
    label.Length("Measure.DiHor", m.DiHor);
    label.Length("Measure.DiVer", m.DiVer);
    // Zero and negative counts load: such a sheet holds no label.
    constexpr std::int64_t noLower = std::numeric_limits<std::int32_t>::min();
    label.Range("Measure.NuHor", m.NuHor, noLower, KVLimits::MaxSheetRowsCols);
    label.Range("Measure.NuVer", m.NuVer, noLower, KVLimits::MaxSheetRowsCols);
    label.Length("Measure.PaperWidth", m.PaperWidth);
    label.Length("Measure.PaperHeight", m.PaperHeight);
    const TKVBackSurf& b = *Lab.BackSurf;
    label.Range("BackSurf.Style", b.Style, 0, MaxOrd_TKVBackStyle);
    label.Length("BackSurf.AlignLeft", b.AlignLeft);
    label.Length("BackSurf.AlignTop", b.AlignTop);
    label.Length("Grid.IncX", Lab.Grid->IncX);
    label.Length("Grid.IncY", Lab.Grid->IncY);
    const TKVFrame& f = *Lab.Frame;
    label.Length("Frame.Dist1", f.Dist1);
    label.Length("Frame.Dist2", f.Dist2);
    label.Range("Frame.Style", f.Style, 0, MaxOrd_TKVFrameStyle);
    label.Length("Frame.PenWidth", f.PenWidth);
}
