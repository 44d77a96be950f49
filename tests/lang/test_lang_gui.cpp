#include "files/ProjectCommands.h"
#include "app/CommandTable.h"
#include "common/TestApp.h"
#include "lang/LanguageLoader.h"
#include "lang/MainFrameCaptions.h"
#include "lang/frmLang.h"
#include <QtTest>
#include <QtWidgets>

namespace {

// A complete language file: entry n is prefix + n, except the texts others are built from.
QByteArray languageFile(const QString &name, const QString &p)
{
    QString text = u'"' + name + "\",\"Help/" + p + ".html\"\r\n";
    for (int n = 1; n <= 160; n = n == 106 ? 158 : n + 1)   // the frame texts, the file filters
        text += QString::number(n) + ",\""
            + (n == 1 ? p + "Ed" : n == 2 ? p + "Unt" : n == 3 ? u'&' + p + "File" : n == 62 ? p + "Proj" : p + QString::number(n))
            + "\"\r\n";
    return text.toUtf8();
}

void addLanguage(TestApp &t, const QString &file, const QByteArray &bytes)
{
    QDir().mkpath(t.folder + "Language");
    t.writeFile("Language/" + file, bytes);
}

QString s(const char *utf8) { return QString::fromUtf8(utf8); }
QString selectedRow(const frmLang *c) { return c->DirT->selectedItems().isEmpty() ? QString() : c->DirT->selectedItems()[0]->text(); }

QByteArray ini(const QByteArray &languageFile) { return "[kodoplet]\r\n" + languageFile + "\r\n"; }

// The frame's own caption: a maximized document adds " - [name]", as MDI frames do.
QString frameCaption(const TestApp &t) { return t.frame->windowTitle().section(" - [", 0, 0); }

QString caption(const TestApp &t, const QString &name) { return t.frame->action(name) ? t.frame->action(name)->text() : "<no action " + name + '>'; }

// Every text a language load may change, to see that a failed load changed none.
QStringList everyText(const TestApp &t)
{
    const AppState &a = app();
    QStringList all{t.frame->windowTitle(), a.lang.AppTitle, a.lang.UntitledName, a.lang.NewPageTitle,
                    a.lang.DefaultProjectName, a.lang.HelpFile, a.settings.LanguageFile, a.projects->ProjectName};
    all << QStringList(std::begin(a.lang.DialogTexts), std::end(a.lang.DialogTexts))
        << QStringList(std::begin(a.lang.Messages), std::end(a.lang.Messages));
    for (QAction *act : t.frame->actions())
        all << act->objectName() + u'=' + act->text() + u'|' + act->toolTip();
    for (DocWindow *d : a.docs.open())
        all << d->document()->txtCaption() + u'|' + d->shownTitle();
    return all;
}

// Acts on each language chooser that comes on screen, modal or not. The default
// cancels it, so a start-up never hangs on a modal chooser.
struct ChooserWatch {
    std::function<void(frmLang *)> act = [](frmLang *c) { c->NO->click(); };
    int shown = 0;
    QStringList designed, rows, files;   // of the last chooser seen
    QTimer timer;
    QPointer<frmLang> seen;

    ChooserWatch()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *c = qobject_cast<frmLang *>(w); c && c->isVisible() && c != seen.data()) {
                    seen = c;
                    ++shown;
                    designed = QStringList{c->windowTitle(), c->Label1->text(), c->OK->text(), c->NO->text()};
                    rows.clear();
                    for (int i = 0; i < c->DirT->count(); ++i)
                        rows << c->DirT->item(i)->text();
                    files = c->File;
                    act(c);
                }
        });
        timer.start(5);
    }
};

} // namespace

