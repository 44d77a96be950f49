// The document table through the program: slots, untitled names, the active
// document and the commands that need one.
#include "editing/GuiSupport.h"

#include "app/AppState.h"
#include "app/DocActivation.h"
#include "files/FileCommands.h"
#include "files/ProjectCommands.h"

#include <QApplication>
#include <QMdiArea>
#include <QtTest>

using namespace gui;

class TestDocTable : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> t;
    frmMain *f = nullptr;

    DocWindow *slot(int i) const { return app().docs.slot(i); }
    DocWindow *newPage()
    {
        if (!t->frame->trigger(QStringLiteral("mnuFileNew")))
            return nullptr;
        return t->active();
    }
    static const QStringList &scope19() {
        static const QStringList n = {"mnuFileProsmotr", "mnuFileSaveFile", "mnuFileSaveFileAs", "mnuWindow", "mnuEdit", "Code"};
        return n;
    }

private slots:
    void init()
    {
        t = std::make_unique<TestApp>();
        f = startProgram(*t);
        QVERIFY(f);
    }
    void cleanup() { t.reset(); }

    void newDocumentsTakeTheLowestFreeSlot()
    {
        QCOMPARE(app().docs.OpenDocCount, 1);
        QCOMPARE(slot(0)->txtCaption, QStringLiteral("1"));
        QCOMPARE(newPage()->Tag(), 1);
        QCOMPARE(newPage()->Tag(), 2);
        QCOMPARE(slot(2)->windowTitle(), QStringLiteral("3"));

        // Close document 1 of 3: the next new one reuses its slot and its number.
        slot(0)->close();
        QVERIFY(slot(0)->UnloadDoc);
        QCOMPARE(app().docs.OpenDocCount, 2);
        QVERIFY(!app().project.LstFileName.contains(QStringLiteral("1")));
        DocWindow *d = newPage();
        QCOMPARE(d->Tag(), 0);
        QCOMPARE(d->txtCaption, QStringLiteral("1"));
        QCOMPARE(d->windowTitle(), QStringLiteral("1"));
        QCOMPARE(d->IzmT, 0);
        QCOMPARE(app().docs.LastDocSlot, 2);
        QCOMPARE(app().project.LstFileName, QStringList({"2", "3", "1"}));

        // A script takes a free slot the same way.
        slot(1)->close();
        QVERIFY(t->frame->trigger(QStringLiteral("mnuFileScriptNew")));
        QCOMPARE(t->active()->Tag(), 1);
        QCOMPARE(t->active()->txtCaption, QStringLiteral("2"));
        QCOMPARE(t->active()->AppPathBak, t->folder + QStringLiteral("1.js"));
    }

    void lastCloseDisablesTheDocumentCommands()
    {
        for (const QString &n : scope19())
            QVERIFY2(f->action(n)->isEnabled(), qPrintable(n));
        newPage();
        QCOMPARE(app().docs.ActiveDoc, 1);
        slot(0)->close();
        QCOMPARE(app().docs.ActiveDoc, 1);
        slot(1)->close();
        QCOMPARE(app().docs.OpenDocCount, 0);
        QCOMPARE(app().docs.ActiveDoc, 0);
        QVERIFY(!app().docs.active());
        for (const QString &n : scope19())
            QVERIFY2(!f->action(n)->isEnabled(), qPrintable(n));
        // The items of a disabled menu do not run through their shortcuts either.
        for (const char *n : {"mnuEditUndo", "mnuEditPaste", "mnuEditSelectAll", "CodeFrm1", "CodeColor",
                              "mnuWindowCascade", "mnuWindowArrangeIcons"})
            QVERIFY2(!f->trigger(QString::fromLatin1(n)), n);
        QVERIFY(f->action(QStringLiteral("mnuFileNew"))->isEnabled());
        QVERIFY(f->action(QStringLiteral("mnuFileOpen"))->isEnabled());
        DocActivation::MiniWindowsM();  // nothing to minimise

        // The table starts afresh with the next document.
        DocWindow *d = newPage();
        QVERIFY(d);
        QCOMPARE(d->Tag(), 0);
        QCOMPARE(d->txtCaption, QStringLiteral("1"));
        QCOMPARE(app().docs.LastDocSlot, 0);
        for (const QString &n : scope19())
            QVERIFY2(f->action(n)->isEnabled(), qPrintable(n));
    }

    void activationFollowsTheChosenWindow()
    {
        DocWindow *a = slot(0);
        DocWindow *b = newPage();
        DocWindow *c = newPage();
        QCOMPARE(app().docs.ActiveDoc, 2);
        type(c->Rich(), QStringLiteral("x"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(c->Rich()));
        f->activateDoc(a);
        QCOMPARE(app().docs.ActiveDoc, 0);
        QCOMPARE(f->mdiArea()->activeSubWindow(), a);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(a->Rich()));
        // Undo follows the document that is active.
        openEditMenu(f);
        QVERIFY(!enabled(f, "mnuEditUndo"));

        // The Window menu lists the open documents and activates the one chosen.
        QMenu *w = f->menu(QStringLiteral("mnuWindow"));
        emit w->aboutToShow();
        QAction *entry = nullptr;
        for (QAction *act : w->actions())
            if (act->text().endsWith(QStringLiteral(" 3")))
                entry = act;
        QVERIFY(entry);
        entry->trigger();
        QCOMPARE(app().docs.ActiveDoc, 2);
        openEditMenu(f);
        QVERIFY(enabled(f, "mnuEditUndo"));

        b->close();
        emit w->aboutToShow();
        int listed = 0;
        for (QAction *act : w->actions())
            listed += act->isCheckable();
        QCOMPARE(listed, 2);
    }

    void previewDisablesEditingForItsDocumentOnly()
    {
        DocWindow *a = slot(0);
        DocWindow *b = newPage();
        f->activateDoc(a);
        QVERIFY(t->frame->trigger(QStringLiteral("mnuFileProsmotr")));
        QVERIFY(!a->editorVisible());
        QVERIFY(!f->action(QStringLiteral("mnuEdit"))->isEnabled());
        QVERIFY(!f->action(QStringLiteral("Code"))->isEnabled());
        QVERIFY(f->action(QStringLiteral("mnuFileProsmotr"))->isEnabled());
        QVERIFY(f->action(QStringLiteral("mnuFileSaveFile"))->isEnabled());
        QVERIFY(!f->trigger(QStringLiteral("mnuEditPaste")));

        f->activateDoc(b);
        QVERIFY(f->action(QStringLiteral("mnuEdit"))->isEnabled());
        QVERIFY(f->action(QStringLiteral("Code"))->isEnabled());
        f->activateDoc(a);
        QVERIFY(!f->action(QStringLiteral("mnuEdit"))->isEnabled());
        QVERIFY(t->frame->trigger(QStringLiteral("mnuFileProsmotr")));
        QVERIFY(a->editorVisible());
        QVERIFY(f->action(QStringLiteral("mnuEdit"))->isEnabled());
        QVERIFY(f->action(QStringLiteral("Code"))->isEnabled());
    }

    void frameCaptionSurvivesMaximisedDocuments()
    {
        QVERIFY(slot(0)->isMaximized());
        app().ProjectName = QStringLiteral("Site");
        ProjectCommands::updateCaption();
        QVERIFY(f->windowTitle().startsWith(QStringLiteral(" - Site")));
        DocWindow *b = newPage();
        QVERIFY(b->isMaximized());
        b->close();
        slot(0)->close();
        QCOMPARE(app().docs.OpenDocCount, 0);
        QCOMPARE(f->windowTitle(), QStringLiteral(" - Site"));
        newPage();
        app().ProjectName = QStringLiteral("Other");
        ProjectCommands::updateCaption();
        slot(0)->close();
        QCOMPARE(f->windowTitle(), QStringLiteral(" - Other"));
    }

    void arrangeIconsMinimisesEveryDocument()
    {
        newPage();
        newPage();
        slot(1)->close();
        QVERIFY(t->frame->trigger(QStringLiteral("mnuWindowArrangeIcons")));
        QVERIFY(slot(0)->isMinimized());
        QVERIFY(slot(2)->isMinimized());
        QVERIFY(!slot(1)->isVisible());
        QCOMPARE(app().docs.OpenDocCount, 2);
    }

    void tilingFillsTheArea()
    {
        newPage();
        newPage();
        QMdiArea *area = f->mdiArea();
        const QSize view = area->viewport()->size();
        QVERIFY(t->frame->trigger(QStringLiteral("mnuWindowTileHorizontal")));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(slot(i)->width(), view.width());
            QCOMPARE(slot(i)->height(), view.height() / 3);
        }
        QVERIFY(t->frame->trigger(QStringLiteral("mnuWindowTileVertical")));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(slot(i)->height(), view.height());
            QCOMPARE(slot(i)->width(), view.width() / 3);
        }
        QVERIFY(t->frame->trigger(QStringLiteral("mnuWindowCascade")));
        QVERIFY(slot(0)->pos() != slot(2)->pos());
    }

    void newProjectStartsOverWithOnePage()
    {
        DocWindow *b = newPage();
        type(b->Rich(), QStringLiteral("x"));
        t->writeFile(QStringLiteral("p.htm"), "<p>\r\n");
        FileCommands::OpenFileDoc(t->folder + QStringLiteral("p.htm"), 0);
        QCOMPARE(app().project.count(), 2);   // opened without the Open command: not listed

        // Cancel keeps every document and the project.
        t->dialogs.messageAnswers.enqueue(Dialogs::Cancel);
        QVERIFY(t->frame->trigger(QStringLiteral("ProektNew")));
        QCOMPARE(app().docs.OpenDocCount, 2);
        QVERIFY(!b->UnloadDoc);
        QCOMPARE(app().project.count(), 1);

        t->dialogs.messageAnswers.enqueue(Dialogs::No);
        QVERIFY(t->frame->trigger(QStringLiteral("ProektNew")));
        QCOMPARE(app().docs.OpenDocCount, 1);
        QCOMPARE(t->active()->Tag(), 0);
        QCOMPARE(t->active()->txtCaption, QStringLiteral("1"));
        QCOMPARE(t->active()->IzmT, 0);
        QCOMPARE(app().project.LstFileName, QStringList{QStringLiteral("1")});
        QCOMPARE(app().settings.ProjectPath, QString());

        // Close all files leaves the frame without documents.
        QVERIFY(t->frame->trigger(QStringLiteral("ProektCloseAllFile")));
        QCOMPARE(app().docs.OpenDocCount, 0);
        QVERIFY(!f->action(QStringLiteral("mnuEdit"))->isEnabled());
        QCOMPARE(app().project.count(), 0);
    }

    void exitAsksAboutChangedDocumentsAndMayBeCancelled()
    {
        DocWindow *b = newPage();
        type(b->Rich(), QStringLiteral("x"));
        t->dialogs.messageAnswers.enqueue(Dialogs::Cancel);
        QVERIFY(t->frame->trigger(QStringLiteral("mnuFileExit")));
        QCOMPARE(t->quitCount, 0);
        QVERIFY(!QFile::exists(t->folder + QStringLiteral("kodoplet.ini")));
        // The unchanged page before it was closed already; the changed one stays.
        QCOMPARE(app().docs.OpenDocCount, 1);
        QVERIFY(!b->UnloadDoc);
        QCOMPARE(t->active(), b);

        t->dialogs.messageAnswers.enqueue(Dialogs::No);
        QVERIFY(t->frame->trigger(QStringLiteral("mnuFileExit")));
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 2);
        QCOMPARE(t->dialogs.last(QStringLiteral("message")).text, QStringLiteral("\r\n2"));
        QCOMPARE(t->quitCount, 1);
        QCOMPARE(app().docs.OpenDocCount, 0);
        QVERIFY(QFile::exists(t->folder + QStringLiteral("kodoplet.ini")));
    }
};

QTEST_MAIN(TestDocTable)
#include "test_doctable.moc"
