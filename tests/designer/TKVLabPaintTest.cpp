// The designer's pictures: rulers, grid, frame, background, the label
// picture and its composition under the rulers, and which changes re-render
// the label and which only re-composite it. Pixels are probed where the
// figures say they must be.
#include "LabFixture.h"

#include "document/TKVDataSet.h"
#include "document/TKVObject.h"
#include "document/TKVRect.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"

#include <QScrollBar>
#include <functional>

namespace {

// Column X of BackScreen between rows Y0 and Y1 (inclusive) in colour C.
bool ColumnIs(const QImage& I, int X, int Y0, int Y1, QRgb C)
{
    for (int y = Y0; y <= Y1; ++y)
        if (I.pixel(X, y) != C)
            return false;
    return true;
}

bool RowIs(const QImage& I, int Y, int X0, int X1, QRgb C)
{
    for (int x = X0; x <= X1; ++x)
        if (I.pixel(x, Y) != C)
            return false;
    return true;
}

// Bounding box of the pixels in R that differ from the colour Bg.
QRect InkBox(const QImage& I, const QRect& R, QRgb Bg)
{
    QRect box;
    for (int y = R.top(); y <= R.bottom(); ++y)
        for (int x = R.left(); x <= R.right(); ++x)
            if (I.pixel(x, y) != Bg)
                box |= QRect(x, y, 1, 1);
    return box;
}

class RulerTest : public LabFixture
{
protected:
    void SetUp() override
    {
        LabFixture::SetUp();
        // Without the band's outline the ticks stand alone.
        Lab->Rulers->SetBorder(false);
        Lab->Rulers->SetTickColor(clBlue);
    }
};

TEST_F(RulerTest, TopRulerTicksAtStartZero)
{
    const QImage& b = Lab->BackScreen;
    const QRgb tick = Rgb(clBlue), band = Rgb(clSilver);
    // StartTop 0, SizeTop 37.795: centimetres at 24 and 62, the half
    // centimetre at 24 + 18.9 = 43, millimetres every 3.78 pixels. A tick
    // runs from row 21 up to, not including, row 13 / 15 / 18.
    struct Row {
        int X, Top;
        const char* What;
    } rows[] = {
        {24, 14, "0 mm"},  {28, 19, "1 mm: 3.78"}, {32, 19, "2 mm: 7.56"}, {43, 16, "5 mm: 18.9"},
        {62, 14, "10 mm"}, {100, 14, "20 mm: 75.6"}, {81, 16, "15 mm: 56.7"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.What);
        EXPECT_TRUE(ColumnIs(b, r.X, r.Top, 21, tick));
        EXPECT_EQ(b.pixel(r.X, r.Top - 1), band);
        EXPECT_EQ(b.pixel(r.X, 22), Rgb(clGray)); // below the band: the control's colour
    }
    // No ticks between them.
    for (int x : {25, 26, 27, 29, 30, 31, 42, 44, 61, 63})
        EXPECT_EQ(b.pixel(x, 20), band) << x;
    // The band spans rows 4 to 21 from window x 24 to the control's edge.
    EXPECT_EQ(b.pixel(150, 4), band);
    EXPECT_EQ(b.pixel(150, 3), Rgb(clGray));
    // The corner square in the control's colour.
    EXPECT_TRUE(RowIs(b, 10, 0, 23, Rgb(clGray)));
    EXPECT_TRUE(ColumnIs(b, 10, 0, 23, Rgb(clGray)));
}

TEST_F(RulerTest, NumbersAreCentredOnTheirTicks)
{
    const QImage& b = Lab->BackScreen;
    const QRgb band = Rgb(clSilver);
    // "10" above the tick at x = 62, between the band's top and the tick.
    const QRect top = InkBox(b, QRect(45, 5, 34, 8), band);
    ASSERT_FALSE(top.isEmpty());
    EXPECT_NEAR(top.center().x(), 62, 1.5);
    EXPECT_GT(top.width(), top.height()); // horizontal text
    // The left ruler's "10" reads upward, centred on the tick at y = 62.
    const QRect left = InkBox(b, QRect(5, 45, 8, 34), band);
    ASSERT_FALSE(left.isEmpty());
    EXPECT_NEAR(left.center().y(), 62, 1.5);
    EXPECT_GT(left.height(), left.width());
    EXPECT_EQ(left.height(), top.width());
    // Upward: the "1" comes first, at the bottom. The top-ruler ink turned a
    // quarter counter-clockwise covers the same pixels as the left ruler's.
    const QImage turned = b.copy(top).transformed(QTransform().rotate(-90));
    const QImage upright = b.copy(left);
    ASSERT_EQ(turned.size(), upright.size());
    int same = 0, total = 0;
    for (int y = 0; y < upright.height(); ++y)
        for (int x = 0; x < upright.width(); ++x) {
            const bool a = turned.pixel(x, y) != band, c = upright.pixel(x, y) != band;
            total += a || c;
            same += a && c;
        }
    EXPECT_GT(same, total * 6 / 10);
    // The number of 0 mm sits at x = 24 and is half hidden by the corner; the
    // one of -10 mm (x = -14) not at all visible.
    EXPECT_FALSE(InkBox(b, QRect(24, 5, 4, 8), band).isEmpty());
}

TEST_F(RulerTest, LeftRulerTicks)
{
    const QImage& b = Lab->BackScreen;
    const QRgb tick = Rgb(clBlue), band = Rgb(clSilver);
    EXPECT_TRUE(RowIs(b, 62, 14, 21, tick));
    EXPECT_EQ(b.pixel(13, 62), band);
    EXPECT_TRUE(RowIs(b, 43, 16, 21, tick));
    EXPECT_EQ(b.pixel(15, 43), band);
    EXPECT_TRUE(RowIs(b, 28, 19, 21, tick));
    EXPECT_EQ(b.pixel(18, 28), band);
}

TEST_F(RulerTest, ScrolledRulerStartsMidCentimetre)
{
    // Scrolled 2.3 mm: the 10 mm tick lies 0.77 cm right of the band's edge.
    Lab->Rulers->StartTop = 0.23f;
    Lab->FlipLabScreen();
    const int x10 = RoundEven(0.77 * Lab->Rulers->SizeTop) + 24;
    EXPECT_EQ(x10, 53);
    EXPECT_TRUE(ColumnIs(Lab->BackScreen, x10, 14, 21, Rgb(clBlue)));
    EXPECT_TRUE(ColumnIs(Lab->BackScreen, x10 - 19, 16, 21, Rgb(clBlue))); // 5 mm
}

TEST_F(RulerTest, BorderOutlinesTheBands)
{
    Lab->Rulers->SetBorder(true);
    const QImage& b = Lab->BackScreen;
    const QRgb tick = Rgb(clBlue);
    EXPECT_TRUE(RowIs(b, 4, 24, 299, tick));
    EXPECT_TRUE(RowIs(b, 21, 24, 299, tick));
    EXPECT_TRUE(ColumnIs(b, 4, 24, 199, tick));
    EXPECT_TRUE(ColumnIs(b, 21, 24, 199, tick));
    EXPECT_EQ(b.pixel(150, 12), Rgb(clSilver));
}

TEST_F(LabFixture, GridNodeTable)
{
    EXPECT_EQ(Lab->GridCountX, 10);
    EXPECT_EQ(Lab->GridCountY, 5);
    ASSERT_EQ(Lab->GridPoints.size(), 11u);
    ASSERT_EQ(Lab->GridPoints[0].size(), 6u);
    EXPECT_EQ(Lab->GridPoints[1][0], (TPoint{38, 0}));
    EXPECT_EQ(Lab->GridPoints[10][5], (TPoint{378, 189}));

    Lab->Grid->SetColor(clBlue);
    Lab->Grid->SetShow(true);
    EXPECT_EQ(Label(38, 38), Rgb(clBlue));
    EXPECT_EQ(Label(0, 0), Rgb(clBlue));
    EXPECT_EQ(Label(39, 38), Rgb(clWhite));
    // The right and bottom edge nodes lie outside the picture.
    EXPECT_EQ(Lab->LabScreen.width(), 378);

    Lab->Grid->SetIncX(25);
    EXPECT_EQ(Lab->GridCountX, 4);
    EXPECT_EQ(Lab->GridStepX, 94); // 94.5 rounds to even
    EXPECT_EQ(Label(94, 38), Rgb(clBlue));
    EXPECT_EQ(Label(38, 38), Rgb(clWhite));
}

TEST_F(LabFixture, DoubleFrameLiesInsideItsRectangles)
{
    // Outer line 2 mm in (7.56 px), inner 5 mm in (18.9 px), each 1 mm
    // (3.78 px) wide, inside its rectangle.
    Lab->Frame->SetColor(clBlue);
    Lab->Frame->SetPenWidth(1);
    Lab->Frame->SetDist1(2);
    Lab->Frame->SetDist2(3);
    Lab->Frame->SetStyle(maDoble);
    const QRgb f = Rgb(clBlue), w = Rgb(clWhite);
    const int y = 94;
    EXPECT_EQ(Label(7, y), w);
    EXPECT_EQ(Label(8, y), f);
    EXPECT_EQ(Label(10, y), f);
    EXPECT_EQ(Label(12, y), w);
    EXPECT_EQ(Label(17, y), w);
    EXPECT_EQ(Label(19, y), f);
    EXPECT_EQ(Label(22, y), f);
    EXPECT_EQ(Label(24, y), w);
    // Right side: the outer rectangle ends at 98 mm = 370.44 px, the inner
    // at 95 mm = 359.1 px, each line 3.78 px wide to their left.
    EXPECT_EQ(Label(370, y), w);
    EXPECT_EQ(Label(369, y), f);
    EXPECT_EQ(Label(367, y), f);
    EXPECT_EQ(Label(366, y), w);
    EXPECT_EQ(Label(359, y), w);
    EXPECT_EQ(Label(358, y), f);
    EXPECT_EQ(Label(355, y), f);
    EXPECT_EQ(Label(354, y), w);

    Lab->Frame->SetStyle(maSingle);
    EXPECT_EQ(Label(8, y), f);
    EXPECT_EQ(Label(20, y), w);
    Lab->Frame->SetStyle(maNot);
    EXPECT_EQ(Label(8, y), w);
}

TEST_F(LabFixture, FrameOnPrinterAndPreviewCanvases)
{
    // One pixel per 0.1 mm, the label's corner at (10 mm, 5 mm).
    Lab->Frame->Style = maSingle;
    Lab->Frame->PenWidth = 0.5f;
    Lab->Frame->Dist1 = 1;
    for (TKVDrawType target : {tdPrint, tdPreview}) {
        QImage page(1300, 700, QImage::Format_RGB32);
        page.fill(Qt::white);
        TKVCanvas c(&page);
        c.SetIsotropic({0, 0}, {13000, 7000}, {0, 0}, {1300, 700});
        Lab->DrawFrame({10, 5}, Lab->DrawContext(target, c));
        // Outer edge at 11 mm / 6 mm, 0.5 mm wide inside; far edge at 109 mm.
        EXPECT_EQ(page.pixel(109, 300), 0xFFFFFFFFu);
        EXPECT_EQ(page.pixel(110, 300), 0xFF000000u);
        EXPECT_EQ(page.pixel(114, 300), 0xFF000000u);
        EXPECT_EQ(page.pixel(115, 300), 0xFFFFFFFFu);
        EXPECT_EQ(page.pixel(600, 60), 0xFF000000u);
        EXPECT_EQ(page.pixel(600, 59), 0xFFFFFFFFu);
        EXPECT_EQ(page.pixel(1089, 300), 0xFF000000u);
        EXPECT_EQ(page.pixel(1090, 300), 0xFFFFFFFFu);
    }
}

TEST_F(LabFixture, BackgroundColourPictureAndAlignmentLines)
{
    Lab->BackSurf->SetColor(clAqua);
    EXPECT_EQ(Label(200, 100), Rgb(clAqua));

    Lab->BackSurf->SetAlignColor(clBlue);
    Lab->BackSurf->SetAlignLeft(10);
    Lab->BackSurf->SetAlignTop(20);
    Lab->BackSurf->SetShowAlign(true);
    // 10 mm = 37.8 px, 20 mm = 75.6 px; one pixel wide.
    EXPECT_EQ(Label(37, 150), Rgb(clBlue));
    EXPECT_EQ(Label(36, 150), Rgb(clAqua));
    EXPECT_EQ(Label(38, 150), Rgb(clAqua));
    EXPECT_EQ(Label(250, 75), Rgb(clBlue));
    EXPECT_EQ(Label(250, 74), Rgb(clAqua));
    EXPECT_EQ(Label(250, 76), Rgb(clAqua));

    // A picture stretched over the whole label, aspect ignored.
    QImage red(4, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    Lab->BackSurf->SetShowAlign(false);
    Lab->BackSurf->SetImage(red);
    Lab->BackSurf->SetStyle(biImage);
    EXPECT_EQ(Label(0, 0), 0xFFFF0000u);
    EXPECT_EQ(Label(377, 188), 0xFFFF0000u);
    EXPECT_EQ(Label(200, 100), 0xFFFF0000u);
}

TEST_F(LabFixture, ImageStyleWithoutPicturePaintsNoBackground)
{
    // What was under the label stays: nothing fills it.
    Lab->LabScreen.fill(Qt::green);
    Lab->BackSurf->SetStyle(biImage);
    EXPECT_EQ(Label(200, 100), 0xFF00FF00u);
}

TEST_F(LabFixture, LabelComposedUnderTheRulers)
{
    Lab->BackSurf->SetColor(clAqua);
    const QImage& b = Lab->BackScreen;
    // Label picture from (24, 24); the 378-pixel label fills the control.
    EXPECT_EQ(b.pixel(24, 24), Rgb(clAqua));
    EXPECT_EQ(b.pixel(299, 199), Rgb(clAqua));

    // A smaller label leaves the control's colour right of and below it.
    // At 50 % the picture is 189 x 94 but the label keeps its 2:1 shape,
    // 188 x 94: the last column is outside the label as well.
    Lab->SetZoom(zm50);
    EXPECT_EQ(Lab->LabScreen.size(), QSize(189, 94));
    EXPECT_EQ(b.pixel(24 + 187, 24 + 93), Rgb(clAqua));
    EXPECT_EQ(b.pixel(24 + 188, 24 + 93), Rgb(clGray));
    EXPECT_EQ(b.pixel(24 + 189, 50), Rgb(clGray));
    EXPECT_EQ(b.pixel(50, 24 + 94), Rgb(clGray));

    // The window shows BackScreen.
    const QImage shown = Lab->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), Lab->viewport()->size());
    for (QPoint p : {QPoint(0, 0), QPoint(30, 30), QPoint(62, 14), QPoint(14, 62), QPoint(250, 150)})
        EXPECT_EQ(shown.pixel(p), b.pixel(p)) << p.x() << "," << p.y();
}

