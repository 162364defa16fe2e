// The kvlab tool as a user runs it.
#include "common/TestSupport.h"

#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVTable.h"
#include "document/TKVMeasure.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <unistd.h>

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
    const std::pair<QString, const char*> cases[] = {
        {truncated, "no es un diseño de etiquetas o está dañado"},
        {missing, "no existe"},
    };
    for (const auto& [in, reason] : cases) {
        const QString out = dir + QStringLiteral("/never.lab");
        // The fixed message, as a Spanish user reads it, with its reason.
        const auto r = TestSupport::RunKvlab({QStringLiteral("resave"), in, out}, "es_ES.UTF-8");
        EXPECT_EQ(r.ExitCode, 2);
        EXPECT_EQ(QString::fromLocal8Bit(r.Err), QStringLiteral("kvlab: No se puede leer el archivo elegido: %1: %2\n")
                                                     .arg(in, QString::fromUtf8(reason)));
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

// The tool's help is where a user looks for an option: every option the
// commands take is in it, in both languages.
TEST(KvlabTool, TheHelpNamesEveryOption)
{
    const char* const options[] = {"--json", "--dpi", "--record", "--alias", "-o", "--printer", "--png-dir",
                                   "--labs", "--first-row", "--first-col", "--from", "--to", "--all",
                                   "--copies-without-data", "--strict", "--quiet", "--jobs", "--outline",
                                   "--offset", "--template", "--version"};
    for (const char* locale : {"C.UTF-8", "en_US.UTF-8"}) {
        const auto r = TestSupport::RunKvlab({QStringLiteral("--help")}, locale);
        EXPECT_EQ(r.ExitCode, 0);
        for (const char* option : options)
            EXPECT_TRUE(r.Out.contains(QByteArray(option) + ' ') || r.Out.contains(QByteArray(option) + ']'))
                << locale << ": " << option;
    }
}

TEST(KvlabTool, SpeaksTheUsersLanguageAndSaysWhy)
{
    const QString dir = TestSupport::TempDir();
    const QString design = SmallDesign();
    const QString missing = dir + QStringLiteral("/missing.lab");
    const QString unreadable = dir + QStringLiteral("/locked.lab");
    QFile::copy(design, unreadable);
    QFile::setPermissions(unreadable, QFile::WriteOwner);
    const QString noFolder = dir + QStringLiteral("/no/such");
    const QString pdf = dir + QStringLiteral("/run.pdf");
    const QStringList print{QStringLiteral("print"), design, QStringLiteral("-o"), pdf, QStringLiteral("--labs"),
                            QStringLiteral("4")};
    const struct {
        const char* Locale;
        QStringList Args;
        QString Says; // on standard error, or standard output for print
    } rows[] = {
        {"C.UTF-8", {}, QStringLiteral("uso: kvlab ORDEN ...\n")},
        {"en_US.UTF-8", {}, QStringLiteral("usage: kvlab COMMAND ...\n")},
        {"es_ES.UTF-8", {QStringLiteral("info"), missing},
         QStringLiteral("kvlab: No se puede leer el archivo elegido: %1: no existe").arg(missing)},
        {"en_GB.UTF-8", {QStringLiteral("info"), missing},
         QStringLiteral("kvlab: Cannot read the chosen file: %1: not found").arg(missing)},
        {"en_US.UTF-8", {QStringLiteral("info"), dir}, QStringLiteral("%1: it is a folder").arg(dir)},
        {"C.UTF-8", {QStringLiteral("info"), unreadable},
         QStringLiteral("%1: sin permiso de lectura").arg(unreadable)},
        {"es_ES.UTF-8", {QStringLiteral("render"), design, noFolder + QStringLiteral("/l.png")},
         QStringLiteral("kvlab: render: no se puede escribir %1/l.png: la carpeta %1 no existe").arg(noFolder)},
        {"en_US.UTF-8", {QStringLiteral("resave"), design, noFolder + QStringLiteral("/l.lab")},
         QStringLiteral("kvlab: resave: cannot write %1/l.lab: the folder %1 does not exist").arg(noFolder)},
        {"es_ES.UTF-8", {QStringLiteral("render"), design, dir + QStringLiteral("/l.bmp")},
         QStringLiteral("debe terminar en .png, .pdf o .svg")},
        {"es_ES.UTF-8", print, QStringLiteral("1 página(s), 4 etiqueta(s), copias sin datos -> %1\n").arg(pdf)},
        {"en_US.UTF-8", print, QStringLiteral("1 page(s), 4 label(s), copies without data -> %1\n").arg(pdf)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Locale + (QLatin1Char(' ') + row.Args.join(QLatin1Char(' '))).toStdString());
        if (row.Args.value(1) == unreadable && geteuid() == 0)
            continue; // permissions do not stop root
        const auto r = TestSupport::RunKvlab(row.Args, row.Locale);
        const QString said = QString::fromLocal8Bit(row.Args.value(0) == QLatin1String("print") ? r.Out : r.Err);
        EXPECT_TRUE(said.contains(row.Says)) << said.toStdString();
    }
}
