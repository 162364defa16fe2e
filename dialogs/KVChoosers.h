// The windows an element property dialog opens: its own modal run, the
// colour chooser of its swatches and the picture-file chooser. Each is a
// replaceable function, so that tests answer them and a host without a screen
// never waits on a window nobody can see. Assign to the reference to replace
// one; assign an empty function to put the default back.
#pragma once

#include "types/KVtypes.h"

#include <QString>
#include <functional>

class QDialog;
class QWidget;

// Shows Color first; true, with the chosen colour in Color, when the user
// confirms.
using TKVColorChooser = std::function<bool(TColor& Color, QWidget* Parent)>;
// Filter in the "description|patterns|description|patterns" form; shows
// FileName first; true, with the chosen file in FileName, when confirmed.
using TKVPictureChooser = std::function<bool(QString& FileName, const QString& Filter, QWidget* Parent)>;
// Runs a property dialog modally and returns when it is closed.
using TKVDialogRunner = std::function<void(QDialog& Dialog)>;

TKVColorChooser& ColorChooser();
TKVPictureChooser& PictureChooser();
TKVDialogRunner& PropertyDialogRunner();

// Through the current function, or the default when none is installed.
bool ChooseColor(TColor& Color, QWidget* Parent);
bool ChoosePicture(QString& FileName, const QString& Filter, QWidget* Parent);
void RunPropertyDialog(QDialog& Dialog);

// The picture chooser's file types: every picture together, then each type,
// exactly the formats the picture reader of this installation decodes (with
// its plugins), in the "description|patterns" form.
QString PictureFileFilter();

// "All (*.jpg;*.bmp)|*.jpg;*.bmp|..." as a file dialog's name filters:
// "All (*.jpg *.bmp);;...".
QString NameFilters(const QString& Filter);
