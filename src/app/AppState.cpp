#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/ResultsCommands.h"
#include "app/TagsInstall.h"
#include "files/DiskWatch.h"
#include "files/FileCommands.h"
#include "files/RecoveryCommands.h"
#include "files/RecoveryKeeper.h"
#include "files/Preview.h"
#include "files/ProjectCommands.h"
#include "lang/LanguageLoader.h"
#include "platform/PreviewSandbox.h"
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
    results.reset();
    tagCommands.reset();
    searchCommands.reset();
    languages.reset();
    preview.reset();
    projects.reset();
    recoveryCommands.reset();
    recovery.reset();
    if (files)
        files->setDiskWatch(nullptr);
    diskWatch.reset();
    files.reset();
    messenger.reset();
    sandbox.reset();
}

void AppState::buildCommandGroups()
{
    messenger = std::make_unique<Messenger>(lang, *dialogs);
    files = std::make_unique<FileCommands>(docs, project, *messenger, settings, workFiles);
    recovery = std::make_unique<RecoveryKeeper>(docs, settings.RecoveryFolder);
    recoveryCommands = std::make_unique<RecoveryCommands>(*files, *recovery, *messenger);
    QObject::connect(recovery.get(), &RecoveryKeeper::cannotKeep, recovery.get(),
                     [this](const QString &folder) { recoveryCommands->tellCannotKeep(folder); }, Qt::QueuedConnection);
    diskWatch = std::make_unique<DiskWatch>(*files);
    files->setDiskWatch(diskWatch.get());
    projects = std::make_unique<ProjectCommands>(*files, project, *messenger, settings, frameCaption);
    preview = std::make_unique<Preview>(*files, workFiles, settings, *shell);
    if (!sandbox)
        sandbox = std::make_unique<PreviewSandbox>();
    languages = std::make_unique<LanguageLoader>(lang, settings, langChanged);
    searchCommands = std::make_unique<SearchCommands>(docs, search, *messenger, settings);
    tagCommands = TagsInstall::make(*this);
    results = std::make_unique<ResultsCommands>();
}

QString AppState::commandCaption(const QString &name) const
{
    return commands ? commands->caption(name) : QString();
}

QWidget *AppState::ownerWindow() const
{
    return commands ? commands->window() : nullptr;
}
