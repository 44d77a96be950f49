#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "editing/DocWindow.h"
#include "lang/MainFrameCaptions.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>

namespace {
AppState *g_app = nullptr;
}

AppState &app()
{
    if (!g_app)
        resetApp();
    return *g_app;
}

void resetApp()
{
    delete g_app;
    g_app = new AppState;
    g_app->quit = [] { QCoreApplication::exit(0); };
}

QString AppState::message(int entry) const
{
    return lang.text(entry);
}

QString AppState::fileMenuCaption() const
{
    return withoutMnemonics(lang.FileCaption);
}

int AppState::ask(const QString &text, int style) const
{
    if (!dialogs)
        return Dialogs::Cancel;
    return dialogs->messageBox(text, style, lang.AppTitle);
}

void AppState::focusActiveEditor() const
{
    if (DocWindow *d = docs.active())
        d->focusView();
}

QWidget *AppState::ownerWindow() const
{
    return commands ? commands->window() : nullptr;
}
