// The undo history on its own: a plain string stands for the editor, so each
// step is checked against the text it must give back.
#include "editing/UndoHistory.h"
#include <QtTest>

namespace {
// The editor: applies changes and history steps to a string.
struct Text {
    QString s;
    int caret = 0;
    TextChange replace(int pos, int len, const QString &with)
    {
        TextChange c{pos, s.mid(pos, len), with};
        s.replace(pos, len, with);
        caret = pos + int(with.size());
        return c;
    }
    void apply(const std::optional<UndoHistory::Step> &step)
    {
        QVERIFY(step.has_value());
        for (const UndoHistory::Edit &e : step->edits)
            s.replace(e.pos, e.removeLength, e.insert);
        caret = step->caret;
    }
};
}

// One edit of the text, recorded with the caret after it.
void record(UndoHistory &h, Text &t, int pos, int len, const QString &with)
{
    TextChange c = t.replace(pos, len, with);
    h.record(std::move(c), t.caret);
}

class TestUndoHistory : public QObject {
    Q_OBJECT
private slots:
    void aGroupIsOneStep_data()
    {
        QTest::addColumn<QList<int>>("groupSizes");   // edits per step; 0 = an empty group
        QTest::addColumn<bool>("nested");             // a group inside each group, round its second edit
        QTest::newRow("single edits") << QList<int>{1, 1, 1} << false;
        QTest::newRow("one group of three") << QList<int>{3} << false;
        QTest::newRow("edits around a group") << QList<int>{1, 4, 1} << false;
        QTest::newRow("empty group records nothing") << QList<int>{1, 0, 2} << false;
        QTest::newRow("nested groups close with the outermost") << QList<int>{3, 1} << true;
    }
    void aGroupIsOneStep()
    {
        QFETCH(QList<int>, groupSizes);
        QFETCH(bool, nested);
        Text t{QStringLiteral("one two three four five six"), 0};
        UndoHistory h;
        h.reset(0);
        QStringList states{t.s};
        QList<int> carets{0};
        int n = 0;
        for (int size : groupSizes) {
            if (size != 1)
                h.beginGroup();
            for (int i = 0; i < size; ++i, ++n) {
                const bool inner = nested && size > 1 && i == 1;
                if (inner)
                    h.beginGroup();
                record(h, t, (n * 5) % int(t.s.size()), 2, QStringLiteral("<%1>").arg(n));
                if (inner)
                    h.endGroup();
            }
            if (size != 1)
                h.endGroup();
            if (size > 0) {
                states << t.s;
                carets << t.caret;
            }
        }
        QCOMPARE(h.stateCount(), int(states.size()));
        for (int i = int(states.size()) - 2; i >= 0; --i) {
            t.apply(h.undo());
            QCOMPARE(t.s, states[i]);
            QCOMPARE(t.caret, carets[i]);
        }
        QVERIFY(!h.canUndo());
        for (int i = 1; i < states.size(); ++i) {
            t.apply(h.redo());
            QCOMPARE(t.s, states[i]);
            QCOMPARE(t.caret, carets[i]);
        }
        QVERIFY(!h.canRedo());
    }

    // A replace-all kept as spans of its old text: the same steps, less memory,
    // and spans that do not give the new text are refused.
    void replaceKeptAsSpans_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<UndoHistory::Spans>("spans");     // into the old range ("~x~" from pos 2)
        QTest::addColumn<bool>("fits");
        QTest::newRow("longer") << "ab~x~cd" << "--" << UndoHistory::Spans{{0, 1}, {2, 1}} << true;
        QTest::newRow("emptied") << "ab~x~cd" << "" << UndoHistory::Spans{{0, 1}, {2, 1}} << true;
        QTest::newRow("wrong place") << "ab~x~cd" << "--" << UndoHistory::Spans{{1, 1}, {2, 1}} << false;
        QTest::newRow("out of order") << "ab~x~cd" << "--" << UndoHistory::Spans{{2, 1}, {0, 1}} << false;
        QTest::newRow("past the range") << "ab~x~cd" << "--" << UndoHistory::Spans{{0, 1}, {2, 5}} << false;
    }
    void replaceKeptAsSpans()
    {
        QFETCH(QString, before);
        QFETCH(QString, replacement);
        QFETCH(UndoHistory::Spans, spans);
        QFETCH(bool, fits);
        Text t{before, 0};
        UndoHistory h;
        h.reset(0);
        record(h, t, 0, 1, QStringLiteral("A"));
        const QString typed = t.s;
        // What the replace does: the range from the first span to the end of the last.
        QString with = QStringLiteral("~x~");
        with.replace(QStringLiteral("~"), replacement);
        h.beginGroup();
        record(h, t, 2, 3, with);
        const QString after = t.s;
        const qsizetype bytes = h.memoryBytes();
        QCOMPARE(h.compactLast(spans, replacement), fits);
        h.endGroup();
        QCOMPARE(h.memoryBytes() != bytes, fits);   // smaller for real sizes: bench_search_window
        QVERIFY(!h.compactLast(spans, replacement));   // once only
        t.apply(h.undo());
        QCOMPARE(t.s, typed);
        t.apply(h.redo());
        QCOMPARE(t.s, after);
        t.apply(h.undo());
        t.apply(h.undo());
        QCOMPARE(t.s, before);
    }

    void theRingKeepsAHundredStatesGroupsIncluded()
    {
        Text t{QString(), 0};
        UndoHistory h;
        h.reset(0);
        for (int i = 0; i < 150; ++i) {
            h.beginGroup();
            record(h, t, int(t.s.size()), 0, QStringLiteral("x"));
            record(h, t, 0, 0, QStringLiteral("y"));
            h.endGroup();
        }
        QCOMPARE(h.stateCount(), UndoHistory::Capacity);
        int steps = 0;
        while (h.canUndo()) {
            t.apply(h.undo());
            ++steps;
        }
        QCOMPARE(steps, UndoHistory::Capacity - 1);
        QCOMPARE(t.s, QString(51, u'y') + QString(51, u'x'));
        // Recording after an undo drops the newer states, group or not.
        h.beginGroup();
        record(h, t, 0, 1, QString());
        h.endGroup();
        QVERIFY(!h.canRedo());
    }
};

QTEST_GUILESS_MAIN(TestUndoHistory)
#include "test_undohistory.moc"
