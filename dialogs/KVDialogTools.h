// What the element property dialogs have in common: the tool-window form,
// the font and field lists, the quarter-turn angle box, the colour swatches,
// and the default handling of an error raised by a change handler.
#pragma once

#include "types/KVtypes.h"

#include <QObject>
#include <QString>
#include <functional>

class QComboBox;
class QDialog;
class QWidget;
class TKVShape;
class TKVTable;

// Tool-window border, no OK or Cancel: the form is closed from its title bar
// (or its own close button).
void SetupPropertyForm(QDialog* Form);
// Puts the form in the middle of the screen it is on.
void CenterOnScreen(QWidget* Form);

// The installed font families, sorted, with FontName selected; no selection
// when that font is not installed. Raises no change signal.
void FillFontNames(QComboBox* Box, const QString& FontName);

// The display labels of the table's fields in field order (only the Boolean
// ones with BooleanOnly), the first one selected. The table is opened for
// this and closed again unless it was open before; an EDBError of the open
// propagates. Raises no change signal.
void FillFieldNames(QComboBox* Box, TKVTable& Table, bool BooleanOnly);
// Selects the entry equal to Text, none when there is none. No change signal.
void SelectEntry(QComboBox* Box, const QString& Text);

// The angle box's items are "0", "90", "180" and "270". SelectAngle selects
// the item of Angle, none (an empty box) for any other angle, and clears
// the invalid mark. No change signal.
void SelectAngle(QComboBox* Box, std::int32_t Angle);
// Reads the box's text as a whole number of degrees. Text that is not one
// leaves Angle as it was, marks the box invalid and returns false; a number
// clears the mark.
bool ReadAngle(QComboBox* Box, std::int32_t& Angle);
bool AngleMarkedInvalid(const QComboBox* Box);

// The colour chooser preset to the swatch's colour; on confirmation the
// swatch and Field take the chosen colour and the result is true.
bool PickSwatchColor(TKVShape* Swatch, TColor& Field, QWidget* Parent);

// Runs a change handler. An error it raises is shown as a message and goes
// no further: an exception must never unwind through the event loop.
void RunHandler(const std::function<void()>& Handler);

// Connects Signal of Sender to a handler of the form (its own or one it
// inherits), through RunHandler.
template <class TSender, class TSignal, class TForm, class TOwner>
void ConnectHandler(TSender* Sender, TSignal Signal, TForm* Form, void (TOwner::*Handler)())
{
    QObject::connect(Sender, Signal, Form, [Form, Handler] { RunHandler([Form, Handler] { (Form->*Handler)(); }); });
}
