// kvlab-designer: the desktop label designer. Opens the design given on the
// command line, if any.
//
//   kvlab-designer [DESIGN.lab] [--zoom PERCENT] [--record N] [--check] [--screenshot OUT.png]
//
// --record shows record N of the design's table; --check opens the check of
// the run at once.
// --screenshot shows the window with the design, saves a picture of it and
// quits: the README's pictures are made this way.
#include "KVHostLanguage.h"
#include "TKVHostData.h"
#include "TKVDesignerLab.h"
#include "TKVDesignerWindow.h"
#include "types/EKvError.h"
#include "types/KVMessage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <cstdio>

namespace {
// An error that escapes a handler becomes a message instead of ending the
// program: exceptions must not unwind through the event loop.
class TKVDesignerApp : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject* Receiver, QEvent* Event) override
    {
        try {
            return QApplication::notify(Receiver, Event);
        } catch (const EKvError& e) {
            ShowMessage(e.Message());
        } catch (const std::exception& e) {
            ShowMessage(QString::fromLocal8Bit(e.what()));
        }
        return false;
    }
};
}

int main(int argc, char** argv)
{
    TKVDesignerApp app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("KVLab"));
    QApplication::setApplicationName(QStringLiteral("kvlab-designer"));
    QApplication::setApplicationDisplayName(QStringLiteral("KVLab Designer"));
    QApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("design"), QStringLiteral("a label design (.lab) to open"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("save a picture of the window to FILE and quit"),
                                        QStringLiteral("FILE"));
    parser.addOption(screenshot);
    const QCommandLineOption zoom(QStringLiteral("zoom"), QStringLiteral("show the label at PERCENT (50 to 200)"),
                                  QStringLiteral("PERCENT"));
    parser.addOption(zoom);
    const QCommandLineOption record(QStringLiteral("record"), QStringLiteral("show record N of the design's table"),
                                    QStringLiteral("N"));
    parser.addOption(record);
    const QCommandLineOption check(QStringLiteral("check"), QStringLiteral("check the design's run at once"));
    parser.addOption(check);
    parser.process(app);

    // The language chosen in the Language menu wins over the locale's.
    const QString language = QSettings().value(QStringLiteral("language")).toString();
    if (language.isEmpty() || !KVHostLanguage::Choose(language))
        KVHostLanguage::FollowLibrary();
    TKVHostData::RegisterAll();

    TKVDesignerWindow window;
    window.show();
    int status = 0;
    if (!parser.positionalArguments().isEmpty() && !window.LoadDesign(parser.positionalArguments().first()))
        status = 2;
    if (parser.isSet(zoom)) {
        // 50, 75 ... 200 percent are the zoom steps zm50 ... zm200.
        const int percent = parser.value(zoom).toInt();
        if (percent < 50 || percent > 200 || percent % 25 != 0) {
            std::fprintf(stderr, "kvlab-designer: --zoom takes 50, 75, 100, 125, 150, 175 or 200\n");
            return 1;
        }
        window.Lab->SetZoom(TKVZoom(percent / 25 - 2));
        window.SyncWithLab();
    }

    if (parser.isSet(record))
        window.ShowRecord(parser.value(record).toInt());

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        // The first paints have happened once the event loop has run a while.
        QTimer::singleShot(1500, &window, [&] {
            // A dialog open over the window is in the picture too.
            QWidget* dialog = QApplication::activeModalWidget();
            const QPixmap picture = dialog ? window.screen()->grabWindow(0, window.frameGeometry().x(),
                                                                        window.frameGeometry().y(),
                                                                        window.frameGeometry().width(),
                                                                        window.frameGeometry().height())
                                           : window.grab();
            if (dialog)
                dialog->close();
            if (!picture.save(file)) {
                std::fprintf(stderr, "kvlab-designer: cannot write %s\n", qPrintable(file));
                status = 1;
            }
            window.close();
        });
        if (parser.isSet(check))
            QTimer::singleShot(500, &window, [&] { window.CheckDesign(); });
        app.exec();
        return status;
    }
    if (parser.isSet(check))
        QTimer::singleShot(0, &window, [&] { window.CheckDesign(); });
    return app.exec();
}
