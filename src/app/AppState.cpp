#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/TagsInstall.h"
#include "files/DiskWatch.h"
#include "files/FileCommands.h"
#include "files/Preview.h"
#include "files/ProjectCommands.h"
#include "lang/LanguageLoader.h"
#include "platform/Shell.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QWidget>

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

AppState::AppState() = default;

AppState::~AppState()
{
    // The groups refer to the members above: they go first, newest first.
    tagCommands.reset();
    searchCommands.reset();
    languages.reset();
    preview.reset();
    projects.reset();
    if (files)
        files->setDiskWatch(nullptr);
    diskWatch.reset();
    files.reset();
    messenger.reset();
}

void AppState::buildCommandGroups()
{
    messenger = std::make_unique<Messenger>(lang, *dialogs);
    files = std::make_unique<FileCommands>(docs, project, *messenger, settings, workFiles);
    diskWatch = std::make_unique<DiskWatch>(*files);
    files->setDiskWatch(diskWatch.get());
    projects = std::make_unique<ProjectCommands>(*files, project, *messenger, settings, frameCaption);
    preview = std::make_unique<Preview>(*files, workFiles, settings, *shell);
    languages = std::make_unique<LanguageLoader>(lang, settings, langChanged);
    searchCommands = std::make_unique<SearchCommands>(docs, search, *messenger, settings);
    tagCommands = TagsInstall::make(*this);
}

QString AppState::commandCaption(const QString &name) const
{
    return commands ? commands->caption(name) : QString();
}

QWidget *AppState::ownerWindow() const
{
    return commands ? commands->window() : nullptr;
}
