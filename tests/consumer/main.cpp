// A program that uses an installed KVLab as any host would: it opens a design
// in a TKVLab and prints the run to a PDF file.
// Usage: kvlab-consumer DESIGN.lab OUT.pdf [ALIAS=DATABASE]
#include <kvlab/designer/TKVLab.h>
#include <kvlab/document/TKVSession.h>
#include <kvlab/types/TKVPrinter.h>
#include <kvlab/types/EKvError.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3 || args.size() > 4) {
        std::fputs("usage: kvlab-consumer DESIGN.lab OUT.pdf [ALIAS=DATABASE]\n", stderr);
        return 1;
    }
    if (args.size() == 4)
        TKVSession::AddAlias(args[3].section(QLatin1Char('='), 0, 0), args[3].section(QLatin1Char('='), 1));
    try {
        TKVLab lab;
        lab.LoadLab(args[1]);
        if (const QString problem = lab.RunProblem(); !problem.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(problem));
            return 1;
        }
        TKVPrinter::SelectPdf(args[2]);
        lab.Print();
        std::printf("%d page(s), %d label(s)\n", lab.LastRun.Pages, lab.LastRun.Labels);
        return lab.LastRun.Labels > 0 ? 0 : 1;
    } catch (const EKvError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
