// The bundled examples and whole print runs from a real database, checked on
// the pages a user gets.
#include "common/TestSupport.h"

#include "barcode/TKVBarCode.h"
#include "designer/TKVLab.h"
#include "document/TKVAddText.h"
#include "document/TKVObject.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"
#include "document/TKVPrintInfo.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#define ZX_USE_UTF8 // zxing-cpp 1.4: Result::text() as UTF-8
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

namespace {
QString ExampleDb() { return TestSupport::BinaryPath(QStringLiteral("examples/clientes.db")); }

// The codes zbar reads on a picture, sorted.
QStringList Decode(const QString& Png)
{
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), Png});
    zbar.waitForFinished(120000);
    QStringList codes = QString::fromUtf8(zbar.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    codes.sort();
    return codes;
}

QStringList Pages(const QString& Dir)
{
    QStringList pages = QDir(Dir).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name);
    for (QString& p : pages)
        p = Dir + QLatin1Char('/') + p;
    return pages;
}
}

TEST(Examples, CommittedDesignsAreWhatTheGeneratorWrites)
{
    const QString dir = TestSupport::TempDir();
    ASSERT_EQ(QProcess::execute(TestSupport::BinaryPath(QStringLiteral("bin/kvlab-makedesigns")), {dir}), 0);
    for (const char* name : {"direcciones.lab", "envio.lab", "productos.lab", "credenciales.lab"}) {
        const QString file = QString::fromLatin1(name);
        EXPECT_EQ(TestSupport::ReadFile(dir + QLatin1Char('/') + file),
                  TestSupport::ReadFile(TestSupport::SourcePath(QStringLiteral("examples/") + file)))
            << name << " is out of date: run build/bin/kvlab-makedesigns examples";
    }
}

TEST(Examples, EveryExamplePrintsFromTheExampleDatabase)
{
    const struct {
        const char* Name;
        const char* Summary;
    } rows[] = {
        {"direcciones.lab", "1 page(s), 20 label(s), records 1 to 20 of 20 in clientes"},
        {"envio.lab", "1 page(s), 8 label(s), copies without data"},
        {"productos.lab", "1 page(s), 12 label(s), records 1 to 12 of 20 in clientes"},
        {"credenciales.lab", "2 page(s), 8 label(s), records 1 to 8 of 20 in clientes"},
        {"logistica.lab", "12 page(s), 12 label(s), records 1 to 12 of 12 in envios"},
    };
    for (const auto& r : rows) {
        const QString out = TestSupport::TempDir();
        const auto run = TestSupport::RunKvlab(
            {QStringLiteral("print"), TestSupport::SourcePath(QStringLiteral("examples/") + QLatin1String(r.Name)),
             QStringLiteral("-o"), out + QStringLiteral("/out.pdf"), QStringLiteral("--alias"),
             QStringLiteral("ejemplos=") + ExampleDb()});
        EXPECT_EQ(run.ExitCode, 0) << r.Name << run.Err.constData();
        EXPECT_TRUE(run.Out.startsWith(r.Summary)) << r.Name << ": " << run.Out.constData();
        EXPECT_TRUE(run.Err.isEmpty()) << r.Name << ": " << run.Err.constData();
    }
}

