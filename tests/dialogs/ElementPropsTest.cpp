// How the designer opens element dialogs: the dialog of each element class,
// the checked class of the selected element, the modal run that always ends
// with the dialog freed, and a new picture that is discarded when no
// picture was chosen.
#include "ElementDialogFixture.h"

#include "barcode/TKVBarCode.h"
#include "dialogs/PrAddTxt.h"
#include "dialogs/PrCoBar.h"
#include "dialogs/PrIma.h"
#include "dialogs/PrPara.h"
#include "dialogs/PrRect.h"
#include "dialogs/PrSym.h"
#include "dialogs/Prline.h"
#include "dialogs/Prtxt.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"
#include "types/EKvError.h"

#include <QFile>
#include <QPointer>

namespace {

class ElementProps : public ElementDialogFixture
{
};

template <class TDialog>
bool IsOpen(QDialog& D, TDialog* Variable)
{
    return dynamic_cast<TDialog*>(&D) && Variable == &D;
}

TEST_F(ElementProps, EachElementOpensItsOwnDialog)
{
    // (element, the dialog its Properties opens, that dialog's unit variable)
    const struct {
        const char* What;
        std::function<std::unique_ptr<TKVElement>()> Make;
        std::function<bool(QDialog&)> Opened;
    } rows[] = {
        {"line", [] { return std::make_unique<TKVLine>(); }, [](QDialog& D) { return IsOpen(D, ProLin); }},
        {"text", [] { return std::make_unique<TKVText>(); }, [](QDialog& D) { return IsOpen(D, PropText); }},
        {"composite text", [] { return std::make_unique<TKVAddText>(); }, [](QDialog& D) { return IsOpen(D, ProAddText); }},
        {"paragraph", [] { return std::make_unique<TKVParagraph>(); }, [](QDialog& D) { return IsOpen(D, PropPara); }},
        {"barcode", [] { return std::make_unique<TKVBarCode>(); }, [](QDialog& D) { return IsOpen(D, PropCoBar); }},
        {"rectangle", [] { return std::make_unique<TKVRect>(); }, [](QDialog& D) { return IsOpen(D, ProRect); }},
        {"symbol", [] { return std::make_unique<TKVSymbol>(); }, [](QDialog& D) { return IsOpen(D, PropSym); }},
        {"picture", [] { return std::make_unique<TKVImage>(); }, [](QDialog& D) { return IsOpen(D, ProIma); }},
    };
    for (const auto& row : rows) {
        TKVElement* e = Add(row.Make());
        bool opened = false;
        QPointer<QDialog> seen;
        OnRun = [&](QDialog& D) {
            opened = row.Opened(D);
            seen = &D;
            D.show(); // a picture of the document must not start with the chooser
        };
        Runs = 0;
        Lab->ShowElementProp();
        EXPECT_EQ(Runs, 1) << row.What;
        EXPECT_TRUE(opened) << row.What;
        EXPECT_TRUE(seen.isNull()) << row.What << ": the dialog outlived its opener";
        EXPECT_EQ(Lab->SelectedElement, e) << row.What;
    }
    EXPECT_EQ(PictureChooserRuns, 0);
    EXPECT_EQ(ProLin, nullptr);
    EXPECT_EQ(ProIma, nullptr);
}

TEST_F(ElementProps, NothingSelectedOpensNothing)
{
    Add<TKVText>();
    Lab->SelectedElement = nullptr;
    Lab->ShowElementProp();
    EXPECT_EQ(Runs, 0);
    EXPECT_THROW(Lab->PropTxt(), EKvError);
    EXPECT_EQ(Runs, 0);
}

TEST_F(ElementProps, OpenerForAnotherClassRaisesAndOpensNothing)
{
    TKVRect* r = Add<TKVRect>();
    try {
        Lab->PropTxt();
        FAIL() << "PropTxt opened a dialog for a rectangle";
    } catch (const EKvError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("PropTxt: el elemento seleccionado es de tipo rectángulo, no texto"));
    }
    EXPECT_EQ(Runs, 0);
    EXPECT_EQ(PropText, nullptr);
    EXPECT_EQ(Lab->Document->Count(), 1);
    EXPECT_EQ(Lab->SelectedElement, r);
    EXPECT_THROW(Lab->PropImage(), EKvError);
    EXPECT_THROW(Lab->PropSymbol(), EKvError);
    // A composite text is a text: the text dialog may edit it.
    Add<TKVAddText>();
    EXPECT_NO_THROW(Lab->PropTxt());
    EXPECT_EQ(Runs, 1);
}

