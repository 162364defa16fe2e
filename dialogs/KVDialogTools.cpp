#include "dialogs/KVDialogTools.h"

#include "controls/SpinEditFloat.h"
#include "dialogs/KVChoosers.h"
#include "dialogs/TKVShape.h"
#include "document/TKVTable.h"
#include "strings/KVLanguage.h"
#include "types/EKvError.h"
#include "types/KVLimits.h"
#include "types/KVMessage.h"

#include <QScopeGuard>
#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QAbstractButton>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <algorithm>
#include <cmath>

namespace {
const char* const InvalidProperty = "invalid";
// What a float edit showed last (ShowValue): its text, the stored value
// that text stands for, and the decimals of the form.
const char* const ShownTextProperty = "shownText";
const char* const ShownValueProperty = "shownValue";
const char* const FormDigitsProperty = "formDigits";
constexpr int MostDigits = 9;

// Whether the edit's text of Value with Digits decimals reads back as Value
// (the rounding of TSpinEditFloat::FormatValue).
bool ReadsBack(float Value, int Precision, int Digits)
{
    const double rounded = QString::number(double(Value), 'e', std::clamp(Precision, 1, 17) - 1).toDouble();
    return float(QString::number(rounded, 'f', Digits).toDouble()) == Value;
}

bool Same(float A, float B) { return A == B || (std::isnan(A) && std::isnan(B)); }

void MarkInvalid(QComboBox* Box, bool Invalid)
{
    if (Box->property(InvalidProperty).toBool() == Invalid)
        return;
    Box->setProperty(InvalidProperty, Invalid);
    if (QLineEdit* edit = Box->lineEdit())
        edit->setStyleSheet(Invalid ? QStringLiteral("QLineEdit { color: #c00000; background: #ffe0e0; }") : QString());
}
}

void SetupPropertyForm(QDialog* Form)
{
    Form->setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Form->setModal(true);
}

namespace {
const char* const AutoNameProperty = "kvlabAutoName";

QString Plain(QString Text)
{
    Text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    Text = Text.trimmed();
    while (Text.endsWith(QLatin1Char(':')))
        Text.chop(1);
    return Text.trimmed();
}

// The label beside W in its parent's layout: the form layout's label, or
// the label to its left (or above it) in a grid or a row.
QString LabelBeside(QWidget* W)
{
    QWidget* parent = W->parentWidget();
    QLayout* layout = parent ? parent->layout() : nullptr;
    if (!layout)
        return {};
    QList<QLayout*> layouts{layout};
    for (int k = 0; k < layouts.size(); ++k) {
        QLayout* l = layouts[k];
        if (auto* form = qobject_cast<QFormLayout*>(l))
            if (auto* label = qobject_cast<QLabel*>(form->labelForField(W)))
                return label->text();
        const int i = l->indexOf(W);
        if (i >= 0) {
            if (auto* grid = qobject_cast<QGridLayout*>(l)) {
                int row = 0, column = 0, rows = 0, columns = 0;
                grid->getItemPosition(i, &row, &column, &rows, &columns);
                // The nearest label to its left, else the one above it.
                for (int c = column - 1; c >= 0; --c)
                    if (QLayoutItem* item = grid->itemAtPosition(row, c))
                        if (auto* label = qobject_cast<QLabel*>(item->widget()))
                            return label->text();
                if (QLayoutItem* item = row > 0 ? grid->itemAtPosition(row - 1, column) : nullptr)
                    if (auto* label = qobject_cast<QLabel*>(item->widget()))
                        return label->text();
            } else {
                for (int j = i - 1; j >= 0; --j)
                    if (auto* label = qobject_cast<QLabel*>(l->itemAt(j)->widget()))
                        return label->text();
            }
            return {};
        }
        for (int j = 0; j < l->count(); ++j)
            if (QLayout* inner = l->itemAt(j)->layout())
                layouts << inner;
    }
    return {};
}
}

