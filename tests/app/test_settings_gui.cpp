// The settings file through the program: written when the main frame closes,
// read by the next start-up.
#include "editing/GuiSupport.h"

#include "app/AppState.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

using namespace gui;

class TestSettingsGui : public QObject {
    Q_OBJECT

    // The three options the Options and Edit menus tick, all on at first start.
    static inline const QStringList kOptions = {"mnuOptionsToolbar", "mnuOptionsListTags", "mnuEditPerenosWord",
                                                "mnuOptionsHighlight", "mnuOptionsLineNumbers", "mnuOptionsStatusBar",
                                                "mnuOptionsCloseTags", "mnuOptionsAutoIndent"};
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
            // The default font, wrapped: its face is not installed here, the fixed-width one stands in.
            QCOMPARE(font(t.editor()), QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family()
                                           + QStringLiteral(" 12 0 0"));
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
            QCOMPARE(font(t.editor()), QStringLiteral("DejaVu Serif 16 0 1"));
            QCOMPARE(app().settings.EditorFontSize, 14);
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
                     QByteArray("[kodoplet-view]\nhighlighting=false\nlineNumbers=false\nstatusBar=false\n"
                                "closeTags=false\nautoIndent=false\nzoom=2\n"));
            QVERIFY(!app().highlighting.value() && !app().lineNumbers.value() && !app().statusBar.value());
        }

        TestApp t;
        t.writeFile(QStringLiteral("kodoplet.ini"), ini);
        t.writeFile(QStringLiteral("kodoplet-view.ini"),
                    "highlighting=false\nlineNumbers=false\nstatusBar=false\ncloseTags=false\nautoIndent=false\nzoom=2\n");
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
        QCOMPARE(projectAsked, lastFolder.left(lastFolder.size() - 6) + QStringLiteral("site.wpr"));
        QCOMPARE(app().settings.LastFolder, lastFolder);
        // The values are in force, not only stored.
        QCOMPARE(font(t.editor()), QStringLiteral("DejaVu Serif 16 0 1"));
        QCOMPARE(app().settings.EditorFontSize, 14);
        QCOMPARE(t.editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
        t.command(QStringLiteral("mnuFileOpen"));
        QCOMPARE(t.dialogs.last(QStringLiteral("open")).folder, lastFolder);
    }

    void exitKeepsGoingOrStopsSafely()
    {
        TestApp t;
        frmMain *f = startProgram(t);
        QVERIFY(f);
        type(t.editor(), QStringLiteral("keep me"));
        t.dialogs.messageAnswers.enqueue(Dialogs::Yes);
        t.dialogs.fileAnswers.enqueue(QString());   // Save As cancelled: nothing closes
        f->close();
        QCOMPARE(t.quitCount, 0);
        QVERIFY(f->isVisible());
        QVERIFY(t.editor()->text().startsWith(QStringLiteral("keep me")));
        QVERIFY(!QFile::exists(t.folder + QStringLiteral("kodoplet.ini")));

        // A settings file that cannot be written is reported, and the program still ends.
        QVERIFY(QDir(t.folder).mkdir(QStringLiteral("kodoplet.ini")));
        t.dialogs.messageAnswers.enqueue(Dialogs::No);
        f->close();
        QCOMPARE(t.quitCount, 1);
        const auto asked = t.dialogs.last(QStringLiteral("message"));
        QCOMPARE(asked.style, int(Dialogs::Critical));
        QCOMPARE(asked.text, QStringLiteral("[3] ") + t.folder + QStringLiteral("kodoplet.ini [94]"));
    }
};

QTEST_MAIN(TestSettingsGui)
#include "test_settings_gui.moc"
