#include "app/AppState.h"
#include "app/MainFrame.h"
#include "editing/DocWindow.h"
#include "lang/MainFrameCaptions.h"
#include "platform/Dialogs.h"

#include <QAction>
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
    const int i = entry - 90;
    if (i < 0 || i >= int(std::size(lang.Messages)))
        return {};
    return lang.Messages[i];
}

QString AppState::fileMenuCaption() const
{
    return withoutMnemonics(main ? main->menuCaption(QStringLiteral("mnuFile")) : QStringLiteral("File"));
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

DocWindow *DocTable::slot(int i) const
{
    return i >= 0 && i < int(DocWindows.size()) ? DocWindows[i] : nullptr;
}

DocWindow *DocTable::active() const
{
    DocWindow *d = slot(ActiveDoc);
    return d && !d->UnloadDoc ? d : nullptr;
}

std::vector<DocWindow *> DocTable::open() const
{
    std::vector<DocWindow *> r;
    for (int i = 0; i <= LastDocSlot && i < int(DocWindows.size()); ++i)
        if (DocWindows[i] && !DocWindows[i]->UnloadDoc)
            r.push_back(DocWindows[i]);
    return r;
}
