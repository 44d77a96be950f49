#include "lang/LanguageLoader.h"
#include "lang/LanguageTestApp.h"
#include "lang/MainFrameCaptions.h"

#include <QFileInfo>
#include <QtTest>

class TestLangGui : public QObject {
    Q_OBJECT

private slots:
    void loadAppliesEveryRecordToTheFrame();
    void headerOnlyFileEmptiesCaptionsAndKeepsTexts();
    void untitledDocumentsAndDefaultProjectRenamed();
    void failedLoadChangesNothingAndSaysWhy();
    void missingRememberedLanguageAtStartUp();
    void chooserAtStartUpExactlyWhenNoLanguageRemembered_data();
    void chooserAtStartUpExactlyWhenNoLanguageRemembered();
    void chosenLanguageRememberedForTheNextStart();
    void okWithoutSelectionChangesNothing();
    void emptyNameListedAndStillLoadable();
    void unreadableFileListedUnderItsName();
    void optionsLanguageOpensModelessWithLoadedTexts();
    void helpOpensThePageOfEachShippedLanguage();
};

void TestLangGui::loadAppliesEveryRecordToTheFrame()
{
    TestApp t;
    t.start();
    addLanguage(t, QStringLiteral("a.txt"),
                "\"Alpha\",\"Help/a.html\"\r\n"
                "1,\"Ed\"\r\n2,\"Unt\"\r\n3,\"&File\"\r\n62,\"Proj\"\r\n"
                "0,\"zero\"\r\n107,\"too far\"\r\n"
                "21,\"first\"\r\n"
                "22,Re,place\r\n"       // unquoted comma: cut, the rest is skipped
                "23,\"Wrap\"\r\n"
                "24,\"Font, size\"\r\n"
                "21,\"second\"\r\n"
                "28,\"Table\"\r\n29,\"Font\"\r\n30,\"Image\"\r\n31,\"Link\"\r\n33,\"Object\"\r\n"
                "34,\"Param\"\r\n35,\"Marquee\"\r\n37,\"Form\"\r\n38,\"Text area\"\r\n39,\"List\"\r\n"
                "59,\"Manual\"\r\n86,\"Choose\"\r\n96,\"is missing\"\r\n106,\"Open folder\"\r\n");
    LanguageLoader::LoadJazikM(QStringLiteral("a.txt"));

    AppState &a = app();
    QCOMPARE(t.dialogs.count(QStringLiteral("message")), 0);
    QCOMPARE(a.settings.LanguageFile, QStringLiteral("a.txt"));
    QCOMPARE(a.lang.AppTitle, QStringLiteral("Kodoplet Ed Int."));
    QCOMPARE(a.lang.HelpFile, QStringLiteral("Help/a.html"));
    QCOMPARE(a.ProjectName, QStringLiteral("Proj"));
    QCOMPARE(frameCaption(t), QStringLiteral("Kodoplet Ed Int. - Proj"));
    QCOMPARE(caption(t, "mnuOptionsLang"), QStringLiteral("Language: Alpha"));
    QCOMPARE(caption(t, "mnuFile"), QStringLiteral("&File"));
    QCOMPARE(caption(t, "mnuEditFind1"), QStringLiteral("second"));
    QCOMPARE(caption(t, "mnuEditFind2"), QStringLiteral("Re"));
    QCOMPARE(caption(t, "mnuEditPerenosWord"), QStringLiteral("Wrap"));
    QCOMPARE(caption(t, "mnuEditFont"), QStringLiteral("Font, size"));
    QCOMPARE(caption(t, "mnuEditOpenAllFile"), QStringLiteral("Open folder"));
    QCOMPARE(caption(t, "HelpCallHelp"), QStringLiteral("Manual"));
    QCOMPARE(a.lang.text(86), QStringLiteral("Choose"));
    QCOMPARE(a.message(96), QStringLiteral("is missing"));

    // The Tags items keep the tag they insert in front of the translated word.
    QCOMPARE(caption(t, "CodeFrm1"), QStringLiteral("<TABLE...> - Table"));
    QCOMPARE(caption(t, "CodeFrm2"), QStringLiteral("<FONT...> - Font"));
    QCOMPARE(caption(t, "CodeFrm3"), QStringLiteral("<IMG SRC...> - Image"));
    QCOMPARE(caption(t, "CodeAhref"), QStringLiteral("<A HREF...> - Link"));
    QCOMPARE(caption(t, "CodeMediaHTML0"), QStringLiteral("<OBJECT> - Object"));
    QCOMPARE(caption(t, "CodeMediaHTML1"), QStringLiteral("<PARAM...> - Param"));
    QCOMPARE(caption(t, "CodeMediaHTML2"), QStringLiteral("<MARQUEE...> - Marquee"));
    QCOMPARE(caption(t, "CodeFormsHTML0"), QStringLiteral("<FORM ACTIOIN...> - Form"));
    QCOMPARE(caption(t, "CodeFormsHTML1"), QStringLiteral("<TEXTAREA...> - Text area"));
    QCOMPARE(caption(t, "CodeFormsSelect"), QStringLiteral("<SELECT...> - List"));

    // Every caption the file names reaches its menu item.
    addLanguage(t, QStringLiteral("full.txt"), languageFile(QStringLiteral("Full"), QStringLiteral("F")));
    LanguageLoader::LoadJazikM(QStringLiteral("full.txt"));
    for (const CaptionBinding &b : mainFrameCaptions()) {
        if (b.target != CaptionBinding::Caption)
            continue;
        QAction *act = t.frame->action(b.objectName);
        QVERIFY2(act, qPrintable(b.objectName));
        const QString expected = b.entry == CaptionBinding::LanguageName ? QStringLiteral("Language: Full")
                               : b.entry == 3                         ? QStringLiteral("&FFile")
                                                                      : b.prefix + u'F' + QString::number(b.entry);
        QCOMPARE(act->text(), expected);
    }
}

