// The designer's settings objects: clamping setters and Assign, which copies
// settings without any of the setters' effects.
#include "LabFixture.h"

namespace {

struct ClampRow {
    float Value;
    float Expected;
    const char* Source;
};

TEST_F(LabFixture, GridIncrementsAreClampedToTheLabel)
{
    const ClampRow x[] = {
        {0.5f, 1.0f, "below 1 mm becomes 1"},
        {500, 100, "above the 100 mm width becomes the width"},
        {12.5f, 12.5f, "kept"},
        {0, 1.0f, "zero becomes 1"},
        {-3, 1.0f, "negative becomes 1"},
    };
    for (const ClampRow& r : x) {
        SCOPED_TRACE(r.Source);
        Lab->Grid->SetIncX(r.Value);
        EXPECT_EQ(Lab->Grid->IncX, r.Expected);
    }
    Lab->Grid->SetIncX(500);
    EXPECT_EQ(Lab->GridCountX, 1); // both edges
    EXPECT_EQ(Lab->GridStepX, 378);
    Lab->Grid->SetIncY(80);
    EXPECT_EQ(Lab->Grid->IncY, 50.0f);
    EXPECT_EQ(Lab->GridCountY, 1);
    Lab->Grid->SetIncY(0.25f);
    EXPECT_EQ(Lab->Grid->IncY, 1.0f);
    EXPECT_EQ(Lab->GridCountY, 50);
    EXPECT_EQ(Lab->GridStepY, 4); // 3.78 px
}

TEST_F(LabFixture, AlignmentLinesAreClampedToTheLabel)
{
    const ClampRow left[] = {
        {-5, 0, "left of the label becomes 0"},
        {150, 100, "beyond the width becomes the width"},
        {33.3f, 33.3f, "kept"},
    };
    for (const ClampRow& r : left) {
        SCOPED_TRACE(r.Source);
        Lab->BackSurf->SetAlignLeft(r.Value);
        EXPECT_EQ(Lab->BackSurf->AlignLeft, r.Expected);
    }
    Lab->BackSurf->SetAlignTop(-1);
    EXPECT_EQ(Lab->BackSurf->AlignTop, 0.0f);
    Lab->BackSurf->SetAlignTop(60);
    EXPECT_EQ(Lab->BackSurf->AlignTop, 50.0f);
}

TEST_F(LabFixture, LabelSizeKeepsFourDigitsAndHasFloors)
{
    const ClampRow width[] = {
        {123.456f, 123.5f, "four significant digits"},
        {1234.56f, 1235.0f, "four significant digits"},
        {9.99f, 10.0f, "floor 10 mm"},
        {-20, 10.0f, "floor 10 mm"},
        {75, 75, "kept"},
    };
    for (const ClampRow& r : width) {
        SCOPED_TRACE(r.Source);
        Lab->Measure->SetWidth(r.Value);
        EXPECT_EQ(Lab->Measure->Width, r.Expected);
    }
    // 75 mm at 100 %: 283.46 pixels.
    EXPECT_EQ(Lab->LabScreen.width(), 283);
    Lab->Measure->SetHeight(4);
    EXPECT_EQ(Lab->Measure->Height, 5.0f);
    EXPECT_EQ(Lab->LabScreen.height(), 19); // 18.9
    Lab->Measure->SetHeight(33.333f);
    EXPECT_EQ(Lab->Measure->Height, 33.33f);
    // A new size rebuilds the grid nodes and scroll ranges.
    EXPECT_EQ(Lab->GridCountX, 7);
    EXPECT_EQ(Lab->GridCountY, 3);
    EXPECT_EQ(Lab->HMax, 283 - 300 + 40 + 20);
}

TEST_F(LabFixture, AssignCopiesWithoutSideEffects)
{
    const int renders = Lab->RenderCount;
    const QImage before = Lab->BackScreen.copy();

    TKVGrid g(nullptr);
    g.IncX = 0.2f; // would be clamped by the setter
    g.IncY = 400;
    g.Show = true;
    g.Color = clBlue;
    Lab->SetGrid(&g);
    EXPECT_EQ(Lab->Grid->IncX, 0.2f);
    EXPECT_EQ(Lab->Grid->IncY, 400.0f);
    EXPECT_TRUE(Lab->Grid->Show);
    EXPECT_EQ(Lab->GridCountX, 10); // node table not rebuilt

    TKVBackSurf b(nullptr);
    b.AlignLeft = -5;
    b.Color = clAqua;
    b.FileName = QStringLiteral("/nonexistent/picture.png"); // not loaded, no message
    Lab->SetBackSurf(&b);
    EXPECT_EQ(Lab->BackSurf->AlignLeft, -5.0f);
    EXPECT_EQ(Lab->BackSurf->FileName, b.FileName);
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());

    TKVMeasure m(nullptr);
    m.Width = 3; // below the floor
    m.Height = 2;
    m.LabelName = QStringLiteral("Small");
    Lab->SetMeasure(&m);
    EXPECT_EQ(Lab->Measure->Width, 3.0f);
    EXPECT_EQ(Lab->Measure->LabelName, QStringLiteral("Small"));
    EXPECT_EQ(Lab->LabScreen.width(), 378); // picture not resized

    TKVFrame f(nullptr);
    f.Style = maDoble;
    f.Dist2 = -1;
    Lab->SetFrame(&f);
    EXPECT_EQ(Lab->Frame->Style, maDoble);
    EXPECT_EQ(Lab->Frame->Dist2, -1.0f);

    TKVRulers r(nullptr);
    r.Color = clBlue;
    r.Font.setPixelSize(14);
    Lab->SetRulers(&r);
    EXPECT_EQ(Lab->Rulers->Color, clBlue);
    EXPECT_EQ(Lab->Rulers->Font.pixelSize(), 14);

    EXPECT_EQ(Lab->RenderCount, renders);
    EXPECT_EQ(Lab->BackScreen, before);
    for (TKVPersistent* p : std::initializer_list<TKVPersistent*>{
             Lab->Grid.get(), Lab->Frame.get(), Lab->BackSurf.get(), Lab->Rulers.get(), Lab->Measure.get()})
        EXPECT_EQ(p->GetOwner(), Lab.get());

    // A source of another class changes nothing.
    Lab->Grid->Assign(&f);
    EXPECT_EQ(Lab->Grid->IncX, 0.2f);
    Lab->Frame->Assign(&g);
    EXPECT_EQ(Lab->Frame->Style, maDoble);
}

TEST_F(LabFixture, BackgroundPictureFileThatCannotBeRead)
{
    TestSupport::TakeMessages();
    const int renders = Lab->RenderCount;
    const QString name = QStringLiteral("/nonexistent/back.png");
    Lab->BackSurf->SetFileName(name);
    EXPECT_EQ(TestSupport::TakeMessages(), QStringList{QStringLiteral("No se puede abrir el archivo: ") + name});
    EXPECT_EQ(Lab->BackSurf->FileName, name);
    EXPECT_EQ(Lab->RenderCount, renders + 1);
    // The same name again does nothing, not even a reload.
    Lab->BackSurf->SetFileName(name);
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
    EXPECT_EQ(Lab->RenderCount, renders + 1);
}

} // namespace
