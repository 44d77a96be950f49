// The toolbar through real clicks on its buttons (Options > Toolbar across a
// restart: test_frame_gui), and the two information windows of the Help menu.
#include "common/GuiFixture.h"

#include "app/CommandRegistry.h"
#include "app/ToolBar.h"
#include "app/frmAbout.h"
#include "app/frmShare.h"
#include "lang/LanguageLoader.h"
#include "lang/MainFrameCaptions.h"

#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTextDocument>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

using namespace gui;

namespace {
QString button(int i) { return QStringLiteral("PicKnopki%1").arg(i); }
}

class TestToolbarGui : public QObject {
    Q_OBJECT
    GuiFixture g;

    QToolBar *bar() const { return g.f->findChild<QToolBar *>(QStringLiteral("picToolBar")); }
    QWidget *widget(int i) const { return bar()->widgetForAction(g.f->action(button(i))); }
    void click(int i, Qt::MouseButton mouse = Qt::LeftButton)
    {
        QWidget *w = widget(i);
        QVERIFY2(w, qPrintable(button(i)));
        QTest::mouseClick(w, mouse);
    }
    // The buttons that can be clicked now, as "0-3" style text of their numbers.
    QString enabledButtons() const
    {
        QStringList on;
        for (int i = 0; i <= 20; ++i)
            if (widget(i)->isEnabled())
                on << QString::number(i);
        return on.join(u' ');
    }

private slots:
    void init() { QVERIFY(g.startApp()); }
    void cleanup() { g.stopApp(); }

    void enabledStatesWithoutDocumentInEditorAndPreview()
    {
        // Editor of a fresh page: no undo or redo step yet.
        QCOMPARE(enabledButtons(), QStringLiteral("0 1 2 3 4 5 6 7 8 11 12 13 14 15 16 17 18 19 20"));
        type(g.ed(), QStringLiteral("x"));
        QCOMPARE(enabledButtons(), QStringLiteral("0 1 2 3 4 5 6 7 8 9 11 12 13 14 15 16 17 18 19 20"));
        click(9);
        QCOMPARE(enabledButtons(), QStringLiteral("0 1 2 3 4 5 6 7 8 10 11 12 13 14 15 16 17 18 19 20"));

        // Preview: only the file buttons and the switch back.
        click(19);
        QTRY_VERIFY(!g.doc()->editorVisible());
        QCOMPARE(enabledButtons(), QStringLiteral("0 1 2 3 4 19 20"));
        click(19);
        QTRY_VERIFY(g.doc()->editorVisible());

        // No document: the four that need none still work, and focus nothing.
        g.t->dialogs.messageAnswers.enqueue(Dialogs::No);   // the changed page is not saved
        g.t->command(QStringLiteral("ProektCloseAllFile"));
        QCOMPARE(app().docs.OpenDocCount, 0);
        QCOMPARE(enabledButtons(), QStringLiteral("0 1 2 3"));
        click(5);   // a disabled button runs nothing
        QCOMPARE(app().docs.OpenDocCount, 0);
        click(0);
        QVERIFY(g.ed()->text().startsWith(QStringLiteral("<!DOCTYPE HTML")));
        click(1);
        QCOMPARE(app().docs.OpenDocCount, 2);
        QVERIFY(g.doc()->document()->Script());
    }

    void insertionReplacesTheSelectionWithTheCaretBetweenTheTags()
    {
        putMarked(g.doc(), QStringLiteral("a\r\n[word] b"));
        click(11);
        QCOMPARE(marked(g.ed()), QStringLiteral("a\r\n<b>|</b> b"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(g.ed()));
        // One step back brings the word again; Redo puts the tags back.
        click(9);
        QCOMPARE(g.ed()->text(), QStringLiteral("a\r\nword b"));
        click(10);
        QCOMPARE(g.ed()->text(), QStringLiteral("a\r\n<b></b> b"));
        // A button's dialog gives the focus back to the editor too.
        g.t->dialogs.fontAnswers.enqueue(FontChoice{QStringLiteral("DejaVu Serif"), 14, false, true});
        click(18);
        QCOMPARE(g.ed()->font().pointSize(), 14);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(g.ed()));
    }

    // Under the menu, above the documents. What a tooltip shows (from the language),
    // read the way Qt's tooltip reads its text; each button has an icon (its own
    // drawing renders, for a desktop without an icon theme) and takes no focus.
    void tooltipsShowTheirCaptionsAsTyped()
    {
        QVERIFY(bar()->isVisible() && bar()->y() < g.f->mdiArea()->y());
        QCOMPARE(g.f->action(button(0))->toolTip(), QStringLiteral("[4]"));
        for (int i = 0; i <= 20; ++i) {
            QWidget *w = widget(i);
            QVERIFY(!g.f->action(button(i))->icon().isNull());
            QVERIFY(!QIcon(ToolBar::fallbackIconPath(i)).pixmap(22, 22).isNull());
            QCOMPARE(w->focusPolicy(), Qt::NoFocus);
            const QString caption = g.f->action(button(i))->toolTip();
            QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(w, &help);
            QTRY_VERIFY(QToolTip::isVisible());
            QTextDocument shown;
            if (Qt::mightBeRichText(QToolTip::text()))
                shown.setHtml(QToolTip::text());
            else
                shown.setPlainText(QToolTip::text());
            QVERIFY(!caption.isEmpty());
            QCOMPARE(shown.toPlainText(), caption);
            QToolTip::hideText();
        }
    }

