#include "FuzzSupport.h"

#include "FuzzChecks.h"
#include "types/KVMessage.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

void FuzzSupport::Start()
{
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Fixed, so that a crash found on one machine reproduces on another.
        qputenv("LC_ALL", "C.UTF-8");
        static int argc = 1;
        static char name[] = "kvlab-fuzz";
        static char* argv[] = {name, nullptr};
        auto* a = new QApplication(argc, argv);
        // Pictures that cannot be opened are reported by message: millions
        // of inputs would fill the terminal.
        SetMessageFunction([](const QString&) {});
        FuzzChecks::SetFailFunction([](const char* Why, const QByteArray& Detail) {
            std::fprintf(stderr, "kvlab fuzz: %s\n", Why);
            if (!Detail.isEmpty() && Detail.size() <= 4096)
                std::fprintf(stderr, "  %s\n", Detail.toHex(' ').constData());
            std::abort();
        });
        return a;
    }();
    (void)app;
}
