#include "dialogs/KVChoosers.h"

#include "dialogs/KVDialogTools.h"

#include "strings/KVStrings.h"
#include "types/KVMessage.h"
#include "types/TKVCanvas.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QStringList>

namespace {
bool DefaultColorChooser(TColor& Color, QWidget* Parent)
{
    if (!CanShowDialogs())
        return false; // nobody could answer it
    const QColor chosen = QColorDialog::getColor(ToQColor(Color), Parent);
    if (!chosen.isValid())
        return false;
    Color = FromQColor(chosen);
    return true;
}

bool DefaultPictureChooser(QString& FileName, const QString& Filter, QWidget* Parent)
{
    if (!CanShowDialogs())
        return false;
    const QString start = FileName.isEmpty() ? QString() : QFileInfo(FileName).absolutePath();
    const QString chosen = QFileDialog::getOpenFileName(Parent, QString(), start, NameFilters(Filter));
    if (chosen.isEmpty())
        return false;
    FileName = chosen;
    return true;
}

void DefaultDialogRunner(QDialog& Dialog)
{
    if (CanShowDialogs())
        Dialog.exec();
}
}

TKVColorChooser& ColorChooser()
{
    static TKVColorChooser chooser = DefaultColorChooser;
    return chooser;
}

TKVPictureChooser& PictureChooser()
{
    static TKVPictureChooser chooser = DefaultPictureChooser;
    return chooser;
}

TKVDialogRunner& PropertyDialogRunner()
{
    static TKVDialogRunner runner = DefaultDialogRunner;
    return runner;
}

bool ChooseColor(TColor& Color, QWidget* Parent)
{
    const TKVColorChooser& f = ColorChooser();
    return f ? f(Color, Parent) : DefaultColorChooser(Color, Parent);
}

bool ChoosePicture(QString& FileName, const QString& Filter, QWidget* Parent)
{
    const TKVPictureChooser& f = PictureChooser();
    return f ? f(FileName, Filter, Parent) : DefaultPictureChooser(FileName, Filter, Parent);
}

void RunPropertyDialog(QDialog& Dialog)
{
    // Named now: the form's texts are in place and in today's language.
    NameControls(&Dialog);
    const TKVDialogRunner& f = PropertyDialogRunner();
    if (f)
        f(Dialog);
    else
        DefaultDialogRunner(Dialog);
}

QString PictureFileFilter()
{
    // Offering a type the reader cannot decode would only end in "cannot
    // open"; hiding one it can would hide the user's files.
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format).toLower();
    patterns.removeDuplicates();
    QStringList parts{LoadResString(&KvPictures) + QStringLiteral(" (") + patterns.join(QLatin1Char(';')) +
                          QLatin1Char(')'),
                      patterns.join(QLatin1Char(';'))};
    for (const QString& pattern : std::as_const(patterns))
        parts << pattern.mid(2).toUpper() + QStringLiteral(" (") + pattern + QLatin1Char(')') << pattern;
    return parts.join(QLatin1Char('|'));
}

QString NameFilters(const QString& Filter)
{
    const QStringList parts = Filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // The description repeats its patterns in brackets; the file dialog
        // reads them from there, separated by spaces.
        QString name = parts[i];
        const qsizetype bracket = name.indexOf(QLatin1Char('('));
        if (bracket >= 0)
            name.truncate(bracket);
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << name.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}
