#include "lang/LanguageLoader.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/CommandTable.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "files/Preview.h"
#include "files/ProjectCommands.h"
#include "files/TextFile.h"
#include "lang/LanguageFile.h"
#include "lang/MainFrameCaptions.h"
#include "lang/frmLang.h"
#include "platform/QtTranslations.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QGuiApplication>
#include <QPointer>

namespace LanguageLoader {

namespace {
QPointer<frmLang> g_chooser;
}

QString languageFolder()
{
    const Settings &s = app().settings;
    return s.DataFolder + QStringLiteral("Language") + s.PathSeparator;
}

void LoadJazikM(const QString &fileName)
{
    AppState &a = app();
    const QString path = languageFolder() + fileName;
    LanguageData data;
    // Only a plain file name inside Language/: a name with folder parts
    // ("../../etc/passwd") is refused like a file that is no language file.
    const int error = LanguageFile::isPlainLanguageFileName(fileName) ? LanguageFile::read(path, data)
                                                                      : int(TextFile::OpenFailed);
    if (error != 0) {
        FileCommands::showOpenError(path, error);
        return;
    }
    const QString oldUntitled = a.lang.UntitledName;
    const bool projectHadDefault = a.ProjectName == a.lang.DefaultProjectName;
    const QString oldDefault = a.lang.DefaultProjectName;

    a.lang.apply(data);
    a.settings.LanguageFile = fileName;
    QtTranslations::use(a.lang.Locale);

    if (a.commands) {
        for (const Commands::Command &c : Commands::commandTable()) {
            const CaptionBinding &b = c.text;
            QAction *act = a.commands->action(c.name);
            if (!act || b.entry == CaptionBinding::NoEntry)
                continue;
            const QString text = captionText(b, data, a.lang);
            if (b.target == CaptionBinding::ToolTip)
                act->setToolTip(text);
            else
                act->setText(text);
        }
    }
    if (projectHadDefault)
        a.ProjectName = LanguageTexts::renamedProject(a.ProjectName, oldDefault, a.lang.DefaultProjectName);
    ProjectCommands::updateCaption();

    if (a.docs.OpenDocCount > 0) {
        for (DocWindow *d : a.docs.open()) {
            const QString renamed = LanguageTexts::renamedUntitled(d->txtCaption, d->Tag(), !d->NameFile.isEmpty(),
                                                                   oldUntitled, a.lang.UntitledName);
            if (renamed != d->txtCaption) {
                a.project.rename(d->txtCaption, renamed);   // the entry keeps its place
                d->txtCaption = renamed;
                if (d->editorVisible())
                    d->setWindowTitle(renamed);
            }
        }
    }
}

void mnuOptionsLang_Click()
{
    AppState &a = app();
    if (!g_chooser) {
        g_chooser = new frmLang(a.ownerWindow());
        g_chooser->setAttribute(Qt::WA_DeleteOnClose);
    }
    g_chooser->show();
    g_chooser->raise();
    g_chooser->activateWindow();
}

void HelpCallHelp()
{
    AppState &a = app();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    Preview::OpURL(a.settings.DataFolder + a.lang.HelpFile);
    QGuiApplication::restoreOverrideCursor();
}

void applyAtStartUp()
{
    AppState &a = app();
    // A remembered name that is no plain file name is as good as none.
    if (!LanguageFile::isPlainLanguageFileName(a.settings.LanguageFile))
        a.settings.LanguageFile.clear();
    if (a.settings.LanguageFile.isEmpty()) {
        frmLang chooser(a.ownerWindow());
        chooser.exec();
    } else {
        LoadJazikM(a.settings.LanguageFile);
    }
}

void install(CommandRegistry &f)
{
    f.onCommand(QStringLiteral("mnuOptionsLang"), [] { mnuOptionsLang_Click(); });
    f.onCommand(QStringLiteral("HelpCallHelp"), [] { HelpCallHelp(); });
}

} // namespace LanguageLoader
