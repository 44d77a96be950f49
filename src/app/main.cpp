#include "app/AppState.h"
#include "app/MainFrame.h"
#include "app/StartUp.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kodoplet"));
    QApplication::setQuitOnLastWindowClosed(false);

    QtDialogs dialogs;
    DesktopShell shell;
    AppState &a = app();
    a.dialogs = &dialogs;
    a.shell = &shell;
    std::unique_ptr<frmMain> frame(StartUp::MainM(QCoreApplication::applicationDirPath()));
    const int rc = qapp.exec();
    a.main = nullptr;
    return rc;
}