TEST(Examples, BadgesPrintWhatTheDesignerShows)
{
    // The designer's background surface is never printed; a badge whose
    // gradient lay there looked different on paper. Where no text is, the
    // label as it prints and the designer's picture of it agree, gradient
    // and frame alike.
    const QString png = TestSupport::TempDir() + QStringLiteral("/badge.png");
    const QString design = TestSupport::SourcePath(QStringLiteral("examples/credenciales.lab"));
    const auto run = TestSupport::RunKvlab({QStringLiteral("render"), design, png, QStringLiteral("--dpi"),
                                            QStringLiteral("96")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.constData();
    const QImage printed(png);
    ASSERT_FALSE(printed.isNull());
    TKVLab lab;
    lab.resize(600, 400);
    lab.LoadLab(design);
    lab.DrawLabScreen();
    const QImage& shown = lab.LabScreen;
    const auto at = [](const QImage& I, float X, float Y) {
        return I.pixelColor(int(X / 85 * I.width()), int(Y / 54 * I.height()));
    };
    const struct {
        float X, Y;
        bool Card; // the gradient, not white card
    } points[] = {{6, 46, true}, {79, 8, true}, {42.5f, 36, true}, {79, 46, true}, {0.5f, 0.5f, false}};
    for (const auto& p : points) {
        const QColor a = at(printed, p.X, p.Y), b = at(shown, p.X, p.Y);
        EXPECT_LE(std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()), 24)
            << p.X << "," << p.Y << " mm: printed " << a.name().toStdString() << ", shown " << b.name().toStdString();
        EXPECT_EQ(a != QColor(Qt::white), p.Card) << p.X << "," << p.Y << " mm: " << a.name().toStdString();
    }
}

TEST(Examples, AddressLabelsCarryEachCustomersBarcode)
{
    QStringList expected;
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("examples-check"));
        db.setDatabaseName(ExampleDb());
        ASSERT_TRUE(db.open());
        QSqlQuery q(QStringLiteral("SELECT ean FROM clientes"), db);
        while (q.next())
            expected << q.value(0).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("examples-check"));
    expected.sort();
    ASSERT_EQ(expected.size(), 20);

    const QString out = TestSupport::TempDir();
    const auto run = TestSupport::RunKvlab(
        {QStringLiteral("print"), TestSupport::SourcePath(QStringLiteral("examples/direcciones.lab")),
         QStringLiteral("-o"), out + QStringLiteral("/out.pdf"), QStringLiteral("--png-dir"), out,
         QStringLiteral("--dpi"), QStringLiteral("400"), QStringLiteral("--alias"),
         QStringLiteral("ejemplos=") + ExampleDb(), QStringLiteral("--quiet")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.constData();
    const QStringList pages = Pages(out);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(Decode(pages[0]), expected);
}

namespace {
// A 200-record SQLite table of products with valid EAN-13 codes.
QString MakeProducts(QStringList& Codes)
{
    const QString path = TestSupport::TempDir() + QStringLiteral("/products.db");
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("products-make"));
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        q.exec(QStringLiteral("CREATE TABLE productos (id INTEGER, nombre TEXT, precio TEXT, ean TEXT)"));
        db.transaction();
        for (int i = 1; i <= 200; ++i) {
            QString code = QStringLiteral("84000%1").arg(i * 37, 7, 10, QLatin1Char('0'));
            int sum = 0;
            for (int k = 0; k < 12; ++k)
                sum += (code[k].unicode() - '0') * (k % 2 ? 3 : 1);
            code += QString::number((10 - sum % 10) % 10);
            Codes << code;
            q.prepare(QStringLiteral("INSERT INTO productos VALUES (?, ?, ?, ?)"));
            q.addBindValue(i);
            q.addBindValue(QStringLiteral("Producto %1").arg(i));
            q.addBindValue(QStringLiteral("%1,50").arg(i));
            q.addBindValue(code);
            EXPECT_TRUE(q.exec());
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("products-make"));
    return path;
}

QString ProductDesign(const QString& Db, int First, int Last)
{
    TKVLab lab;
    lab.DaBa = true;
    lab.Table->DatabaseName = Db;
    lab.Table->TableName = QStringLiteral("productos");
    lab.PrintInfo->FirstLab = First;
    lab.PrintInfo->LastLab = Last;
    auto text = std::make_unique<TKVText>();
    text->Point1 = {2, 2};
    text->FieldName = QStringLiteral("nombre");
    text->UseDaBa = true;
    lab.Document->AddElement(std::move(text));
    auto price = std::make_unique<TKVAddText>();
    price->Point1 = {35, 2};
    price->Prefix = QStringLiteral("PVP ");
    price->Suffix = QStringLiteral(" €");
    price->FieldName = QStringLiteral("precio");
    price->UseDaBa = true;
    lab.Document->AddElement(std::move(price));
    auto code = std::make_unique<TKVBarCode>();
    code->Point1 = {2, 10};
    code->FieldName = QStringLiteral("ean");
    code->UseDaBa = true;
    lab.Document->AddElement(std::move(code));
    const QString path = TestSupport::TempDir() + QStringLiteral("/products.lab");
    lab.SaveLab(path);
    return path;
}
}

