// The symbol dialog: the 16 x 14 glyph grid (picking a cell, the cell of the
// current code, the font it is drawn in), the Boolean-only field list and
// every control going straight into the element.
#include "ElementDialogFixture.h"

#include "dialogs/PrSym.h"
#include "document/TKVSymbol.h"
#include "rendering/RenderSupport.h"

#include <QFontDatabase>
#include <QPixmap>

namespace {

using RenderSupport::BoxOf;
using RenderSupport::IsRed;

class SymbolDialog : public ElementDialogFixture
{
protected:
    TKVSymbol* Sym = nullptr;
    std::unique_ptr<TPropSym> Dialog;

    void Open(bool Data = false)
    {
        Dialog = std::make_unique<TPropSym>();
        Dialog->Element = Sym;
        Dialog->Lab = Lab.get();
        Dialog->Ini(Data);
    }
    QImage Grid() { return Dialog->PaintBox1->grab().toImage(); }
    // The red highlight of the grid, in paint-box pixels.
    QRect Highlight() { return BoxOf(Grid(), IsRed); }
};

TEST_F(SymbolDialog, GridCellPicksTheCharacterAndIsHighlighted)
{
    Sym = Add<TKVSymbol>();
    Open();
    EXPECT_EQ(Dialog->PaintBox1->size(), QSize(320, 280));
    // Column 1, row 2: code 32 + 16 * 2 + 1.
    EXPECT_TRUE(Renders([&] { QTest::mouseClick(Dialog->PaintBox1, Qt::LeftButton, {}, QPoint(25, 47)); }));
    EXPECT_EQ(Sym->Symbol, 65);
    EXPECT_EQ(Dialog->SelCol, 1);
    EXPECT_EQ(Dialog->SelRow, 2);
    EXPECT_EQ(Highlight(), QRect(20, 40, 15, 15));
    // The last cell of the grid is the last code of a byte.
    QTest::mouseClick(Dialog->PaintBox1, Qt::LeftButton, {}, QPoint(319, 279));
    EXPECT_EQ(Sym->Symbol, 255);
}

TEST_F(SymbolDialog, OpensOnTheCellOfItsCode)
{
    // (code, row, column); codes below 32 have no cell and leave the first.
    const struct {
        int Code, Row, Col;
    } rows[] = {{128, 6, 0}, {32, 0, 0}, {65, 2, 1}, {255, 13, 15}, {10, 0, 0}};
    for (const auto& row : rows) {
        auto s = std::make_unique<TKVSymbol>();
        s->Symbol = std::uint8_t(row.Code);
        Sym = Add(std::move(s));
        Open();
        EXPECT_EQ(Dialog->SelRow, row.Row) << row.Code;
        EXPECT_EQ(Dialog->SelCol, row.Col) << row.Code;
        EXPECT_EQ(Highlight(), QRect(20 * row.Col, 20 * row.Row, 15, 15)) << row.Code;
        EXPECT_EQ(Sym->Symbol, row.Code) << "opening must not change the code";
    }
}

TEST_F(SymbolDialog, ChangingTheFontRedrawsTheGrid)
{
    Sym = Add<TKVSymbol>();
    Open();
    const QImage before = Grid();
    // Two installed families whose grids differ.
    QString other;
    for (const QString& family : QFontDatabase::families()) {
        Dialog->ComBoxFontName->setCurrentText(family);
        if (Grid() != before) {
            other = family;
            break;
        }
    }
    ASSERT_FALSE(other.isEmpty()) << "no installed font draws the grid differently";
    EXPECT_EQ(Sym->FontName, other);
    EXPECT_EQ(Grid().pixel(319, 279) | 0xFF000000u, qRgb(0xC0, 0xC0, 0xC0)); // silver ground
}

TEST_F(SymbolDialog, GridShowsWhatTheSymbolDraws)
{
    // In a symbol font a code is a byte of the font's own code page; the
    // grid and the element agree on every code, glyph or none ("Dingbats":
    // ornaments at 0x80-0x8D, nothing at 0x8E-0x9F).
    auto s = std::make_unique<TKVSymbol>();
    s->FontName = QStringLiteral("Dingbats");
    s->Symbol = 32;
    Sym = Add(std::move(s));
    Open();
    const QImage grid = Grid();
    for (int code = 0x80; code <= 0x9F; ++code) {
        const QRect cell(20 * ((code - 32) % 16), 20 * ((code - 32) / 16), 20, 20);
        const bool shown = RenderSupport::CountPixels(grid.copy(cell), RenderSupport::IsDark) > 5;
        TKVSymbol e;
        e.FontName = Sym->FontName;
        e.Symbol = std::uint8_t(code);
        e.FontHeight = 10;
        RenderSupport::PrintTarget t(*Lab, 20, 20, 300);
        t.Draw(e);
        const bool drawn = RenderSupport::CountPixels(t.Done(), RenderSupport::IsDark) > 20;
        EXPECT_EQ(shown, drawn) << code;
        EXPECT_EQ(shown, code <= 0x8D) << code;
    }
}

TEST_F(SymbolDialog, EveryControlWritesItsFieldAtOnce)
{
    Sym = Add<TKVSymbol>();
    Open();
    const int last = Dialog->ComBoxFontName->count() - 1;
    const QString family = Dialog->ComBoxFontName->itemText(last);
    const struct {
        const char* What;
        std::function<void()> Act;
        std::function<void()> Check;
    } rows[] = {
        {"SpEdFloatX", [&] { ClickUp(Dialog->SpEdFloatX); }, [&] { EXPECT_FLOAT_EQ(Sym->Point1.X, 0.5f); }},
        {"SpEdFloatY", [&] { ClickUp(Dialog->SpEdFloatY); }, [&] { EXPECT_FLOAT_EQ(Sym->Point1.Y, 0.5f); }},
        {"ShCoFont", [&] { Click(Dialog->ShCoFont); }, [&] { EXPECT_EQ(Sym->Color, ColorAnswer); }},
        {"CbAngle", [&] { Dialog->CbAngle->setCurrentIndex(1); }, [&] { EXPECT_EQ(Sym->Angle, 90); }},
        {"ComBoxFontName", [&] { Dialog->ComBoxFontName->setCurrentIndex(last); }, [&] { EXPECT_EQ(Sym->FontName, family); }},
        {"SpEdFloatAlt", [&] { ClickUp(Dialog->SpEdFloatAlt); }, [&] { EXPECT_FLOAT_EQ(Sym->FontHeight, 5.5f); }},
        {"CkBoxBold", [&] { Click(Dialog->CkBoxBold); }, [&] { EXPECT_TRUE(Sym->Bold); }},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(Renders(row.Act)) << row.What;
        row.Check();
    }
    // A typed number other than a quarter turn is stored; a word is not.
    Retype(Dialog->CbAngle, QStringLiteral("45"));
    EXPECT_EQ(Sym->Angle, 45);
    Retype(Dialog->CbAngle, QStringLiteral("abc"));
    EXPECT_EQ(Sym->Angle, 45);
    EXPECT_TRUE(AngleMarkedInvalid(Dialog->CbAngle));
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
}

TEST_F(SymbolDialog, OnlyBooleanFieldsAreOfferedAndOnlyWithData)
{
    Sym = Add<TKVSymbol>();
    Open(false);
    EXPECT_FALSE(Dialog->CkBoxDatabase->isEnabled());
    EXPECT_EQ(Dialog->CkBoxDatabase->text(), QStringLiteral("Extraer"));

    UseCsvData();
    Open(true);
    EXPECT_TRUE(Dialog->CkBoxDatabase->isEnabled());
    ASSERT_EQ(Dialog->cbFields->count(), 1);
    EXPECT_EQ(Dialog->cbFields->itemText(0), QStringLiteral("vip"));
    EXPECT_FALSE(Dialog->cbFields->isEnabled());
    Click(Dialog->CkBoxDatabase);
    EXPECT_TRUE(Sym->UseDaBa);
    EXPECT_TRUE(Dialog->cbFields->isEnabled());
    // The field the list shows is the one the symbol is bound to.
    EXPECT_EQ(Sym->FieldName, QStringLiteral("vip"));

    // A bound symbol opens on its field.
    Open(true);
    EXPECT_TRUE(Dialog->CkBoxDatabase->isChecked());
    EXPECT_EQ(Dialog->cbFields->currentText(), QStringLiteral("vip"));
}

}
