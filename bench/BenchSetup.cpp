#include "BenchSetup.h"

#include "barcode/TKVBarCode.h"
#include "document/TKVFrame.h"
#include "designer/TKVLab.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QXmlStreamWriter>
#include <cstdio>
#include <iterator>

namespace {
const char* const FirstNames[] = {"Lucía",  "Hugo",    "Martina", "Mateo",  "Sofía",    "Martín", "María",
                                  "Lucas",  "Julia",   "Leo",     "Paula",  "Daniel",   "Valeria", "Alejandro",
                                  "Emma",   "Pablo",   "Daniela", "Manuel", "Carmen",   "Álvaro", "Inés",
                                  "Adrián", "Noelia",  "Íñigo",   "Olga",   "Begoña",   "Jesús",  "Ramón"};
const char* const Surnames[] = {"García",    "Rodríguez", "González", "Fernández", "López",  "Martínez",
                                "Sánchez",   "Pérez",     "Gómez",    "Martín",    "Jiménez", "Ruiz",
                                "Hernández", "Díaz",      "Moreno",   "Muñoz",     "Álvarez", "Romero",
                                "Alonso",    "Gutiérrez", "Navarro",  "Torres",    "Domínguez", "Vázquez",
                                "Ramos",     "Gil",       "Ramírez",  "Serrano",   "Blanco",  "Molina"};
const char* const StreetKinds[] = {"Calle", "Avenida", "Plaza", "Paseo", "Camino", "Ronda", "Travesía"};
const char* const StreetNames[] = {"del Prado",       "Mayor",          "de la Constitución", "de Alcalá",
                                   "de los Olmos",    "San Vicente",    "del Río Ebro",       "de Cervantes",
                                   "Nueva",           "de la Estación", "del Pilar",          "Real",
                                   "de Goya",         "Ancha",          "de la Paz",          "de Santa Engracia"};
struct TCity {
    const char* Name;
    const char* Province;
    int PostBase;
};
const TCity Cities[] = {{"Madrid", "Madrid", 28001},        {"Zaragoza", "Zaragoza", 50001},
                        {"Alcalá de Henares", "Madrid", 28801}, {"Valencia", "Valencia", 46001},
                        {"Sevilla", "Sevilla", 41001},      {"Huesca", "Huesca", 22001},
                        {"Logroño", "La Rioja", 26001},     {"Calatayud", "Zaragoza", 50300},
                        {"Bilbao", "Bizkaia", 48001},       {"A Coruña", "A Coruña", 15001},
                        {"Cáceres", "Cáceres", 10001},      {"Teruel", "Teruel", 44001}};

template <typename T, std::size_t N> const T& Pick(TBenchRandom& R, const T (&List)[N]) { return List[R.Below(int(N))]; }

QString U(const char* Text) { return QString::fromUtf8(Text); }

struct TRecord {
    QString Name, Address, City, PostCode, Ean;
};

TRecord MakeRecord(TBenchRandom& R)
{
    TRecord r;
    r.Name = U(Pick(R, FirstNames)) + QLatin1Char(' ') + U(Pick(R, Surnames)) + QLatin1Char(' ') + U(Pick(R, Surnames));
    const TCity& city = Pick(R, Cities);
    r.City = U(city.Name);
    r.PostCode = QString::number(city.PostBase + R.Below(60)).rightJustified(5, QLatin1Char('0'));
    QString address = U(Pick(R, StreetKinds)) + QLatin1Char(' ') + U(Pick(R, StreetNames)) + QLatin1Char(' ') +
                      QString::number(1 + R.Below(180));
    switch (R.Below(3)) {
    case 0: address += QStringLiteral(", %1º %2").arg(1 + R.Below(9)).arg(QChar(u'A' + R.Below(4))); break;
    case 1: address += QStringLiteral(", escalera %1, %2º izda.").arg(1 + R.Below(3)).arg(1 + R.Below(9)); break;
    default: break;
    }
    r.Address = address + QStringLiteral(", %1 %2 (%3)").arg(r.PostCode, r.City, U(city.Province));
    r.Ean = BenchSetup::Ean13(R);
    return r;
}

QString CsvField(const QString& Value)
{
    if (!Value.contains(QLatin1Char(',')) && !Value.contains(QLatin1Char('"')))
        return Value;
    QString quoted = Value;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

template <typename T> T* Add(TKVLab& Lab, TPoint2D P1, TPoint2D P2 = {})
{
    auto e = std::make_unique<T>();
    e->Point1 = P1;
    e->Point2 = P2;
    T* raw = e.get();
    Lab.Document->AddElement(std::move(e));
    return raw;
}

void Bind(TKVData* E, const QString& Field)
{
    E->FieldName = Field;
    E->UseDaBa = true;
}
}

QString BenchSetup::Ean13(TBenchRandom& R)
{
    QString code;
    int sum = 0;
    for (int i = 0; i < 12; ++i) {
        const int d = R.Below(10);
        code += QChar(u'0' + d);
        sum += d * (i % 2 ? 3 : 1);
    }
    code += QChar(u'0' + (10 - sum % 10) % 10);
    return code;
}

void BenchSetup::PrintDesign(TKVLab& Lab)
{
    Lab.CreateLab();
    Lab.Measure->LabelName = QStringLiteral("Banco de pruebas 60 x 35");
    Lab.DaBa = true;
    Lab.Table->DatabaseName = Alias;
    Lab.Table->TableName = TableName;
    Lab.PrintInfo->FirstLab = 1;
    Lab.PrintInfo->LastLab = 3000;
    Lab.Frame->Style = maSingle;
    Lab.Frame->Dist1 = 0.5f;
    Lab.Frame->PenWidth = 0.2f;

    auto* name = Add<TKVText>(Lab, {3, 2.5f});
    Bind(name, QStringLiteral("nombre"));
    name->FontHeight = 4;
    name->Bold = true;
    auto* address = Add<TKVParagraph>(Lab, {3, 7}, {57, 17.5f});
    Bind(address, QStringLiteral("direccion"));
    address->FontHeight = 3;
    address->PenWidth = 0;
    auto* postcode = Add<TKVAddText>(Lab, {3, 18});
    Bind(postcode, QStringLiteral("cpostal"));
    postcode->Prefix = QStringLiteral("C.P. ");
    postcode->Suffix = QStringLiteral(" (ES)");
    postcode->FontHeight = 3.2f;
    auto* code = Add<TKVBarCode>(Lab, {1.5f, 22});
    Bind(code, QStringLiteral("ean"));
    code->BarWidth = 0.26f;
    code->FontHeight = 8;
    code->NumberHeight = 2.6f;
    code->LeftMargin = 3;
}

void BenchSetup::MixedDesign(TKVLab& Lab, int Count, std::uint64_t Seed, const QString& PictureFile)
{
    Lab.CreateLab();
    Lab.Measure->LabelName = QStringLiteral("Mezcla de %1 elementos").arg(Count);
    Lab.Frame->Style = maSingle;
    TBenchRandom r(Seed);
    const float w = Lab.Measure->Width, h = Lab.Measure->Height;
    // Fonts from a palette, as designs use them: three faces, six heights.
    static const char* const fonts[] = {"Arial", "DejaVu Sans", "Liberation Serif"};
    static const float heights[] = {2.5f, 3, 3.5f, 4, 5, 6};
    static const TKVBar bars[] = {baEAN13, baEAN8, baUPCA, baCode39};
    for (int i = 0; i < Count; ++i) {
        const TPoint2D p{r.Tenths(0, w - 10), r.Tenths(0, h - 5)};
        const TPoint2D q{std::min(w, p.X + r.Tenths(2, 30)), std::min(h, p.Y + r.Tenths(1, 15))};
        const int kind = r.Below(100);
        auto text = [&](TKVDataText* T) {
            T->Text = QStringLiteral("Texto %1 del diseño").arg(i);
            T->FontName = U(Pick(r, fonts));
            T->FontHeight = Pick(r, heights);
            T->Bold = r.Below(3) == 0;
            T->Italic = r.Below(5) == 0;
            T->TextAlign = TTextAlign(r.Below(9));
            T->Angle = r.Below(8) == 0 ? 90 : 0;
        };
        if (kind < 25) {
            text(Add<TKVText>(Lab, p));
        } else if (kind < 35) {
            auto* t = Add<TKVAddText>(Lab, p);
            text(t);
            t->Prefix = QStringLiteral("Ref. ");
            t->Suffix = QStringLiteral(" uds.");
        } else if (kind < 43) {
            auto* t = Add<TKVParagraph>(Lab, p, q);
            text(t);
            t->Text = QStringLiteral("Párrafo %1 que ocupa varias líneas dentro de su rectángulo").arg(i);
            t->Angle = 0;
            t->Border = r.Below(2) == 0;
        } else if (kind < 58) {
            auto* l = Add<TKVLine>(Lab, p, q);
            l->PenWidth = r.Tenths(0, 1);
        } else if (kind < 73) {
            auto* rect = Add<TKVRect>(Lab, p, q);
            rect->PenWidth = r.Tenths(0, 1);
            rect->Transparent = r.Below(2) == 0;
            rect->BackColor = TColor(r.Next() & 0xFFFFFF);
        } else if (kind < 85) {
            auto* b = Add<TKVBarCode>(Lab, p);
            b->BarType = bars[r.Below(4)];
            b->Code = b->BarType == baEAN13   ? Ean13(r)
                      : b->BarType == baEAN8  ? QStringLiteral("96385074")
                      : b->BarType == baUPCA  ? QStringLiteral("036000291452")
                                              : QStringLiteral("KV-%1").arg(i);
            b->BarWidth = 0.25f;
            b->FontHeight = r.Tenths(5, 12);
            b->NumberHeight = 2.5f;
            b->Angle = r.Below(6) == 0 ? 90 : 0;
        } else if (kind < 97) {
            auto* s = Add<TKVSymbol>(Lab, p);
            s->FontName = QStringLiteral("DejaVu Sans");
            s->Symbol = std::uint8_t(0x80 + r.Below(128));
            s->FontHeight = Pick(r, heights) + 2;
        } else {
            auto* image = Add<TKVImage>(Lab, p, q);
            image->FileName = PictureFile;
        }
    }
}

bool BenchSetup::MakeData(const QString& Folder, std::uint64_t Seed, int Rows)
{
    const QByteArray stamp = QByteArray("seed ") + QByteArray::number(qulonglong(Seed)) + " rows " +
                             QByteArray::number(Rows) + " v1\n";
    QDir dir(Folder);
    {
        QFile s(dir.filePath(QStringLiteral("stamp")));
        if (s.open(QIODevice::ReadOnly) && s.readAll() == stamp)
            return true;
    }
    dir.mkpath(QStringLiteral("csv"));
    QFile::remove(dir.filePath(QStringLiteral("stamp")));
    QFile::remove(dir.filePath(QStringLiteral("bench.db")));

    QImage picture(48, 32, QImage::Format_RGB32);
    {
        QPainter p(&picture);
        p.fillRect(picture.rect(), QColor(250, 235, 200));
        p.setPen(QPen(QColor(30, 80, 160), 3));
        p.drawEllipse(picture.rect().adjusted(4, 4, -4, -4));
    }
    picture.save(dir.filePath(QStringLiteral("bench.png")));

    QFile csv(dir.filePath(QStringLiteral("csv/registros.csv")));
    if (!csv.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(csv.fileName()));
        return false;
    }
    csv.write("id,nombre,direccion,ciudad,cpostal,ean\n");
    const QString connection = QStringLiteral("bench-make");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(dir.filePath(QStringLiteral("bench.db")));
        ok = db.open();
        QSqlQuery q(db);
        ok = ok && q.exec(QStringLiteral("PRAGMA journal_mode = OFF")) && q.exec(QStringLiteral("PRAGMA synchronous = OFF"));
        ok = ok && q.exec(QStringLiteral("CREATE TABLE registros (id INTEGER PRIMARY KEY, nombre TEXT, direccion TEXT, "
                                         "ciudad TEXT, cpostal TEXT, ean TEXT)"));
        ok = ok && db.transaction() &&
             q.prepare(QStringLiteral("INSERT INTO registros VALUES (?, ?, ?, ?, ?, ?)"));
        TBenchRandom r(Seed);
        QByteArray lines;
        for (int i = 1; ok && i <= Rows; ++i) {
            const TRecord rec = MakeRecord(r);
            q.bindValue(0, i);
            q.bindValue(1, rec.Name);
            q.bindValue(2, rec.Address);
            q.bindValue(3, rec.City);
            q.bindValue(4, rec.PostCode);
            q.bindValue(5, rec.Ean);
            ok = q.exec();
            lines += QString::number(i).toUtf8() + ',' + CsvField(rec.Name).toUtf8() + ',' +
                     CsvField(rec.Address).toUtf8() + ',' + CsvField(rec.City).toUtf8() + ',' + rec.PostCode.toUtf8() +
                     ',' + rec.Ean.toUtf8() + '\n';
            if (lines.size() > (1 << 20) || i == Rows) {
                ok = ok && csv.write(lines) == lines.size();
                lines.clear();
            }
        }
        ok = ok && db.commit();
        if (!ok)
            std::fprintf(stderr, "cannot make the benchmark data: %s\n", qPrintable(q.lastError().text()));
    }
    QSqlDatabase::removeDatabase(connection);
    csv.close();
    if (!ok)
        return false;
    QFile s(dir.filePath(QStringLiteral("stamp")));
    return s.open(QIODevice::WriteOnly) && s.write(stamp) == stamp.size();
}

