// kvlab check: a run looked at before it is printed, over tables made to
// hold each kind of problem a sheet of labels shows only on paper.
#include "common/TestSupport.h"

#include "barcode/TKVBarCode.h"
#include "designer/TKVLab.h"
#include "document/TKVImage.h"
#include "document/TKVMeasure.h"
#include "document/TKVObject.h"
#include "document/TKVPrintInfo.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"

#include <QImage>
#include <QJsonArray>
#include <QProcess>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace {
// Elements, front first: 0 the name, 1 the town, 2 the EAN-13, 3 the picture.
QString Design(const QString& Dir)
{
    TKVLab lab;
    lab.SetDaBa(true);
    lab.Table->DatabaseName = QStringLiteral("datos");
    lab.Table->TableName = QStringLiteral("clientes");
    lab.PrintInfo->FirstLab = 1;
    lab.PrintInfo->AllRecords = true;
    lab.Measure->Width = 70;
    lab.Measure->Height = 36;
    lab.Measure->NuVer = 2;
    auto text = [&](const char* Field, float Y) {
        auto t = std::make_unique<TKVText>();
        t->Point1 = {3, Y};
        t->FontHeight = 5;
        t->UseDaBa = true;
        t->FieldName = QString::fromLatin1(Field);
        lab.Document->AddElement(std::move(t));
    };
    text("nombre", 5);
    text("ciudad", 10);
    auto bar = std::make_unique<TKVBarCode>();
    bar->Point1 = {3, 16};
    bar->FontHeight = 10;
    bar->UseDaBa = true;
    bar->FieldName = QStringLiteral("ean");
    lab.Document->AddElement(std::move(bar));
    auto picture = std::make_unique<TKVImage>();
    picture->Point1 = {55, 2};
    picture->Point2 = {68, 12};
    picture->FileName = QStringLiteral("logo.png");
    lab.Document->AddElement(std::move(picture));
    const QString file = Dir + QStringLiteral("/clientes.lab");
    lab.SaveLab(file);
    return file;
}

void Table(const QString& Dir, const QByteArray& Rows)
{
    QDir().mkpath(Dir + QStringLiteral("/datos"));
    TestSupport::WriteFile(Dir + QStringLiteral("/datos/clientes.csv"), "nombre,ciudad,ean\n" + Rows);
}

const QByteArray CleanRows = "Ana García,Madrid,8410894000109\n"
                             "Bruno Martín,Lugo,8412345678905\n"
                             "Carla Fernández,Sevilla,5901234123457\n"
                             "Daniel Ruiz,Bilbao,4006381333931\n"
                             "Elena Ruiz,Cádiz,8410894000109\n";
// Record 2 a 40-character town, 3 a 12-digit EAN, 4 a wrong check digit,
// 5 no name.
const QByteArray FaultyRows = "Ana García,Madrid,8410894000109\n"
                              "Bruno Martín,\"Las Palmas de Gran Canaria, Gran Canaria\",8412345678905\n"
                              "Carla Fernández,Sevilla,590123412345\n"
                              "Daniel Ruiz,Bilbao,4006381333932\n"
                              ",Cádiz,8410894000109\n";

using Found = std::tuple<int, int, QString, QString>; // record (0: none), element, field, kind

std::multiset<Found> Problems(const QByteArray& Json)
{
    std::multiset<Found> found;
    for (const QJsonValue& v : QJsonDocument::fromJson(Json).object()[QStringLiteral("problems")].toArray()) {
        const QJsonObject p = v.toObject();
        found.insert({p[QStringLiteral("record")].toInt(0), p[QStringLiteral("element")].toInt(-1),
                      p[QStringLiteral("field")].toString(), p[QStringLiteral("kind")].toString()});
    }
    return found;
}
}

