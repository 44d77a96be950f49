#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/StartUp.h"
#include "platform/BigPages.h"
#include "platform/Dialogs.h"
#include "platform/ExitSignals.h"
#include "platform/KeyboardLayouts.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    // --help and --version answer without a display.
    {
        QStringList raw;
        for (int i = 1; i < argc; ++i)
            raw << QString::fromLocal8Bit(argv[i]);
        const CommandLine early = CommandLine::parse(raw, QString());
        if (early.help || early.version) {
            if (early.help)
                std::fputs(CommandLine::usage().toLocal8Bit().constData(), stdout);
            else
                std::printf("Kodoplet %s\n", KODOPLET_VERSION);
            return 0;
        }
    }

    BigPages::useForThisProcess(argv);
    StartUp::prepareProcess();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kodoplet"));
    QApplication::setApplicationVersion(QStringLiteral(KODOPLET_VERSION));
    // Ties the windows to kodoplet.desktop (its icon and name in the task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("kodoplet"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kodoplet"), QIcon(QStringLiteral(":/app/kodoplet.svg"))));
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt has taken its own options out of the arguments by now.
    const CommandLine line = CommandLine::parse(QCoreApplication::arguments().mid(1), QDir::currentPath());
    for (const QString &option : line.ignored)
        std::fprintf(stderr, "kodoplet: unknown option %s ignored\n", qPrintable(option));

    // A copy already running on this display takes the files and comes to the front.
    SingleInstance single(SingleInstance::defaultName());
    if (!line.newWindow) {
        if (single.sendToRunning(QStringList{line.project} + line.documents))
            return 0;
        single.listen();
    }

    // From here on a SIGTERM, SIGINT or SIGHUP ends the program as File > Exit does.
    ExitSignals exitSignals;
    QObject::connect(&exitSignals, &ExitSignals::exitRequested, &qapp, [] { StartUp::requestExit(); });

    QtDialogs dialogs;
    DesktopShell shell;
    XkbKeyboardLayouts layouts;
    AppState &a = app();
    a.dialogs = &dialogs;
    a.shell = &shell;
    a.layouts = &layouts;
    // Connected before start-up: what comes while it runs waits for the frame.
    QObject::connect(&single, &SingleInstance::received, &qapp,
                     [](const QStringList &message) { StartUp::openHandedOver(message); }, Qt::QueuedConnection);
    std::unique_ptr<frmMain> frame(StartUp::MainM(QCoreApplication::applicationDirPath(), line));
    const int rc = qapp.exec();
    return rc;
}
