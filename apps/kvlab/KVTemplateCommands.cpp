// kvlab templates and kvlab new: the label products of the template
// folders, and a new empty design on one of them.
#include "KVCommands.h"
#include "KVJsonWriter.h"

#include "designer/TKVLab.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "document/TKVTemplates.h"
#include "types/EKvError.h"

#include <QLocale>
#include <QRegularExpression>
#include <cstdio>

namespace {
// Hundredths of a millimetre, as a box of labels gives them.
QString Mm(double V) { return QLocale::c().toString(V, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$"))); }

void Out(const QString& Text)
{
    const QByteArray bytes = Text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}
}

int KVCommands::Templates(const QStringList& Args)
{
    bool json = false;
    QStringList words;
    for (const QString& a : Args) {
        if (a == QLatin1String("--json"))
            json = true;
        else if (a.startsWith(QLatin1String("--"))) {
            Error(Text::tr("templates: argumento inesperado %1").arg(a));
            return Failed;
        } else
            words << a;
    }
    const TKVTemplates& all = TKVTemplates::Installed();
    if (all.Items().empty()) {
        Error(Text::tr("templates: no hay plantillas: instale el paquete glabels-data o copie archivos de plantillas en "
                       "%1")
                  .arg(TKVTemplates::DefaultFolders().value(0)));
        return Failed;
    }
    const auto found = all.Find(words.join(QLatin1Char(' ')));
    if (json) {
        KVJsonWriter w;
        w.BeginObject();
        w.BeginArray(QStringLiteral("Templates"));
        for (const TKVTemplate* t : found) {
            w.BeginObject();
            w.Value(QStringLiteral("Name"), t->Name());
            w.Value(QStringLiteral("Brand"), t->Brand);
            w.Value(QStringLiteral("Part"), t->Part);
            w.Value(QStringLiteral("Description"), t->Description);
            w.Value(QStringLiteral("Paper"), t->Paper);
            w.Value(QStringLiteral("PaperWidth"), float(t->PaperWidth));
            w.Value(QStringLiteral("PaperHeight"), float(t->PaperHeight));
            w.Value(QStringLiteral("Width"), float(t->Width));
            w.Value(QStringLiteral("Height"), float(t->Height));
            w.Value(QStringLiteral("Columns"), std::int64_t(t->Columns));
            w.Value(QStringLiteral("Rows"), std::int64_t(t->Rows));
            w.Value(QStringLiteral("X0"), float(t->X0));
            w.Value(QStringLiteral("Y0"), float(t->Y0));
            w.Value(QStringLiteral("Dx"), float(t->Dx));
            w.Value(QStringLiteral("Dy"), float(t->Dy));
            w.Value(QStringLiteral("OnePerPage"), t->OnePerPage());
            w.Value(QStringLiteral("Note"), t->Note);
            w.EndObject();
        }
        w.EndArray();
        w.EndObject();
        Out(w.Text() + QLatin1Char('\n'));
        return Ok;
    }
    QString text;
    for (const TKVTemplate* t : found) {
        const QString paper = t->Paper == QLatin1String("Other") || t->Paper.isEmpty()
                                  ? Mm(t->PaperWidth) + QLatin1Char('x') + Mm(t->PaperHeight) + QStringLiteral(" mm")
                                  : t->Paper;
        text += QStringLiteral("%1\t%2\t%3\t%4x%5 mm\t%6x%7")
                    .arg(t->Name(), t->Description, paper, Mm(t->Width), Mm(t->Height))
                    .arg(t->Columns)
                    .arg(t->Rows);
        if (!t->Note.isEmpty())
            text += QStringLiteral("\t(") + t->Note + QLatin1Char(')');
        text += QLatin1Char('\n');
    }
    Out(text);
    if (found.empty()) {
        Error(Text::tr("templates: ninguna plantilla coincide con «%1»").arg(words.join(QLatin1Char(' '))));
        return Failed;
    }
    return Ok;
}

int KVCommands::New(const QStringList& Args)
{
    QString file, name;
    bool haveName = false;
    for (int i = 0; i < Args.size(); ++i) {
        const QString& a = Args[i];
        if (a == QLatin1String("--template") && i + 1 < Args.size()) {
            name = Args[++i];
            haveName = true;
        } else if (!a.startsWith(QLatin1String("--")) && file.isEmpty())
            file = a;
        else {
            Error(Text::tr("new: argumento inesperado %1").arg(a));
            return Failed;
        }
    }
    if (file.isEmpty() || !haveName) {
        Error(Text::tr("uso: kvlab new SALIDA.lab --template \"MARCA REFERENCIA\""));
        return Failed;
    }
    QStringList near;
    const TKVTemplate* t = TKVTemplates::Installed().ByName(name, &near);
    if (!t) {
        QString message = Text::tr("new: no hay ninguna plantilla llamada «%1»").arg(name.trimmed());
        if (!near.isEmpty())
            message = Text::tr("new: la plantilla «%1» no es única o no existe; quizá: %2").arg(name.trimmed(), near.join(QStringLiteral(", ")));
        Error(message);
        return Failed;
    }
    TKVLab lab;
    t->ApplyTo(*lab.Measure, *lab.PrintInfo);
    try {
        lab.SaveLab(file);
    } catch (const EKvError&) {
        Error(Text::tr("new: no se puede escribir %1: %2").arg(file, WriteProblem(file)));
        return Failed;
    }
    return Ok;
}