void TestLangGui::headerOnlyFileEmptiesCaptionsAndKeepsTexts()
{
    TestApp t;
    t.start();
    addLanguage(t, QStringLiteral("full.txt"), languageFile(QStringLiteral("Full"), QStringLiteral("F")));
    addLanguage(t, QStringLiteral("bare.txt"), "\"Bare\",\"Help/bare.html\"\r\n");
    LanguageLoader::LoadJazikM(QStringLiteral("full.txt"));
    LanguageLoader::LoadJazikM(QStringLiteral("bare.txt"));

    AppState &a = app();
    QCOMPARE(t.dialogs.count(QStringLiteral("message")), 0);
    QCOMPARE(a.settings.LanguageFile, QStringLiteral("bare.txt"));
    QCOMPARE(a.lang.AppTitle, QStringLiteral("Kodoplet  Int."));
    QCOMPARE(a.lang.HelpFile, QStringLiteral("Help/bare.html"));
    QCOMPARE(caption(t, "mnuOptionsLang"), QStringLiteral("Language: Bare"));
    for (const CaptionBinding &b : mainFrameCaptions()) {
        if (b.target != CaptionBinding::Caption || b.entry == CaptionBinding::LanguageName)
            continue;
        // Entry 106 is a kept message; the others start empty on every load.
        const QString expected = b.entry == 106 ? QStringLiteral("F106") : b.prefix;
        QCOMPARE(caption(t, qPrintable(b.objectName)), expected);
    }
    for (int n = 63; n <= 88; ++n)
        QCOMPARE(a.lang.text(n), QStringLiteral("F") + QString::number(n));
    for (int n = 90; n <= 106; ++n)
        QCOMPARE(a.message(n), QStringLiteral("F") + QString::number(n));
}

