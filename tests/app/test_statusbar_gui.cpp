// The status bar: the caret's line and column over CR LF text and long lines held
// in pieces, the format fields following the active document, and a change of
// encoding or line breaks reaching the disk at the next save.
#include "common/GuiFixture.h"

#include "app/StatusBar.h"

#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

using namespace gui;

class TestStatusBarGui : public QObject {
    Q_OBJECT
    GuiFixture g;

    StatusBar *bar() const { return g.f->findChild<StatusBar *>(QStringLiteral("StatusBar")); }
    QString position() const { return bar()->findChild<QLabel *>(QStringLiteral("lblPosition"))->text(); }
    QToolButton *field(const char *name) const { return bar()->findChild<QToolButton *>(QLatin1String(name)); }
    QString shown(const char *name) const { return field(name)->isVisible() ? field(name)->text() : QString(); }
    static QString at(int line, int column) { return QStringLiteral("Ln %1, Col %2").arg(line).arg(column); }

    // Clicks a format field and picks a choice from the menu it shows; the choice
    // checked when the menu came up.
    QString pick(const char *fieldName, const char *menuName, const QString &choice)
    {
        QTest::mouseClick(field(fieldName), Qt::LeftButton);
        auto *menu = bar()->findChild<QMenu *>(QLatin1String(menuName));
        if (!menu || !menu->isVisible())
            return QStringLiteral("no menu");
        QString checked;
        QAction *wanted = nullptr;
        for (QAction *a : menu->actions()) {
            if (a->isChecked())
                checked = a->text();
            if (a->text() == choice)
                wanted = a;
        }
        if (wanted)
            wanted->trigger();
        menu->hide();
        return checked;
    }

private slots:
    void init() { QVERIFY(g.startApp()); }
    void cleanup() { g.stopApp(); }

    // (Lines over CR LF and pieces: test_editcontrol.)
    void lineAndColumnOfTheCaretEnd_data()
    {
        QTest::addColumn<QString>("text");   // "|" the caret, "[...]" a selection
        QTest::addColumn<QString>("expected");
        QTest::newRow("end of a line, before CR LF") << "ab|\r\ncd" << at(1, 3);
        QTest::newRow("after a final break") << "a\r\n|" << at(2, 1);
        QTest::newRow("selection: its end") << "a[b\r\nc]d" << at(2, 2);
        QTest::newRow("tab is one column") << "\t\t|x" << at(1, 3);
        QTest::newRow("after a long line") << QStringLiteral("x\r\n") + QString(10000, u'a') + QStringLiteral("\r\n|z") << at(3, 1);
    }
    void lineAndColumnOfTheCaretEnd()
    {
        QFETCH(QString, text);
        putMarked(g.doc(), text);
        QTEST(position(), "expected");
    }

