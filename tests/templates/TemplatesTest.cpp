// Label products chosen by name: the template reader, kvlab new and
// templates on the installed template database, the test sheet measured on
// its PDF, and the printer correction.
#include "common/TestSupport.h"

#include "designer/TKVLab.h"
#include "document/TKVMeasure.h"
#include "document/TKVObject.h"
#include "document/TKVRect.h"
#include "document/TKVTemplates.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <cmath>
#include <gtest/gtest.h>

namespace {
const char* const SystemFolder = "/usr/share/libglabels-3.0/templates";

// Two folders as users and packages lay them out: the user's wins a name
// both define.
struct Folders {
    QString User = TestSupport::TempDir();
    QString System = TestSupport::TempDir();
    Folders()
    {
        TestSupport::WriteFile(System + QStringLiteral("/paper-sizes.xml"), R"(<?xml version="1.0"?>
<Glabels-paper-sizes>
  <Paper-size id="A4" _name="A4" pwg_size="iso_a4" width="210mm" height="297mm"/>
  <Paper-size id="US-Letter" _name="US Letter" pwg_size="na_letter" width="8.5in" height="11in"/>
</Glabels-paper-sizes>)");
        // Namespaced, inches and points, a family member by "equiv", a round
        // label and a sheet of two layouts.
        TestSupport::WriteFile(System + QStringLiteral("/a-templates.xml"), R"(<?xml version="1.0"?>
<Glabels-templates xmlns="http://glabels.org/xmlns/3.0/">
  <Template brand="Acme" part="100" size="US-Letter" _description="Address">
    <Meta category="label"/>
    <Label-rectangle id="0" width="2.625in" height="1in" round="0.0625in">
      <Markup-margin size="0.0625in"/>
      <Layout nx="3" ny="10" x0="0.1875in" y0="0.5in" dx="2.75in" dy="1in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="100B" equiv="100"/>
  <Template brand="Acme" part="R1" size="A4" _description="Round">
    <Label-round id="0" radius="36pt" waste="0"><Layout nx="2" ny="3" x0="1cm" y0="2pc" dx="80mm" dy="3in"/></Label-round>
  </Template>
  <Template brand="Acme" part="MIX" size="A4" _description="Two layouts">
    <Label-rectangle id="0" width="50mm" height="20mm">
      <Layout nx="1" ny="5" x0="10mm" y0="10mm" dx="0" dy="25mm"/>
      <Layout nx="1" ny="5" x0="70mm" y0="20mm" dx="0" dy="25mm"/>
    </Label-rectangle>
  </Template>
</Glabels-templates>)");
        // No namespace, a paper of its own in plain numbers (points), a brand
        // with a space, and a name the user's folder redefines.
        TestSupport::WriteFile(System + QStringLiteral("/b-templates.xml"), R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Online Labels" part="OL28" size="Other" width="144" height="216" _description="Roll">
    <Label-rectangle id="0" width="144" height="216"><Layout nx="1" ny="1" x0="0" y0="0" dx="0" dy="0"/></Label-rectangle>
  </Template>
  <Template brand="Acme" part="200" size="A4" _description="Packed">
    <Label-rectangle id="0" width="70mm" height="37mm"><Layout nx="3" ny="8" x0="0mm" y0="0.5mm" dx="70mm" dy="37mm"/></Label-rectangle>
  </Template>
</Glabels-templates>)");
        TestSupport::WriteFile(User + QStringLiteral("/mine.xml"), R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="acme" part="200" size="A4" _description="Mine">
    <Label-rectangle id="0" width="60mm" height="30mm"><Layout nx="2" ny="2" x0="5mm" y0="5mm" dx="65mm" dy="35mm"/></Label-rectangle>
  </Template>
  <Template brand="Acme" part="DUP" size="A4" _description="One">
    <Label-rectangle id="0" width="60mm" height="30mm"><Layout nx="2" ny="2" x0="5mm" y0="5mm" dx="65mm" dy="35mm"/></Label-rectangle>
  </Template>
  <Template brand="Acme" part="DUP" size="A4" _description="Another">
    <Label-rectangle id="0" width="61mm" height="30mm"><Layout nx="2" ny="2" x0="5mm" y0="5mm" dx="65mm" dy="35mm"/></Label-rectangle>
  </Template>
</Glabels-templates>)");
    }
};

bool HaveInstalledTemplates()
{
    return QFile::exists(QLatin1String(SystemFolder) + QStringLiteral("/avery-iso-templates.xml"));
}

// The user's own folders, empty, so that only the installed templates count
// and no calibration of the machine's printers applies.
void IsolateUser()
{
    static const QString home = TestSupport::TempDir();
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/config")));
}

QJsonObject Json(const QByteArray& Text) { return QJsonDocument::fromJson(Text).object(); }

// One product of every kind the database has: brands, papers (A4, US
// Letter, A5, papers of their own), units (mm, in, pt) and shapes.
const char* const RealTemplates[] = {
    "Avery L7160",       "Avery 5160",        "Herma 4283",       "Zweckform 4760",   "Online Labels OL2525",
    "Dymo 11354",        "Brother DK-1202",   "Hisago ELM001",    "Rayfilm 3442",     "PEARL PE-8004",
    "Begalabel RC-50",   "Ascom ABP-236",     "Geha P10",         "Hama 50150",       "Igepa EA-381x212",
    "DECAdry DLW-1731",  "SheetLabels SL10",  "Worldlabel WL-75", "Uline S-5044",     "Agipa 114036",
    "Felga ES210",       "Cable Label Co CableBug", "Maco ML-1225", "Endisch 6500012x", "Dataline 12426",
};

// The dark line nearest Expected (mm) along a row (Horizontal) or column of
// a page rasterised at Dpi, within Window mm; NaN when there is none. The
// test sheet's scales are grey and not seen.
double LineNear(const QImage& Page, double Dpi, bool Horizontal, double At, double Expected, double Window = 0.6)
{
    const double px = Dpi / 25.4;
    const int fixed = int(At * px);
    const int from = int((Expected - Window) * px), to = int((Expected + Window) * px);
    double best = NAN;
    int runStart = -1;
    for (int i = from; i <= to + 1; ++i) {
        const int x = Horizontal ? i : fixed, y = Horizontal ? fixed : i;
        const bool dark = i <= to && x >= 0 && y >= 0 && x < Page.width() && y < Page.height() &&
                          qGray(Page.pixel(x, y)) < 100;
        if (dark && runStart < 0)
            runStart = i;
        if (!dark && runStart >= 0) {
            const double centre = (runStart + i) / 2.0 / px;
            if (std::isnan(best) || std::fabs(centre - Expected) < std::fabs(best - Expected))
                best = centre;
            runStart = -1;
        }
    }
    return best;
}

QImage Rasterise(const QString& Pdf, int Dpi)
{
    const QString base = TestSupport::TempDir() + QStringLiteral("/page");
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-gray"),
                                                   QStringLiteral("-singlefile"), Pdf, base});
    return QImage(base + QStringLiteral(".pgm"));
}
}

