// The frame: the document table (slots, untitled names, the active document and
// the commands that need one); the settings files written when the frame closes
// and read by the next start-up; a request from outside to end the program
// (SIGTERM, SIGINT, SIGHUP) ending it as File > Exit does, unsaved text asked
// about; and what a new user ran into: Alt chords typing
// letters, document windows after a maximised one closed, and the platform
// dialogs (message box width, font dialog start, Qt's own texts in the
// interface language).
#include "app/CommandRegistry.h"
#include "app/ToolBar.h"
#include "common/GuiFixture.h"
#include "platform/Dialogs.h"
#include "platform/ExitSignals.h"
#include "platform/QtTranslations.h"

#include <QtTest>
#include <QtWidgets>
#include <csignal>

using namespace gui;
Q_DECLARE_METATYPE(FontChoice)

class TestFrameGui : public QObject {
    Q_OBJECT
    GuiFixture g;

    bool inside(QMdiSubWindow *w) const
    {
        return g.f->mdiArea()->viewport()->rect().contains(w->geometry());
    }
    DocWindow *slot(int i) const { return app().docs.slot(i); }
    DocWindow *newPage() { return g.f->trigger(QStringLiteral("mnuFileNew")) ? g.t->active() : nullptr; }
    // The commands that need a document, and whether they are enabled (the
    // toolbar buttons are in test_toolbar_gui).
    void checkScope(bool on)
    {
        for (const char *n : {"mnuFileProsmotr", "mnuFileSaveFile", "mnuFileSaveFileAs", "mnuWindow", "mnuEdit", "Code"})
            QVERIFY2(g.f->action(QString::fromLatin1(n))->isEnabled() == on, n);
    }