void NameControls(QWidget* Form)
{
    QHash<QWidget*, QString> buddies;
    for (QLabel* label : Form->findChildren<QLabel*>())
        if (label->buddy())
            buddies.insert(label->buddy(), label->text());
    for (QWidget* w : Form->findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || qobject_cast<QLabel*>(w))
            continue;
        if (!w->accessibleName().isEmpty() && !w->property(AutoNameProperty).toBool())
            continue;
        // A button or a box with a text of its own is named by it.
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !Plain(b->text()).isEmpty())
            continue;
        QString name = Plain(buddies.value(w));
        if (name.isEmpty())
            name = Plain(LabelBeside(w));
        if (name.isEmpty())
            name = Plain(w->toolTip());
        // The group it is in, else the page of the tab it is on.
        for (QWidget* p = w->parentWidget(); name.isEmpty() && p && p != Form; p = p->parentWidget()) {
            if (auto* group = qobject_cast<QGroupBox*>(p))
                name = Plain(group->title());
            QWidget* stack = p->parentWidget();
            if (auto* tabs = qobject_cast<QTabWidget*>(stack ? stack->parentWidget() : nullptr);
                name.isEmpty() && tabs && tabs->indexOf(p) >= 0)
                name = Plain(tabs->tabText(tabs->indexOf(p)));
        }
        // A control inside another one (a spin box's edit, a combo box's
        // list) takes the outer control's name.
        if (name.isEmpty() && w->parentWidget() && w->parentWidget() != Form)
            name = w->parentWidget()->accessibleName();
        if (name.isEmpty())
            continue;
        w->setAccessibleName(name);
        w->setProperty(AutoNameProperty, true);
    }
}

void CenterOnScreen(QWidget* Form)
{
    const QScreen* screen = Form->screen() ? Form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = Form->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    Form->move(frame.topLeft());
}

void AcceptFileLimits(QWidget* Form)
{
    for (TSpinEditFloat* edit : Form->findChildren<TSpinEditFloat*>()) {
        // Equal limits are no limits: such an edit starts from 0.
        if (edit->GetMinValue() == edit->GetMaxValue())
            edit->SetMinValue(0);
        edit->SetMaxValue(KVLimits::MaxLength);
    }
    for (QLineEdit* edit : Form->findChildren<QLineEdit*>())
        edit->setMaxLength(KVLimits::MaxStringBytes);
}

void ShowValue(TSpinEditFloat* Edit, float Value)
{
    QVariant form = Edit->property(FormDigitsProperty);
    if (!form.isValid()) {
        form = Edit->GetDigits();
        Edit->setProperty(FormDigitsProperty, form);
    }
    int digits = form.toInt();
    while (digits < MostDigits && !ReadsBack(Value, Edit->GetPrecision(), digits))
        ++digits;
    // A value the edit cannot show as it is (NaN, or finer than its
    // decimals) is shown rounded, and the exact value is its tool tip.
    const bool exact = ReadsBack(Value, Edit->GetPrecision(), digits);
    if (!exact)
        digits = form.toInt();
    Edit->setToolTip(exact ? QString() : QString::number(double(Value), 'g', 9));
    // Equal limits are no limits; NaN is no place in a range.
    if (std::isfinite(Value) && Edit->GetMinValue() != Edit->GetMaxValue()) {
        Edit->SetMinValue(std::min(Edit->GetMinValue(), double(Value)));
        Edit->SetMaxValue(std::max(Edit->GetMaxValue(), double(Value)));
    }
    if (digits != Edit->GetDigits()) {
        const QSignalBlocker blocker(Edit);
        Edit->SetDigits(digits);
    }
    Edit->setProperty(ShownTextProperty, TSpinEditFloat::FormatValue(Value, Edit->GetPrecision(), digits, Edit->locale()));
    Edit->setProperty(ShownValueProperty, Value);
    Edit->SetValue(Value);
}

float EditValue(const TSpinEditFloat* Edit)
{
    const QVariant shown = Edit->property(ShownTextProperty);
    if (shown.isValid() && Edit->text() == shown.toString())
        return Edit->property(ShownValueProperty).toFloat();
    return float(Edit->GetValue());
}

void ShowValue(QSpinBox* Box, std::int32_t Value)
{
    Box->setRange(std::min(Box->minimum(), Value), std::max(Box->maximum(), Value));
    Box->setValue(Value);
}

void ShowTakenValue(TSpinEditFloat* Edit, std::function<float()> Stored)
{
    const auto show = [Edit, Stored] {
        const float stored = Stored();
        if (!Same(stored, EditValue(Edit)))
            ShowValue(Edit, stored);
    };
    QObject::connect(Edit, &TSpinEditFloat::exited, Edit, show);
    QObject::connect(Edit, &TSpinEditFloat::changed, Edit, [Edit, show] {
        if (!Edit->hasFocus())
            show();
    });
}

