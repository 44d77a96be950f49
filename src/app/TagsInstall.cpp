#include "app/TagsInstall.h"
#include "common/CommandNames.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "files/FileCommands.h"
#include "editing/DocWindow.h"
#include "tags/TagCommands.h"
#include "tags/TagMatch.h"

#include <QWidget> // CommandRegistry::window()

namespace TagsInstall {

std::unique_ptr<TagCommands> make(AppState &a)
{
    const auto caption = [](const QString &command) { return app().commandCaption(command); };
    // The tag dialogs' file boxes start where File > Open last was, and move it.
    const auto openFile = [](const QList<FileFilter> &filter) {
        return app().files->apiOpenSaveM(false, QString(), filter);
    };
    return std::make_unique<TagCommands>(a.docs, a.catalogue, *a.messenger, a.layouts, a.listTags, caption,
                                         openFile);
}

void install(CommandRegistry &f, TagCommands &tags)
{
    TagCommands *t = &tags;
    for (int i = 0; i <= 3; ++i)
        f.onCommand(QStringLiteral("CodeFrm%1").arg(i), [t, i] { t->CodeFrm_Click(i); });
    f.onCommand(QString(Cmd::CodeAhref), [t] { t->CodeAhref_Click(); });
    for (int i = 0; i <= 2; ++i)
        f.onCommand(QStringLiteral("CodeMediaHTML%1").arg(i), [t, i] { t->CodeMediaHTML_Click(i); });
    for (int i = 0; i <= 1; ++i)
        f.onCommand(QStringLiteral("CodeFormsHTML%1").arg(i), [t, i] { t->CodeFormsHTML_Click(i); });
    f.onCommand(QString(Cmd::CodeColor), [t] { t->CodeColor_Click(); });
    f.onCommand(QString(Cmd::CodeFoundTags), [t] { t->FoundCloseTagM(); });
    f.onCommand(QString(Cmd::CodeTextTags), [t] { t->CodeTextTags_Click(); });
    f.onCommand(QString(Cmd::CodeFormsSelect), [t] { t->CodeFormsSelect_Click(); });
    f.onCommand(QString(Cmd::mnuEditNewRasklad), [t] { t->NewRaskladM(); });
    // Matching tags in the active editor.
    DocTable *docs = &t->docs();
    const auto onEditor = [docs](bool (*run)(DocWindow *)) {
        return [docs, run] {
            DocWindow *d = docs->active();
            if (d && d->editorVisible())
                run(d);
        };
    };
    f.onCommand(QString(Cmd::CodeMatchTag), onEditor(&TagMatch::jumpToPartner));
    f.onCommand(QString(Cmd::CodeSelectElement), onEditor(&TagMatch::selectElement));
    // Toolbar buttons B, I, U and the three alignments.
    for (int i = 0; i <= 5; ++i)
        f.onCommand(QStringLiteral("PicKnopki%1").arg(11 + i), [t, i] { t->insertToolbarTags(i); });
}

} // namespace TagsInstall