TEST(TemplateReader, ReadsUnitsNamespacesFamiliesAndShapes)
{
    Folders f;
    TKVTemplates t;
    t.Load({f.User, f.System});
    EXPECT_TRUE(t.Problems.isEmpty()) << t.Problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(t.SkippedLayouts, 1); // Acme MIX
    struct Case {
        const char* Name;
        double PaperW, PaperH, W, H;
        int Cols, Rows;
        double X0, Y0, Dx, Dy;
        bool Noted;
    } cases[] = {
        {"Acme 100", 215.9, 279.4, 66.675, 25.4, 3, 10, 4.7625, 12.7, 69.85, 25.4, false},
        {"Acme 100B", 215.9, 279.4, 66.675, 25.4, 3, 10, 4.7625, 12.7, 69.85, 25.4, false},
        {"Acme R1", 210, 297, 25.4, 25.4, 2, 3, 10, 8.4667, 80, 76.2, true},
        {"Online Labels OL28", 50.8, 76.2, 50.8, 76.2, 1, 1, 0, 0, 0, 0, false},
        {"Acme 200", 210, 297, 60, 30, 2, 2, 5, 5, 65, 35, false}, // the user's
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const TKVTemplate* p = t.ByName(QString::fromUtf8(c.Name));
        ASSERT_NE(p, nullptr);
        const double got[] = {p->PaperWidth, p->PaperHeight, p->Width, p->Height, p->X0, p->Y0, p->Dx, p->Dy};
        const double want[] = {c.PaperW, c.PaperH, c.W, c.H, c.X0, c.Y0, c.Dx, c.Dy};
        for (std::size_t i = 0; i < std::size(got); ++i)
            EXPECT_NEAR(got[i], want[i], 0.001) << i;
        EXPECT_EQ(p->Columns, c.Cols);
        EXPECT_EQ(p->Rows, c.Rows);
        EXPECT_EQ(!p->Note.isEmpty(), c.Noted);
    }
    EXPECT_TRUE(t.ByName(QStringLiteral("Online Labels OL28"))->OnePerPage());
    EXPECT_FALSE(t.ByName(QStringLiteral("Acme 100"))->OnePerPage());
    EXPECT_EQ(t.ByName(QStringLiteral("Acme MIX")), nullptr);
}

