// What a user does one step after another: open after open, a failed open,
// a preview between, a save afterwards. The open design changes only when a
// whole design replaces it, and drawing it, with or without its data, never
// changes what a save writes.
#include "common/TestSupport.h"

#include "document/TKVBackSurf.h"
#include "designer/TKVLab.h"
#include "document/TKVImage.h"
#include "document/TKVObject.h"
#include "document/TKVSession.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QScopeGuard>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A port on the loopback that takes connections (the kernel completes them)
// and never answers.
class SilentServer
{
public:
    SilentServer()
    {
        Fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (Fd < 0 || ::bind(Fd, reinterpret_cast<sockaddr*>(&a), len) != 0 || ::listen(Fd, 16) != 0 ||
            ::getsockname(Fd, reinterpret_cast<sockaddr*>(&a), &len) != 0)
            return;
        Port = ntohs(a.sin_port);
    }
    ~SilentServer()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
    int Port = 0;

private:
    int Fd = -1;
};

const char* const Examples[] = {"direcciones.lab", "envio.lab", "productos.lab", "credenciales.lab"};

QString Example(const char* Name) { return TestSupport::SourcePath(QStringLiteral("examples/") + QLatin1String(Name)); }

QByteArray SavedBytes(TKVLab& Lab)
{
    const QString file = TestSupport::TempDir() + QStringLiteral("/saved.lab");
    Lab.SaveLab(file);
    return TestSupport::ReadFile(file);
}

// A designer on the screen, so that every load repaints the label, with the
// example database under the name the examples use.
std::unique_ptr<TKVLab> ShownLab()
{
    TKVSession::AddAlias(QStringLiteral("ejemplos"), TestSupport::BinaryPath(QStringLiteral("examples/clientes.db")));
    auto lab = std::make_unique<TKVLab>();
    lab->resize(400, 300);
    lab->show();
    QApplication::processEvents();
    return lab;
}
}

// Guards: TKVObject::LoadFromStream applies a design only once it is read
// whole, closes the old design's table first, and TKVLab::LoadLab swaps the
// document after that; drawing with data never writes into an element.
TEST(DesignSequence, EachExampleOpensWholeAfterEveryOtherWithAPreviewBetween)
{
    auto lab = ShownLab();
    for (const char* first : Examples)
        for (const char* second : Examples) {
            SCOPED_TRACE(std::string(first) + " then " + second);
            lab->LoadLab(Example(first));
            EXPECT_EQ(SavedBytes(*lab), TestSupport::ReadFile(Example(first)));
            lab->Preview();
            ASSERT_NO_THROW(lab->LoadLab(Example(second)));
            EXPECT_EQ(SavedBytes(*lab), TestSupport::ReadFile(Example(second)));
        }
}

TEST(DesignSequence, AFailedOpenLeavesTheOpenDesignAsItWas)
{
    auto lab = ShownLab();
    const QString dir = TestSupport::TempDir();
    for (const char* open : Examples) {
        lab->LoadLab(Example(open));
        const QByteArray before = SavedBytes(*lab);
        const bool dataBefore = lab->DataOK;
        for (const char* other : Examples) {
            // Every cut of another design, and the whole of it with a byte too many.
            const QByteArray bytes = TestSupport::ReadFile(Example(other));
            QList<QByteArray> broken{bytes + QByteArray(1, '\0')};
            for (int cut = 0; cut < bytes.size(); cut += std::max<int>(1, int(bytes.size()) / 24))
                broken << bytes.left(cut);
            for (const QByteArray& b : broken) {
                SCOPED_TRACE(std::string(open) + ", then " + other + " cut to " + std::to_string(b.size()));
                const QString file = dir + QStringLiteral("/broken.lab");
                TestSupport::WriteFile(file, b);
                EXPECT_THROW(lab->LoadLab(file), EKvError);
                EXPECT_EQ(lab->DataOK, dataBefore);
                ASSERT_EQ(SavedBytes(*lab), before);
            }
        }
    }
}

// Guards: TKVLab::ValidData checks the fields the design names; the label
// picture falls back to drawing without data; kvlab reads designs without
// opening their data.
TEST(DesignSequence, ADesignOpensWhateverItsDataSourceDoes)
{
    const QString dir = TestSupport::TempDir();
    TestSupport::WriteFile(dir + QStringLiteral("/clientes.csv"), "nombre,ciudad\nAna,Madrid\n");
    const SilentServer silent;
    ASSERT_NE(silent.Port, 0);
    const QString url = QStringLiteral("postgresql://kv@127.0.0.1:%1/etiquetas").arg(silent.Port);
    const struct {
        QString Database;
        const char* Why;
        const char* Reason; // in the data source's reason, for the designer
    } rows[] = {
        {dir, "the table lacks the field the text shows", "ean"},
        {url, "a server that never answers", nullptr},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Why);
        TKVLab design;
        design.SetDaBa(true);
        design.Table->DatabaseName = r.Database;
        design.Table->TableName = QStringLiteral("clientes");
        auto text = std::make_unique<TKVText>();
        text->UseDaBa = true;
        text->FieldName = QStringLiteral("ean");
        design.Document->AddElement(std::move(text));
        const QString file = dir + QStringLiteral("/bound.lab");
        design.SaveLab(file);
        const QByteArray bytes = TestSupport::ReadFile(file);

        QElapsedTimer clock;
        clock.start();
        for (const QStringList& args : {QStringList{QStringLiteral("info"), file},
                                        {QStringLiteral("resave"), file, dir + QStringLiteral("/copy.lab")},
                                        {QStringLiteral("render"), file, dir + QStringLiteral("/label.png")}}) {
            const auto run = TestSupport::RunKvlab(args);
            EXPECT_EQ(run.ExitCode, 0) << args.join(' ').toStdString() << run.Err.constData();
        }
        EXPECT_LT(clock.elapsed(), 60000) << "reading a design waited for its data";
        EXPECT_EQ(TestSupport::ReadFile(dir + QStringLiteral("/copy.lab")), bytes);

        if (r.Reason) {
            auto lab = ShownLab();
            ASSERT_NO_THROW(lab->LoadLab(file));
            EXPECT_FALSE(lab->DataOK);
            EXPECT_TRUE(lab->DataError.contains(QLatin1String(r.Reason))) << lab->DataError.toStdString();
            EXPECT_EQ(SavedBytes(*lab), bytes);
        }
    }
}

