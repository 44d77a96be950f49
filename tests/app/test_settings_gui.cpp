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

    static void checkFont(EditControl *e, const QString &family, int size, bool bold, bool italic)
    {
        QCOMPARE(e->font().family(), family);
        QCOMPARE(e->font().pointSize(), size);
        QCOMPARE(e->font().bold(), bold);
        QCOMPARE(e->font().italic(), italic);
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
            Settings &s = app().settings;
            // Changed the way the user changes them.
            QVERIFY(f->trigger(QStringLiteral("mnuOptionsToolbar")));
            QVERIFY(f->trigger(QStringLiteral("mnuOptionsListTags")));
            QVERIFY(f->trigger(QStringLiteral("mnuEditPerenosWord")));
            t.dialogs.fontAnswers.enqueue(FontChoice{QStringLiteral("DejaVu Serif"), 14, false, true});
            QVERIFY(f->trigger(QStringLiteral("mnuEditFont")));
            QDir(t.folder).mkdir(QStringLiteral("pages"));
            lastFolder = t.folder + QStringLiteral("pages/");
            t.dialogs.fileAnswers.enqueue(lastFolder + QStringLiteral("none.htm"));
            QVERIFY(f->trigger(QStringLiteral("mnuFileOpen")));
            // Language and project have no commands of this part yet.
            s.LanguageFile = QStringLiteral("English.txt");
            s.ProjectPath = t.folder + QStringLiteral("site.wpr");

            f->close();
            QCOMPARE(t.quitCount, 1);
            QVERIFY(!f->isVisible());
            ini = t.readFile(QStringLiteral("kodoplet.ini"));
            QVERIFY(!ini.isEmpty());
            QVERIFY(ini.startsWith("[kodoplet]\r\nEnglish.txt\r\nFalse\r\nFalse\r\n 1 \r\n"));
            QVERIFY(ini.endsWith("\r\n"));
            QCOMPARE(ini.count("\r\n"), 11);
        }

        TestApp t;
        t.writeFile(QStringLiteral("kodoplet.ini"), ini);
        // The project step is asked to open the remembered project; none is there.
        QString projectAsked;
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
        QCOMPARE(s.EditorFontName, QStringLiteral("DejaVu Serif"));
        QCOMPARE(s.EditorFontSize, 14);
        QCOMPARE(s.EditorFontBold, false);
        QCOMPARE(s.EditorFontItalic, true);
        QCOMPARE(s.LastFolder, lastFolder);

        // The values are in force, not only stored.
        QVERIFY(t.editor());
        checkFont(t.editor(), QStringLiteral("DejaVu Serif"), 14, false, true);
        QCOMPARE(t.editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(f->trigger(QStringLiteral("mnuFileOpen")));
        QCOMPARE(t.dialogs.last(QStringLiteral("open")).folder, lastFolder);
        type(t.editor(), QStringLiteral("<"));
        QVERIFY(t.editor()->text().startsWith(u'<'));
        QCOMPARE(t.active()->IzmT, 1);
    }

    void firstStartWithoutSettingsFile()
    {
        TestApp t;
        // No language remembered: the chooser comes up during start-up.
        QString chooser;
        QTimer watch;
        watch.setInterval(20);
        connect(&watch, &QTimer::timeout, [&] {
            if (QWidget *m = QApplication::activeModalWidget()) {
                chooser = QString::fromLatin1(m->metaObject()->className());
                static_cast<QDialog *>(m)->reject();
            }
        });
        watch.start();
        t.realLanguageStep = true;
        frmMain *f = t.start();
        watch.stop();
        QVERIFY(f);
        QCOMPARE(chooser, QStringLiteral("frmLang"));

        const Settings &s = app().settings;
        QVERIFY(f->isChecked(QStringLiteral("mnuOptionsToolbar")));
        QVERIFY(f->isChecked(QStringLiteral("mnuOptionsListTags")));
        QCOMPARE(s.WrapMode, 0);
        QVERIFY(f->isChecked(QStringLiteral("mnuEditPerenosWord")));
        QCOMPARE(s.ProgramFolder, t.folder);
        QCOMPARE(s.PathSeparator, QStringLiteral("/"));
        QCOMPARE(s.LanguageFile, QString());
        QCOMPARE(s.ProjectPath, QString());

        // One new page from the template, in the default font, wrapped.
        QCOMPARE(app().docs.OpenDocCount, 1);
        QVERIFY(t.editor());
        QVERIFY(t.editor()->text().startsWith(QStringLiteral("<!DOCTYPE HTML")));
        QCOMPARE(t.active()->IzmT, 0);
        checkFont(t.editor(), QStringLiteral("MS Sans Serif"), 12, true, false);
        QCOMPARE(t.editor()->lineWrapMode(), QPlainTextEdit::WidgetWidth);

        // The file dialogs start in the program folder.
        QVERIFY(f->trigger(QStringLiteral("mnuFileOpen")));
        QCOMPARE(t.dialogs.last(QStringLiteral("open")).folder, t.folder);
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(t.dialogs.last(QStringLiteral("save")).folder, t.folder);
    }

    void damagedSettingsFileKeepsDefaults()
    {
        TestApp t;
        QByteArray junk("[kodoplet]\r\n\x01\x02\xff\r\nmaybe\r\n");
        junk += QByteArray(200000, 'x') + "\r\n 7x \r\n\r\n\r\n-99999999999\r\n";
        t.writeFile(QStringLiteral("kodoplet.ini"), junk);
        frmMain *f = startProgram(t);
        QVERIFY(f);
        const Settings &s = app().settings;
        QVERIFY(f->isChecked(QStringLiteral("mnuOptionsToolbar")));
        QCOMPARE(s.EditorFontSize, 12);
        QCOMPARE(s.EditorFontBold, true);
        QCOMPARE(app().docs.OpenDocCount, 1);
    }

    void oddWrapValueStillToggles()
    {
        TestApp t;
        t.writeFile(QStringLiteral("kodoplet.ini"),
                    "[kodoplet]\r\n\r\nTrue\r\nTrue\r\n 2 \r\n\r\nArial\r\n 12 \r\nFalse\r\nFalse\r\n\r\n");
        frmMain *f = startProgram(t);
        QVERIFY(f);
        // Anything but 0 is wrap off, without a check mark.
        QVERIFY(!f->isChecked(QStringLiteral("mnuEditPerenosWord")));
        QCOMPARE(t.editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(f->trigger(QStringLiteral("mnuEditPerenosWord")));
        QCOMPARE(app().settings.WrapMode, 0);
        QVERIFY(f->isChecked(QStringLiteral("mnuEditPerenosWord")));
        QCOMPARE(t.editor()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QVERIFY(f->trigger(QStringLiteral("mnuEditPerenosWord")));
        QCOMPARE(app().settings.WrapMode, 1);
        QVERIFY(!f->isChecked(QStringLiteral("mnuEditPerenosWord")));
        QCOMPARE(t.editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
    }

    void settingsThatCannotBeWrittenAreReported()
    {
        TestApp t;
        // A folder where the file should be refuses writing, also for root.
        QVERIFY(QDir(t.folder).mkdir(QStringLiteral("kodoplet.ini")));
        frmMain *f = startProgram(t);
        QVERIFY(f);
        f->close();
        QCOMPARE(t.quitCount, 1);
        const auto asked = t.dialogs.last(QStringLiteral("message"));
        QCOMPARE(asked.style, int(Dialogs::Critical));
        QCOMPARE(asked.text, QStringLiteral("File ") + t.folder + QStringLiteral("kodoplet.ini "));
    }

    void exitStopsWhenAChangedPageCannotBeSaved()
    {
        TestApp t;
        frmMain *f = startProgram(t);
        QVERIFY(f);
        type(t.editor(), QStringLiteral("keep me"));
        t.dialogs.messageAnswers.enqueue(Dialogs::Yes);
        t.dialogs.fileAnswers.enqueue(QString());   // Save As cancelled
        f->close();
        QCOMPARE(t.quitCount, 0);
        QVERIFY(f->isVisible());
        QCOMPARE(app().docs.OpenDocCount, 1);
        QVERIFY(t.editor()->text().startsWith(QStringLiteral("keep me")));
        QVERIFY(!QFile::exists(t.folder + QStringLiteral("kodoplet.ini")));
    }
};

QTEST_MAIN(TestSettingsGui)
#include "test_settings_gui.moc"
