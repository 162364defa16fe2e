#include "dialogs/KVDialogTools.h"

#include "dialogs/KVChoosers.h"
#include "dialogs/TKVShape.h"
#include "document/TKVTable.h"
#include "types/EKvError.h"
#include "types/KVMessage.h"

#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>

namespace {
const char* const InvalidProperty = "invalid";

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

void CenterOnScreen(QWidget* Form)
{
    const QScreen* screen = Form->screen() ? Form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = Form->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    Form->move(frame.topLeft());
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
    struct CloseGuard {
        TKVTable& T;
        bool Close;
        ~CloseGuard()
        {
            if (Close)
                T.Close();
        }
    } guard{Table, !wasOpen};
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
