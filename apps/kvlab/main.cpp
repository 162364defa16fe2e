// kvlab: the label library from the command line: describe, re-save, render
// and print label designs without a screen.
#include "KVCommands.h"
#include "strings/KVLanguage.h"
#include "strings/KVLibrary.h"

#include <QApplication>
#include <QHashFunctions>
#include <QTranslator>
#include <csignal>
#include <cstdio>
#include <map>

namespace {
const char* const Usage = QT_TRANSLATE_NOOP("kvlab",
    "uso: kvlab ORDEN ...\n"
    "  info DISEÑO.lab [--json]      los ajustes y los elementos del diseño\n"
    "  resave ENTRADA.lab SALIDA.lab cargar y volver a guardar\n"
    "  render DISEÑO.lab SALIDA.png|SALIDA.pdf|SALIDA.svg [--dpi N]\n"
    "                                una etiqueta tal como se imprime, sin datos (300 ppp)\n"
    "  render DISEÑO.lab SALIDA.png --record N [--alias NOMBRE=RUTA]...\n"
    "                                una etiqueta con el registro N\n"
    "  print DISEÑO.lab (-o SALIDA.pdf | --printer NOMBRE) [--png-dir CARPETA] [--dpi N]\n"
    "        [--alias NOMBRE=RUTA]... [--labs N] [--first-row F] [--first-col C]\n"
    "        [--from A] [--to B | --all] [--copies-without-data] [--strict] [--quiet] [--jobs N]\n"
    "                                una tirada completa de etiquetas\n"
    "  print DISEÑO.lab (-o SALIDA.pdf | --printer NOMBRE) --outline [--offset X,Y]\n"
    "                                una hoja de prueba con los contornos\n"
    "  check DISEÑO.lab [--alias NOMBRE=RUTA]... [--from A] [--to B | --all]\n"
    "        [--first-row F] [--first-col C] [--printer NOMBRE] [--json]\n"
    "                                comprueba una tirada sin imprimirla\n"
    "  templates [TEXTO] [--json]    las plantillas de productos de etiquetas que coinciden\n"
    "  new SALIDA.lab --template \"MARCA REFERENCIA\"\n"
    "                                un diseño vacío en la hoja de esa plantilla\n"
    "  --version                     la versión de kvlab\n");
}

int main(int argc, char** argv)
{
    // A reproducible run (SOURCE_DATE_EPOCH set) must not depend on the
    // order of Qt's per-process hash seed: the PDF writer names its font
    // subsets in the order of a hash.
    if (qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH"))
        QHashSeed::setDeterministicGlobalSeed();
    KVLibrary::PrepareHeadlessProcess();
    // A file size limit (a full quota) makes writes fail, which every output
    // path reports, instead of killing the process half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvlab"));
    // The tool's texts are in the module the library chose for the user.
    QTranslator language;
    if (KVLanguage::IsLoaded() && language.load(KVLanguage::FileName()))
        QCoreApplication::installTranslator(&language);

    QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        std::fputs(KVCommands::Text::tr(Usage).toLocal8Bit().constData(), args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? KVCommands::Failed : KVCommands::Ok;
    }
    if (args[0] == QLatin1String("--version")) {
        std::fputs("kvlab " KVLAB_VERSION "\n", stdout);
        return KVCommands::Ok;
    }
    const std::map<QString, int (*)(const QStringList&)> commands{
        {QStringLiteral("info"), KVCommands::Info},
        {QStringLiteral("resave"), KVCommands::Resave},
        {QStringLiteral("print"), KVCommands::Print},
        {QStringLiteral("render"), KVCommands::Render},
        {QStringLiteral("check"), KVCommands::Check},
        {QStringLiteral("templates"), KVCommands::Templates},
        {QStringLiteral("new"), KVCommands::New},
    };
    const QString name = args.takeFirst();
    const auto it = commands.find(name);
    if (it == commands.end()) {
        KVCommands::Error(KVCommands::Text::tr("comando desconocido %1").arg(name));
        std::fputs(KVCommands::Text::tr(Usage).toLocal8Bit().constData(), stderr);
        return KVCommands::Failed;
    }
    return it->second(args);
}