class TestLangGui : public QObject {
    Q_OBJECT

private slots:
    void loadSwitchesEveryTextRenamesAndFailsSafely()
    {
        TestApp t;
        addLanguage(t, "a.txt", languageFile("Alpha", "A"));
        addLanguage(t, "b.txt", languageFile("Beta", "B"));
        addLanguage(t, "bare.txt", "\"Bare\",\"Help/bare.html\"\r\n");
        addLanguage(t, "one.txt", "\"One\",\"Help/one.html\"\r\n1,\"One\"\r\n");
        t.writeFile("kodoplet.ini", ini("a.txt"));
        t.realLanguageStep = true;
        t.start();
        AppState &a = app();
        // Slots 0 and 1 untitled, slot 2 saved under a name that only looks untitled.
        t.command("mnuFileNew");
        t.command("mnuFileNew");
        QDir().mkpath(t.folder + "s.d");   // a dotted folder, so no extension is added to the name
        t.dialogs.fileAnswers.enqueue(t.folder + "s.d/AUnt3");
        t.command("mnuFileSaveFileAs");
        const std::vector<DocWindow *> docs = a.docs.open();

        app().languages->LoadJazikM("b.txt");
        QStringList names;
        for (DocWindow *d : docs)
            names << d->document()->txtCaption() << d->shownTitle();
        QCOMPARE(names, (QStringList{"BUnt1", "BUnt1", "BUnt2", "BUnt2", "AUnt3", "AUnt3"}));
        // The project still carrying the default name takes the new one.
        QCOMPARE(frameCaption(t), QStringLiteral("Kodoplet BEd Int. - BProj"));
        QCOMPARE(caption(t, "mnuOptionsLang"), QStringLiteral("Language: Beta"));
        // The file dialogs' filters speak the language too; the project dialog is
        // still told by its pattern and starts in the user's folder.
        t.dialogs.fileAnswers.enqueue(QString());
        t.command("mnuFileOpen");
        QCOMPARE(t.dialogs.last("open").filter.first().description, QStringLiteral("B158 (*.htm; *.html)"));
        QCOMPARE(t.dialogs.last("open").filter.last().description, QStringLiteral("B159 (*.*)"));
        a.settings.LastFolder = t.folder + "s.d/";
        t.dialogs.fileAnswers.enqueue(QString());
        t.command("ProektOpen");
        QCOMPARE(t.dialogs.last("open").filter.first().description, QStringLiteral("B160 (*.wpr)"));
        QCOMPARE(t.dialogs.last("open").folder, a.settings.UserFolder);

        // A missing file says why and changes nothing.
        const QStringList before = everyText(t);
        app().languages->LoadJazikM("gone.txt");
        const QueueDialogs::Asked box = t.dialogs.last("message");
        QCOMPARE(box.style, int(Dialogs::Critical));
        QCOMPARE(box.title, QStringLiteral("Kodoplet BEd Int."));
        QCOMPARE(box.text, "BFile " + t.folder + "Language/gone.txt B96");
        QCOMPARE(everyText(t), before);

        // Only the two header fields is no language file: refused like a damaged one.
        app().languages->LoadJazikM("bare.txt");
        QCOMPARE(t.dialogs.count("message"), 2);
        QCOMPARE(t.dialogs.last("message").text, "BFile " + t.folder + "Language/bare.txt B97");
        QCOMPARE(everyText(t), before);

        // One record: the frame texts it leaves out are the built-in ones (what stays
        // of the dialog texts and messages is test_lang_core's).
        app().languages->LoadJazikM("one.txt");
        QCOMPARE(t.dialogs.count("message"), 2);
        QCOMPARE(a.settings.LanguageFile, QStringLiteral("one.txt"));
        QCOMPARE(a.lang.AppTitle, QStringLiteral("Kodoplet One Int."));
        QCOMPARE(a.lang.HelpFile, QStringLiteral("Help/one.html"));
        QCOMPARE(caption(t, "mnuOptionsLang"), QStringLiteral("Language: One"));
        // Every command the file leaves out shows its built-in caption, never a blank one.
        for (const Commands::Command &c : Commands::commandTable()) {
            const CaptionBinding &b = c.text;
            if (b.target == CaptionBinding::Caption && b.entry > 0)
                QCOMPARE(caption(t, c.name), b.prefix + (b.entry == 106 ? QStringLiteral("B106") : LanguageTexts::builtInText(b.entry)));
        }
    }