void TestLangGui::untitledDocumentsAndDefaultProjectRenamed()
{
    TestApp t;
    addShipped(t, QStringLiteral("English.txt"));
    addShipped(t, QStringLiteral("German.txt"));
    t.writeFile(QStringLiteral("kodoplet.ini"), settingsNaming("English.txt"));
    t.realLanguageStep = true;
    t.start();
    AppState &a = app();
    QCOMPARE(a.lang.UntitledName, QStringLiteral("Untitled"));
    const QString englishProject = a.lang.DefaultProjectName;
    QCOMPARE(a.ProjectName, englishProject);

    // Slot 0 came with the start; slot 1 untitled; slot 2 saved under a name that
    // only looks like an untitled one; slot 3 untitled again.
    t.command(QStringLiteral("mnuFileNew"));
    t.command(QStringLiteral("mnuFileNew"));
    QDir().mkpath(t.folder + QStringLiteral("saved.d"));
    t.dialogs.fileAnswers.enqueue(t.folder + QStringLiteral("saved.d/Untitled3"));
    t.command(QStringLiteral("mnuFileSaveFileAs"));
    t.command(QStringLiteral("mnuFileNew"));
    std::vector<DocWindow *> docs = a.docs.open();
    QCOMPARE(int(docs.size()), 4);
    QCOMPARE(docs[2]->NameFile, t.folder + QStringLiteral("saved.d/Untitled3"));
    QCOMPARE(docs[2]->txtCaption, QStringLiteral("Untitled3"));
    const QStringList projectBefore = a.project.LstFileName;

    LanguageLoader::LoadJazikM(QStringLiteral("German.txt"));
    const QString untitled = a.lang.UntitledName;
    QVERIFY(untitled != QStringLiteral("Untitled"));
    const QStringList expected{untitled + u'1', untitled + u'2', QStringLiteral("Untitled3"), untitled + u'4'};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(docs[i]->txtCaption, expected[i]);
        QCOMPARE(docs[i]->windowTitle(), expected[i]);
    }
    // The project list follows the new names and keeps its order.
    QStringList projectAfter = projectBefore;
    projectAfter.replaceInStrings(QRegularExpression(QStringLiteral("^Untitled([124])$")), untitled + QStringLiteral("\\1"));
    QCOMPARE(a.project.LstFileName, projectAfter);

    // A project still carrying the default name takes the new one.
    QVERIFY(a.lang.DefaultProjectName != englishProject);
    QCOMPARE(a.ProjectName, a.lang.DefaultProjectName);
    QCOMPARE(frameCaption(t), a.lang.AppTitle + QStringLiteral(" - ") + a.lang.DefaultProjectName);

    // A project with its own name keeps it.
    a.ProjectName = QStringLiteral("Site");
    LanguageLoader::LoadJazikM(QStringLiteral("English.txt"));
    QCOMPARE(a.ProjectName, QStringLiteral("Site"));
    QCOMPARE(frameCaption(t), QStringLiteral("Kodoplet Editor Int. - Site"));
    QCOMPARE(docs[0]->txtCaption, QStringLiteral("Untitled1"));
    QCOMPARE(docs[2]->txtCaption, QStringLiteral("Untitled3"));
    QCOMPARE(docs[3]->txtCaption, QStringLiteral("Untitled4"));
}

void TestLangGui::failedLoadChangesNothingAndSaysWhy()
{
    TestApp t;
    t.start();
    addLanguage(t, QStringLiteral("full.txt"), languageFile(QStringLiteral("Full"), QStringLiteral("F")));
    addLanguage(t, QStringLiteral("binary.txt"), QByteArray("\"Bin\",\"x\"\r\n\0\0\0\x01\x02\xff\xfe", 18));
    LanguageLoader::LoadJazikM(QStringLiteral("full.txt"));
    t.command(QStringLiteral("mnuFileNew"));
    const QStringList before = everyText(t);
    AppState &a = app();

    LanguageLoader::LoadJazikM(QStringLiteral("gone.txt"));
    QCOMPARE(t.dialogs.count(QStringLiteral("message")), 1);
    QueueDialogs::Asked box = t.dialogs.last(QStringLiteral("message"));
    QCOMPARE(box.style, int(Dialogs::Critical));
    QCOMPARE(box.title, QStringLiteral("Kodoplet FEd Int."));
    QCOMPARE(box.text, QStringLiteral("FFile ") + t.folder + QStringLiteral("Language/gone.txt F96"));
    QCOMPARE(everyText(t), before);

    LanguageLoader::LoadJazikM(QStringLiteral("binary.txt"));
    QCOMPARE(t.dialogs.count(QStringLiteral("message")), 2);
    box = t.dialogs.last(QStringLiteral("message"));
    QCOMPARE(box.style, int(Dialogs::Critical));
    QCOMPARE(box.text, QStringLiteral("FFile ") + t.folder + QStringLiteral("Language/binary.txt F97"));
    QCOMPARE(everyText(t), before);
    QCOMPARE(a.settings.LanguageFile, QStringLiteral("full.txt"));

    // Damaged rather than foreign: binary bytes after good records. What is
    // there loads, without a message.
    QByteArray damaged = languageFile(QStringLiteral("Damaged"), QStringLiteral("D"));
    damaged += QByteArray("\0\x01\x02\xff\0\r\n,,\"\0", 11);
    addLanguage(t, QStringLiteral("damaged.txt"), damaged);
    LanguageLoader::LoadJazikM(QStringLiteral("damaged.txt"));
    QCOMPARE(t.dialogs.count(QStringLiteral("message")), 2);
    QCOMPARE(a.settings.LanguageFile, QStringLiteral("damaged.txt"));
    QCOMPARE(a.lang.AppTitle, QStringLiteral("Kodoplet DEd Int."));
    QCOMPARE(caption(t, "mnuOptionsLang"), QStringLiteral("Language: Damaged"));
    QCOMPARE(a.message(106), QStringLiteral("D106"));
}