TEST_F(LabFixture, ScrollingMovesOnlyTheLabelPicture)
{
    // Something to see: a grid and alignment lines.
    Lab->Grid->SetShow(true);
    Lab->BackSurf->SetAlignLeft(30);
    Lab->BackSurf->SetAlignTop(15);
    Lab->BackSurf->SetShowAlign(true);
    const QImage before = Lab->BackScreen.copy();
    const int renders = Lab->RenderCount;

    Lab->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ASSERT_EQ(Lab->HPosition, 10);
    const QImage after = Lab->BackScreen.copy();
    EXPECT_EQ(Lab->RenderCount, renders);

    // The label area shows the same picture 10 pixels further left.
    int diff = 0;
    for (int y = 24; y < 200; ++y)
        for (int x = 24; x < 290; ++x)
            diff += after.pixel(x, y) != before.pixel(x + 10, y);
    EXPECT_EQ(diff, 0);
    // The left band and the corner did not change.
    EXPECT_EQ(after.copy(0, 0, 24, 200), before.copy(0, 0, 24, 200));
    // The top band holds nothing of the label: it is the rulers alone.
    Lab->DrawBack();
    EXPECT_EQ(after.copy(0, 0, 300, 24), Lab->BackScreen.copy(0, 0, 300, 24));
    // Its ticks moved with the label: the 10 mm tick is now at 62 - 10.
    EXPECT_TRUE(ColumnIs(after, 52, 14, 20, Rgb(clBlack)));

    // Vertically likewise, by one pixel a page.
    Lab->DrawClip();
    const QImage before2 = Lab->BackScreen.copy();
    Lab->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ASSERT_EQ(Lab->VPosition, 1);
    const QImage after2 = Lab->BackScreen.copy();
    EXPECT_EQ(after2.copy(24, 24, 276, 175), before2.copy(24, 25, 276, 175));
    EXPECT_EQ(after2.copy(0, 0, 300, 24), before2.copy(0, 0, 300, 24));
}