    void columnsCountAcrossEveryPieceCut()
    {
        const QString line(9000, u'b');
        g.setText(QStringLiteral("first\r\n") + line);
        QVERIFY(g.ed()->blockCount() >= 4);
        for (int col = 1; col <= line.size() + 1; ++col) {
            g.ed()->setSelStart(7 + col - 1);
            QCOMPARE(position(), at(2, col));
        }
        // Keys move the caret past the control's own calls too; a selection made
        // backwards shows its moving end, here its start.
        QTest::keyClick(g.ed(), Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(position(), at(2, 9000));
        QTest::keyClick(g.ed(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(position(), at(1, 1));
        type(g.ed(), QStringLiteral("ab\nc"));
        QCOMPARE(position(), at(2, 2));
    }

    // The format fields follow the active document (the other names show in
    // aNewFormatIsWrittenAtTheNextSave); the bar is empty with the preview or no
    // document; hidden by the option it follows nothing, shown again it is up to date.
    void fieldsFollowTheActiveDocument()
    {
        DocWindow *first = g.doc();
        g.setText(QStringLiteral("x\r\ny"), 4);
        DocWindow *opened = g.openFile(QStringLiteral("f.htm"), "\xD0\x9F\r");
        QCOMPARE(shown("cmdEncoding") + '/' + shown("cmdLineBreak"), QStringLiteral("UTF-8/CR"));
        // The start-up page is a new document: windows-1251, CR LF.
        g.f->activateDoc(first);
        QCOMPARE(shown("cmdEncoding") + '/' + shown("cmdLineBreak"), QStringLiteral("windows-1251/CR LF"));
        QCOMPARE(position(), at(2, 2));
        first->showPreview(true);
        QCOMPARE(position() + shown("cmdEncoding"), QString());
        first->showPreview(false);
        QCOMPARE(position(), at(2, 2));
        g.f->activateDoc(opened);
        QCOMPARE(shown("cmdEncoding"), QStringLiteral("UTF-8"));
        for (int i = 0; i < 2; ++i)
            QVERIFY(app().files->CloseDocument(g.doc()));
        QApplication::processEvents();
        QCOMPARE(app().docs.OpenDocCount, 0);
        QCOMPARE(position() + shown("cmdEncoding") + shown("cmdLineBreak"), QString());
        g.t->command(QStringLiteral("mnuFileNew"));
        QCOMPARE(position(), at(1, 1));
        QVERIFY(bar()->isVisible());
        g.t->command(QStringLiteral("mnuOptionsStatusBar"));
        QVERIFY(!bar()->isVisible());
        g.setText(QStringLiteral("1\r\n2\r\n3"), 7);
        app().statusBar.set(true);
        QVERIFY(bar()->isVisible());
        QCOMPARE(position(), at(3, 2));
    }

    void aNewFormatIsWrittenAtTheNextSave_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("field");   // the name after cmd / mnu
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("wasChecked");
        QTest::addColumn<QByteArray>("after");
        const QByteArray privetUtf8 = "\xD0\x9F\xD1\x80\xD0\xB8";   // "При"
        const QByteArray privet1251 = "\xCF\xF0\xE8";
        QTest::newRow("UTF-8 to 1251, references for what it lacks")
            << privetUtf8 + " \xE2\x9C\x93 \xF0\x9F\x98\x80 \xE2\x84\x96\r\n" << "Encoding" << "windows-1251" << "UTF-8"
            << privet1251 + " &#10003; &#128512; \xB9\r\n";
        QTest::newRow("BOM to UTF-8 drops the mark") << "\xEF\xBB\xBF" + privetUtf8 + "\n" << "Encoding" << "UTF-8"
                                                     << "UTF-8 with BOM" << privetUtf8 + "\n";
        QTest::newRow("CR LF to LF") << QByteArray("a\r\n\r\nb\r\n") << "LineBreak" << "LF" << "CR LF"
                                     << QByteArray("a\n\nb\n");
    }
    void aNewFormatIsWrittenAtTheNextSave()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, field);
        QFETCH(QString, choice);
        QFETCH(QString, wasChecked);
        DocWindow *d = g.openFile(QStringLiteral("page.htm"), before);
        const QString text = d->Rich()->text();
        const QByteArray buttonName = "cmd" + field.toLatin1(), menuName = "mnu" + field.toLatin1();
        const char *button = buttonName.constData(), *menu = menuName.constData();
        QCOMPARE(pick(button, menu, wasChecked), wasChecked);   // the form it has already is no change
        QCOMPARE(d->document()->IzmT(), 0);
        QCOMPARE(pick(button, menu, choice), wasChecked);
        QCOMPARE(shown(button), choice);
        QCOMPARE(d->Rich()->text(), text);
        QCOMPARE(d->document()->IzmT(), 1);
        // A changed format alone is asked about before closing.
        g.t->dialogs.messageAnswers.enqueue(Dialogs::Cancel);
        QVERIFY(!app().files->CloseDocument(d));
        QVERIFY(g.t->dialogs.count(QStringLiteral("message")) == 1 && g.lastMessage().text.startsWith(QStringLiteral("[98]")));
        QCOMPARE(shown(button), choice);
        QCOMPARE(g.t->readFile(g.path(QStringLiteral("page.htm"))), before);
        g.t->command(QStringLiteral("mnuFileSaveFile"));
        QCOMPARE(d->document()->IzmT(), 0);
        QTEST(g.t->readFile(g.path(QStringLiteral("page.htm"))), "after");
    }
};

QTEST_MAIN(TestStatusBarGui)
#include "test_statusbar_gui.moc"