void MarkRefused(QWidget* Control, bool Refused)
{
    if (MarkedRefused(Control) == Refused)
        return;
    Control->setProperty(InvalidProperty, Refused);
    Control->setStyleSheet(Refused ? QStringLiteral("%1 { color: #c00000; background: #ffe0e0; }")
                                         .arg(QLatin1String(Control->metaObject()->className()))
                                   : QString());
}

bool MarkedRefused(const QWidget* Control) { return Control->property(InvalidProperty).toBool(); }

QString ChosenField(const QString& Entry, const QString& Current)
{
    return Entry.compare(Current, Qt::CaseInsensitive) == 0 ? Current : Entry;
}

void FillFontNames(QComboBox* Box, const QString& FontName)
{
    const QSignalBlocker blocker(Box);
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    families.removeDuplicates();
    Box->clear();
    Box->addItems(families);
    SelectEntry(Box, FontName);
    if (Box->currentIndex() >= 0 || FontName.isEmpty())
        return;
    // Fontconfig draws a missing face with another one; the box says which.
    const QString substitute = QFontInfo(QFont(FontName)).family();
    Box->insertItem(0, KVLanguage::Text("KVForms", "%1 (en lugar de %2)").arg(substitute, FontName), FontName);
    QFont marked = Box->font();
    marked.setItalic(true);
    Box->setItemData(0, marked, Qt::FontRole);
    Box->setItemData(0, KVLanguage::Text("KVForms", "%1 no está instalada: se dibuja con %2").arg(FontName, substitute),
                     Qt::ToolTipRole);
    Box->setCurrentIndex(0);
}

QString ChosenFontName(const QComboBox* Box)
{
    const int index = Box->currentIndex();
    if (index >= 0 && Box->currentText() == Box->itemText(index))
        if (const QVariant own = Box->itemData(index); own.isValid())
            return own.toString();
    return Box->currentText();
}

void FillFieldNames(QComboBox* Box, TKVTable& Table, bool BooleanOnly)
{
    const QSignalBlocker blocker(Box);
    Box->clear();
    if (Box->isEditable())
        Box->clearEditText();
    const bool wasOpen = Table.Active();
    if (!wasOpen)
        Table.Open();
    // Reading the field list leaves the table as it found it: a designer
    // whose table was open keeps its cursor.
    const auto guard = qScopeGuard([&Table, wasOpen] {
        if (!wasOpen)
            Table.Close();
    });
    for (int i = 0; i < Table.FieldCount(); ++i) {
        const TKVField* field = Table.Fields(i);
        if (!BooleanOnly || field->DataType == TKVFieldType::ftBoolean)
            Box->addItem(field->DisplayLabel);
    }
    if (Box->count() > 0)
        Box->setCurrentIndex(0);
}

void SelectEntry(QComboBox* Box, const QString& Text)
{
    const QSignalBlocker blocker(Box);
    Box->setCurrentIndex(Box->findText(Text, Qt::MatchFixedString));
}

void SelectAngle(QComboBox* Box, std::int32_t Angle)
{
    const QSignalBlocker blocker(Box);
    int index = -1;
    switch (Angle) {
    case 0: index = 0; break;
    case 90: index = 1; break;
    case 180: index = 2; break;
    case 270: index = 3; break;
    default: break;
    }
    Box->setCurrentIndex(index);
    if (index < 0 && Box->isEditable())
        Box->clearEditText();
    MarkInvalid(Box, false);
}

bool ReadAngle(QComboBox* Box, std::int32_t& Angle)
{
    bool ok = false;
    const int value = Box->currentText().trimmed().toInt(&ok);
    MarkInvalid(Box, !ok);
    if (ok)
        Angle = value;
    return ok;
}

bool AngleMarkedInvalid(const QComboBox* Box) { return Box->property(InvalidProperty).toBool(); }

bool PickSwatchColor(TKVShape* Swatch, TColor& Field, QWidget* Parent)
{
    TColor color = Swatch->GetBrushColor();
    if (!ChooseColor(color, Parent))
        return false;
    Swatch->SetBrushColor(color);
    Field = Swatch->GetBrushColor();
    return true;
}

void RunHandler(const std::function<void()>& Handler)
{
    try {
        Handler();
    } catch (const EKvError& e) {
        ShowMessage(e.Message());
    } catch (const std::exception& e) {
        ShowMessage(QString::fromLocal8Bit(e.what()));
    }
}
