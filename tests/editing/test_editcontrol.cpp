// The editing control's positions count a line break as two characters, and
// every change is reported once, as (position, removed, inserted).
#include "platform/EditControl.h"

#include <QtTest>

class TestEditControl : public QObject {
    Q_OBJECT

    std::unique_ptr<EditControl> e;
    QList<TextChange> changes;

private slots:
    void init()
    {
        e = std::make_unique<EditControl>();
        connect(e.get(), &EditControl::changed, this, [this](const TextChange &c) { changes << c; });
        e->setText(QStringLiteral("ab\r\ncd\r\n\r\nef"));
        changes.clear();
    }

    void positionsCountBreaksAsTwo()
    {
        QCOMPARE(e->textLength(), 12);
        QCOMPARE(e->text(), QStringLiteral("ab\r\ncd\r\n\r\nef"));
        e->setSelStart(4);
        e->setSelLength(5);                     // would end between CR and LF
        QCOMPARE(e->selText(), QStringLiteral("cd\r\n"));
        QCOMPARE(e->selLength(), 4);            // a break is never cut in half
        QCOMPARE(e->toDocPos(e->fromDocPos(7)), 7);
        QCOMPARE(e->textAt(1, 2), QStringLiteral("b\r"));
        QCOMPARE(e->textAt(3, 3), QStringLiteral("\ncd"));
        QCOMPARE(e->textAt(10, 5), QStringLiteral("ef"));
        QCOMPARE(e->textAt(-2, 3), QStringLiteral("a"));
        // A no-break space must not come back as a blank, nor a tab change.
        const QString raw = QStringLiteral("a") + QChar(0xA0) + QStringLiteral("\tb");
        e->setText(raw);
        QCOMPARE(e->text(), raw);
    }

    void changesAreReportedOnce()
    {
        e->setSelStart(1);
        e->setSelLength(4);                     // "b\r\nc"
        e->setSelText(QStringLiteral("X\nY"));
        QCOMPARE(e->text(), QStringLiteral("aX\r\nYd\r\n\r\nef"));
        QCOMPARE(e->selStart(), 5);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes[0].pos, 1);
        QCOMPARE(changes[0].removed, QStringLiteral("b\r\nc"));
        QCOMPARE(changes[0].inserted, QStringLiteral("X\r\nY"));

        e->setText(QStringLiteral("ab\r\ncd"));
        changes.clear();
        e->setSelStart(2);
        QTest::keyClick(e.get(), Qt::Key_Return, Qt::ShiftModifier);   // a line break, never U+2028
        QTest::keyClick(e.get(), Qt::Key_Z);
        QCOMPARE(e->text(), QStringLiteral("ab\r\nz\r\ncd"));
        QTest::keyClick(e.get(), Qt::Key_Backspace);
        QTest::keyClick(e.get(), Qt::Key_Backspace);
        QCOMPARE(e->text(), QStringLiteral("ab\r\ncd"));
        QCOMPARE(changes.size(), 4);
        QCOMPARE(changes[2].removed, QStringLiteral("z"));
        QCOMPARE(changes[3].pos, 2);
        QCOMPARE(changes[3].removed, QStringLiteral("\r\n"));
    }
};

QTEST_MAIN(TestEditControl)
#include "test_editcontrol.moc"
