// The benchmark's designs and data, made from a seed alone: the same seed
// gives the same label files, the same SQLite table and the same CSV file on
// every machine (std:: distributions differ between library versions, so
// the numbers come from a generator of our own).
#pragma once

#include <QString>
#include <cstdint>

class TKVLab;

class TBenchRandom
{
public:
    explicit TBenchRandom(std::uint64_t Seed) : State(Seed) {}
    // splitmix64.
    std::uint64_t Next()
    {
        std::uint64_t z = (State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int N) { return int(Next() % std::uint64_t(N)); }
    // A multiple of 0.1 between A and B.
    float Tenths(float A, float B) { return A + float(Below(int((B - A) * 10) + 1)) / 10.0f; }

private:
    std::uint64_t State;
};

namespace BenchSetup {

// The table the print design reads.
inline const QString TableName = QStringLiteral("registros");
// The alias the print design names; runs map it to the SQLite file or the
// CSV folder.
inline const QString Alias = QStringLiteral("bench");

// A valid EAN-13: twelve digits and their check digit.
QString Ean13(TBenchRandom& R);

// The print design on the default sheet (A4, 3 x 7 labels of 60 x 35 mm): a
// text, a composite text and an EAN-13 bound to fields, a word-wrapped
// paragraph of the address field, and a single frame.
void PrintDesign(TKVLab& Lab);

// A design of Count elements of every kind: texts, composite texts,
// paragraphs, lines, rectangles, barcodes, symbols and a few pictures
// (PictureFile, relative to the design), at random places of the default
// 60 x 35 mm label, none bound to data; texts take their fonts from a
// palette of three faces and six heights.
void MixedDesign(TKVLab& Lab, int Count, std::uint64_t Seed, const QString& PictureFile);

// Writes Rows records to Folder/bench.db (table registros) and
// Folder/csv/registros.csv, the same records in both, and the small picture
// Folder/bench.png. Nothing is written when Folder/stamp says that this seed
// and row count are there already. False with a message on stderr on failure.
bool MakeData(const QString& Folder, std::uint64_t Seed, int Rows);

// The print design as a gLabels 3 document, for running the same labels
// side by side with gLabels: Folder/glabels/bench.glabels merges
// Folder/glabels/registros.csv, the first Rows records of the CSV file that
// MakeData wrote, with the same sheet and the same fields, fonts, sizes and
// places. Returns the document's path, or an empty string with a message
// on stderr.
QString GlabelsDocument(const QString& Folder, int Rows);

}
