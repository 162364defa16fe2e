#include "KVCommands.h"

#include "designer/TKVLab.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "printing/TKVRunCheck.h"
#include "types/EKvError.h"
#include "types/TKVPrinter.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <optional>

namespace {
const char* const CheckUsage = QT_TRANSLATE_NOOP("kvlab",
    "uso: kvlab check DISEÑO.lab [--alias NOMBRE=RUTA]... [--from A] [--to B | --all]\n"
    "                [--first-row F] [--first-col C] [--printer NOMBRE] [--json]");

struct CheckOptions {
    QString Design, Printer;
    QList<std::pair<QString, QString>> Aliases;
    std::optional<int> FirstRow, FirstCol, From, To;
    bool All = false;
    bool Json = false;
};

QString Parse(const QStringList& Args, CheckOptions& O)
{
    for (int i = 0; i < Args.size(); ++i) {
        const QString& a = Args[i];
        auto number = [&](std::optional<int>& Out) {
            bool ok = false;
            const int n = i + 1 < Args.size() ? Args[++i].toInt(&ok) : 0;
            if (ok && n >= 1)
                Out = n;
            return ok && n >= 1;
        };
        bool ok = true;
        if (a == QLatin1String("--from"))
            ok = number(O.From);
        else if (a == QLatin1String("--to"))
            ok = number(O.To);
        else if (a == QLatin1String("--first-row"))
            ok = number(O.FirstRow);
        else if (a == QLatin1String("--first-col"))
            ok = number(O.FirstCol);
        else if (a == QLatin1String("--alias")) {
            const QString alias = i + 1 < Args.size() ? Args[++i] : QString();
            const qsizetype eq = alias.indexOf(QLatin1Char('='));
            ok = eq > 0 && eq < alias.size() - 1;
            if (ok)
                O.Aliases.append({alias.left(eq), alias.mid(eq + 1)});
        } else if (a == QLatin1String("--printer")) {
            ok = i + 1 < Args.size() && !Args[i + 1].isEmpty();
            if (ok)
                O.Printer = Args[++i];
        } else if (a == QLatin1String("--all"))
            O.All = true;
        else if (a == QLatin1String("--json"))
            O.Json = true;
        else if (!a.startsWith(QLatin1Char('-')) && O.Design.isEmpty())
            O.Design = a;
        else
            return KVCommands::Text::tr("check: argumento inesperado %1").arg(a);
        if (!ok)
            return KVCommands::Text::tr("check: %1 necesita un valor válido").arg(a);
    }
    if (O.Design.isEmpty())
        return KVCommands::Text::tr(CheckUsage);
    if (O.All && O.To)
        return KVCommands::Text::tr("check: --all llega hasta el último registro; no va con --to");
    if (O.From && O.To && *O.From > *O.To)
        return KVCommands::Text::tr("check: --from %1 es posterior a --to %2").arg(*O.From).arg(*O.To);
    return {};
}

void Put(const QString& Line) { std::printf("%s\n", Line.toLocal8Bit().constData()); }
}

int KVCommands::Check(const QStringList& Args)
{
    CheckOptions o;
    if (const QString error = Parse(Args, o); !error.isEmpty()) {
        Error(error);
        return Failed;
    }
    for (const auto& [name, location] : o.Aliases)
        AddAlias(name, location);
    TKVLab lab;
    if (!LoadDesign(lab, o.Design))
        return Unreadable;
    TKVPrintInfo& info = *lab.PrintInfo;
    if (o.FirstRow && *o.FirstRow > lab.Measure->NuHor) {
        Error(Text::tr("check: --first-row admite de 1 a %1").arg(std::max(lab.Measure->NuHor, 1)));
        return Failed;
    }
    if (o.FirstCol && *o.FirstCol > lab.Measure->NuVer) {
        Error(Text::tr("check: --first-col admite de 1 a %1").arg(std::max(lab.Measure->NuVer, 1)));
        return Failed;
    }
    if ((o.From || o.To || o.All) && !lab.DaBa) {
        Error(Text::tr("check: --from, --to y --all eligen registros, y este diseño imprime copias"));
        return Failed;
    }
    // The same run print would make of the same options.
    ApplyRunOptions(info, o.FirstRow, o.FirstCol, o.From, o.To, o.All);
    if (const QString problem = lab.RunProblem(); !problem.isEmpty()) {
        Error(QStringLiteral("check: ") + problem);
        return DataFailed;
    }
    // Labels fall off the page of the printer the run goes to: a PDF, as
    // print -o writes it, unless a printer is named. Nothing is written.
    if (!o.Printer.isEmpty()) {
        if (!TKVPrinter::SelectPrinter(o.Printer)) {
            Error(Text::tr("check: no hay ninguna impresora llamada %1").arg(o.Printer));
            return Failed;
        }
    } else {
        TKVPrinter::SelectPdf(QDir::temp().filePath(QStringLiteral("kvlab-check.pdf")));
    }
    TKVRunCheck check(lab);
    try {
        check.Run();
    } catch (const EKvError& e) {
        Error(QStringLiteral("check: ") + e.Message());
        return DataFailed;
    }
    if (o.Json) {
        QJsonArray problems;
        for (const TKVRunProblem& p : check.Problems) {
            QJsonObject item;
            item.insert(QStringLiteral("record"), p.Record > 0 ? QJsonValue(p.Record) : QJsonValue(QJsonValue::Null));
            item.insert(QStringLiteral("element"), p.Element >= 0 ? QJsonValue(p.Element) : QJsonValue(QJsonValue::Null));
            item.insert(QStringLiteral("field"), p.Field.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(p.Field));
            item.insert(QStringLiteral("kind"), QString::fromLatin1(TKVRunProblem::KindName(p.Kind)));
            item.insert(QStringLiteral("detail"), p.Detail);
            item.insert(QStringLiteral("mm"), p.Mm >= 0 ? QJsonValue(p.Mm) : QJsonValue(QJsonValue::Null));
            problems.append(item);
        }
        QJsonObject report;
        report.insert(QStringLiteral("design"), o.Design);
        report.insert(QStringLiteral("records"), lab.LastRun.FromData ? lab.LastRun.Labels : 0);
        report.insert(QStringLiteral("labels"), lab.LastRun.Labels);
        report.insert(QStringLiteral("problems"), problems);
        std::fputs(QJsonDocument(report).toJson(QJsonDocument::Indented).constData(), stdout);
    } else {
        for (const TKVRunProblem& p : check.Problems)
            Put(check.Describe(p));
        Put(check.Summary());
    }
    return check.Problems.empty() ? Ok : ProblemsFound;
}