    // The chooser comes up at start-up exactly when no language is remembered, in
    // the designed English texts, on the system's language (which row is in
    // test_lang_core) selected, so the keys go on from it; later it opens on the
    // language in use, whatever the system's.
    void chooserAtStartUp_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("listed");
        QTest::newRow("first start, cancelled") << QByteArray() << false << QString() << QString();
        QTest::newRow("no language remembered, Enter") << ini("") << true << "Russian.txt" << s("Русский");
        QTest::newRow("language remembered") << ini("German.txt") << false << "German.txt" << "Deutsch";
    }

    void chooserAtStartUp()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, ok);
        QFETCH(QString, language);
        QFETCH(QString, listed);
        const QLocale before;
        QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
        TestApp t;
        for (const char *f : {"German.txt", "Russian.txt", "Ukrainian.txt"})
            addLanguage(t, f, t.readFile(qEnvironmentVariable("KODOPLET_SOURCE_DIR") + "/resources/Language/" + f));
        if (!settings.isNull())
            t.writeFile("kodoplet.ini", settings);
        t.realLanguageStep = true;
        ChooserWatch watch;
        QString first, second;
        watch.act = [&](frmLang *c) {
            first = selectedRow(c);
            QTest::keyClick(c->DirT, Qt::Key_Down);
            second = selectedRow(c);
            QTest::keyClick(c->DirT, Qt::Key_Up);
            QTest::keyClick(c->DirT, ok ? Qt::Key_Return : Qt::Key_Escape);
        };
        t.start();
        QLocale::setDefault(before);
        QTest::qWait(30);
        const bool chooser = !settings.contains(".txt");
        QCOMPARE(watch.shown, int(chooser));
        if (chooser) {   // never a language loaded: the designed English texts
            QCOMPARE(watch.designed, (QStringList{"Select of language", "List:", "OK", "Cancel"}));
            QCOMPARE(watch.rows, (QStringList{"Deutsch", s("Русский"), s("Українська")}));
            QCOMPARE(first + u'>' + second, s("Русский>Українська"));
        }
        const AppState &a = app();
        QCOMPARE(a.settings.LanguageFile, language);
        QCOMPARE(t.dialogs.count("message"), 0);
        if (!language.isEmpty()) {   // the page made at start-up already has the language's name
            QCOMPARE(t.active()->document()->txtCaption(), a.lang.UntitledName + u'1');
            QCOMPARE(frameCaption(t), a.lang.AppTitle + " - " + a.lang.DefaultProjectName);
            QCOMPARE(caption(t, "mnuOptionsLang"), a.lang.text(TextEntry::LanguageLabel) + u' ' + listed);
            QVERIFY(a.lang.text(TextEntry::LanguageLabel) != u"Language:");
            // Help > Help opens the language's page, which lies beside the built program.
            t.command("HelpCallHelp");
            QCOMPARE(t.shell.opened, QStringList{t.folder + a.lang.HelpFile});
            QVERIFY(QFileInfo(qEnvironmentVariable("KODOPLET_BUILD_DIR") + u'/' + a.lang.HelpFile).isFile());
            watch.act = [&](frmLang *c) {
                first = selectedRow(c);
                QTest::keyClick(c->DirT, Qt::Key_Escape);
            };
            t.command("mnuOptionsLang");
            QTRY_COMPARE(watch.shown, int(chooser) + 1);
            QCOMPARE(first, listed);
        } else {
            QCOMPARE(a.lang.AppTitle, QStringLiteral("Kodoplet Editor Int."));   // the built-in English title
            QCOMPARE(caption(t, "mnuFile"), QStringLiteral("File"));
        }
        t.frame->close();
        QCOMPARE(QString(t.readFile("kodoplet.ini").split('\n').value(1).trimmed()), language);
    }

    void chooserListsStayInStepAndEmptyNameLoads()
    {
        TestApp t;
        addLanguage(t, "a.txt", languageFile("Alpha", "A"));
        addLanguage(t, "b.txt", QByteArray("\0\0\x01\x02garbage\xff", 12));   // refused, so not listed
        addLanguage(t, "c.txt", "Dear reader,\nno records here.\n");
        addLanguage(t, "blank.txt", "\"\",\"Help/blank.html\"\r\n1,\"Blank\"\r\n2,\"Nameless\"\r\n");
        QDir().mkpath(t.folder + "Language/d.txt");   // a folder is no language
        addLanguage(t, "e.TXT", languageFile("Epsilon", "E"));   // the extension in capitals still counts
        t.realLanguageStep = true;
        ChooserWatch watch;
        watch.act = [](frmLang *c) { c->DirT->setCurrentRow(1); c->OK->click(); };
        t.start();
        QCOMPARE(watch.files, (QStringList{"a.txt", "blank.txt", "e.TXT"}));
        QCOMPARE(watch.rows, (QStringList{"Alpha", "", "Epsilon"}));
        QCOMPARE(app().settings.LanguageFile, QStringLiteral("blank.txt"));
        QCOMPARE(caption(t, "mnuOptionsLang"), QStringLiteral("Language: "));
    }
};

QTEST_MAIN(TestLangGui)
#include "test_lang_gui.moc"
