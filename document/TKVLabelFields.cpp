#include "document/TKVLabelFields.h"

#include "document/TKVBackSurf.h"
#include "document/TKVDesign.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "document/TKVStream.h"
#include "document/TKVTable.h"
#include "strings/KVStrings.h"
#include "types/EKvError.h"
#include "types/KVLimits.h"

#include <cstring>
#include <stdexcept>
#include <limits>
#include <type_traits>

namespace {

// What a field of type T is held as in a TKVLabelValue.
template <typename T>
using THeld = std::conditional_t<std::is_enum_v<T>, std::uint8_t, T>;

// A member of one of the design's settings objects.
template <auto Object, auto Member>
TKVLabelField In(const char* Group, const char* Name, TKVLabelField::TCheck Check = TKVLabelField::ckNone,
                 int EnumMax = -1)
{
    using T = std::remove_cvref_t<decltype((*(std::declval<TKVDesign&>().*Object)).*Member)>;
    return {Group, Name, TKVLabelValue(THeld<T>{}), EnumMax, Check,
            [](const TKVDesign& Lab) -> TKVLabelValue { return THeld<T>((*(Lab.*Object)).*Member); },
            [](TKVDesign& Lab, const TKVLabelValue& V) { (*(Lab.*Object)).*Member = T(std::get<THeld<T>>(V)); }};
}

// A member of the design itself.
template <auto Member>
TKVLabelField Own(const char* Name)
{
    using T = std::remove_cvref_t<decltype(std::declval<TKVDesign&>().*Member)>;
    return {"", Name, TKVLabelValue(THeld<T>{}), -1, TKVLabelField::ckNone,
            [](const TKVDesign& Lab) -> TKVLabelValue { return THeld<T>(Lab.*Member); },
            [](TKVDesign& Lab, const TKVLabelValue& V) { Lab.*Member = T(std::get<THeld<T>>(V)); }};
}

using M = TKVMeasure;
using B = TKVBackSurf;
using G = TKVGrid;
using F = TKVFrame;
using P = TKVPrintInfo;
using T = TKVTable;
constexpr auto Measure = &TKVDesign::Measure;
constexpr auto Back = &TKVDesign::BackSurf;
constexpr auto Grid = &TKVDesign::Grid;
constexpr auto Frame = &TKVDesign::Frame;
constexpr auto Print = &TKVDesign::PrintInfo;
constexpr auto Table = &TKVDesign::Table;
constexpr auto LabelSize = TKVLabelField::ckLabelSize;
constexpr auto SheetCount = TKVLabelField::ckSheetCount;

const std::vector<TKVLabelField> Fields = {
    In<Back, &B::FileName>("BackSurf", "FileName"),
    In<Table, &T::DatabaseName>("Table", "DatabaseName"),
    In<Table, &T::TableName>("Table", "TableName"),
    In<Table, &T::Filter>("Table", "Filter"),
    In<Measure, &M::LabelName>("Measure", "LabelName"),
    In<Measure, &M::PaperName>("Measure", "PaperName"),
    In<Measure, &M::Width>("Measure", "Width", LabelSize),
    In<Measure, &M::Height>("Measure", "Height", LabelSize),
    In<Measure, &M::MarLeft>("Measure", "MarLeft"),
    In<Measure, &M::MarTop>("Measure", "MarTop"),
    In<Measure, &M::DiHor>("Measure", "DiHor"),
    In<Measure, &M::DiVer>("Measure", "DiVer"),
    // Zero and negative counts load: such a sheet holds no label.
    In<Measure, &M::NuHor>("Measure", "NuHor", SheetCount),
    In<Measure, &M::NuVer>("Measure", "NuVer", SheetCount),
    In<Measure, &M::PaperWidth>("Measure", "PaperWidth"),
    In<Measure, &M::PaperHeight>("Measure", "PaperHeight"),
    In<Back, &B::Color>("BackSurf", "Color"),
    In<Back, &B::Style>("BackSurf", "Style", TKVLabelField::ckNone, MaxOrd_TKVBackStyle),
    In<Back, &B::AlignColor>("BackSurf", "AlignColor"),
    In<Back, &B::AlignLeft>("BackSurf", "AlignLeft"),
    In<Back, &B::AlignTop>("BackSurf", "AlignTop"),
    In<Back, &B::ShowAlign>("BackSurf", "ShowAlign"),
    In<Grid, &G::Color>("Grid", "Color"),
    In<Grid, &G::IncX>("Grid", "IncX"),
    In<Grid, &G::IncY>("Grid", "IncY"),
    In<Grid, &G::Show>("Grid", "Show"),
    Own<&TKVDesign::ShowMargins>("ShowMargins"),
    Own<&TKVDesign::SelColor>("SelColor"),
    In<Frame, &F::Color>("Frame", "Color"),
    In<Frame, &F::Dist1>("Frame", "Dist1"),
    In<Frame, &F::Dist2>("Frame", "Dist2"),
    In<Frame, &F::Style>("Frame", "Style", TKVLabelField::ckNone, MaxOrd_TKVFrameStyle),
    In<Frame, &F::PenWidth>("Frame", "PenWidth"),
    Own<&TKVDesign::DaBa>("DaBa"),
    In<Print, &P::Labs>("PrintInfo", "Labs"),
    In<Print, &P::Color>("PrintInfo", "Color"),
    In<Print, &P::FirstRow>("PrintInfo", "FirstRow"),
    In<Print, &P::FirstCol>("PrintInfo", "FirstCol"),
    In<Print, &P::FirstLab>("PrintInfo", "FirstLab"),
    In<Print, &P::LastLab>("PrintInfo", "LastLab"),
    In<Print, &P::PaperCode>("PrintInfo", "PaperCode"),
    In<Print, &P::Orientation>("PrintInfo", "Orientation"),
};

template <class... Fs>
struct TOverloaded : Fs... {
    using Fs::operator()...;
};
}

