// The document table through the program: slots, untitled names, the active
// document and the commands that need one.
#include "common/GuiFixture.h"

#include <QtTest>

using namespace gui;

class TestDocTable : public QObject, GuiFixture {
    Q_OBJECT

    DocWindow *slot(int i) const { return app().docs.slot(i); }
    DocWindow *newPage() { return f->trigger(QStringLiteral("mnuFileNew")) ? t->active() : nullptr; }
    // The commands that need a document, and whether they are enabled.
    void checkScope(bool on)
    {
        // (the toolbar buttons are in test_toolbar_gui)
        for (const char *n : {"mnuFileProsmotr", "mnuFileSaveFile", "mnuFileSaveFileAs", "mnuWindow", "mnuEdit", "Code"})
            QVERIFY2(f->action(QString::fromLatin1(n))->isEnabled() == on, n);
    }

private slots:
    void init()
    {
        startApp();
        QVERIFY(f);
    }
    void cleanup() { stopApp(); }

    void newDocumentsTakeTheLowestFreeSlot()
    {
        QCOMPARE(slot(0)->document()->txtCaption(), QStringLiteral("[2]1"));
        QCOMPARE(newPage()->Tag(), 1);
        QCOMPARE(newPage()->Tag(), 2);
        QCOMPARE(slot(2)->shownTitle(), QStringLiteral("[2]3"));
        // Close document 1 of 3: the next new one reuses its slot and its number.
        slot(0)->close();
        QCOMPARE(app().docs.OpenDocCount, 2);
        DocWindow *d = newPage();
        QCOMPARE(d->Tag(), 0);
        QCOMPARE(d->shownTitle(), QStringLiteral("[2]1"));
        QCOMPARE(app().project.LstFileName(), QStringList({"[2]2", "[2]3", "[2]1"}));
        // A script takes a free slot the same way.
        slot(1)->close();
        t->command(QStringLiteral("mnuFileScriptNew"));
        QCOMPARE(t->active()->Tag(), 1);
        QCOMPARE(t->active()->document()->txtCaption(), QStringLiteral("[2]2"));
        QCOMPARE(t->active()->document()->AppPathBak(), app().workFiles.privateFolder() + QStringLiteral("1.js"));
    }

    void lastCloseDisablesTheDocumentCommands()
    {
        checkScope(true);
        newPage();
        slot(0)->close();
        QCOMPARE(app().docs.ActiveDoc, 1);
        slot(1)->close();
        QCOMPARE(app().docs.ActiveDoc, 0);
        QVERIFY(!app().docs.active());
        checkScope(false);
        // The items of a disabled menu do not run through their shortcuts either.
        for (const char *n : {"mnuEditUndo", "mnuEditPaste", "CodeFrm1", "mnuWindowCascade"})
            QVERIFY2(!f->trigger(QString::fromLatin1(n)), n);
        QVERIFY(f->action(QStringLiteral("mnuFileNew"))->isEnabled());
        // The table starts afresh with the next document.
        DocWindow *d = newPage();
        QCOMPARE(d->Tag(), 0);
        QCOMPARE(app().docs.LastDocSlot, 0);
        checkScope(true);
    }

    void previewDisablesEditingForItsDocumentOnly()
    {
        DocWindow *a = slot(0);
        DocWindow *b = newPage();
        f->activateDoc(a);
        t->command(QStringLiteral("mnuFileProsmotr"));
        QVERIFY(!a->editorVisible());
        QVERIFY(!f->action(QStringLiteral("Code"))->isEnabled());
        QVERIFY(f->action(QStringLiteral("mnuFileSaveFile"))->isEnabled());
        QVERIFY(!f->trigger(QStringLiteral("mnuEditPaste")));
        f->activateDoc(b);
        checkScope(true);
        f->activateDoc(a);
        QVERIFY(!f->action(QStringLiteral("mnuEdit"))->isEnabled());
        t->command(QStringLiteral("mnuFileProsmotr"));
        QVERIFY(a->editorVisible());
        checkScope(true);
    }
};

QTEST_MAIN(TestDocTable)
#include "test_doctable.moc"
