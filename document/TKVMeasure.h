// TKVMeasure: one label and how the labels sit on the sheet. NuHor counts
// rows (labels stacked downward), NuVer counts columns.
#pragma once

#include "document/TKVPersistent.h"
#include "types/KVtypes.h"

#include <QMarginsF>
#include <QString>
#include <cstdint>

// The labels of one sheet that a page cannot hold whole: how many, and the
// first of them in the order a run fills the sheet (row by row). Row and
// Col count from 1 and are 0 when every label fits.
struct TKVOffPage {
    std::int64_t Count = 0;
    std::int32_t Row = 0;
    std::int32_t Col = 0;
    bool operator==(const TKVOffPage&) const = default;
};

class TKVMeasure : public TKVPersistent
{
public:
    // A new design's name, stored the same in every language.
    static QString DefaultLabelName() { return QStringLiteral("My Label"); }
    explicit TKVMeasure(TKVDesign* Owner);

    float Height = 35.0f;
    float Width = 60.0f;
    float MarLeft = 5.0f;
    float MarTop = 10.0f;
    float DiHor = 4.0f;
    float DiVer = 4.0f;
    std::int32_t NuHor = 7;
    std::int32_t NuVer = 3;
    float PaperHeight = 297.0f;
    float PaperWidth = 210.0f;
    QString PaperName = QStringLiteral("A4");
    QString LabelName = DefaultLabelName();

    // Width and height keep 4 significant digits and have floors of 10 and
    // 5 mm; they are the only setters that call OnChange (the label's size).
    void SetWidth(float Value);
    void SetHeight(float Value);
    void SetMarLeft(float Value);
    void SetMarTop(float Value);
    void SetDiHor(float Value);
    void SetDiVer(float Value);
    void SetNuHor(std::int32_t Value);
    void SetNuVer(std::int32_t Value);
    void SetPaperWidth(float Value);
    void SetPaperHeight(float Value);
    void SetPaperName(const QString& Value);
    void SetLabelName(const QString& Value);

    void Assign(const TKVPersistent* Source) override;

    // The paper as it is printed: PaperWidth across and PaperHeight down in
    // portrait (Orientation 0), the two exchanged in landscape (1). Margins,
    // rows and columns are measured on this page.
    float PageWidth(std::uint8_t Orientation) const;
    float PageHeight(std::uint8_t Orientation) const;

    // The top-left corner of label (Row, Col), both from 1, for a sheet
    // whose first label starts at Origin: Origin plus whole label pitches.
    // Print runs place their labels with exactly this arithmetic.
    TPoint2D LabelOffset(TPoint2D Origin, std::int32_t Row, std::int32_t Col) const;
    // Where label (Row, Col) lies on the page as printed, in mm from the
    // page's top-left corner.
    TRect2D LabelRect(std::int32_t Row, std::int32_t Col) const;
    // Whether a label lies wholly inside Area (both in mm on the same page).
    // Edges within 0.2 mm of each other count as meeting, so that a sheet
    // that fills its paper exactly still fits on a printer that rounds the
    // paper to whole points.
    static bool Inside(const TRect2D& Label, const TRect2D& Area);

    // The labels of one full sheet (NuHor x NuVer) that do not lie wholly
    // inside Area, given in mm on the page as printed (usually the printable
    // part of the page). Counted per row and per column, so any sheet size
    // is answered at once; a sheet without rows or columns has none.
    TKVOffPage OffPage(const TRect2D& Area) const;
    // The same for the printable part of this paper in Orientation, given
    // the printer's unprintable margins on the page as printed (left, top,
    // right, bottom in mm; none for a PDF). Pure arithmetic: no printer is
    // asked (TKVPrintInfo::OffPage asks the current one).
    TKVOffPage OffPage(std::uint8_t Orientation, const QMarginsF& Unprintable = {}) const;

    // Value rounded to 4 significant digits, as the general number format
    // with precision 4 writes it.
    static float RoundTo4Digits(float Value);

private:
    void LabelSizeChanged();
};