std::span<const TKVLabelField> TKVLabelFields::All() { return Fields; }

void TKVLabelFields::Write(TKVStream& S, const TKVDesign& Lab)
{
    for (const TKVLabelField& f : Fields)
        std::visit(TOverloaded{[&S](const QString& V) { S.WriteStr(V); },
                               [&S](float V) { S.WriteFloat(V); },
                               [&S](std::int32_t V) { S.WriteInt32(V); },
                               [&S](std::uint32_t V) { S.WriteColor(V); },
                               [&S](bool V) { S.WriteBool(V); },
                               [&S](std::uint8_t V) { S.WriteByte(V); },
                               [&S](std::uint16_t V) { S.WriteUInt16(V); }},
                   f.Get(Lab));
}

std::vector<TKVLabelValue> TKVLabelFields::Read(TKVStream& S)
{
    std::vector<TKVLabelValue> values;
    values.reserve(Fields.size());
    for (const TKVLabelField& f : Fields)
        values.push_back(std::visit(
            TOverloaded{[&S](const QString&) -> TKVLabelValue { return S.ReadStr(); },
                        [&S, &f](float) -> TKVLabelValue {
                            const float x = S.ReadFloat();
                            if (f.Check == TKVLabelField::ckLabelSize && x < KVLimits::MinLabelSize)
                                throw EKvStreamError(LabelFileReadError());
                            return x;
                        },
                        [&S, &f](std::int32_t) -> TKVLabelValue {
                            if (f.Check == TKVLabelField::ckSheetCount)
                                return S.ReadInt32(std::numeric_limits<std::int32_t>::min(), KVLimits::MaxSheetRowsCols);
                            return S.ReadInt32();
                        },
                        [&S](std::uint32_t) -> TKVLabelValue { return S.ReadColor(); },
                        [&S](bool) -> TKVLabelValue { return S.ReadBool(); },
                        [&S, &f](std::uint8_t) -> TKVLabelValue {
                            return f.EnumMax >= 0 ? S.ReadEnum(f.EnumMax) : S.ReadByte();
                        },
                        [&S](std::uint16_t) -> TKVLabelValue { return S.ReadUInt16(); }},
            f.Type));
    return values;
}

void TKVLabelFields::Apply(const std::vector<TKVLabelValue>& Values, TKVDesign& Lab)
{
    for (std::size_t i = 0; i < Fields.size(); ++i)
        Fields[i].Set(Lab, Values[i]);
}

const TKVLabelValue& TKVLabelFields::Find(const std::vector<TKVLabelValue>& Values, const char* Group,
                                          const char* Name)
{
    for (std::size_t i = 0; i < Fields.size(); ++i)
        if (!std::strcmp(Fields[i].Group, Group) && !std::strcmp(Fields[i].Name, Name))
            return Values[i];
    throw std::out_of_range(Name);
}
