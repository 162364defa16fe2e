// Writes the example label designs (and the badge background picture) into a
// folder. The designs in examples/ are this program's output; a test checks
// that they stay so.
//
// usage: kvlab-makedesigns FOLDER
#include "barcode/TKVBarCode.h"
#include "document/TKVBackSurf.h"
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

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QLinearGradient>
#include <cstdio>

namespace {
// The alias under which hosts register the bundled example database.
const QString ExampleAlias = QStringLiteral("ejemplos");

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

void UseExampleData(TKVLab& Lab, int First, int Last)
{
    Lab.DaBa = true;
    Lab.Table->DatabaseName = ExampleAlias;
    Lab.Table->TableName = QStringLiteral("clientes");
    Lab.PrintInfo->FirstLab = First;
    Lab.PrintInfo->LastLab = Last;
}

// Address labels, one per customer: name, street as a paragraph, town,
// postcode and the customer's EAN-13.
void Addresses(TKVLab& Lab)
{
    Lab.Measure->LabelName = QStringLiteral("Direcciones 60 x 35");
    UseExampleData(Lab, 1, 20);
    Lab.PrintInfo->Labs = 21;
    Lab.Frame->Style = maSingle;
    Lab.Frame->Dist1 = 0.5f;
    Lab.Frame->PenWidth = 0.2f;

    auto* name = Add<TKVText>(Lab, {3, 2.5f});
    Bind(name, QStringLiteral("nombre"));
    name->FontHeight = 4;
    name->Bold = true;
    auto* street = Add<TKVParagraph>(Lab, {3, 7}, {57, 15.5f});
    Bind(street, QStringLiteral("direccion"));
    street->FontHeight = 3.2f;
    street->PenWidth = 0;
    auto* postcode = Add<TKVAddText>(Lab, {3, 15.5f});
    Bind(postcode, QStringLiteral("cpostal"));
    postcode->Prefix = QStringLiteral("C.P. ");
    postcode->Suffix.clear();
    postcode->FontHeight = 3.4f;
    auto* town = Add<TKVText>(Lab, {22, 15.5f});
    Bind(town, QStringLiteral("ciudad"));
    town->FontHeight = 3.2f;
    // A long town name ("Las Palmas de Gran Canaria") gets smaller rather
    // than run into the next label.
    town->Fit = TKVDataText::ftShrink;
    town->FitLeast = 2.0f;
    auto* code = Add<TKVBarCode>(Lab, {1.5f, 21});
    Bind(code, QStringLiteral("ean"));
    code->BarWidth = 0.26f;
    code->FontHeight = 8;
    code->NumberHeight = 2.6f;
    code->LeftMargin = 3;
}

// A shipping label: a bordered address paragraph, a rule, and the parcel's
// Code 39 turned a quarter along the right edge.
void Shipping(TKVLab& Lab)
{
    Lab.Measure->LabelName = QStringLiteral("Envío 100 x 70");
    Lab.Measure->Width = 100;
    Lab.Measure->Height = 70;
    Lab.Measure->NuVer = 2;
    Lab.Measure->NuHor = 4;
    Lab.Measure->MarLeft = 3;
    Lab.Measure->MarTop = 8.5f;
    Lab.Measure->DiHor = 4;
    Lab.Measure->DiVer = 2;
    Lab.PrintInfo->Labs = 8;
    Lab.Frame->Style = maSingle;
    Lab.Frame->PenWidth = 0.3f;

    auto* title = Add<TKVText>(Lab, {5, 3});
    title->Text = QStringLiteral("ENVÍO URGENTE");
    title->FontHeight = 7;
    title->Bold = true;
    auto* rule = Add<TKVLine>(Lab, {5, 12}, {76, 12});
    rule->PenWidth = 0.5f;
    auto* address = Add<TKVParagraph>(Lab, {5, 15}, {76, 52});
    address->Text = QStringLiteral("Destinataria:\r\nLaura Pérez Iglesias\r\nCalle del Prado 21, 3º izda.\r\n"
                                   "28014 Madrid & alrededores");
    address->FontHeight = 4.5f;
    address->Border = true;
    address->BorderColor = 0x00404040;
    address->PenWidth = 0.3f;
    auto* sender = Add<TKVAddText>(Lab, {5, 56});
    sender->Prefix = QStringLiteral("Remite: ");
    sender->Text = QStringLiteral("KVLab, Almacén 3");
    sender->Suffix = QStringLiteral(" (Zaragoza)");
    sender->FontHeight = 3.5f;
    sender->Italic = true;
    auto* parcel = Add<TKVBarCode>(Lab, {82, 66});
    parcel->BarType = baCode39;
    parcel->Code = QStringLiteral("KV-2026-0042");
    parcel->BarWidth = 0.25f;
    parcel->FontHeight = 10;
    parcel->NumberHeight = 3;
    parcel->LeftMargin = 2;
    parcel->Angle = 90;
}

// Product labels: the customer's EAN-13, a fixed UPC-A, a price, and a mark
// that prints only for preferred customers.
void Products(TKVLab& Lab)
{
    Lab.Measure->LabelName = QStringLiteral("Productos 60 x 35");
    UseExampleData(Lab, 1, 12);
    auto* name = Add<TKVText>(Lab, {2, 1.5f});
    Bind(name, QStringLiteral("nombre"));
    name->FontHeight = 3.2f;
    auto* ean = Add<TKVBarCode>(Lab, {0.5f, 6});
    Bind(ean, QStringLiteral("ean"));
    ean->BarWidth = 0.25f;
    ean->FontHeight = 9;
    ean->NumberHeight = 2.4f;
    ean->LeftMargin = 2.6f;
    auto* upc = Add<TKVBarCode>(Lab, {30.5f, 6});
    upc->BarType = baUPCA;
    upc->Code = QStringLiteral("036000291452");
    upc->BarWidth = 0.25f;
    upc->FontHeight = 9;
    upc->NumberHeight = 2.4f;
    upc->LeftMargin = 2.3f;
    auto* price = Add<TKVAddText>(Lab, {2, 26});
    price->Prefix = QStringLiteral("Precio: ");
    price->Text = QStringLiteral("12,50");
    price->Suffix = QStringLiteral(" €");
    price->FontHeight = 5;
    price->Bold = true;
    auto* mark = Add<TKVSymbol>(Lab, {50, 24});
    Bind(mark, QStringLiteral("preferente"));
    mark->FontName = QStringLiteral("DejaVu Sans");
    mark->Symbol = 0x95; // a bullet
    mark->FontHeight = 9;
    mark->Color = clRed;
}

// Name badges on a part-used sheet: the first row and the first badge of
// the second are gone, so the run starts at row 2, column 2. The gradient is
// printed: it is a picture element at the back of the list (the last one is
// drawn first), inside the inner frame line so that the frame shows on the
// screen and on paper alike. The designer's background surface is never
// printed; the sheet is blank card, so it is left plain.
void Badges(TKVLab& Lab)
{
    Lab.Measure->LabelName = QStringLiteral("Credenciales 85 x 54");
    Lab.Measure->Width = 85;
    Lab.Measure->Height = 54;
    Lab.Measure->NuVer = 2;
    Lab.Measure->NuHor = 5;
    Lab.Measure->MarLeft = 15;
    Lab.Measure->MarTop = 13.5f;
    Lab.Measure->DiHor = 10;
    Lab.Measure->DiVer = 0;
    UseExampleData(Lab, 1, 8);
    Lab.PrintInfo->FirstRow = 2;
    Lab.PrintInfo->FirstCol = 2;
    Lab.Frame->Style = maDoble;
    Lab.Frame->Dist1 = 1.5f;
    Lab.Frame->Dist2 = 1;
    Lab.Frame->PenWidth = 0.4f;
    Lab.Frame->Color = 0x00804000;

    auto* event = Add<TKVText>(Lab, {42.5f, 5});
    event->Text = QStringLiteral("CONGRESO KVLab 2026");
    event->TextAlign = taCeTo;
    event->FontHeight = 4.5f;
    event->Bold = true;
    event->Color = 0x00804000;
    auto* name = Add<TKVText>(Lab, {42.5f, 19});
    Bind(name, QStringLiteral("nombre"));
    name->TextAlign = taCeTo;
    name->FontHeight = 6.5f;
    name->Bold = true;
    auto* town = Add<TKVText>(Lab, {42.5f, 29});
    Bind(town, QStringLiteral("ciudad"));
    town->TextAlign = taCeTo;
    town->FontHeight = 4.5f;
    town->Italic = true;
    auto* rule = Add<TKVLine>(Lab, {10, 40}, {75, 40});
    rule->Color = 0x00804000;
    rule->PenWidth = 0.3f;
    auto* number = Add<TKVAddText>(Lab, {42.5f, 43});
    Bind(number, QStringLiteral("id"));
    number->Prefix = QStringLiteral("Acreditación nº ");
    number->Suffix.clear();
    number->TextAlign = taCeTo;
    number->FontHeight = 3.5f;
    // Named relative to the design, which finds it beside itself.
    auto* gradient = Add<TKVImage>(Lab, {3, 3}, {82, 51});
    gradient->FileName = QStringLiteral("fondo.png");
}

bool WriteBackground(const QString& Path)
{
    QImage img(340, 216, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 340, 216);
    g.setColorAt(0, QColor(255, 250, 230));
    g.setColorAt(1, QColor(215, 232, 250));
    p.fillRect(img.rect(), g);
    p.end();
    return img.save(Path, "PNG");
}

// A shipping label on a 100 x 150 mm roll, one per shipment of the table
// envios: the order number in Code 128, a QR Code with the tracking link,
// a GS1 DataMatrix of the contents (GTIN, expiry and batch in one field),
// the case's ITF-14 and the pallet's SSCC in GS1-128.
void Logistics(TKVLab& Lab)
{
    UseExampleData(Lab, 1, 12);
    Lab.Table->TableName = QStringLiteral("envios");
    Lab.Measure->LabelName = QStringLiteral("Logística 100 x 150");
    Lab.Measure->PaperName = QStringLiteral("100 x 150");
    Lab.Measure->PaperWidth = 100;
    Lab.Measure->PaperHeight = 150;
    Lab.PrintInfo->PaperCode = UserPaperCode;
    Lab.Measure->Width = 100;
    Lab.Measure->Height = 150;
    Lab.Measure->NuHor = 1;
    Lab.Measure->NuVer = 1;
    Lab.Measure->MarLeft = 0;
    Lab.Measure->MarTop = 0;
    Lab.Measure->DiHor = 0;
    Lab.Measure->DiVer = 0;
    Lab.Frame->Style = maSingle;
    Lab.Frame->PenWidth = 0.3f;

    const auto text = [&Lab](TPoint2D P, float Height, const QString& Text) {
        auto* t = Add<TKVText>(Lab, P);
        t->Text = Text;
        t->FontHeight = Height;
        return t;
    };
    const auto code = [&Lab](TPoint2D P, TKVBar Type, const QString& Field, float Module) {
        auto* b = Add<TKVBarCode>(Lab, P);
        b->BarType = Type;
        b->Code = QStringLiteral("0");
        Bind(b, Field);
        b->BarWidth = Module;
        b->TopMargin = 0;
        return b;
    };
    text({5, 3}, 3, QStringLiteral("Remite: KVLab Logística, Almacén 3, 50197 Zaragoza"));
    Add<TKVLine>(Lab, {4, 8.5f}, {96, 8.5f})->PenWidth = 0.4f;
    text({5, 10}, 3, QStringLiteral("DESTINATARIO"))->Bold = true;
    auto* name = text({5, 14}, 6, {});
    Bind(name, QStringLiteral("destinatario"));
    name->Bold = true;
    Bind(text({5, 21}, 4.5f, {}), QStringLiteral("direccion"));
    Bind(text({5, 27}, 4.5f, {}), QStringLiteral("cpostal"));
    Bind(text({19, 27}, 4.5f, {}), QStringLiteral("ciudad"));
    Add<TKVLine>(Lab, {4, 34.5f}, {96, 34.5f})->PenWidth = 0.4f;

    text({5, 36}, 3, QStringLiteral("PEDIDO"))->Bold = true;
    auto* order = code({5, 40}, baCode128, QStringLiteral("pedido"), 0.3f);
    order->FontHeight = 12;
    order->LeftMargin = 3; // ten modules
    auto* tracking = code({76, 36}, baQRCode, QStringLiteral("seguimiento"), 0.5f);
    tracking->Options.EcLevel = TKVZintSymbol::ecM;
    tracking->LeftMargin = 2; // four modules
    tracking->TopMargin = 1;
    text({76.5f, 56}, 2.5f, QStringLiteral("Seguimiento"));

    text({5, 60}, 3, QStringLiteral("CONTENIDO"))->Bold = true;
    auto* contents = code({78, 61}, baDataMatrix, QStringLiteral("producto"), 0.5f);
    contents->Options.Gs1 = true;
    contents->LeftMargin = 1;
    contents->TopMargin = 1;
    Bind(text({5, 64}, 3.2f, {}), QStringLiteral("producto"));
    auto* bultos = Add<TKVAddText>(Lab, {5, 69});
    bultos->Prefix = QStringLiteral("Bultos: ");
    bultos->Suffix.clear();
    Bind(bultos, QStringLiteral("bultos"));
    bultos->FontHeight = 3.5f;
    auto* cases = code({5, 75}, baITF14, QStringLiteral("gtin14"), 0.4f);
    cases->FontHeight = 12;
    cases->LeftMargin = 0; // the bearer box holds the quiet zones
    Add<TKVLine>(Lab, {4, 98.5f}, {96, 98.5f})->PenWidth = 0.4f;

    text({5, 100}, 3, QStringLiteral("SSCC (palé)"))->Bold = true;
    auto* sscc = code({1, 105}, baGS1_128, QStringLiteral("sscc"), 0.5f);
    sscc->FontHeight = 30;
    sscc->NumberHeight = 4;
    sscc->LeftMargin = 5; // ten modules
}
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: kvlab-makedesigns FOLDER\n", stderr);
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path()) || !WriteBackground(folder.filePath(QStringLiteral("fondo.png")))) {
        std::fprintf(stderr, "kvlab-makedesigns: cannot write into %s\n", argv[1]);
        return 1;
    }
    const std::pair<const char*, void (*)(TKVLab&)> designs[] = {
        {"direcciones.lab", Addresses}, {"envio.lab", Shipping}, {"productos.lab", Products}, {"credenciales.lab", Badges},
        {"logistica.lab", Logistics}};
    for (const auto& [name, make] : designs) {
        TKVLab lab;
        make(lab);
        lab.SaveLab(folder.filePath(QString::fromLatin1(name)));
    }
    return 0;
}