void TestLangGui::missingRememberedLanguageAtStartUp()
{
    // The language named in the settings was deleted: the box says so with the
    // texts there are (none yet), and the chooser does not come up.
    TestApp t;
    addShipped(t, QStringLiteral("English.txt"));
    t.writeFile(QStringLiteral("kodoplet.ini"), settingsNaming("Gone.txt"));
    t.realLanguageStep = true;
    ChooserWatch watch;
    t.start();
    QTest::qWait(30);
    QCOMPARE(watch.shown, 0);
    QCOMPARE(t.dialogs.count(QStringLiteral("message")), 1);
    const QueueDialogs::Asked box = t.dialogs.last(QStringLiteral("message"));
    QCOMPARE(box.style, int(Dialogs::Critical));
    QCOMPARE(box.text, QStringLiteral("File ") + t.folder + QStringLiteral("Language/Gone.txt "));
    QCOMPARE(app().lang.AppTitle, QString());
    QCOMPARE(caption(t, "mnuFile"), QStringLiteral("File"));
    // The frame still works: a new page is there.
    QCOMPARE(app().docs.OpenDocCount, 1);
}

void TestLangGui::chooserAtStartUpExactlyWhenNoLanguageRemembered_data()
{
    QTest::addColumn<bool>("writeIni");
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("chooser");
    QTest::newRow("first start, no settings") << false << QByteArray() << true;
    QTest::newRow("settings without a language") << true << settingsNaming("") << true;
    QTest::newRow("settings naming a language") << true << settingsNaming("Russian.txt") << false;
}

void TestLangGui::chooserAtStartUpExactlyWhenNoLanguageRemembered()
{
    QFETCH(bool, writeIni);
    QFETCH(QByteArray, ini);
    QFETCH(bool, chooser);
    TestApp t;
    for (const QString &f : shippedLanguages())
        addShipped(t, f);
    if (writeIni)
        t.writeFile(QStringLiteral("kodoplet.ini"), ini);
    t.realLanguageStep = true;
    ChooserWatch watch;
    t.start();
    QTest::qWait(30);
    QCOMPARE(watch.shown, chooser ? 1 : 0);
    if (!chooser) {
        QCOMPARE(app().settings.LanguageFile, QStringLiteral("Russian.txt"));
        QVERIFY(app().lang.AppTitle.startsWith(QStringLiteral("Kodoplet ")));
        return;
    }
    // Never a language loaded: the designed English texts, every shipped
    // language by its own name, in step with the files.
    QCOMPARE(watch.designed, (QStringList{QStringLiteral("Select of language"), QStringLiteral("List:"),
                                          QStringLiteral("OK"), QStringLiteral("Cancel")}));
    QCOMPARE(watch.files, shippedLanguages());
    QCOMPARE(watch.rows.size(), watch.files.size());
    QVERIFY(watch.rows.contains(QStringLiteral("English")));
    QVERIFY(watch.rows.contains(QStringLiteral("Русский")));
    // Cancelled: nothing loaded, nothing remembered.
    QCOMPARE(app().settings.LanguageFile, QString());
    QCOMPARE(app().lang.AppTitle, QString());
}

void TestLangGui::chosenLanguageRememberedForTheNextStart()
{
    QByteArray ini;
    {
        TestApp t;
        addShipped(t, QStringLiteral("German.txt"));
        t.realLanguageStep = true;
        ChooserWatch watch;
        watch.act = pick(QStringLiteral("German.txt"));
        t.start();
        QCOMPARE(watch.shown, 1);
        QCOMPARE(watch.rows, QStringList{QStringLiteral("Deutsch")});
        QCOMPARE(app().settings.LanguageFile, QStringLiteral("German.txt"));
        const QString title = app().lang.AppTitle;
        QVERIFY(title.startsWith(QStringLiteral("Kodoplet ")) && title.size() > 14);
        // The page made at start-up already has the German name.
        QCOMPARE(t.active()->txtCaption, app().lang.UntitledName + u'1');
        QCOMPARE(frameCaption(t), title + QStringLiteral(" - ") + app().lang.DefaultProjectName);
        t.frame->close();
        QCOMPARE(t.quitCount, 1);
        ini = t.readFile(QStringLiteral("kodoplet.ini"));
    }
    QCOMPARE(ini.split('\n').value(1).trimmed(), QByteArray("German.txt"));

    TestApp t;
    addShipped(t, QStringLiteral("German.txt"));
    t.writeFile(QStringLiteral("kodoplet.ini"), ini);
    t.realLanguageStep = true;
    ChooserWatch watch;
    t.start();
    QTest::qWait(30);
    QCOMPARE(watch.shown, 0);
    QCOMPARE(app().settings.LanguageFile, QStringLiteral("German.txt"));
    QCOMPARE(caption(t, "mnuOptionsLang"), QStringLiteral("Language: Deutsch"));
}