struct RepaintRow {
    const char* What;
    std::function<void(TKVLab&)> Change;
    bool Renders;
    bool Shows; // the change is visible in the default picture
};

TEST_F(LabFixture, EachSettingRepaintsAsMuchAsItNeeds)
{
    const RepaintRow rows[] = {
        {"ruler colour", [](TKVLab& l) { l.Rulers->SetColor(clAqua); }, false, true},
        {"ruler tick colour", [](TKVLab& l) { l.Rulers->SetTickColor(clBlue); }, false, true},
        {"ruler border", [](TKVLab& l) { l.Rulers->SetBorder(false); }, false, true},
        {"ruler font",
         [](TKVLab& l) {
             QFont f(QStringLiteral("DejaVu Sans"));
             f.setPixelSize(12);
             l.Rulers->SetFont(&f);
         },
         false, true},
        {"control colour", [](TKVLab& l) { l.SetColor(clBlue); }, false, true},
        {"grid show", [](TKVLab& l) { l.Grid->SetShow(true); }, true, true},
        {"grid colour", [](TKVLab& l) { l.Grid->SetColor(clBlue); }, true, false},
        {"grid increment", [](TKVLab& l) { l.Grid->SetIncX(5); }, true, false},
        {"frame style", [](TKVLab& l) { l.Frame->SetStyle(maSingle); }, true, true},
        {"frame distance", [](TKVLab& l) { l.Frame->SetDist1(3); }, true, false},
        {"frame pen", [](TKVLab& l) { l.Frame->SetPenWidth(0.5f); }, true, false},
        {"frame colour", [](TKVLab& l) { l.Frame->SetColor(clBlue); }, true, false},
        {"background colour", [](TKVLab& l) { l.BackSurf->SetColor(clAqua); }, true, true},
        {"background style", [](TKVLab& l) { l.BackSurf->SetStyle(biImage); }, true, false},
        {"alignment lines", [](TKVLab& l) { l.BackSurf->SetShowAlign(true); }, true, true},
        {"alignment left", [](TKVLab& l) { l.BackSurf->SetAlignLeft(4); }, true, false},
        {"label width", [](TKVLab& l) { l.Measure->SetWidth(80); }, true, false},
        {"show margins", [](TKVLab& l) { l.SetShowMargins(true); }, true, false},
        {"zoom", [](TKVLab& l) { l.SetZoom(zm75); }, true, true},
    };
    for (const RepaintRow& r : rows) {
        SCOPED_TRACE(r.What);
        auto lab = MakeLab(300, 200);
        const QImage before = lab->BackScreen.copy();
        const int renders = lab->RenderCount;
        r.Change(*lab);
        EXPECT_EQ(lab->RenderCount, renders + (r.Renders ? 1 : 0));
        // Either way the composed picture shows the change.
        if (r.Shows)
            EXPECT_NE(lab->BackScreen, before);
        else
            EXPECT_EQ(lab->BackScreen, before);
    }

    // Settings that draw nothing repaint nothing.
    const int renders = Lab->RenderCount;
    const QImage before = Lab->BackScreen.copy();
    Lab->Rulers->SetMarkColor(clBlue);
    Lab->Grid->SetShow(false);     // unchanged value
    Lab->Frame->SetStyle(maNot);   // unchanged value
    Lab->SetSnap(snGrid);
    EXPECT_EQ(Lab->RenderCount, renders);
    EXPECT_EQ(Lab->BackScreen, before);
}

