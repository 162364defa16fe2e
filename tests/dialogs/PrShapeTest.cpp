// The line and rectangle dialogs: every control into its field at once,
// their ranges, the swatches, and the rectangle's fill switched in the
// designer's own picture.
#include "ElementDialogFixture.h"

#include "dialogs/PrRect.h"
#include "dialogs/Prline.h"
#include "document/TKVLine.h"
#include "document/TKVRect.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"

#include <QGroupBox>
#include <QLabel>

namespace {

class ShapeDialogs : public ElementDialogFixture
{
};

TEST_F(ShapeDialogs, EveryLineControlWritesItsFieldAtOnce)
{
    auto l = std::make_unique<TKVLine>();
    l->Point1 = {10, 10};
    l->Point2 = {60, 30};
    TKVLine* e = Add(std::move(l));
    TProLin d;
    d.Element = e;
    d.Lab = Lab.get();
    EXPECT_TRUE(Renders([&] { d.Ini(); })); // loading writes back and shows the handles
    EXPECT_DOUBLE_EQ(d.SpEdFloatX2->GetValue(), 60.0);
    const struct {
        const char* What;
        std::function<void()> Act;
        std::function<void()> Check;
    } rows[] = {
        {"SpEdFloatX1", [&] { ClickUp(d.SpEdFloatX1); }, [&] { EXPECT_FLOAT_EQ(e->Point1.X, 10.5f); }},
        {"SpEdFloatY1", [&] { ClickDown(d.SpEdFloatY1); }, [&] { EXPECT_FLOAT_EQ(e->Point1.Y, 9.5f); }},
        {"SpEdFloatX2", [&] { ClickUp(d.SpEdFloatX2); }, [&] { EXPECT_FLOAT_EQ(e->Point2.X, 60.5f); }},
        {"SpEdFloatY2", [&] { ClickUp(d.SpEdFloatY2); }, [&] { EXPECT_FLOAT_EQ(e->Point2.Y, 30.5f); }},
        {"SpEdFloatPen", [&] { ClickUp(d.SpEdFloatPen); }, [&] { EXPECT_NEAR(e->PenWidth, 0.2f, 1e-6); }},
        {"ShCoLine", [&] { Click(d.ShCoLine); },
         [&] {
             EXPECT_EQ(ColorShown, clBlack);
             EXPECT_EQ(e->Color, ColorAnswer);
         }},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(Renders(row.Act)) << row.What;
        row.Check();
    }
    // (maximum, step, value): any length a label file holds can be typed.
    TProLin fresh;
    EXPECT_DOUBLE_EQ(fresh.SpEdFloatX1->GetMaxValue(), KVLimits::MaxLength);
    EXPECT_DOUBLE_EQ(fresh.SpEdFloatX1->GetValue(), 4.0);
    EXPECT_DOUBLE_EQ(fresh.SpEdFloatPen->GetMaxValue(), KVLimits::MaxLength);
    EXPECT_DOUBLE_EQ(fresh.SpEdFloatPen->GetIncrement(), 0.1);
    EXPECT_DOUBLE_EQ(fresh.SpEdFloatPen->GetValue(), 0.1);
    EXPECT_EQ(fresh.windowTitle(), QStringLiteral("Propiedades de linea"));
    EXPECT_TRUE(fresh.GpBoxP1->font().bold());
    EXPECT_EQ(fresh.GpBoxP1->title(), QStringLiteral("Primer punto : "));
    // The form caption stays; the group captions come from the string table.
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Propiedades de linea"));
    EXPECT_EQ(d.GpBoxP1->title(), LoadResString(&KvFirstP));
    EXPECT_EQ(d.GpBoxWidth->title(), LoadResString(&KvPenWidth));
}

TEST_F(ShapeDialogs, EveryRectangleControlWritesItsFieldAtOnce)
{
    auto r = std::make_unique<TKVRect>();
    r->Point1 = {10, 10};
    r->Point2 = {40, 30};
    TKVRect* e = Add(std::move(r));
    TProRect d;
    d.Element = e;
    d.Lab = Lab.get();
    d.Ini();
    const struct {
        const char* What;
        std::function<void()> Act;
        std::function<void()> Check;
    } rows[] = {
        {"SpEdFloatX1", [&] { ClickUp(d.SpEdFloatX1); }, [&] { EXPECT_FLOAT_EQ(e->Point1.X, 10.5f); }},
        {"SpEdFloatY1", [&] { ClickUp(d.SpEdFloatY1); }, [&] { EXPECT_FLOAT_EQ(e->Point1.Y, 10.5f); }},
        {"SpEdFloatX2", [&] { ClickDown(d.SpEdFloatX2); }, [&] { EXPECT_FLOAT_EQ(e->Point2.X, 39.5f); }},
        {"SpEdFloatY2", [&] { ClickDown(d.SpEdFloatY2); }, [&] { EXPECT_FLOAT_EQ(e->Point2.Y, 29.5f); }},
        {"SpEdFloatPen", [&] { ClickUp(d.SpEdFloatPen); }, [&] { EXPECT_NEAR(e->PenWidth, 0.2f, 1e-6); }},
        {"CkBoxTrans", [&] { Click(d.CkBoxTrans); }, [&] { EXPECT_FALSE(e->Transparent); }},
        {"ShCoBorder", [&] { Click(d.ShCoBorder); }, [&] { EXPECT_EQ(e->Color, ColorAnswer); }},
        {"ShFillCo", [&] { Click(d.ShFillCo); },
         [&] {
             EXPECT_EQ(ColorShown, clWhite);
             EXPECT_EQ(e->BackColor, ColorAnswer);
         }},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(Renders(row.Act)) << row.What;
        row.Check();
    }
    EXPECT_EQ(d.LabFillCo->text(), LoadResString(&KvBack1));
    EXPECT_EQ(d.LabCoBorder->text(), LoadResString(&KvBorder));
    EXPECT_EQ(d.CkBoxTrans->text(), LoadResString(&KvTransparent));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Propiedades Rectángulo"));
}

TEST_F(ShapeDialogs, TransparentBoxSwitchesTheFillInTheDesigner)
{
    auto r = std::make_unique<TKVRect>();
    r->Point1 = {10, 10};
    r->Point2 = {40, 30};
    r->BackColor = clBlue;
    TKVRect* e = Add(std::move(r));
    TProRect d;
    d.Element = e;
    d.Lab = Lab.get();
    d.Ini();
    ASSERT_TRUE(e->Transparent);
    // The middle of the rectangle in the designer's label picture.
    const int x = Lab->WindowX(25) - Lab->WindowX(0), y = Lab->WindowY(20) - Lab->WindowY(0);
    const QRgb blue = qRgb(0, 0, 255);
    EXPECT_NE(Lab->LabScreen.pixel(x, y) | 0xFF000000u, blue);
    Click(d.CkBoxTrans);
    EXPECT_EQ(Lab->LabScreen.pixel(x, y) | 0xFF000000u, blue);
    Click(d.CkBoxTrans);
    EXPECT_NE(Lab->LabScreen.pixel(x, y) | 0xFF000000u, blue);
}

}
