// The four pages of the label properties dialog as a user sees them. Each
// page is grabbed; with KVLAB_SCREENSHOT_DIR set the pictures are kept there
// (LabProp-0.png ... LabProp-3.png) to be looked at.
#include "LabPropTestFixture.h"

#include "document/TKVSession.h"
#include "types/TKVCanvas.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

TEST_F(LabPropFixture, PagesShowTheSketchAndTheData)
{
    const QString dir = TestSupport::TempDir();
    QFile csv(dir + QStringLiteral("/envios.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("NOMBRE,CIUDAD,PRECIO\nAna,Lyon,12.5\nBruno,Paris,9.99\nCarla,Lyon,30\nEva,Madrid,8\n");
    csv.close();
    TKVSession::AddAlias(QStringLiteral("LabPropScreens"), dir);
    Lab->Table->DatabaseName = QStringLiteral("LabPropScreens");
    Lab->Table->TableName = QStringLiteral("envios.csv");
    Lab->DaBa = true;
    Lab->Measure->SetNuHor(7);
    Lab->Measure->SetNuVer(3);
    Lab->PrintInfo->FirstCol = 2;
    Lab->PrintInfo->FirstRow = 3;
    Lab->Grid->Show = true;

    const QString keep = qEnvironmentVariable("KVLAB_SCREENSHOT_DIR");
    for (int page = 0; page < 4; ++page) {
        SCOPED_TRACE(page);
        Open(page);
        Dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Dlg.get()));
        QApplication::processEvents();
        const QImage shot = Dlg->grab().toImage();
        ASSERT_FALSE(shot.isNull());
        if (!keep.isEmpty()) {
            QDir().mkpath(keep);
            shot.save(keep + QStringLiteral("/LabProp-%1.png").arg(page));
        }
        if (page == 0) {
            // The first label to print, aqua, where the sketch puts it on screen:
            // column 2 starts at 69 mm, row 3 at 88 mm on A4.
            QWidget* box = W("PaintBox1");
            const QPoint at = box->mapTo(Dlg.get(), QPoint(Dlg->MapW2Sx(69 + 30), Dlg->MapW2Sy(88 + 17)));
            const qreal scale = shot.devicePixelRatio();
            EXPECT_EQ(shot.pixel(int(at.x() * scale), int(at.y() * scale)) | 0xFF000000u,
                      ToQColor(clAqua).rgb() | 0xFF000000u);
        }
        if (page == 3) {
            EXPECT_EQ(W<QLabel>("LabCount")->text(), QStringLiteral("4"));
        }
    }
    TKVSession::DeleteAlias(QStringLiteral("LabPropScreens"));
}