TEST_F(LabFixture, NothingIsDrawnWhileLoading)
{
    const int renders = Lab->RenderCount;
    const QImage before = Lab->BackScreen.copy();
    Lab->BeginLoading();
    Lab->Grid->SetShow(true);
    Lab->Rulers->SetColor(clAqua);
    Lab->BackSurf->SetColor(clBlue);
    EXPECT_EQ(Lab->RenderCount, renders);
    EXPECT_EQ(Lab->BackScreen, before);
    Lab->EndLoading();
    EXPECT_EQ(Lab->RenderCount, renders + 1);
    EXPECT_EQ(Back(100, 12), Rgb(clAqua));
    EXPECT_EQ(Label(100, 100), Rgb(clBlue));
}

TEST_F(LabFixture, DesignModeShowsBackgroundFrameAndGridOnly)
{
    auto rect = std::make_unique<TKVRect>();
    rect->Point1 = {20, 10};
    rect->Point2 = {60, 40};
    rect->Transparent = false;
    rect->BackColor = clBlack;
    Lab->Document->AddElement(std::move(rect));
    Lab->Frame->SetStyle(maSingle);
    Lab->Frame->SetColor(clBlue);
    Lab->Grid->SetShow(true);
    Lab->BackSurf->SetColor(clAqua);
    const QPoint inRect(Lab->WindowX(40) - 24 + 1, Lab->WindowY(25) - 24 + 1);
    EXPECT_EQ(Label(inRect.x(), inRect.y()), Rgb(clBlack));
    // Rendering for the designer refreshed the element's hit rectangle.
    EXPECT_EQ(Lab->Document->Items(0)->Bounds, (TRect{Lab->WindowX(20), Lab->WindowY(10), Lab->WindowX(60), Lab->WindowY(40)}));

    Lab->SetDesignMode(true);
    EXPECT_EQ(Label(inRect.x(), inRect.y()), Rgb(clAqua));
    EXPECT_EQ(Label(0, 94), Rgb(clBlue));     // frame
    EXPECT_EQ(Label(38, 38), Rgb(clRed));     // grid
    EXPECT_EQ(Back(24 + inRect.x(), 24 + inRect.y()), Rgb(clAqua));
    // Every repaint in design mode leaves the elements out.
    Lab->Grid->SetColor(clBlue);
    EXPECT_EQ(Label(inRect.x(), inRect.y()), Rgb(clAqua));

    Lab->SetDesignMode(false);
    EXPECT_EQ(Label(inRect.x(), inRect.y()), Rgb(clBlack));
}

