// TKVRunCheck: a look at a whole print run before any paper is used. It
// walks the run Print would print (TKVLab::CheckRun) and notes, label by
// label, what would come out wrong: barcodes drawn as their placeholder or
// with a wrong check digit, texts that leave the label or their box, fields
// without a value, pictures that cannot be read, labels off the page.
#pragma once

#include "document/TKVDrawWatch.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <vector>

class TKVLab;

/// One thing a run would print wrong.
struct TKVRunProblem {
    /// The kinds, as the check's JSON names them.
    enum TKind : std::uint8_t {
        pkOutside,        ///< The element reaches beyond the label's edge.
        pkTextOverflow,   ///< A paragraph's text does not fit its box.
        pkTextShrunk,     ///< A fitted text does not fit even at its least size.
        pkBarcodeInvalid, ///< The barcode draws its placeholder.
        pkCheckDigit,     ///< An EAN/UPC code whose last digit is not its check digit.
        pkFieldEmpty,     ///< The bound field holds empty text.
        pkFieldNull,      ///< The bound field holds no value (NULL).
        pkPicture,        ///< The picture's file cannot be read (belongs to no record).
        pkOffPage,        ///< The label falls outside the printable area.
    };
    TKind Kind = pkOutside;
    std::int32_t Record = 0;  ///< 1-based in the run's selection; 0 for none (copies, pictures).
    QString Name;             ///< How the record is recognised: its first bound text.
    std::int32_t Element = -1; ///< Index in the design's elements (front first); -1 for the label.
    QString Field;            ///< The bound field's name, empty for none.
    QString Detail;           ///< What is wrong, in the user's language.
    double Mm = -1;           ///< By how many mm, where that applies; -1 otherwise.

    /// The kind's name in the JSON report ("outside", "check-digit", ...).
    static const char* KindName(TKind Kind);
};

class TKVRunCheck : public TKVDrawWatch
{
public:
    explicit TKVRunCheck(TKVLab& Lab);
    /// Checks the run as the design's print settings ask for it; the
    /// data source's failures come through as EKvError, as from Print.
    void Run();

    std::vector<TKVRunProblem> Problems;
    /// A problem as one line for people: "registro 14 (Nuria Castro):
    /// texto 'ciudad' sale 3,2 mm por la derecha".
    QString Describe(const TKVRunProblem& Problem) const;
    /// What was checked and how many problems, in one line.
    QString Summary() const;

    void LabelBegins(const TRect& Box, std::int32_t Record, bool OffPage) override;
    void Drawn(const TKVElement& Element, const TRect& Box) override;
    void Placeholder(const TKVElement& Element, const QString& Reason) override;
    void Overflow(const TKVElement& Element, int Needed) override;
    void Shrunk(const TKVElement& Element, float Least) override;

private:
    void Add(TKVRunProblem::TKind Kind, const TKVElement* Element, const QString& Detail, double Mm = -1);
    QString Mm(double Value) const;
    TKVLab& Lab;
    QHash<const TKVElement*, std::int32_t> Index;
    TRect Label; // inside the frame, if it has one
    bool Framed = false;
    std::int32_t Record = 0;
    QString Name;
    // A run of copies prints one label again and again: its elements are
    // looked at on the first copy only.
    bool Watching = true;
    std::int32_t Labels = 0;
};
