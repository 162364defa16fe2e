// TKVTemplates: the label products a user can pick by name ("Avery L7160")
// instead of measuring a sheet. They are read at run time from XML files in
// the format of gLabels' template database (Debian's glabels-data), from the
// user's own folder and from the program's share folder; none are compiled
// in.
//
// What a sheet of this library can hold is one regular grid of rectangles.
// So a product with one layout is listed as it is; a round, elliptical or
// CD label is listed by its bounding rectangle, with a note that says so;
// a product with several layouts (staggered rows, mixed sizes) is left out
// and only counted.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class TKVMeasure;
class TKVPrintInfo;

struct TKVTemplate {
    QString Brand;
    QString Part;
    QString Description;
    // The paper's name in the files ("A4", "US-Letter", "Other") and its
    // size in mm.
    QString Paper;
    double PaperWidth = 0;
    double PaperHeight = 0;
    // The label's bounding rectangle, mm.
    double Width = 0;
    double Height = 0;
    // The grid: Columns x Rows labels, the first at (X0, Y0) from the
    // paper's top-left corner, the next ones Dx across and Dy down.
    int Columns = 1;
    int Rows = 1;
    double X0 = 0;
    double Y0 = 0;
    double Dx = 0;
    double Dy = 0;
    // Empty for a rectangle; otherwise what the rectangle stands for.
    QString Note;
    // The file it was read from.
    QString File;

    // "Brand Part", the name a user asks for.
    QString Name() const;
    // A roll or single-label product: the paper is the label.
    bool OnePerPage() const;
    // Gaps between columns and between rows; none where there is one.
    double GapX() const;
    double GapY() const;
    // Sets a design's sheet to this product: paper (a row of the paper table
    // when the size is one of them, the user paper otherwise), label size,
    // grid, margins, gaps and the label name.
    void ApplyTo(TKVMeasure& Measure, TKVPrintInfo& Print) const;
    // The row of the paper table this paper is, or -1.
    int PaperRow() const;
};

class TKVTemplates
{
public:
    // The folders read, first the ones that win when two define the same
    // name: the user's (~/.local/share/kvlab/templates), the program's share
    // folder (../share/kvlab/templates beside the program), then every
    // libglabels-3.0/templates in the system's data folders.
    static QStringList DefaultFolders();
    // The templates of DefaultFolders, read once per process.
    static const TKVTemplates& Installed();

    // Reads every *.xml of Folders; what it could not use is counted.
    void Load(const QStringList& Folders);
    const std::vector<TKVTemplate>& Items() const { return List; }
    // Products left out because they have several layouts.
    int SkippedLayouts = 0;
    // Files that are not well-formed XML, with the reader's message.
    QStringList Problems;

    // The templates every word of Text matches (brand, part, description,
    // paper or size such as "63.5x38.1"), case-insensitive; all for none.
    std::vector<const TKVTemplate*> Find(const QString& Text) const;
    // The template called Name ("Brand Part", case and surrounding blanks
    // aside). Null when there is none, or when several differ; then Near
    // gets the names the user may have meant.
    const TKVTemplate* ByName(const QString& Name, QStringList* Near = nullptr) const;

    // Makes the design's paper its label, for label printers that take one
    // label per page (rolls, continuous stock): the paper is the label's
    // size, with no margins or gaps, one row and one column.
    static void OneLabelPerPage(TKVMeasure& Measure, TKVPrintInfo& Print);

    // A length of the files in mm: a number and a unit (pt when none, in,
    // mm, cm, pc). False when it is not one.
    static bool ToMM(const QString& Text, double& MM);

private:
    std::vector<TKVTemplate> List;
};
