// What the element property dialogs have in common: the tool-window form,
// the font and field lists, the quarter-turn angle box, the colour swatches,
// and the default handling of an error raised by a change handler.
#pragma once

#include "types/KVtypes.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QComboBox;
class QDialog;
class QSpinBox;
class QWidget;
class TKVShape;
class TKVTable;
class TSpinEditFloat;

// Tool-window border, no OK or Cancel: the form is closed from its title bar
// (or its own close button).
void SetupPropertyForm(QDialog* Form);
// Gives every control of Form that a person can reach with the keyboard an
// accessible name in the form's current language: the text of the label
// that names it (its buddy, or the label beside it in the layout), else its
// tool tip, else the title of the group it is in. Names a form set itself
// stay. Called again after a change of language, it names them anew.
void NameControls(QWidget* Form);
// Puts the form in the middle of the screen it is on.
void CenterOnScreen(QWidget* Form);

// The form's edits take what a label file holds (KVLimits): every float edit
// a length up to KVLimits::MaxLength, from the form's minimum (0 where the
// form sets no limits), every text edit KVLimits::MaxStringBytes characters.
void AcceptFileLimits(QWidget* Form);

// A dialog shows each stored value as it is and writes back only what the
// user changed. ShowValue widens the edit's range to hold Value and gives it
// as many decimals as Value needs to read back as itself (up to 9; a value
// that needs more is shown with the form's decimals and its tool tip gives
// it exactly); the edit remembers what it showed, and while its text stays
// so, EditValue is Value itself, not the text read back.
void ShowValue(TSpinEditFloat* Edit, float Value);
float EditValue(const TSpinEditFloat* Edit);
// Widens the spin box's range to hold Value, then shows it.
void ShowValue(QSpinBox* Box, std::int32_t Value);
// After a change the edit shows the value that took effect, Stored(), where
// a setter stored something else than the edit shows (a floor, a clamp, a
// rounding): at once when the edit does not have the focus (its arrows, the
// program), otherwise when the user leaves it, so that typing is never
// interrupted. Connect it after the edit's change handler.
void ShowTakenValue(TSpinEditFloat* Edit, std::function<float()> Stored);

// Marks a control whose content is refused (red), or clears the mark.
void MarkRefused(QWidget* Control, bool Refused);
bool MarkedRefused(const QWidget* Control);

// The field a bound element is to name for the list entry Entry: a field it
// already names (the lists match names ignoring case) keeps its spelling.
QString ChosenField(const QString& Entry, const QString& Current);

// The installed font families, sorted, with FontName selected. A FontName
// that is not installed is shown as the family it will be drawn with, marked
// as standing in for it, at the top of the list. Raises no change signal.
void FillFontNames(QComboBox* Box, const QString& FontName);
// The font the user chose in a box filled by FillFontNames: the design's own
// name while its stand-in is shown, so looking changes nothing.
QString ChosenFontName(const QComboBox* Box);

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