TEST(TemplateReader, FindsByNameAndSearchWords)
{
    Folders f;
    TKVTemplates t;
    t.Load({f.User, f.System});
    // Case and surrounding blanks aside; brands may hold spaces.
    for (const char* asked : {"  online labels ol28 ", "ACME 100b", "Acme  R1"}) {
        SCOPED_TRACE(asked);
        EXPECT_NE(t.ByName(QString::fromUtf8(asked)), nullptr);
    }
    QStringList near;
    EXPECT_EQ(t.ByName(QStringLiteral("Acme 10"), &near), nullptr);
    EXPECT_TRUE(near.contains(QStringLiteral("Acme 100"))) << near.join(QLatin1Char(',')).toStdString();
    // Two products of one name that differ: neither is guessed.
    EXPECT_EQ(t.ByName(QStringLiteral("Acme DUP"), &near), nullptr);
    EXPECT_EQ(near.size(), 2);
    const std::pair<const char*, std::size_t> searches[] = {
        {"acme", 6}, {"60x30", 2}, {"round a4", 1}, {"letter address", 2}, {"", 7}, {"nothing", 0}};
    for (const auto& [words, count] : searches) {
        SCOPED_TRACE(words);
        EXPECT_EQ(t.Find(QString::fromUtf8(words)).size(), count);
    }
}

