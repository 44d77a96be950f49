#include "app/AppState.h"
#include "app/MainFrame.h"
#include "app/StartUp.h"
#include "platform/Dialogs.h"
#include "platform/KeyboardLayouts.h"
#include "platform/Shell.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[])
{
    StartUp::prepareProcess();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kodoplet"));
    QApplication::setQuitOnLastWindowClosed(false);

    QtDialogs dialogs;
    DesktopShell shell;
    XkbKeyboardLayouts layouts;
    AppState &a = app();
    a.dialogs = &dialogs;
    a.shell = &shell;
    a.layouts = &layouts;
    std::unique_ptr<frmMain> frame(StartUp::MainM(QCoreApplication::applicationDirPath()));
    const int rc = qapp.exec();
    return rc;
}