void TestLangGui::okWithoutSelectionChangesNothing()
{
    QByteArray ini;
    {
        TestApp t;
        for (const QString &f : shippedLanguages())
            addShipped(t, f);
        t.realLanguageStep = true;
        ChooserWatch watch;
        bool hadSelection = true;
        watch.act = [&hadSelection](frmLang *c) {
            hadSelection = !c->DirT->selectedItems().isEmpty();
            c->OK->click();
        };
        t.start();
        QCOMPARE(watch.shown, 1);
        QVERIFY(!hadSelection);
        QCOMPARE(app().settings.LanguageFile, QString());
        QCOMPARE(app().lang.AppTitle, QString());
        QCOMPARE(caption(t, "mnuFile"), QStringLiteral("File"));
        t.frame->close();
        ini = t.readFile(QStringLiteral("kodoplet.ini"));
    }
    QCOMPARE(ini.split('\n').value(1).trimmed(), QByteArray());

    // Nothing remembered, so the next start asks again.
    TestApp t;
    addShipped(t, QStringLiteral("English.txt"));
    t.writeFile(QStringLiteral("kodoplet.ini"), ini);
    t.realLanguageStep = true;
    ChooserWatch watch;
    t.start();
    QCOMPARE(watch.shown, 1);
}

void TestLangGui::emptyNameListedAndStillLoadable()
{
    TestApp t;
    addShipped(t, QStringLiteral("English.txt"));
    addLanguage(t, QStringLiteral("blank.txt"), "\"\",\"Help/blank.html\"\r\n1,\"Blank\"\r\n2,\"Nameless\"\r\n");
    t.realLanguageStep = true;
    ChooserWatch watch;
    watch.act = pick(QStringLiteral("blank.txt"));
    t.start();
    QCOMPARE(watch.shown, 1);
    QCOMPARE(watch.files.size(), 2);
    QCOMPARE(watch.rows.size(), 2);
    QCOMPARE(watch.rows.at(int(watch.files.indexOf(QStringLiteral("blank.txt")))), QString());
    QCOMPARE(watch.rows.at(int(watch.files.indexOf(QStringLiteral("English.txt")))), QStringLiteral("English"));
    QCOMPARE(app().settings.LanguageFile, QStringLiteral("blank.txt"));
    QCOMPARE(app().lang.AppTitle, QStringLiteral("Kodoplet Blank Int."));
    QCOMPARE(caption(t, "mnuOptionsLang"), QStringLiteral("Language: "));
}

void TestLangGui::unreadableFileListedUnderItsName()
{
    TestApp t;
    addLanguage(t, QStringLiteral("a.txt"), languageFile(QStringLiteral("Alpha"), QStringLiteral("A")));
    addLanguage(t, QStringLiteral("b.txt"), QByteArray("\0\0\x01\x02garbage\xff", 12));
    addLanguage(t, QStringLiteral("c.txt"), languageFile(QStringLiteral("Gamma"), QStringLiteral("G")));
    QDir().mkpath(t.folder + QStringLiteral("Language/d.txt"));   // a folder is no language
    // The extension in capitals is still a language file; other extensions are not.
    addLanguage(t, QStringLiteral("e.TXT"), languageFile(QStringLiteral("Epsilon"), QStringLiteral("E")));
    addLanguage(t, QStringLiteral("f.txt.bak"), languageFile(QStringLiteral("Phi"), QStringLiteral("P")));
    t.realLanguageStep = true;
    ChooserWatch watch;
    QString inform;
    watch.act = [&inform](frmLang *c) {
        c->DirT->setCurrentRow(2);
        inform = c->Inform->text();
        c->OK->click();
    };
    t.start();
    QCOMPARE(watch.files, (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt"),
                                       QStringLiteral("e.TXT")}));
    QCOMPARE(watch.rows, (QStringList{QStringLiteral("Alpha"), QStringLiteral("b.txt"), QStringLiteral("Gamma"),
                                      QStringLiteral("Epsilon")}));
    QCOMPARE(inform, QStringLiteral("c.txt"));
    QCOMPARE(app().settings.LanguageFile, QStringLiteral("c.txt"));
    QCOMPARE(app().lang.AppTitle, QStringLiteral("Kodoplet GEd Int."));

    // Choosing the damaged file reports it and keeps the language there is.
    const QStringList before = everyText(t);
    watch.act = pick(QStringLiteral("b.txt"));
    t.command(QStringLiteral("mnuOptionsLang"));
    QTRY_COMPARE(watch.shown, 2);
    QCOMPARE(t.dialogs.count(QStringLiteral("message")), 1);
    QCOMPARE(t.dialogs.last(QStringLiteral("message")).text,
             QStringLiteral("GFile ") + t.folder + QStringLiteral("Language/b.txt G97"));
    QCOMPARE(everyText(t), before);
}