// A table of one text column with a single row, counting how often it is
// opened.
class OneRowTable : public TKVDataSet
{
public:
    static inline int Opened = 0;
    int FieldCount() const override { return 1; }
    QString FieldName(int) const override { return QStringLiteral("NAME"); }
    TKVFieldType FieldType(int) const override { return TKVFieldType::ftString; }
    void Rewind() override { Row = -1; }
    bool Fetch() override { return ++Row < 1; }
    QVariant Value(int) const override { return QStringLiteral("Ana"); }
    int RecordCount() override { return 1; }

private:
    int Row = -1;
};

TEST_F(LabFixture, DataDrawOpensTheTableOncePerRendering)
{
    TKVTable::SetDataSetFactory([](const QString&, const QString&, const QString&) {
        ++OneRowTable::Opened;
        return std::make_unique<OneRowTable>();
    });
    for (int i = 0; i < 3; ++i) {
        auto t = std::make_unique<TKVText>();
        t->Point1 = {5.0f + 20 * i, 5};
        t->UseDaBa = true;
        t->FieldName = QStringLiteral("NAME");
        Lab->Document->AddElement(std::move(t));
    }
    Lab->SetDaBa(true);
    Lab->Table->DatabaseName = QStringLiteral("db");
    Lab->Table->TableName = QStringLiteral("people");
    ASSERT_TRUE(Lab->ValidData());
    OneRowTable::Opened = 0;
    Lab->PaintLabScreen(true);
    // ValidData left the table open; the rendering used it and closed it.
    EXPECT_EQ(OneRowTable::Opened, 0);
    EXPECT_FALSE(Lab->Table->Active());
    // A paint of an unchanged design draws nothing; a whole rendering is asked for.
    Lab->ForgetPicture();
    Lab->PaintLabScreen(true);
    EXPECT_EQ(OneRowTable::Opened, 1);
    EXPECT_FALSE(Lab->Table->Active());
    // The designer shows a bound text's field name without storing it.
    auto* text = static_cast<TKVText*>(Lab->Document->Items(0));
    EXPECT_EQ(text->Text, QStringLiteral("text"));

    // Without valid data the elements draw their own content.
    Lab->DataOK = false;
    text->Text = QStringLiteral("plain");
    Lab->PaintLabScreen(true);
    EXPECT_EQ(OneRowTable::Opened, 1);
    EXPECT_EQ(text->Text, QStringLiteral("plain"));
    TKVTable::SetDataSetFactory({});
}

} // namespace