TEST(TemplateSheets, NewDesignsAndTestSheetsFollowTheInstalledProducts)
{
    if (!HaveInstalledTemplates()) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << "glabels-data is not installed (scripts/setup installs it)";
        GTEST_SKIP() << "glabels-data is not installed (scripts/setup installs it)";
    }
    IsolateUser();
    const QString dir = TestSupport::TempDir();
    constexpr int Dpi = 400;
    double worstGeometry = 0, worstOutline = 0;
    for (const char* name : RealTemplates) {
        SCOPED_TRACE(name);
        const QString n = QString::fromUtf8(name);
        const auto listed = TestSupport::RunKvlab({QStringLiteral("templates"), n, QStringLiteral("--json")});
        ASSERT_EQ(listed.ExitCode, 0) << listed.Err.constData();
        QJsonObject t;
        for (const QJsonValue v : Json(listed.Out)[QStringLiteral("Templates")].toArray())
            if (v[QStringLiteral("Name")].toString() == n)
                t = v.toObject();
        ASSERT_FALSE(t.isEmpty()) << listed.Out.constData();
        auto tv = [&](const char* Key) { return t[QLatin1String(Key)].toDouble(); };

        const QString lab = dir + QStringLiteral("/%1.lab").arg(QString::fromUtf8(name).replace(QLatin1Char(' '), QLatin1Char('_')));
        // The name as a user may type it.
        const auto made = TestSupport::RunKvlab({QStringLiteral("new"), lab, QStringLiteral("--template"),
                                                 QStringLiteral("  ") + n.toLower() + QStringLiteral(" ")});
        ASSERT_EQ(made.ExitCode, 0) << made.Err.constData();
        const auto info = TestSupport::RunKvlab({QStringLiteral("info"), lab, QStringLiteral("--json")});
        ASSERT_EQ(info.ExitCode, 0) << info.Err.constData();
        const QJsonObject m = Json(info.Out)[QStringLiteral("Measure")].toObject();
        EXPECT_EQ(m[QStringLiteral("LabelName")].toString(), n);
        EXPECT_EQ(m[QStringLiteral("NuVer")].toInt(), t[QStringLiteral("Columns")].toInt());
        EXPECT_EQ(m[QStringLiteral("NuHor")].toInt(), t[QStringLiteral("Rows")].toInt());
        const double cols = tv("Columns"), rows = tv("Rows");
        const std::pair<const char*, double> geometry[] = {
            {"PaperWidth", tv("PaperWidth")},
            {"PaperHeight", tv("PaperHeight")},
            {"Width", tv("Width")},
            {"Height", tv("Height")},
            {"MarLeft", tv("X0")},
            {"MarTop", tv("Y0")},
            {"DiHor", cols > 1 ? tv("Dx") - tv("Width") : 0},
            {"DiVer", rows > 1 ? tv("Dy") - tv("Height") : 0},
        };
        for (const auto& [key, want] : geometry) {
            const double got = m[QLatin1String(key)].toDouble();
            EXPECT_NEAR(got, want, 0.01) << key;
            worstGeometry = std::max(worstGeometry, std::fabs(got - want));
        }

        // Every outline of the test sheet where the product has its label.
        const QString pdf = dir + QStringLiteral("/outline.pdf");
        const auto printed = TestSupport::RunKvlab({QStringLiteral("print"), lab, QStringLiteral("-o"), pdf,
                                                    QStringLiteral("--outline"), QStringLiteral("--quiet")});
        ASSERT_EQ(printed.ExitCode, 0) << printed.Err.constData();
        const QImage page = Rasterise(pdf, Dpi);
        ASSERT_FALSE(page.isNull());
        EXPECT_NEAR(page.width() * 25.4 / Dpi, tv("PaperWidth"), 0.5);
        const double w = tv("Width"), h = tv("Height");
        int missing = 0;
        for (int r = 0; r < int(rows); ++r)
            for (int c = 0; c < int(cols); ++c) {
                const double left = tv("X0") + c * tv("Dx"), top = tv("Y0") + r * tv("Dy");
                // Off the whole millimetres, where the scales have no ticks.
                const double y = std::floor(top + 0.3 * h) + 0.5, x = std::floor(left + 0.3 * w) + 0.5;
                struct Edge {
                    double Got, Want, Paper;
                } edges[] = {
                    {LineNear(page, Dpi, true, y, left), left, tv("PaperWidth")},
                    {LineNear(page, Dpi, true, y, left + w), left + w, tv("PaperWidth")},
                    {LineNear(page, Dpi, false, x, top), top, tv("PaperHeight")},
                    {LineNear(page, Dpi, false, x, top + h), top + h, tv("PaperHeight")},
                };
                for (const Edge& e : edges) {
                    // An edge on the paper's border cannot be seen whole.
                    if (e.Want < 0.2 || e.Want > e.Paper - 0.2)
                        continue;
                    if (std::isnan(e.Got)) {
                        ++missing;
                        continue;
                    }
                    worstOutline = std::max(worstOutline, std::fabs(e.Got - e.Want));
                }
            }
        EXPECT_EQ(missing, 0);
    }
    EXPECT_LE(worstOutline, 0.2);
    std::printf("%zu products: worst geometry %.4f mm, worst outline %.3f mm\n", std::size(RealTemplates), worstGeometry,
                worstOutline);
}