    void rightAndMiddleClicksRunAButtonAsALeftClickDoes_data()
    {
        QTest::addColumn<Qt::MouseButton>("mouse");
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void rightAndMiddleClicksRunAButtonAsALeftClickDoes()
    {
        QFETCH(Qt::MouseButton, mouse);
        load(g.doc(), QStringLiteral("ab"), 1);
        click(11, mouse);
        QCOMPARE(g.ed()->text(), QStringLiteral("a<b></b>b"));
        // Pressed, the button looks pressed; dragged off and released outside, it runs nothing.
        auto *italic = qobject_cast<QToolButton *>(widget(12));
        QVERIFY(italic);
        QTest::mousePress(italic, mouse, {}, QPoint(5, 5));
        QVERIFY(italic->isDown());
        QTest::mouseRelease(italic, mouse, {}, QPoint(italic->width(), 5));
        QCOMPARE(g.ed()->text(), QStringLiteral("a<b></b>b"));
        // The last pixel inside still counts.
        QTest::mousePress(italic, mouse, {}, QPoint(5, 5));
        QTest::mouseRelease(italic, mouse, {}, QPoint(italic->width() - 1, italic->height() - 1));
        QCOMPARE(g.ed()->text(), QStringLiteral("a<b><i></i></b>b"));
        // A disabled button (the preview is shown) runs nothing.
        click(19);
        QTRY_VERIFY(!g.doc()->editorVisible());
        click(13, mouse);
        click(19, mouse);
        QTRY_VERIFY(g.doc()->editorVisible());
        QCOMPARE(g.ed()->text(), QStringLiteral("a<b><i></i></b>b"));
    }

    // About shows name and version and opens its link; Share lists the shortcuts
    // in the current language.
    void helpWindows()
    {
        QString title, version;
        whenShown<frmAbout>([&](frmAbout *w) {
            title = w->findChild<QLabel *>(QStringLiteral("lblTitle"))->text();
            version = w->findChild<QLabel *>(QStringLiteral("lblVersion"))->text();
            w->findChild<QPushButton *>(QStringLiteral("lblLink"))->click();
            w->accept();
        });
        g.t->command(QStringLiteral("HelpAbout"));
        QCOMPARE(title, QStringLiteral("Kodoplet [1] Int."));
        QVERIFY(version.contains(QRegularExpression(QStringLiteral("\\d+\\.\\d+"))));
        // The link goes through a redirect page beside the program, to the help page until there is a home page.
        const QString page = g.path(QStringLiteral("0.html"));
        QCOMPARE(g.t->shell.opened, QStringList{page});
        QVERIFY(g.t->readFile(page).contains(
            "url=" + QUrl::fromLocalFile(g.path(app().lang.HelpFile)).toString(QUrl::FullyEncoded).toUtf8() + "'"));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(g.ed()));

        // Enter closes the Share window: the page does not start with the keys.
        QString html;
        bool closedByEnter = false;
        const auto show = [&] {
            whenShown<frmShare>([&](frmShare *w) {
                html = w->html();
                if (QWidget *focus = w->focusWidget())
                    QTest::keyClick(focus, Qt::Key_Return);
                closedByEnter = !w->isVisible();
                w->accept();
            });
            g.t->command(QStringLiteral("HelpShare"));
            QVERIFY(closedByEnter);
        };
        show();
        QVERIFY(html.contains(QStringLiteral("<td>[26] &gt; &lt;TABLE...&gt; - [28]</td><td class=\"k\">Ctrl+T</td>")));

        g.addShippedLanguage(QStringLiteral("German.txt"));
        app().languages->LoadJazikM(QStringLiteral("German.txt"));
        show();
        const QString fileNew = withoutMnemonics(g.f->menuCaption(QStringLiteral("mnuFile"))) + QStringLiteral(" &gt; ")
            + withoutMnemonics(g.f->menuCaption(QStringLiteral("mnuFileNew")));
        QVERIFY(!fileNew.contains(QStringLiteral("[")));
        QVERIFY2(html.contains(QStringLiteral("<td>") + fileNew + QStringLiteral("</td><td class=\"k\">Ctrl+N</td>")), qPrintable(fileNew));
        QVERIFY(html.contains(app().lang.AppTitle.toHtmlEscaped()));
    }
};

QTEST_MAIN(TestToolbarGui)
#include "test_toolbar_gui.moc"
