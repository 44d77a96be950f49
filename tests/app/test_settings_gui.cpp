// The settings file through the program: written when the main frame closes,
// read by the next start-up.
#include "editing/GuiSupport.h"

#include "app/AppState.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QtTest>

using namespace gui;

class TestSettingsGui : public QObject {
    Q_OBJECT

    static QString font(EditControl *e)
    {
        return QStringLiteral("%1 %2 %3 %4").arg(e->font().family()).arg(e->font().pointSize()).arg(e->font().bold()).arg(e->font().italic());
    }

private slots:
    void exitWritesWhatTheNextStartRestores()
    {
        QByteArray ini;
        QString lastFolder;
        {
            TestApp t;
            frmMain *f = startProgram(t);
            QVERIFY(f);
            for (const char *command : {"mnuOptionsToolbar", "mnuOptionsListTags", "mnuEditPerenosWord"})
                t.command(QString::fromLatin1(command));
            t.dialogs.fontAnswers.enqueue(FontChoice{QStringLiteral("DejaVu Serif"), 14, false, true});
            t.command(QStringLiteral("mnuEditFont"));
            QDir(t.folder).mkdir(QStringLiteral("pages"));
            lastFolder = t.folder + QStringLiteral("pages/");
            t.dialogs.fileAnswers.enqueue(lastFolder + QStringLiteral("none.htm"));
            t.command(QStringLiteral("mnuFileOpen"));
            app().settings.LanguageFile = QStringLiteral("English.txt");   // set by other parts
            app().settings.ProjectPath = t.folder + QStringLiteral("site.wpr");

            f->close();
            QCOMPARE(t.quitCount, 1);
            QVERIFY(!f->isVisible());
            ini = t.readFile(QStringLiteral("kodoplet.ini"));
            QVERIFY(ini.startsWith("[kodoplet]\r\nEnglish.txt\r\nFalse\r\nFalse\r\n 1 \r\n"));
            QVERIFY(ini.endsWith("\r\n"));
            QCOMPARE(ini.count("\r\n"), 11);
        }

        TestApp t;
        t.writeFile(QStringLiteral("kodoplet.ini"), ini);
        QString projectAsked;   // the remembered project is asked for; none is there
        StartUp::hooks().loadProject = [&] {
            projectAsked = app().settings.ProjectPath;
            return false;
        };
        frmMain *f = startProgram(t);
        StartUp::hooks().loadProject = nullptr;
        QVERIFY(f);
        const Settings &s = app().settings;
        QCOMPARE(s.LanguageFile, QStringLiteral("English.txt"));
        QVERIFY(!f->isChecked(QStringLiteral("mnuOptionsToolbar")));
        QVERIFY(!f->isChecked(QStringLiteral("mnuOptionsListTags")));
        QCOMPARE(s.WrapMode, 1);
        QVERIFY(!f->isChecked(QStringLiteral("mnuEditPerenosWord")));
        QCOMPARE(projectAsked, lastFolder.left(lastFolder.size() - 6) + QStringLiteral("site.wpr"));
        QCOMPARE(s.LastFolder, lastFolder);
        // The values are in force, not only stored.
        QCOMPARE(font(t.editor()), QStringLiteral("DejaVu Serif 14 0 1"));
        QCOMPARE(t.editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
        t.command(QStringLiteral("mnuFileOpen"));
        QCOMPARE(t.dialogs.last(QStringLiteral("open")).folder, lastFolder);
        type(t.editor(), QStringLiteral("<"));
        QVERIFY(t.editor()->text().startsWith(u'<'));
    }

    void firstStartWithoutSettingsFile()
    {
        TestApp t;
        QString chooser;   // no language remembered: the chooser comes up during start-up
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (QWidget *m = QApplication::activeModalWidget()) {
                chooser = QString::fromLatin1(m->metaObject()->className());
                static_cast<QDialog *>(m)->reject();
            }
        });
        watch.start(20);
        t.realLanguageStep = true;
        frmMain *f = t.start();
        watch.stop();
        QVERIFY(f);
        QCOMPARE(chooser, QStringLiteral("frmLang"));
        const Settings &s = app().settings;
        QVERIFY(f->isChecked(QStringLiteral("mnuOptionsToolbar")));
        QVERIFY(f->isChecked(QStringLiteral("mnuOptionsListTags")));
        QVERIFY(f->isChecked(QStringLiteral("mnuEditPerenosWord")));
        QCOMPARE(s.WrapMode, 0);
        QCOMPARE(s.ProgramFolder, t.folder);
        QCOMPARE(s.LanguageFile, QString());
        QCOMPARE(s.ProjectPath, QString());
        // One new page from the template, in the default font, wrapped.
        QCOMPARE(app().docs.OpenDocCount, 1);
        QVERIFY(t.editor()->text().startsWith(QStringLiteral("<!DOCTYPE HTML")));
        QCOMPARE(t.active()->IzmT, 0);
        QCOMPARE(font(t.editor()), QStringLiteral("MS Sans Serif 12 1 0"));
        QCOMPARE(t.editor()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        t.command(QStringLiteral("mnuFileOpen"));   // the file dialogs start in the program folder
        QCOMPARE(t.dialogs.last(QStringLiteral("open")).folder, t.folder);
    }

    void damagedSettingsFileKeepsDefaults()
    {
        TestApp t;
        QByteArray junk("[kodoplet]\r\n\x01\x02\xff\r\nmaybe\r\n");
        junk += QByteArray(200000, 'x') + "\r\n 7x \r\n\r\n\r\n-99999999999\r\n";
        t.writeFile(QStringLiteral("kodoplet.ini"), junk);
        frmMain *f = startProgram(t);
        QVERIFY(f);
        QVERIFY(f->isChecked(QStringLiteral("mnuOptionsToolbar")));
        QCOMPARE(app().settings.EditorFontSize, 12);
        QCOMPARE(app().docs.OpenDocCount, 1);
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
        QCOMPARE(asked.text, QStringLiteral("File ") + t.folder + QStringLiteral("kodoplet.ini "));
    }
};

QTEST_MAIN(TestSettingsGui)
#include "test_settings_gui.moc"