// Guards: the picture cache keeps what elements hold whatever its size;
// an element whose picture cannot be read stays in the design; SVG output
// embeds each picture once.
TEST(DesignSequence, APictureIsDecodedOnceAndNeverLostBySaving)
{
    const QString dir = TestSupport::TempDir();
    const QString picture = dir + QStringLiteral("/big.png");
    QImage big(3000, 1000, QImage::Format_RGB32); // beyond what is kept once unused
    big.fill(Qt::darkCyan);
    ASSERT_TRUE(big.save(picture));
    TKVLab design;
    for (int i = 0; i < 40; ++i) {
        auto image = std::make_unique<TKVImage>();
        image->FileName = i % 20 ? picture : dir + QStringLiteral("/missing.png");
        image->Point1 = {float(i), 1};
        image->Point2 = {float(i) + 5, 6};
        design.Document->AddElement(std::move(image));
    }
    const QString file = dir + QStringLiteral("/pictures.lab");
    design.SaveLab(file);

    TKVLab lab;
    lab.LoadLab(file);
    ASSERT_EQ(lab.Document->Count(), 40);
    const qint64 key = static_cast<TKVImage*>(lab.Document->Items(1))->Picture.cacheKey();
    for (int i = 0; i < 40; ++i) {
        const auto* image = static_cast<const TKVImage*>(lab.Document->Items(i));
        EXPECT_EQ(image->Picture.isNull(), i % 20 == 0) << i;
        if (i % 20)
            EXPECT_EQ(image->Picture.cacheKey(), key) << "element " << i << " decoded the picture again";
    }
    EXPECT_EQ(SavedBytes(lab), TestSupport::ReadFile(file));
    const auto resave = TestSupport::RunKvlab({QStringLiteral("resave"), file, dir + QStringLiteral("/again.lab")});
    EXPECT_EQ(resave.ExitCode, 0);
    EXPECT_EQ(TestSupport::ReadFile(dir + QStringLiteral("/again.lab")), TestSupport::ReadFile(file));

    const auto svg = TestSupport::RunKvlab({QStringLiteral("render"), file, dir + QStringLiteral("/label.svg"),
                                            QStringLiteral("--dpi"), QStringLiteral("50")});
    ASSERT_EQ(svg.ExitCode, 0) << svg.Err.constData();
    const QByteArray text = TestSupport::ReadFile(dir + QStringLiteral("/label.svg"));
    EXPECT_EQ(text.count("base64,"), 1);
    EXPECT_EQ(text.count("<use "), 38);
}

TEST(DesignSequence, RelativePicturesAreReadBesideTheDesignWhateverFolderTheProgramRunsIn)
{
    // The same name stands in the working folder with another picture.
    const QString dir = TestSupport::TempDir();
    const QString elsewhere = TestSupport::TempDir();
    QImage beside(8, 8, QImage::Format_RGB32), other(8, 8, QImage::Format_RGB32);
    beside.fill(Qt::red);
    other.fill(Qt::blue);
    ASSERT_TRUE(beside.save(dir + QStringLiteral("/logo.png")));
    ASSERT_TRUE(other.save(elsewhere + QStringLiteral("/logo.png")));
    TestSupport::TakeMessages();
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere));
    const auto back = qScopeGuard([&] { QDir::setCurrent(cwd); });
    {
        TKVLab design;
        auto image = std::make_unique<TKVImage>();
        image->FileName = QStringLiteral("logo.png");
        image->Point2 = {10, 10};
        design.Document->AddElement(std::move(image));
        design.BackSurf->FileName = QStringLiteral("logo.png");
        design.SaveLab(dir + QStringLiteral("/design.lab"));
    }
    TKVLab lab;
    lab.LoadLab(dir + QStringLiteral("/design.lab"));
    const auto red = [](const QImage& Picture) { return !Picture.isNull() && Picture.pixelColor(0, 0) == Qt::red; };
    EXPECT_TRUE(red(static_cast<const TKVImage*>(lab.Document->Items(0))->Picture)) << "loading";
    EXPECT_TRUE(red(lab.BackSurf->Picture)) << "loading the background";
    // The label dialog's "Ver Imagen" off and on again.
    lab.BackSurf->SetFileName(QString());
    lab.BackSurf->SetFileName(QStringLiteral("logo.png"));
    EXPECT_TRUE(red(lab.BackSurf->Picture)) << "the background named again";
    lab.SelectedElement = lab.Document->Items(0);
    lab.CopyElement();
    lab.PasteElement();
    ASSERT_EQ(lab.Document->Count(), 2);
    EXPECT_TRUE(red(static_cast<const TKVImage*>(lab.Document->Items(1))->Picture)) << "pasting";
    EXPECT_EQ(TestSupport::TakeMessages(), QStringList());
}
