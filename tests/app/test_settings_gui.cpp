// The settings file through the program: written when the main frame closes,
// read by the next start-up.
#include "editing/GuiSupport.h"

#include "app/AppState.h"

#include "app/ToolBar.h"

#include <QtTest>

using namespace gui;

class TestSettingsGui : public QObject {
    Q_OBJECT

    // The options the Options and Edit menus tick, all on at first start.
    static inline const QStringList kOptions = {"mnuOptionsToolbar", "mnuOptionsListTags", "mnuEditPerenosWord",
                                                "mnuOptionsHighlight", "mnuOptionsLineNumbers", "mnuOptionsStatusBar"};
    static QString font(EditControl *e)
    {
        return QStringLiteral("%1 %2 %3 %4").arg(e->font().family()).arg(e->font().pointSize()).arg(e->font().bold()).arg(e->font().italic());
    }

private slots:
    // The first start has no settings file; what it changes is written at exit and restored by the next start.
    void firstStartThenExitWritesWhatTheNextStartRestores()
    {
        QByteArray ini;
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
            QDir(t.folder).mkdir(QStringLiteral("pages"));
            lastFolder = t.folder + QStringLiteral("pages/");
            t.dialogs.fileAnswers.enqueue(lastFolder + QStringLiteral("none.htm"));
            t.command(QStringLiteral("mnuFileOpen"));   // the file dialogs start in the program folder
            QCOMPARE(t.dialogs.last(QStringLiteral("open")).folder, t.folder);
            app().settings.LanguageFile = QStringLiteral("English.txt");   // set by other parts
            app().settings.ProjectPath = t.folder + QStringLiteral("site.wpr");

            f->close();
            QCOMPARE(t.quitCount, 1);
            ini = t.readFile(QStringLiteral("kodoplet.ini"));
            // Other copies of the program read kodoplet.ini: still its eleven lines;
            // the view options go to their own file.
            QCOMPARE(ini.count("\r\n"), 11);
            QVERIFY(!ini.contains("highlight"));
            QCOMPARE(t.readFile(QStringLiteral("kodoplet-view.ini")),
                     QByteArray("[kodoplet-view]\nhighlighting=false\nlineNumbers=false\nstatusBar=false\n"));
            QVERIFY(!app().highlighting.value() && !app().lineNumbers.value() && !app().statusBar.value());
        }

        TestApp t;
        t.writeFile(QStringLiteral("kodoplet.ini"), ini);
        t.writeFile(QStringLiteral("kodoplet-view.ini"), "highlighting=false\nlineNumbers=false\nstatusBar=false\n");
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
        QCOMPARE(font(t.editor()), QStringLiteral("DejaVu Serif 14 0 1"));
        QCOMPARE(t.editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
        t.command(QStringLiteral("mnuFileOpen"));
        QCOMPARE(t.dialogs.last(QStringLiteral("open")).folder, lastFolder);
    }

    // A settings file that cannot be written is reported, and the program still ends.
    // (Unsaved text at exit: test_frame_gui.)
    void unwritableSettingsAreReportedAtExit()
    {
        TestApp t;
        frmMain *f = startProgram(t);
        QVERIFY(f);
        QVERIFY(QDir(t.folder).mkdir(QStringLiteral("kodoplet.ini")));
        f->close();
        QCOMPARE(t.quitCount, 1);
        const auto asked = t.dialogs.last(QStringLiteral("message"));
        QCOMPARE(asked.style, int(Dialogs::Critical));
        QCOMPARE(asked.text, QStringLiteral("[3] ") + t.folder + QStringLiteral("kodoplet.ini [94]"));
    }
};

QTEST_MAIN(TestSettingsGui)
#include "test_settings_gui.moc"