TEST(RunCheck, FindsExactlyTheProblemsOfTheRecordsTheRunWouldPrint)
{
    const QString dir = TestSupport::TempDir();
    const QString design = Design(dir);
    const QString alias = QStringLiteral("datos=") + dir + QStringLiteral("/datos");
    const QImage logo(20, 20, QImage::Format_RGB32);
    const struct {
        const char* Why;
        QByteArray Rows;
        bool Logo;
        QStringList Range;
        int Exit;
        std::multiset<Found> Expected;
    } cases[] = {
        {"a clean table and a picture that reads", CleanRows, true, {}, 0, {}},
        {"each problem once, by record and element",
         FaultyRows,
         false,
         {},
         4,
         {{0, 3, QString(), QStringLiteral("picture")},
          {2, 1, QStringLiteral("ciudad"), QStringLiteral("outside")},
          {3, 2, QStringLiteral("ean"), QStringLiteral("barcode-invalid")},
          {4, 2, QStringLiteral("ean"), QStringLiteral("check-digit")},
          {5, 0, QStringLiteral("nombre"), QStringLiteral("field-empty")}}},
        {"only the records the range prints",
         FaultyRows,
         true,
         {QStringLiteral("--from"), QStringLiteral("3"), QStringLiteral("--to"), QStringLiteral("4")},
         4,
         {{3, 2, QStringLiteral("ean"), QStringLiteral("barcode-invalid")},
          {4, 2, QStringLiteral("ean"), QStringLiteral("check-digit")}}},
    };
    for (const auto& c : cases) {
        Table(dir, c.Rows);
        QFile::remove(dir + QStringLiteral("/logo.png"));
        if (c.Logo)
            logo.save(dir + QStringLiteral("/logo.png"));
        const QStringList args = QStringList{QStringLiteral("check"), design, QStringLiteral("--alias"), alias} + c.Range;
        const auto json = TestSupport::RunKvlab(args + QStringList{QStringLiteral("--json")});
        EXPECT_EQ(json.ExitCode, c.Exit) << c.Why << json.Err.constData();
        EXPECT_EQ(Problems(json.Out), c.Expected) << c.Why << json.Out.constData();
        // The same problems for people: one line each, then the summary.
        const auto text = TestSupport::RunKvlab(args, "es_ES.UTF-8");
        EXPECT_EQ(text.ExitCode, c.Exit) << c.Why;
        const QStringList lines = QString::fromUtf8(text.Out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_EQ(lines.size(), qsizetype(c.Expected.size()) + 1) << c.Why << text.Out.constData();
    }
    // The town's line as a Spanish user reads it, with the distance in mm.
    Table(dir, FaultyRows);
    const auto text = TestSupport::RunKvlab({QStringLiteral("check"), design, QStringLiteral("--alias"), alias}, "es_ES.UTF-8");
    const QString out = QString::fromUtf8(text.Out);
    EXPECT_TRUE(out.contains(QRegularExpression(
        QStringLiteral("^registro 2 \\(Bruno Martín\\): texto 'ciudad' sale \\d+,\\d mm por la derecha$"),
        QRegularExpression::MultilineOption)))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("registro 4 (Daniel Ruiz): código de barras 'ean': Dígito de control incorrecto: "
                                            "debería ser 1")))
        << out.toStdString();
    double mm = 0;
    const auto json = TestSupport::RunKvlab({QStringLiteral("check"), design, QStringLiteral("--alias"), alias, QStringLiteral("--json")});
    for (const QJsonValue& v : QJsonDocument::fromJson(json.Out).object()[QStringLiteral("problems")].toArray())
        if (v[QStringLiteral("kind")] == QStringLiteral("outside"))
            mm = v[QStringLiteral("mm")].toDouble();
    // 40 characters of 5 mm type from 3 mm on a 70 mm label: well past it.
    EXPECT_GT(mm, 5.0);
    EXPECT_LT(mm, 80.0);
}

TEST(RunCheck, DataSourceAndUsageErrorsHaveTheirOwnExitCodes)
{
    const QString dir = TestSupport::TempDir();
    const QString design = Design(dir);
    Table(dir, CleanRows);
    const struct {
        QStringList Args;
        int Exit;
    } cases[] = {
        {{QStringLiteral("--alias"), QStringLiteral("datos=") + dir + QStringLiteral("/nada")}, 3},
        {{QStringLiteral("--alias"), QStringLiteral("datos=") + dir + QStringLiteral("/datos"), QStringLiteral("--from"),
          QStringLiteral("9")},
         3},
        {{QStringLiteral("--from"), QStringLiteral("4"), QStringLiteral("--to"), QStringLiteral("2")}, 1},
        {{QStringLiteral("--colour")}, 1},
    };
    for (const auto& c : cases) {
        const auto r = TestSupport::RunKvlab(QStringList{QStringLiteral("check"), design} + c.Args);
        EXPECT_EQ(r.ExitCode, c.Exit) << c.Args.join(QLatin1Char(' ')).toStdString() << r.Err.constData();
        EXPECT_FALSE(r.Err.isEmpty());
    }
}

TEST(RunCheck, RenderShowsTheRecordTheRunNumbers)
{
    const QString dir = TestSupport::TempDir();
    const QString design = Design(dir);
    Table(dir, FaultyRows);
    const QString alias = QStringLiteral("datos=") + dir + QStringLiteral("/datos");
    const QString pdf = dir + QStringLiteral("/uno.pdf");
    const struct {
        const char* Record;
        int Exit;
        const char* Shows;
    } cases[] = {{"2", 0, "Bruno Martín"}, {"4", 0, "Daniel Ruiz"}, {"6", 3, nullptr}};
    for (const auto& c : cases) {
        QFile::remove(pdf);
        const auto r = TestSupport::RunKvlab({QStringLiteral("render"), design, pdf, QStringLiteral("--record"),
                                              QString::fromLatin1(c.Record), QStringLiteral("--alias"), alias});
        EXPECT_EQ(r.ExitCode, c.Exit) << c.Record << r.Err.constData();
        if (!c.Shows) {
            EXPECT_FALSE(QFile::exists(pdf));
            continue;
        }
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        text.waitForFinished(60000);
        EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput()).contains(QString::fromUtf8(c.Shows))) << c.Record;
    }
}