QString BenchSetup::GlabelsDocument(const QString& Folder, int Rows)
{
    QDir dir(Folder);
    dir.mkpath(QStringLiteral("glabels"));
    QFile all(dir.filePath(QStringLiteral("csv/registros.csv")));
    QFile part(dir.filePath(QStringLiteral("glabels/registros.csv")));
    if (!all.open(QIODevice::ReadOnly) || !part.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot copy the CSV records for gLabels into %s\n", qPrintable(part.fileName()));
        return {};
    }
    // No field holds a line break: a record is a line, after the header.
    for (int i = 0; i <= Rows && !all.atEnd(); ++i)
        part.write(all.readLine());
    part.close();

    const QString path = dir.filePath(QStringLiteral("glabels/bench.glabels"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return {};
    }
    // Our font heights are the character cell in mm; gLabels takes the em in
    // points (the cell of Arial's metrics is 1.149 em).
    auto points = [](float CellMm) { return QString::number(CellMm / 1.149 * 72.0 / 25.4, 'f', 2); };
    auto mm = [](double V) { return QString::number(V, 'f', 2) + QStringLiteral("mm"); };
    QXmlStreamWriter x(&file);
    x.writeStartDocument();
    x.writeStartElement(QStringLiteral("Glabels-document"));
    x.writeDefaultNamespace(QStringLiteral("http://glabels.org/xmlns/3.0/"));
    // The sheet of the print design: A4, 3 x 7 labels of 60 x 35 mm, 5 mm
    // from the left, 10 mm from the top, 4 mm apart.
    x.writeStartElement(QStringLiteral("Template"));
    x.writeAttribute(QStringLiteral("brand"), QStringLiteral("KVLab"));
    x.writeAttribute(QStringLiteral("part"), QStringLiteral("bench-60x35"));
    x.writeAttribute(QStringLiteral("size"), QStringLiteral("A4"));
    x.writeAttribute(QStringLiteral("description"), QStringLiteral("Banco de pruebas 60 x 35"));
    x.writeEmptyElement(QStringLiteral("Meta"));
    x.writeAttribute(QStringLiteral("category"), QStringLiteral("label"));
    x.writeStartElement(QStringLiteral("Label-rectangle"));
    for (const auto& [k, v] : {std::pair{"id", QStringLiteral("0")}, {"width", mm(60)}, {"height", mm(35)},
                               {"round", mm(0)}, {"x_waste", mm(0)}, {"y_waste", mm(0)}})
        x.writeAttribute(QString::fromLatin1(k), v);
    x.writeEmptyElement(QStringLiteral("Markup-margin"));
    x.writeAttribute(QStringLiteral("size"), mm(0));
    x.writeEmptyElement(QStringLiteral("Layout"));
    for (const auto& [k, v] : {std::pair{"nx", QStringLiteral("3")}, {"ny", QStringLiteral("7")}, {"x0", mm(5)},
                               {"y0", mm(10)}, {"dx", mm(64)}, {"dy", mm(39)}})
        x.writeAttribute(QString::fromLatin1(k), v);
    x.writeEndElement(); // Label-rectangle
    x.writeEndElement(); // Template

    x.writeStartElement(QStringLiteral("Objects"));
    x.writeAttribute(QStringLiteral("id"), QStringLiteral("0"));
    x.writeAttribute(QStringLiteral("rotate"), QStringLiteral("False"));
    auto place = [&](double X, double Y, double W, double H) {
        x.writeAttribute(QStringLiteral("x"), mm(X));
        x.writeAttribute(QStringLiteral("y"), mm(Y));
        x.writeAttribute(QStringLiteral("w"), mm(W));
        x.writeAttribute(QStringLiteral("h"), mm(H));
        for (const auto& [k, v] : {std::pair{"a0", "1"}, {"a1", "0"}, {"a2", "0"}, {"a3", "1"}, {"a4", "0"}, {"a5", "0"}})
            x.writeAttribute(QString::fromLatin1(k), QString::fromLatin1(v));
    };
    // A text object; Field stands for ${field} between Before and After.
    auto text = [&](double X, double Y, double W, double H, float CellMm, bool Bold, const QString& Before,
                    const QString& Field, const QString& After) {
        x.writeStartElement(QStringLiteral("Object-text"));
        place(X, Y, W, H);
        x.writeAttribute(QStringLiteral("justify"), QStringLiteral("Left"));
        x.writeAttribute(QStringLiteral("valign"), QStringLiteral("Top"));
        x.writeAttribute(QStringLiteral("auto_shrink"), QStringLiteral("False"));
        x.writeStartElement(QStringLiteral("Span"));
        // The face our Arial resolves to through fontconfig: gLabels takes
        // only installed family names and draws Sans for Arial.
        x.writeAttribute(QStringLiteral("font_family"), QStringLiteral("Liberation Sans"));
        x.writeAttribute(QStringLiteral("font_size"), points(CellMm));
        x.writeAttribute(QStringLiteral("font_weight"), Bold ? QStringLiteral("Bold") : QStringLiteral("Regular"));
        x.writeAttribute(QStringLiteral("font_italic"), QStringLiteral("False"));
        x.writeAttribute(QStringLiteral("color"), QStringLiteral("0x000000ff"));
        x.writeAttribute(QStringLiteral("line_spacing"), QStringLiteral("1"));
        x.writeCharacters(Before);
        x.writeEmptyElement(QStringLiteral("Field"));
        x.writeAttribute(QStringLiteral("name"), Field);
        x.writeCharacters(After);
        x.writeEndElement(); // Span
        x.writeEndElement();
    };
    // The frame: 0.5 mm inside the label's edge, a 0.2 mm line.
    x.writeEmptyElement(QStringLiteral("Object-box"));
    place(0.5, 0.5, 59, 34);
    x.writeAttribute(QStringLiteral("line_width"), mm(0.2));
    x.writeAttribute(QStringLiteral("line_color"), QStringLiteral("0x000000ff"));
    x.writeAttribute(QStringLiteral("fill_color"), QStringLiteral("0x00000000"));
    text(3, 2.5, 54, 5, 4, true, {}, QStringLiteral("nombre"), {});
    text(3, 7, 54, 10.5, 3, false, {}, QStringLiteral("direccion"), {});
    text(3, 18, 54, 4, 3.2f, false, QStringLiteral("C.P. "), QStringLiteral("cpostal"), QStringLiteral(" (ES)"));
    // EAN-13 of 0.26 mm modules, 8 mm bars and 2.6 mm digits, 3 mm margin.
    x.writeEmptyElement(QStringLiteral("Object-barcode"));
    place(1.5, 22, 3 + 95 * 0.26 + 3, 10.6);
    x.writeAttribute(QStringLiteral("backend"), QStringLiteral("gnu-barcode"));
    x.writeAttribute(QStringLiteral("style"), QStringLiteral("EAN-13"));
    x.writeAttribute(QStringLiteral("text"), QStringLiteral("True"));
    x.writeAttribute(QStringLiteral("checksum"), QStringLiteral("True"));
    x.writeAttribute(QStringLiteral("color"), QStringLiteral("0x000000ff"));
    x.writeAttribute(QStringLiteral("field"), QStringLiteral("ean"));
    x.writeEndElement(); // Objects

    x.writeEmptyElement(QStringLiteral("Merge"));
    x.writeAttribute(QStringLiteral("type"), QStringLiteral("Text/Comma/Line1Keys"));
    x.writeAttribute(QStringLiteral("src"), QFileInfo(part).absoluteFilePath());
    x.writeEndElement(); // Glabels-document
    x.writeEndDocument();
    file.close();
    if (x.hasError() || file.error() != QFileDevice::NoError) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return {};
    }
    return path;
}