TEST(DataRun, TwoHundredRecordsPrintInOrderAndRangesSelectRecords)
{
    QStringList codes;
    const QString db = MakeProducts(codes);
    const QString out = TestSupport::TempDir();
    const auto run = TestSupport::RunKvlab({QStringLiteral("print"), ProductDesign(db, 1, 200), QStringLiteral("-o"),
                                            out + QStringLiteral("/run.pdf"), QStringLiteral("--png-dir"), out,
                                            QStringLiteral("--dpi"), QStringLiteral("300")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.constData();
    EXPECT_TRUE(run.Out.startsWith("10 page(s), 200 label(s), records 1 to 200")) << run.Out.constData();
    const QStringList pages = Pages(out);
    ASSERT_EQ(pages.size(), 10);
    for (int p = 0; p < pages.size(); ++p) {
        QStringList expected = codes.mid(p * 21, 21);
        expected.sort();
        EXPECT_EQ(Decode(pages[p]), expected) << "page " << p + 1;
    }

    const QString range = TestSupport::TempDir();
    const auto three = TestSupport::RunKvlab({QStringLiteral("print"), ProductDesign(db, 1, 1), QStringLiteral("-o"),
                                              range + QStringLiteral("/r.pdf"), QStringLiteral("--png-dir"), range,
                                              QStringLiteral("--from"), QStringLiteral("3"), QStringLiteral("--to"),
                                              QStringLiteral("5"), QStringLiteral("--dpi"), QStringLiteral("300")});
    ASSERT_EQ(three.ExitCode, 0) << three.Err.constData();
    QStringList expected{codes[2], codes[3], codes[4]};
    expected.sort();
    EXPECT_EQ(Decode(Pages(range).value(0)), expected);
}

TEST(DataRun, UnavailableSourceFailsUnlessCopiesAreAskedFor)
{
    const QString design = ProductDesign(TestSupport::TempDir() + QStringLiteral("/missing.db"), 1, 5);
    const QString out = TestSupport::TempDir();
    const QStringList args{QStringLiteral("print"), design, QStringLiteral("-o"), out + QStringLiteral("/c.pdf")};
    const auto refused = TestSupport::RunKvlab(args);
    EXPECT_EQ(refused.ExitCode, 3);
    EXPECT_TRUE(refused.Err.contains("missing.db")) << refused.Err.constData();
    EXPECT_TRUE(refused.Out.isEmpty());
    const auto copies = TestSupport::RunKvlab(
        args + QStringList{QStringLiteral("--copies-without-data"), QStringLiteral("--labs"), QStringLiteral("4")});
    EXPECT_EQ(copies.ExitCode, 0) << copies.Err.constData();
    EXPECT_TRUE(copies.Out.startsWith("1 page(s), 4 label(s), copies without data")) << copies.Out.constData();
}

TEST(Examples, ShippingLabelsCarryEachShipmentsSymbols)
{
    // Where each symbol lies on the 100 x 150 mm label, and the field it
    // shows; zxing-cpp reads each region as a scanner aimed at it would.
    const struct {
        const char* Field;
        QRectF Mm;
        const char* SymbologyId; // GS1 data says so: "]C1", "]d2"
    } symbols[] = {
        {"pedido", {0, 35, 72, 25}, "]C0"},      {"seguimiento", {70, 33, 30, 23}, "]Q1"},
        {"producto", {70, 56, 30, 20}, "]d2"},   {"gtin14", {0, 72, 75, 25}, "]I1"},
        {"sscc", {0, 100, 100, 40}, "]C1"},
    };
    const QString out = TestSupport::TempDir();
    const auto run = TestSupport::RunKvlab(
        {QStringLiteral("print"), TestSupport::SourcePath(QStringLiteral("examples/logistica.lab")),
         QStringLiteral("-o"), out + QStringLiteral("/out.pdf"), QStringLiteral("--png-dir"), out,
         QStringLiteral("--dpi"), QStringLiteral("300"), QStringLiteral("--from"), QStringLiteral("11"),
         QStringLiteral("--alias"), QStringLiteral("ejemplos=") + ExampleDb()});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.constData();
    const QStringList pages = Pages(out);
    ASSERT_EQ(pages.size(), 2);

    TKVTable envios;
    envios.DatabaseName = ExampleDb();
    envios.TableName = QStringLiteral("envios");
    envios.Open();
    envios.MoveBy(10);
    for (const QString& page : pages) {
        const QImage label = QImage(page).convertToFormat(QImage::Format_RGB32);
        const double px = 300 / 25.4;
        for (const auto& s : symbols) {
            const QImage part = label.copy(QRectF(s.Mm.topLeft() * px, s.Mm.size() * px).toRect());
            const ZXing::ImageView view(part.constBits(), part.width(), part.height(), ZXing::ImageFormat::BGRX,
                                        int(part.bytesPerLine()));
            ZXing::DecodeHints hints;
            hints.setTryHarder(true);
            const ZXing::Result read = ZXing::ReadBarcode(view, hints);
            // GS1 element strings come back without brackets, a GS after a
            // variable-length field (none here: the batch comes last).
            QString want = envios.FieldByName(QString::fromLatin1(s.Field))->AsString();
            want.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
            EXPECT_EQ(QString::fromStdString(read.text()), want) << page.toStdString() << " " << s.Field;
            EXPECT_EQ(read.symbologyIdentifier(), s.SymbologyId) << s.Field;
        }
        envios.Next();
    }
}
