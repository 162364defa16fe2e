// The kvlab tool as a user runs it.
#include "common/TestSupport.h"

#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVTable.h"
#include "printing/TKVMeasure.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {
QString SmallDesign()
{
    TKVLab lab;
    lab.Measure->Width = 70.1f;
    auto rect = std::make_unique<TKVRect>();
    rect->Point1 = {1.5f, 2.25f};
    rect->Point2 = {0.1f, 3};
    rect->RectExtra = 5;
    lab.Document->AddElement(std::move(rect));
    auto par = std::make_unique<TKVParagraph>();
    par->Text = QStringLiteral("Niño \"quoted\"\r\n2nd");
    lab.Document->AddElement(std::move(par));
    const QString path = TestSupport::TempDir() + QStringLiteral("/small.lab");
    lab.SaveLab(path);
    return path;
}
}

TEST(KvlabTool, InfoJsonListsEveryStoredFieldWithExactValues)
{
    const auto r = TestSupport::RunKvlab({QStringLiteral("info"), SmallDesign(), QStringLiteral("--json")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.constData();
    // Floats are written as the shortest text that reads back to the same float.
    EXPECT_TRUE(r.Out.contains("\"Width\":70.1")) << r.Out.constData();
    EXPECT_TRUE(r.Out.contains("\"Point2\":{\"X\":0.1,\"Y\":3}")) << r.Out.constData();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.Out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.Out.constData();
    const QJsonObject o = doc.object();
    EXPECT_EQ(o[QStringLiteral("Version")].toString(), QStringLiteral("1.1"));
    EXPECT_EQ(o[QStringLiteral("Measure")][QStringLiteral("NuHor")].toInt(), 7);
    EXPECT_EQ(o[QStringLiteral("PrintInfo")][QStringLiteral("PaperCode")].toInt(), 9);
    const QJsonArray elements = o[QStringLiteral("Elements")].toArray();
    ASSERT_EQ(elements.size(), 2);
    const QJsonObject rect = elements[0].toObject();
    EXPECT_EQ(rect[QStringLiteral("Elem")].toInt(), 4);
    EXPECT_EQ(rect[QStringLiteral("RectExtra")].toInt(), 5);
    EXPECT_EQ(rect[QStringLiteral("Color")].toInt(), 0);
    EXPECT_EQ(rect[QStringLiteral("BorderColor")].toInt(), 255);
    EXPECT_EQ(rect[QStringLiteral("Transparent")].toBool(), true);
    EXPECT_DOUBLE_EQ(rect[QStringLiteral("Point1")][QStringLiteral("Y")].toDouble(), 2.25);
    const QJsonObject par = elements[1].toObject();
    EXPECT_EQ(par[QStringLiteral("Text")].toString(), QStringLiteral("Niño \"quoted\"\r\n2nd"));
    EXPECT_EQ(par[QStringLiteral("TextAlign")].toInt(), 6);
    EXPECT_EQ(par[QStringLiteral("FontName")].toString(), QStringLiteral("Arial"));
}

TEST(KvlabTool, InfoJsonShowsTextBeyondWindows1252)
{
    TKVLab lab;
    lab.Table->TableName = QStringLiteral("Łódź");
    auto par = std::make_unique<TKVParagraph>();
    par->Text = QStringLiteral("Ελλάδα 日本");
    lab.Document->AddElement(std::move(par));
    const QString path = TestSupport::TempDir() + QStringLiteral("/unicode.lab");
    lab.SaveLab(path);
    const auto r = TestSupport::RunKvlab({QStringLiteral("info"), path, QStringLiteral("--json")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.constData();
    const QJsonObject o = QJsonDocument::fromJson(r.Out).object();
    EXPECT_EQ(o[QStringLiteral("Version")].toString(), QStringLiteral("1.2"));
    EXPECT_EQ(o[QStringLiteral("Table")][QStringLiteral("TableName")].toString(), QStringLiteral("Łódź"));
    EXPECT_EQ(o[QStringLiteral("Elements")][0][QStringLiteral("Text")].toString(), QStringLiteral("Ελλάδα 日本"));
}

TEST(KvlabTool, InfoForPeopleAndResaveIdentical)
{
    const QString design = SmallDesign();
    const auto info = TestSupport::RunKvlab({QStringLiteral("info"), design});
    ASSERT_EQ(info.ExitCode, 0);
    EXPECT_TRUE(info.Out.contains("Width: 70.1"));
    const QString out = TestSupport::TempDir() + QStringLiteral("/out.lab");
    const auto r = TestSupport::RunKvlab({QStringLiteral("resave"), design, out});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.constData();
    EXPECT_EQ(TestSupport::ReadFile(out), TestSupport::ReadFile(design));
}

TEST(KvlabTool, DamagedDesignExitsTwoAndWritesNothing)
{
    const QString dir = TestSupport::TempDir();
    const QByteArray good = TestSupport::ReadFile(SmallDesign());
    const QString truncated = dir + QStringLiteral("/truncated.lab");
    TestSupport::WriteFile(truncated, good.left(good.size() - 3));
    const QString missing = dir + QStringLiteral("/missing.lab");
    for (const QString& in : {truncated, missing}) {
        const QString out = dir + QStringLiteral("/never.lab");
        const auto r = TestSupport::RunKvlab({QStringLiteral("resave"), in, out});
        EXPECT_EQ(r.ExitCode, 2);
        EXPECT_TRUE(r.Err.contains("No se puede leer el archivo elegido")) << r.Err.constData();
        EXPECT_FALSE(QFile::exists(out));
        const auto i = TestSupport::RunKvlab({QStringLiteral("info"), in, QStringLiteral("--json")});
        EXPECT_EQ(i.ExitCode, 2);
        EXPECT_TRUE(i.Out.isEmpty());
    }
}

TEST(KvlabTool, UsageErrorsExitOne)
{
    EXPECT_EQ(TestSupport::RunKvlab({}).ExitCode, 1);
    EXPECT_EQ(TestSupport::RunKvlab({QStringLiteral("nonsense")}).ExitCode, 1);
    EXPECT_EQ(TestSupport::RunKvlab({QStringLiteral("resave"), QStringLiteral("only-one")}).ExitCode, 1);
}