void TestLangGui::optionsLanguageOpensModelessWithLoadedTexts()
{
    TestApp t;
    addLanguage(t, QStringLiteral("a.txt"), languageFile(QStringLiteral("Alpha"), QStringLiteral("A")));
    addLanguage(t, QStringLiteral("b.txt"), languageFile(QStringLiteral("Beta"), QStringLiteral("B")));
    t.writeFile(QStringLiteral("kodoplet.ini"), settingsNaming("a.txt"));
    t.realLanguageStep = true;
    ChooserWatch watch;
    QPointer<frmLang> chooser;
    watch.act = [&chooser](frmLang *c) { chooser = c; };   // left open
    t.start();
    QCOMPARE(watch.shown, 0);

    t.command(QStringLiteral("mnuOptionsLang"));
    QTRY_VERIFY(chooser);
    QVERIFY(!chooser->isModal());
    QCOMPARE(chooser->windowModality(), Qt::NonModal);
    QCOMPARE(chooser->parentWidget(), t.frame.get());
    QCOMPARE(watch.designed, (QStringList{QStringLiteral("A86"), QStringLiteral("A87"), QStringLiteral("OK"),
                                          QStringLiteral("A70")}));
    QCOMPARE(watch.rows, (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    // Choosing the command again brings up the same window.
    t.command(QStringLiteral("mnuOptionsLang"));
    QTest::qWait(20);
    QCOMPARE(watch.shown, 1);

    // The frame is usable while the chooser is open.
    t.command(QStringLiteral("mnuFileNew"));
    QCOMPARE(app().docs.OpenDocCount, 2);

    chooser->DirT->setCurrentRow(1);
    chooser->OK->click();
    QTRY_VERIFY(!chooser);
    QCOMPARE(app().settings.LanguageFile, QStringLiteral("b.txt"));
    QCOMPARE(caption(t, "mnuOptionsLang"), QStringLiteral("Language: Beta"));
    QCOMPARE(t.active()->txtCaption, QStringLiteral("BUnt2"));

    // Reopened, it speaks the new language.
    t.command(QStringLiteral("mnuOptionsLang"));
    QTRY_COMPARE(watch.shown, 2);
    QCOMPARE(watch.designed.value(0), QStringLiteral("B86"));
    chooser->NO->click();
    QTRY_VERIFY(!chooser);
    QCOMPARE(app().settings.LanguageFile, QStringLiteral("b.txt"));
}

void TestLangGui::helpOpensThePageOfEachShippedLanguage()
{
    const QStringList languages = shippedLanguages();
    QVERIFY2(languages.size() >= 4, "KODOPLET_SOURCE_DIR must name the source tree (run through ctest)");
    for (const QString &file : languages) {
        TestApp t;
        addShipped(t, file);
        t.writeFile(QStringLiteral("kodoplet.ini"), settingsNaming(file.toUtf8()));
        t.realLanguageStep = true;
        t.start();
        const QString help = app().lang.HelpFile;
        QVERIFY2(!help.isEmpty(), qPrintable(file));
        t.command(QStringLiteral("HelpCallHelp"));
        QCOMPARE(t.shell.opened, QStringList{t.folder + help});
        // The page is there beside the built program.
        QVERIFY2(QFileInfo(buildDir() + u'/' + help).isFile(), qPrintable(file + QStringLiteral(": ") + help));
    }
}

QTEST_MAIN(TestLangGui)
#include "test_lang_gui.moc"
