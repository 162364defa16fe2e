// kvlab: the label library from the command line: describe, re-save, render
// and print label designs without a screen.
#include "KVCommands.h"
#include "strings/KVLibrary.h"

#include <QApplication>
#include <csignal>
#include <cstdio>
#include <map>

namespace {
const char* const Usage =
    "usage: kvlab COMMAND ...\n"
    "  info DESIGN.lab [--json]      the design's settings and elements\n"
    "  resave IN.lab OUT.lab         load and save again\n"
    "  render DESIGN.lab OUT.png|OUT.pdf|OUT.svg [--dpi N]\n"
    "                                one label as it prints, without data (300 dpi)\n"
    "  print DESIGN.lab (-o OUT.pdf | --printer NAME) [--png-dir DIR] [--dpi N]\n"
    "        [--alias NAME=PATH]... [--labs N] [--first-row R] [--first-col C] [--from A] [--to B]\n"
    "        [--quiet]\n"
    "                                a whole run of labels\n";
}

int main(int argc, char** argv)
{
    KVLibrary::PrepareHeadlessProcess();
    // A file size limit (a full quota) makes writes fail, which every output
    // path reports, instead of killing the process half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvlab"));

    QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        std::fputs(Usage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? KVCommands::Failed : KVCommands::Ok;
    }
    const std::map<QString, int (*)(const QStringList&)> commands{
        {QStringLiteral("info"), KVCommands::Info},
        {QStringLiteral("resave"), KVCommands::Resave},
        {QStringLiteral("print"), KVCommands::Print},
        {QStringLiteral("render"), KVCommands::Render},
    };
    const QString name = args.takeFirst();
    const auto it = commands.find(name);
    if (it == commands.end()) {
        KVCommands::Error(QStringLiteral("unknown command %1").arg(name));
        std::fputs(Usage, stderr);
        return KVCommands::Failed;
    }
    return it->second(args);
}