TEST(TemplateSheets, UnknownOrUnclearNamesSayWhatThereIs)
{
    if (!HaveInstalledTemplates()) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << "glabels-data is not installed";
        GTEST_SKIP() << "glabels-data is not installed";
    }
    IsolateUser();
    const QString lab = TestSupport::TempDir() + QStringLiteral("/never.lab");
    const std::pair<const char*, const char*> cases[] = {
        {"Avery L716", "Avery L7160"}, // near: the part asked is in it
        {"Nobody 1", ""},
    };
    for (const auto& [asked, near] : cases) {
        SCOPED_TRACE(asked);
        const auto r = TestSupport::RunKvlab({QStringLiteral("new"), lab, QStringLiteral("--template"), QString::fromUtf8(asked)});
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_TRUE(r.Err.contains(asked)) << r.Err.constData();
        EXPECT_TRUE(r.Err.contains(near)) << r.Err.constData();
        EXPECT_FALSE(QFile::exists(lab));
    }
}

TEST(PrinterCorrection, OffsetMovesEveryPrintedLabelAndNeverThePreview)
{
    IsolateUser();
    const QString dir = TestSupport::TempDir();
    TKVLab lab;
    TKVMeasure& m = *lab.Measure;
    m.NuHor = 2;
    m.NuVer = 2;
    auto mark = std::make_unique<TKVRect>();
    mark->Point1 = {5, 5};
    mark->Point2 = {8, 8};
    mark->Transparent = false;
    mark->BackColor = clBlack;
    lab.Document->AddElement(std::move(mark));
    const QString design = dir + QStringLiteral("/mark.lab");
    lab.SaveLab(design);

    struct Run {
        QStringList Extra;
        QImage Page;
        QByteArray Preview;
    } runs[] = {{{}, {}, {}}, {{QStringLiteral("--offset"), QStringLiteral("1.5,-0.75")}, {}, {}}};
    constexpr int Dpi = 400;
    for (Run& run : runs) {
        const QString out = TestSupport::TempDir();
        const auto r = TestSupport::RunKvlab(QStringList{QStringLiteral("print"), design, QStringLiteral("-o"),
                                                         out + QStringLiteral("/run.pdf"), QStringLiteral("--png-dir"), out, QStringLiteral("--labs"), QStringLiteral("4"),
                                                         QStringLiteral("--quiet")} +
                                             run.Extra);
        ASSERT_EQ(r.ExitCode, 0) << r.Err.constData();
        run.Page = Rasterise(out + QStringLiteral("/run.pdf"), Dpi);
        run.Preview = TestSupport::ReadFile(out + QStringLiteral("/page-001.png"));
        ASSERT_FALSE(run.Page.isNull());
        ASSERT_FALSE(run.Preview.isEmpty());
    }
    EXPECT_EQ(runs[0].Preview, runs[1].Preview);
    for (int row = 1; row <= 2; ++row)
        for (int col = 1; col <= 2; ++col) {
            SCOPED_TRACE(QStringLiteral("label %1,%2").arg(row).arg(col).toStdString());
            const TRect2D r = m.LabelRect(row, col);
            const double cx = r.Left + 6.5, cy = r.Top + 6.5;
            const double moveX = LineNear(runs[1].Page, Dpi, true, cy - 0.75, cx, 3) - LineNear(runs[0].Page, Dpi, true, cy, cx, 3);
            const double moveY = LineNear(runs[1].Page, Dpi, false, cx + 1.5, cy, 3) - LineNear(runs[0].Page, Dpi, false, cx, cy, 3);
            EXPECT_NEAR(moveX, 1.5, 0.07);
            EXPECT_NEAR(moveY, -0.75, 0.07);
        }
}
