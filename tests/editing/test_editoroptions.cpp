// Editor font and word wrap: one setting for every open editor.
#include "editing/GuiSupport.h"

#include "app/AppState.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QFontDialog>
#include <QtTest>

using namespace gui;

class TestEditorOptions : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> t;
    frmMain *f = nullptr;

    DocWindow *slot(int i) const { return app().docs.slot(i); }
    std::vector<DocWindow *> docs() const { return app().docs.open(); }

private slots:
    void init()
    {
        t = std::make_unique<TestApp>();
        f = startProgram(*t);
        QVERIFY(f);
        QVERIFY(f->trigger(QStringLiteral("mnuFileNew")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileScriptNew")));
        QCOMPARE(app().docs.OpenDocCount, 3);
    }
    void cleanup() { t.reset(); }

    void chosenFontReachesEveryEditor()
    {
        DocWindow *changed = slot(1);
        f->activateDoc(changed);
        type(changed->Rich(), QStringLiteral("ab"));
        const QString text = changed->Rich()->text();

        t->dialogs.fontAnswers.enqueue(FontChoice{QStringLiteral("DejaVu Sans Mono"), 14, true, true});
        QVERIFY(f->trigger(QStringLiteral("mnuEditFont")));
        // The dialog starts from the current font.
        QCOMPARE(t->dialogs.lastFontStart.family, QStringLiteral("MS Sans Serif"));
        QCOMPARE(t->dialogs.lastFontStart.pointSize, 12);
        QVERIFY(t->dialogs.lastFontStart.bold);
        QVERIFY(!t->dialogs.lastFontStart.italic);

        const Settings &s = app().settings;
        QCOMPARE(s.EditorFontName, QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(s.EditorFontSize, 14);
        QVERIFY(s.EditorFontBold);
        QVERIFY(s.EditorFontItalic);
        for (DocWindow *d : docs()) {
            const QFont font = d->Rich()->font();
            QCOMPARE(font.family(), QStringLiteral("DejaVu Sans Mono"));
            QCOMPARE(font.pointSize(), 14);
            QVERIFY(font.bold());
            QVERIFY(font.italic());
        }
        // Modified state and histories stay as they were.
        QCOMPARE(slot(0)->IzmT, 0);
        QVERIFY(!slot(0)->IzmUndo);
        QCOMPARE(changed->IzmT, 1);
        QCOMPARE(changed->Rich()->text(), text);
        QTest::keyClick(changed->Rich(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(changed->Rich(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!changed->IzmUndo);
        QCOMPARE(changed->Rich()->text(), text.mid(2));

        // A new document comes with the chosen font; the next dialog starts from it.
        QVERIFY(f->trigger(QStringLiteral("mnuFileNew")));
        QCOMPARE(t->editor()->font().family(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(t->editor()->font().pointSize(), 14);
        QVERIFY(f->trigger(QStringLiteral("mnuEditFont")));
        QCOMPARE(t->dialogs.lastFontStart.family, QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(t->dialogs.lastFontStart.pointSize, 14);
        QVERIFY(t->dialogs.lastFontStart.italic);
    }

    void cancelledFontDialogChangesNothing()
    {
        const Settings before = app().settings;
        const QFont font = slot(0)->Rich()->font();
        t->dialogs.fontAnswers.enqueue(std::nullopt);
        QVERIFY(f->trigger(QStringLiteral("mnuEditFont")));
        QCOMPARE(t->dialogs.count(QStringLiteral("font")), 1);
        const Settings &s = app().settings;
        QCOMPARE(s.EditorFontName, before.EditorFontName);
        QCOMPARE(s.EditorFontSize, before.EditorFontSize);
        QCOMPARE(s.EditorFontBold, before.EditorFontBold);
        QCOMPARE(s.EditorFontItalic, before.EditorFontItalic);
        for (DocWindow *d : docs())
            QCOMPARE(d->Rich()->font(), font);
    }

    void realFontDialogStartsFromTheCurrentFont()
    {
        QtDialogs real;
        QFont seen;
        QTimer answer;
        answer.setInterval(20);
        connect(&answer, &QTimer::timeout, [&] {
            auto *d = qobject_cast<QFontDialog *>(QApplication::activeModalWidget());
            if (!d)
                return;
            seen = d->currentFont();
            QFont pick(QStringLiteral("DejaVu Sans"), 11);
            pick.setBold(true);
            d->setCurrentFont(pick);
            d->accept();
        });
        answer.start();
        FontChoice chosen;
        const bool ok = real.chooseFont(FontChoice{QStringLiteral("DejaVu Serif"), 13, false, true}, chosen);
        answer.stop();
        QVERIFY(ok);
        QCOMPARE(seen.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(seen.pointSize(), 13);
        QVERIFY(seen.italic());
        QCOMPARE(chosen.family, QStringLiteral("DejaVu Sans"));
        QCOMPARE(chosen.pointSize, 11);
        QVERIFY(chosen.bold);
        QVERIFY(!chosen.italic);
    }

    void wordWrapTogglesForEveryEditor()
    {
        type(slot(0)->Rich(), QStringLiteral("x"));
        QVERIFY(f->isChecked(QStringLiteral("mnuEditPerenosWord")));
        for (DocWindow *d : docs())
            QCOMPARE(d->Rich()->lineWrapMode(), QPlainTextEdit::WidgetWidth);

        QVERIFY(f->trigger(QStringLiteral("mnuEditPerenosWord")));
        QCOMPARE(app().settings.WrapMode, 1);
        QVERIFY(!f->isChecked(QStringLiteral("mnuEditPerenosWord")));
        for (DocWindow *d : docs())
            QCOMPARE(d->Rich()->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(slot(0)->IzmT, 1);
        QCOMPARE(slot(1)->IzmT, 0);
        QVERIFY(!slot(1)->IzmUndo);

        // Documents created while wrap is off do not wrap, however they are made.
        QVERIFY(f->trigger(QStringLiteral("mnuFileNew")));
        QCOMPARE(t->editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(f->trigger(QStringLiteral("mnuFileScriptNew")));
        QCOMPARE(t->editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
        t->writeFile(QStringLiteral("p.htm"), "<p>\r\n");
        t->dialogs.fileAnswers.enqueue(t->folder + QStringLiteral("p.htm"));
        QVERIFY(f->trigger(QStringLiteral("mnuFileOpen")));
        QCOMPARE(t->editor()->lineWrapMode(), QPlainTextEdit::NoWrap);

        QVERIFY(f->trigger(QStringLiteral("mnuEditPerenosWord")));
        QCOMPARE(app().settings.WrapMode, 0);
        QVERIFY(f->isChecked(QStringLiteral("mnuEditPerenosWord")));
        for (DocWindow *d : docs())
            QCOMPARE(d->Rich()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(slot(0)->IzmT, 1);
        QCOMPARE(slot(1)->IzmT, 0);
    }
};

QTEST_MAIN(TestEditorOptions)
#include "test_editoroptions.moc"
