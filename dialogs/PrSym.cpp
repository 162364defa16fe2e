#include "dialogs/PrSym.h"

#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "dialogs/KVDialogTools.h"
#include "dialogs/TKVShape.h"
#include "document/TKVSymbol.h"
#include "document/TKVTable.h"
#include "types/TKVCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

TPropSym* PropSym = nullptr;

namespace {
constexpr int CellSize = 20;
constexpr int Columns = 16;
constexpr int Rows = 14;
constexpr int FirstCode = 32; // the grid leaves out the control characters
}

TPropSym::TPropSym(QWidget* Parent) : QDialog(Parent)
{
    setupUi(this);
    SetupPropertyForm(this);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

    PaintBox1->installEventFilter(this);
    AcceptFileLimits(this);

    ConnectHandler(SpEdFloatX, &TSpinEditFloat::changed, this, &TPropSym::SpEdFloatXChange);
    ConnectHandler(SpEdFloatY, &TSpinEditFloat::changed, this, &TPropSym::SpEdFloatYChange);
    ConnectHandler(ShCoFont, &TKVShape::mouseDown, this, &TPropSym::ShCoFontMouseDown);
    ConnectHandler(CbAngle, &QComboBox::currentTextChanged, this, &TPropSym::CbAngleChange);
    ConnectHandler(ComBoxFontName, &QComboBox::currentTextChanged, this, &TPropSym::ComBoxFontNameChange);
    ConnectHandler(SpEdFloatAlt, &TSpinEditFloat::changed, this, &TPropSym::SpEdFloatAltChange);
    ConnectHandler(CkBoxBold, &QCheckBox::toggled, this, &TPropSym::CkBoxBoldClick);
    ConnectHandler(CkBoxDatabase, &QCheckBox::toggled, this, &TPropSym::CkBoxDatabaseClick);
    ConnectHandler(cbFields, &QComboBox::currentTextChanged, this, &TPropSym::cbFieldsChange);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

TPropSym::~TPropSym() { FormDestroy(); }

void TPropSym::FormCreate() { Bitmap = QImage(PaintBox1->size(), QImage::Format_RGB32); }

void TPropSym::FormDestroy() { Bitmap = QImage(); }

void TPropSym::showEvent(QShowEvent* Event)
{
    CenterOnScreen(this);
    QDialog::showEvent(Event);
}

bool TPropSym::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == PaintBox1) {
        if (Event->type() == QEvent::Paint) {
            RunHandler([this] { PaintBox1Paint(); });
            return true;
        }
        if (Event->type() == QEvent::MouseButtonPress) {
            const QPoint p = static_cast<QMouseEvent*>(Event)->position().toPoint();
            RunHandler([this, p] { PaintBox1MouseDown(p.x(), p.y()); });
            return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TPropSym::Ini(bool Data)
{
    FillFontNames(ComBoxFontName, Element->FontName);
    // Loading a control runs its change handler, which writes the value
    // back and re-renders the label.
    ShCoFont->SetBrushColor(Element->Color);
    ShowValue(SpEdFloatAlt, Element->FontHeight);
    ShowValue(SpEdFloatX, Element->Point1.X);
    ShowValue(SpEdFloatY, Element->Point1.Y);
    CkBoxBold->setChecked(Element->Bold);
    CkBoxDatabase->setChecked(Element->UseDaBa);
    cbFields->setEnabled(Element->UseDaBa);
    if (Data) {
        FillFields();
        if (Element->UseDaBa)
            SelectEntry(cbFields, Element->FieldName);
        CkBoxDatabase->setEnabled(true);
    }
    SelectAngle(CbAngle, Element->Angle);
    if (Element->Symbol >= FirstCode) {
        SelRow = (Element->Symbol - FirstCode) / Columns;
        SelCol = (Element->Symbol - FirstCode) % Columns;
    }
    PaintBox1->update();
}

void TPropSym::FillFields()
{
    // A bound symbol prints on the records whose field is true: only yes/no
    // fields make sense.
    FillFieldNames(cbFields, *Lab->Table, true);
}

void TPropSym::SpEdFloatXChange()
{
    Element->Point1.X = EditValue(SpEdFloatX);
    Lab->AdjustHandle();
}

void TPropSym::SpEdFloatYChange()
{
    Element->Point1.Y = EditValue(SpEdFloatY);
    Lab->AdjustHandle();
}

void TPropSym::ShCoFontMouseDown()
{
    if (PickSwatchColor(ShCoFont, Element->Color, this))
        Lab->AdjustHandle();
}

void TPropSym::CbAngleChange()
{
    if (ReadAngle(CbAngle, Element->Angle))
        Lab->AdjustHandle();
}

void TPropSym::ComBoxFontNameChange()
{
    Element->FontName = ChosenFontName(ComBoxFontName);
    PaintBox1->update();
    Lab->AdjustHandle();
}

void TPropSym::SpEdFloatAltChange()
{
    Element->FontHeight = EditValue(SpEdFloatAlt);
    Lab->AdjustHandle();
}

void TPropSym::CkBoxBoldClick()
{
    Element->Bold = CkBoxBold->isChecked();
    Lab->AdjustHandle();
}

// Binding and the field do not change what the designer shows: a bound
// symbol is drawn there whatever its field holds.
void TPropSym::CkBoxDatabaseClick()
{
    Element->UseDaBa = CkBoxDatabase->isChecked();
    cbFields->setEnabled(Element->UseDaBa);
    // The field the list shows is the one the symbol is bound to.
    if (cbFields->isEnabled())
        cbFieldsChange();
}

void TPropSym::cbFieldsChange()
{
    if (!cbFields->currentText().isEmpty())
        Element->FieldName = ChosenField(cbFields->currentText(), Element->FieldName);
}

void TPropSym::PaintBox1Paint()
{
    if (Bitmap.isNull())
        return;
    {
        TKVCanvas c(&Bitmap);
        c.SetPixelMapping();
        c.Brush = {clSilver, TBrushStyle::bsSolid};
        c.FillRect({0, 0, Bitmap.width(), Bitmap.height()});
        c.Font = TKVFont{};
        c.Font.Name = Element ? Element->FontName : c.Font.Name;
        c.Font.Color = clBlack;
        c.Font.Height = 14; // pixels: the canvas maps one unit to one pixel
        c.Brush.Color = clRed;
        const int x = CellSize * SelCol, y = CellSize * SelRow;
        c.FillRect({x, y, x + 15, y + 15});
        c.Brush.Style = TBrushStyle::bsClear;
        c.TextAlign = TA_LEFT | TA_TOP;
        for (int r = 0; r < Rows; ++r)
            for (int col = 0; col < Columns; ++col) {
                // The same character the symbol prints for that code.
                const auto code = std::uint8_t(FirstCode + Columns * r + col);
                c.TextOut(CellSize * col, CellSize * r, TKVSymbol::CodeText(c, code));
            }
    }
    if (PaintBox1->testAttribute(Qt::WA_WState_InPaintEvent)) {
        QPainter p(PaintBox1);
        p.drawImage(0, 0, Bitmap);
    }
}

void TPropSym::PaintBox1MouseDown(int X, int Y)
{
    SelCol = std::clamp(X / CellSize, 0, Columns - 1);
    SelRow = std::clamp(Y / CellSize, 0, Rows - 1);
    Element->Symbol = std::uint8_t(FirstCode + Columns * SelRow + SelCol);
    PaintBox1->update();
    Lab->AdjustHandle();
}