TEST_F(ElementProps, AGivenElementIsEditedAndSelected)
{
    TKVLine* line = Add<TKVLine>();
    TKVText* text = Add<TKVText>();
    Lab->SelectedElement = line;
    OnRun = [&](QDialog& D) {
        auto& d = dynamic_cast<TPropText&>(D);
        EXPECT_EQ(d.Element, text);
        EXPECT_EQ(d.Lab, Lab.get());
    };
    Lab->PropTxt(text);
    EXPECT_EQ(Runs, 1);
    EXPECT_EQ(Lab->SelectedElement, text);
}

TEST_F(ElementProps, ChangesStayHoweverTheDialogCloses)
{
    TKVText* t = Add<TKVText>();
    OnRun = [&](QDialog& D) {
        auto& d = dynamic_cast<TPropText&>(D);
        Retype(d.EdText, QStringLiteral("Guardado"));
        d.reject();
    };
    Lab->ShowElementProp();
    EXPECT_EQ(t->Text, QStringLiteral("Guardado"));
}

TEST_F(ElementProps, DialogIsFreedWhenAnErrorLeavesTheModalRun)
{
    Add<TKVBarCode>();
    QPointer<QDialog> seen;
    OnRun = [&](QDialog& D) {
        seen = &D;
        throw EKvError(QStringLiteral("lost printer"));
    };
    EXPECT_THROW(Lab->PropBar(), EKvError);
    EXPECT_TRUE(seen.isNull());
    EXPECT_EQ(PropCoBar, nullptr);
}

TEST_F(ElementProps, DataSourceThatFailsWhileTheFieldsAreReadOpensNothing)
{
    UseCsvData();
    Add<TKVSymbol>();
    // The table went away after the designer found it valid.
    ASSERT_TRUE(QFile::remove(Lab->Table->DatabaseName + QStringLiteral("/clientes.csv")));
    Lab->Table->Close();
    EXPECT_THROW(Lab->PropSymbol(), EDBError);
    EXPECT_EQ(Runs, 0);
    EXPECT_EQ(PropSym, nullptr);
}

TEST_F(ElementProps, HeadlessHostIsNeverBlocked)
{
    // The default run shows nothing where nobody could answer a window.
    PropertyDialogRunner() = nullptr;
    TKVText* t = Add<TKVText>();
    Lab->PropTxt();
    Lab->ShowElementProp();
    EXPECT_EQ(t->Text, QStringLiteral("text"));
}

TEST_F(ElementProps, NewPictureWithoutAChosenFileIsDiscarded)
{
    auto image = std::make_unique<TKVImage>();
    image->Point2 = {20, 20};
    Lab->SelectedElement = image.get();
    PictureConfirmed = false;
    // The dialog is shown the way a modal run shows it, then closed.
    OnRun = [](QDialog& D) {
        D.show();
        D.close();
    };
    EXPECT_FALSE(Lab->PropImage(image.get(), true));
    EXPECT_EQ(PictureChooserRuns, 1);
    EXPECT_TRUE(image->FileName.isEmpty());
    EXPECT_EQ(Lab->SelectedElement, nullptr);
    EXPECT_EQ(Lab->Document->Count(), 0);
    EXPECT_EQ(TestSupport::TakeMessages(), QStringList{QStringLiteral("No se puede abrir el archivo: ")});
}

TEST_F(ElementProps, NewPictureWithAChosenFileIsLoadedAndKept)
{
    QImage picture(6, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    PictureAnswer = TestSupport::TempDir() + QStringLiteral("/sello.png");
    ASSERT_TRUE(picture.save(PictureAnswer));
    auto image = std::make_unique<TKVImage>();
    OnRun = [](QDialog& D) {
        D.show();
        D.close();
    };
    EXPECT_TRUE(Lab->PropImage(image.get(), true));
    EXPECT_EQ(Lab->SelectedElement, image.get());
    EXPECT_EQ(image->FileName, PictureAnswer);
    EXPECT_EQ(image->Picture.size(), QSize(6, 3));
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
    Lab->SelectedElement = nullptr; // the picture goes with this test
}

}