    // The options the Options and Edit menus tick, all on at first start.
    static inline const QStringList kOptions = {"mnuOptionsToolbar", "mnuOptionsListTags", "mnuEditPerenosWord",
                                                "mnuOptionsHighlight", "mnuOptionsLineNumbers", "mnuOptionsStatusBar",
                                                "mnuOptionsCloseTags", "mnuOptionsAutoIndent", "mnuOptionsCompletion"};
    // The two pages of a start, in the folder "pages" of t's folder.
    static QString writePages(TestApp &t)
    {
        QDir(t.folder).mkdir(QStringLiteral("pages"));
        t.writeFile(QStringLiteral("pages/a.htm"), "1\r\n2\r\n3\r\n4\r\n");
        t.writeFile(QStringLiteral("pages/b.htm"), "b\r\n");
        return t.folder + QStringLiteral("pages/");
    }
    static QString describe(const QString &family, int size, bool bold, bool italic)
    {
        return QStringLiteral("%1 %2 %3 %4").arg(family).arg(size).arg(bold).arg(italic);
    }
    static QString describe(const QFont &f) { return describe(f.family(), f.pointSize(), f.bold(), f.italic()); }

private slots:
    void init() { QVERIFY(g.startApp()); }
    void cleanup()
    {
        QtTranslations::use(QString());
        g.stopApp();
    }

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
        g.t->command(QStringLiteral("mnuFileScriptNew"));
        QCOMPARE(g.t->active()->Tag(), 1);
        QCOMPARE(g.t->active()->document()->txtCaption(), QStringLiteral("[2]2"));
        QCOMPARE(g.t->active()->document()->AppPathBak(), app().workFiles.privateFolder() + QStringLiteral("1.js"));
    }

    // Preview takes the editing commands from its own document only; the last
    // close takes every document command away, and the table starts afresh.
    void previewThenLastCloseDisableTheDocumentCommands()
    {
        checkScope(true);
        DocWindow *a = slot(0);
        DocWindow *b = newPage();
        g.f->activateDoc(a);
        g.t->command(QStringLiteral("mnuFileProsmotr"));
        QVERIFY(!a->editorVisible());
        QVERIFY(!g.f->action(QStringLiteral("Code"))->isEnabled());
        QVERIFY(g.f->action(QStringLiteral("mnuFileSaveFile"))->isEnabled());
        QVERIFY(!g.f->trigger(QStringLiteral("mnuEditPaste")));
        g.f->activateDoc(b);
        checkScope(true);
        g.f->activateDoc(a);
        QVERIFY(!g.f->action(QStringLiteral("mnuEdit"))->isEnabled());
        g.t->command(QStringLiteral("mnuFileProsmotr"));
        QVERIFY(a->editorVisible());
        checkScope(true);
        slot(0)->close();
        QCOMPARE(app().docs.ActiveDoc, 1);
        slot(1)->close();
        QCOMPARE(app().docs.ActiveDoc, 0);
        QVERIFY(!app().docs.active());
        checkScope(false);
        // The items of a disabled menu do not run through their shortcuts either.
        for (const char *n : {"mnuEditUndo", "mnuEditPaste", "CodeFrm1", "mnuWindowCascade"})
            QVERIFY2(!g.f->trigger(QString::fromLatin1(n)), n);
        // Open All Files stays at hand in the File menu with no document open.
        for (const char *n : {"mnuFileNew", "mnuFileOpenAllFile"})
            QVERIFY2(g.f->action(QString::fromLatin1(n))->isEnabled(), n);
        QCOMPARE(newPage()->Tag(), 0);
        QCOMPARE(app().docs.LastDocSlot, 0);
        checkScope(true);
    }
    // The first start has no settings file; what it changes is written at exit and restored by the next start.
    void firstStartThenExitWritesWhatTheNextStartRestores()
    {
        g.stopApp();
        QByteArray ini, view;
        QString lastFolder;
        {
            TestApp t;
            frmMain *f = startProgram(t);
            QVERIFY(f);
            QCOMPARE(t.editor()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            for (const QString &option : kOptions) {
                QVERIFY(f->isChecked(option));
                t.command(option);
            }
            t.dialogs.fontAnswers.enqueue(FontChoice{QStringLiteral("DejaVu Serif"), 14, false, true});
            t.command(QStringLiteral("mnuEditFont"));
            // Zoom: the editor's font, not the stored one.
            QTest::keyClick(t.editor(), Qt::Key_Plus, Qt::ControlModifier);
            QTest::keyClick(t.editor(), Qt::Key_Equal, Qt::ControlModifier);
            QTest::keyClick(t.editor(), Qt::Key_Plus, Qt::ControlModifier);
            QTest::keyClick(t.editor(), Qt::Key_Minus, Qt::ControlModifier);
            QCOMPARE(describe(t.editor()->font()), QStringLiteral("DejaVu Serif 16 0 1"));
            lastFolder = writePages(t);
            t.dialogs.fileAnswers.enqueue(lastFolder + QStringLiteral("none.htm"));
            t.command(QStringLiteral("mnuFileOpen"));   // the first Open starts at home, not beside the program
            QCOMPARE(t.dialogs.last(QStringLiteral("open")).folder, QDir::homePath() + u'/');
            // Two pages open at exit, the caret of the first on its third line.
            for (const char *name : {"a.htm", "b.htm"}) {
                app().files->OpenFileDoc(lastFolder + QString::fromLatin1(name));
                if (t.active()->document()->txtCaption() == u"a.htm")
                    t.editor()->setSelStart(t.editor()->lineStart(2));
            }
            f->showNormal();
            f->setGeometry(30, 40, 600, 400);
            app().settings.LanguageFile = QStringLiteral("English.txt");   // set by other parts
            app().settings.ProjectPath = t.folder + QStringLiteral("site.wpr");

            f->close();
            QCOMPARE(t.quitCount, 1);
            ini = t.readFile(QStringLiteral("kodoplet.ini"));
            // Other copies of the program read kodoplet.ini: still its eleven lines;
            // the view options go to their own file.
            QCOMPARE(ini.count("\r\n"), 11);
            QVERIFY(!ini.contains("highlight"));
            view = t.readFile(QStringLiteral("kodoplet-view.ini"));
            QVERIFY2(view.startsWith("[kodoplet-view]\nhighlighting=false\nlineNumbers=false\nstatusBar=false\n"
                                     "closeTags=false\nautoIndent=false\ncompletion=false\nzoom=2\nreopenPages=true\nframe=30,40,600,400\n"
                                     "frameMaximized=false\n"),
                     view.constData());
            QVERIFY(view.endsWith("\nrecent=" + (lastFolder + "b.htm").toUtf8() + "\nrecent=" + (lastFolder + "a.htm").toUtf8()
                                  + "\npage=2:" + (lastFolder + "a.htm").toUtf8() + "\npage=0:" + (lastFolder + "b.htm").toUtf8() + "\n"));
        }

        TestApp t;
        t.writeFile(QStringLiteral("kodoplet.ini"), ini);
        // The pages of the first run, in this run's folder.
        const QString pages = writePages(t);
        t.writeFile(QStringLiteral("kodoplet-view.ini"), view.replace(lastFolder.toUtf8(), pages.toUtf8()));
        QString projectAsked;   // the remembered project is asked for; none is there
        StartUp::hooks().loadProject = [&] {
            projectAsked = app().settings.ProjectPath;
            return false;
        };
        frmMain *f = startProgram(t);
        StartUp::hooks().loadProject = nullptr;
        QVERIFY(f);
        QCOMPARE(app().settings.LanguageFile, QStringLiteral("English.txt"));
        for (const QString &option : kOptions)
            QVERIFY(!f->isChecked(option));
        QVERIFY(!f->toolBar()->isVisible());
        QCOMPARE(projectAsked, lastFolder.left(lastFolder.size() - 6) + QStringLiteral("site.wpr"));
        QCOMPARE(app().settings.LastFolder, lastFolder);
        // The values are in force, not only stored.
        QCOMPARE(describe(t.editor()->font()), QStringLiteral("DejaVu Serif 16 0 1"));
        QCOMPARE(app().settings.EditorFontSize, 14);
        QCOMPARE(t.editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
        // The pages are back in place of the start page, the active one last, and so is the frame.
        QCOMPARE(app().docs.OpenDocCount, 2);
        QCOMPARE(t.active()->document()->NameFile(), pages + QStringLiteral("b.htm"));
        DocWindow *a = app().docs.slot(app().docs.findByFile(pages + QStringLiteral("a.htm")));
        QCOMPARE(a->Rich()->lineAt(a->Rich()->selStart()), 2);
        QCOMPARE(app().recentFiles, QStringList({pages + QStringLiteral("b.htm"), pages + QStringLiteral("a.htm")}));
        QCOMPARE(f->geometry(), QRect(30, 40, 600, 400));
        t.command(QStringLiteral("mnuFileOpen"));
        QCOMPARE(t.dialogs.last(QStringLiteral("open")).folder, lastFolder);
    }

    // A settings file that cannot be written is reported, and the program still ends.
    // (Unsaved text at exit: unsavedTextIsAskedAbout.)
    void unwritableSettingsAreReportedAtExit()
    {
        QVERIFY(QDir(g.t->folder).mkdir(QStringLiteral("kodoplet.ini")));
        g.f->close();
        QCOMPARE(g.t->quitCount, 1);
        QCOMPARE(g.lastMessage().style, int(Dialogs::Critical));
        QCOMPARE(g.lastMessage().text, QStringLiteral("[3] ") + g.path(QStringLiteral("kodoplet.ini [94]")));
    }
    // The signals reach the GUI thread as a request, and no longer end the process.
    void signalsBecomeRequests()
    {
        ExitSignals s;
        QVERIFY(s.isActive());
        QSignalSpy spy(&s, &ExitSignals::exitRequested);
        for (int number : {SIGTERM, SIGINT, SIGHUP}) {
            std::raise(number);
            QVERIFY(spy.wait(5000));
            QCOMPARE(spy.takeFirst().at(0).toInt(), number);
        }
    }

    void unsavedTextIsAskedAbout()
    {
        type(g.ed(), QStringLiteral("kept"));
        // Cancel at the question: the program goes on, the text is there.
        g.t->dialogs.messageAnswers.enqueue(Dialogs::Cancel);
        StartUp::requestExit();
        QCOMPARE(g.t->dialogs.count(QStringLiteral("message")), 1);
        QVERIFY(g.t->dialogs.last(QStringLiteral("message")).text.startsWith(QStringLiteral("[98]")));
        QCOMPARE(g.t->quitCount, 0);
        QVERIFY(g.ed()->text().startsWith(QStringLiteral("kept")));
        QVERIFY(!QFileInfo::exists(g.path(QStringLiteral("kodoplet.ini"))));
        // No: the program ends with its settings written beside it.
        g.t->dialogs.messageAnswers.enqueue(Dialogs::No);
        StartUp::requestExit();
        QCOMPARE(g.t->quitCount, 1);
        QVERIFY(g.t->readFile(QStringLiteral("kodoplet.ini")).startsWith("[kodoplet]\r\n"));
    }

    // A modal dialog open at that moment is cancelled first, then the program ends.
    void openDialogIsCancelledFirst()
    {
        QDialog dialog(g.f);
        dialog.setModal(true);
        QTimer::singleShot(0, [] { StartUp::requestExit(); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QTRY_COMPARE(g.t->quitCount, 1);
    }
    // Every handler the program installs is for a command of the table, and a
    // misspelt name is refused rather than silently kept.
    void handlersOnlyForCommandsOfTheTable()
    {
        CommandRegistry &c = g.f->commands();
        QCOMPARE(c.refusedNames(), QStringList());
        QTest::ignoreMessage(QtWarningMsg, "no command named mnuEditUndoo");
        QVERIFY(!c.onCommand(QStringLiteral("mnuEditUndoo"), [] {}));
        QCOMPARE(c.refusedNames(), QStringList{QStringLiteral("mnuEditUndoo")});
    }

    void altAndMetaChordsNeverType_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::newRow("Alt+Z") << int(Qt::Key_Z) << int(Qt::AltModifier) << "z";
        QTest::newRow("Alt+Shift+O") << int(Qt::Key_O) << int(Qt::AltModifier | Qt::ShiftModifier) << "O";
        QTest::newRow("Meta+A") << int(Qt::Key_A) << int(Qt::MetaModifier) << "a";
        QTest::newRow("Alt+<") << int(Qt::Key_Less) << int(Qt::AltModifier) << "<";
        QTest::newRow("Alt+Enter") << int(Qt::Key_Return) << int(Qt::AltModifier) << "\r";
    }
    void altAndMetaChordsNeverType()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        load(g.doc(), QStringLiteral("ab"), 1);
        for (auto action : {QTest::Press, QTest::Release})
            QTest::sendKeyEvent(action, g.ed(), Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(g.ed()->text(), QStringLiteral("ab"));
        QCOMPARE(g.doc()->document()->IzmT(), 0);
        QVERIFY(!QApplication::activePopupWidget());   // "<" with Alt opens no tag list either
        // A character the layout's third level gives (no Alt reported) still types.
        for (auto action : {QTest::Press, QTest::Release})
            QTest::sendKeyEvent(action, g.ed(), Qt::Key_At, QStringLiteral("@"), Qt::GroupSwitchModifier);
        QCOMPARE(g.ed()->text(), QStringLiteral("a@b"));
    }

    // Windows stay maximised as one closes after another, and the frame's caption
    // names the active one only: the last one gives the frame its own caption and
    // the menu bar its corners back.
    void windowsStayMaximisedAfterAMaximisedOneCloses()
    {
        auto named = [this] { return QStringLiteral(" - [") + g.doc()->windowTitle() + u']'; };
        QVERIFY(g.doc()->isMaximized());
        QVERIFY(g.f->windowTitle().endsWith(named()));
        const QString caption = g.f->windowTitle().chopped(named().size());
        g.t->command(QStringLiteral("mnuFileNew"));
        g.t->command(QStringLiteral("mnuFileNew"));
        for (int open = 3; open > 0; --open) {
            QVERIFY(g.doc()->isMaximized());
            QCOMPARE(g.f->windowTitle(), caption + named());
            g.doc()->close();
            QTRY_VERIFY(!g.doc() || g.doc()->isMaximized());
        }
        QVERIFY(!g.doc());
        QCOMPARE(g.f->windowTitle(), caption);
        for (Qt::Corner c : {Qt::TopLeftCorner, Qt::TopRightCorner}) {
            const QWidget *corner = g.f->menuBar()->cornerWidget(c);
            QVERIFY(!corner || !corner->isVisible());
        }
        g.t->command(QStringLiteral("mnuFileNew"));
        QVERIFY(g.doc()->isMaximized());
        QCOMPARE(g.f->windowTitle(), caption + named());
    }

    // File > Recent Files: opened and saved files, newest first; a gone one is
    // dropped when chosen, with the open error; Clear List empties it.
    void recentFiles()
    {
        g.openFile(QStringLiteral("a.htm"), "a\r\n");
        g.openFile(QStringLiteral("b.htm"), "b\r\n");
        g.t->dialogs.fileAnswers.enqueue(g.path(QStringLiteral("c.htm")));
        g.t->command(QStringLiteral("mnuFileSaveFileAs"));
        QMenu *menu = g.f->menu(QStringLiteral("mnuFileRecent"));
        QCOMPARE(g.f->menuCaption(QStringLiteral("mnuFileRecent")), app().lang.text(TextEntry::RecentFiles));
        const QString clear = app().lang.text(TextEntry::ClearList);
        const auto items = [menu] {
            emit menu->aboutToShow();
            QStringList texts;
            for (QAction *a : menu->actions())
                texts << (a->isSeparator() ? QStringLiteral("-") : a->text() + (a->isEnabled() ? "" : " (off)"));
            return texts;
        };
        const QString c = g.path(QStringLiteral("c.htm")), b = g.path(QStringLiteral("b.htm")), a = g.path(QStringLiteral("a.htm"));
        QCOMPARE(items(), (QStringList{"&1 " + c, "&2 " + b, "&3 " + a, "-", clear}));
        QFile::remove(b);
        menu->actions().at(1)->trigger();
        QCOMPARE(g.lastMessage().text, QStringLiteral("[3] %1 [96]").arg(b));
        QCOMPARE(items(), (QStringList{"&1 " + c, "&2 " + a, "-", clear}));
        g.f->trigger(QStringLiteral("mnuWindowCascade"));
        g.t->dialogs.messageAnswers.enqueue(Dialogs::No);
        app().files->CloseDocument(app().docs.slot(app().docs.findByFile(a)));
        menu->actions().at(1)->trigger();   // opens again, as File > Open
        QCOMPARE(g.t->active()->document()->NameFile(), a);
        QCOMPARE(items(), (QStringList{"&1 " + a, "&2 " + c, "-", clear}));
        menu->actions().last()->trigger();
        QCOMPARE(items(), (QStringList{"-", clear + " (off)"}));
    }

    // Keys users bring from other editors: Ctrl+Shift+S saves under a new name, F1 opens the help.
    void keysFromOtherEditors()
    {
        g.ed()->setText(QStringLiteral("kept"));
        const QString name = g.path(QStringLiteral("other.htm"));
        g.t->dialogs.fileAnswers.enqueue(name);
        QTest::keyClick(g.ed(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(g.t->dialogs.count(QStringLiteral("save")), 1);
        QVERIFY(g.t->readFile(name).startsWith("kept"));
        QTest::keyClick(g.ed(), Qt::Key_F1);
        QCOMPARE(g.t->shell.opened.size(), 1);
        QVERIFY(g.t->shell.opened.first().endsWith(QFileInfo(app().lang.HelpFile).fileName()));
    }

    void restoredWindowsCascadeInsideTheVisibleArea()
    {
        g.doc()->showNormal();
        QVERIFY(!g.doc()->isMaximized());
        QList<QRect> seen;
        for (int i = 0; i < 12; ++i) {
            g.t->command(QStringLiteral("mnuFileNew"));
            QMdiSubWindow *w = g.doc();
            QVERIFY2(!w->isMaximized() && inside(w), qPrintable(QStringLiteral("window %1 at %2,%3 %4x%5").arg(i).arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height())));
            QVERIFY(w->width() >= g.f->mdiArea()->viewport()->width() / 2);
            seen << w->geometry();
        }
        QVERIFY(seen[0] != seen[1]);   // a cascade, not a pile
        // Closing one leaves the others at a useful size inside the area,
        // the first page (which came up maximised) included.
        g.doc()->close();
        QTRY_VERIFY(g.doc());
        for (QMdiSubWindow *w : g.f->mdiArea()->subWindowList()) {
            QTRY_VERIFY(inside(w) && w->width() >= g.f->mdiArea()->viewport()->width() / 2);
        }
    }

    // Tiling from maximised windows gives every one its share, the active one
    // included, and it keeps it once the events are handled.
    void tilesShareTheAreaFromMaximised()
    {
        for (int i = 0; i < 3; ++i)
            newPage();
        QApplication::processEvents();
        QVERIFY(g.doc()->isMaximized());
        const QSize area = g.f->mdiArea()->viewport()->size();
        for (const bool stacked : {true, false}) {
            QVERIFY(g.f->trigger(QLatin1String(stacked ? "mnuWindowTileHorizontal" : "mnuWindowTileVertical")));
            QTest::qWait(50);
            QSet<int> places;
            for (QMdiSubWindow *w : g.f->mdiArea()->subWindowList()) {
                QVERIFY(!w->isMaximized());
                QCOMPARE(stacked ? w->height() : w->width(), (stacked ? area.height() : area.width()) / 4);
                QCOMPARE(stacked ? w->width() : w->height(), stacked ? area.width() : area.height());
                places << (stacked ? w->y() : w->x());
            }
            QCOMPARE(places.size(), 4);
            g.doc()->showMaximized();
        }
    }

    // A short message shows the whole title; a message names files as they were
    // typed, mark-up characters and all.
    void messageBoxShowsTitleAndTextAsTyped()
    {
        QtDialogs dialogs;
        const QString title = app().lang.AppTitle + QStringLiteral(" with a long title");
        const QString text = QStringLiteral("File /w/<b>x</b>.htm &amp; <i>more</i>\r\nnot found");
        int width = 0;
        QString labelText;
        whenShown<QMessageBox>([&](QMessageBox *b) {
            width = b->width();
            if (auto *label = b->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
                labelText = b->textFormat() == Qt::PlainText && label->textFormat() == Qt::PlainText ? label->text() : QString();
            b->accept();
        });
        dialogs.messageBox(text, Dialogs::Critical, title);
        QCOMPARE(labelText, text);
        QFont bold = QApplication::font();
        bold.setBold(true);
        QVERIFY2(width > QFontMetrics(bold).horizontalAdvance(title), qPrintable(QString::number(width)));
    }

    void fontDialogOpensOnTheEditorsFont_data()
    {
        QTest::addColumn<FontChoice>("font");
        QTest::newRow("face not installed, bold") << FontChoice{QStringLiteral("MS Sans Serif"), 12, true, false};
        QTest::newRow("installed face, italic") << FontChoice{QStringLiteral("DejaVu Serif"), 14, false, true};
    }
    void fontDialogOpensOnTheEditorsFont()
    {
        QFETCH(FontChoice, font);
        const auto [family, size, bold, italic] = font;
        QtDialogs dialogs;
        const QString shown = QFontInfo(QFont(family, size, bold ? QFont::Bold : QFont::Normal, italic)).family();
        QFont start;
        QString title;
        whenShown<QFontDialog>([&](QFontDialog *d) {
            start = d->currentFont();
            title = d->windowTitle();
            d->accept();
        });
        FontChoice chosen;
        QVERIFY(dialogs.chooseFont(font, chosen, QStringLiteral("Note: ") + family));
        QCOMPARE(title, QStringLiteral("Note: ") + family);
        QCOMPARE(describe(start), describe(shown, size, bold, italic));
        // OK without a change keeps everything, the stored name included.
        QCOMPARE(describe(chosen.family, chosen.pointSize, chosen.bold, chosen.italic), describe(family, size, bold, italic));
    }

    void qtTextsFollowTheInterfaceLanguage()
    {
        g.addShippedLanguage(QStringLiteral("German.txt"));
        const auto buttons = [] {
            QtDialogs dialogs;
            QStringList texts;
            whenShown<QMessageBox>([&](QMessageBox *b) {
                for (QAbstractButton *x : b->buttons())
                    texts << x->text().remove(u'&');
                b->reject();
            });
            dialogs.messageBox(QStringLiteral("?"), Dialogs::YesNo, QStringLiteral("t"));
            texts.sort();
            return texts.join(u' ');
        };
        QCOMPARE(buttons(), QStringLiteral("No Yes"));
        app().languages->LoadJazikM(QStringLiteral("German.txt"));
        QCOMPARE(QtTranslations::current(), QStringLiteral("de"));
        QCOMPARE(buttons(), QStringLiteral("Ja Nein"));
        // A language file that names no locale keeps Qt's English.
        app().languages->LoadJazikM(QStringLiteral("Entries.txt"));
        QCOMPARE(QtTranslations::current(), QString());
        QCOMPARE(buttons(), QStringLiteral("No Yes"));
    }
};

QTEST_MAIN(TestFrameGui)
#include "test_frame_gui.moc"
