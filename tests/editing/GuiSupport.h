#pragma once
// Helpers shared by the GUI tests: starting the program, typing with real key
// events and loading text.
#include "common/TestApp.h"
#include "support/FakeTextTarget.h"

#include <QTest>
#include <QTimer>
#include <functional>

namespace gui {

// Makes the frame the active window, so that shortcuts reach their items as for a user.
inline frmMain *startProgram(TestApp &t)
{
    frmMain *f = t.start();
    if (f) {
        f->activateWindow();
        (void)QTest::qWaitForWindowActive(f);
        if (t.editor())
            t.editor()->setFocus();
    }
    return f;
}

// Types text one key at a time ("\n" is Enter); QTest knows Latin-1 keys only,
// so other characters are sent as the text of an unknown key.
inline void type(QWidget *e, const QString &text)
{
    for (QChar c : text) {
        if (c == u'\n')
            QTest::keyClick(e, Qt::Key_Return);
        else if (c.unicode() < 128)
            QTest::keyClicks(e, QString(c));
        else
            for (auto action : {QTest::Press, QTest::Release})
                QTest::sendKeyEvent(action, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Puts text into a document as if it had been loaded: unchanged, fresh history.
inline void load(DocWindow *d, const QString &crlfText, int caret = 0)
{
    d->document()->load(crlfText, d->document()->format(), caret);
}

// Loads text with "|" at the caret or "[...]" around the selection.
inline void putMarked(DocWindow *d, QString s)
{
    const qsizetype caret = s.indexOf(u'|'), a = s.indexOf(u'['), b = s.indexOf(u']');
    load(d, s.remove(u'|').remove(u'[').remove(u']'), int(caret >= 0 ? caret : qMax<qsizetype>(a, 0)));
    if (a >= 0)
        d->Rich()->setSelLength(int(b - a - 1));
}
// The editor's text marked the same way.
inline QString marked(const EditControl *e) { return ::marked(*e); }

// Calls act on the first visible W while a modal loop runs; gives up after 10 s.
template <class W>
void whenShown(std::function<void(W *)> act)
{
    auto *timer = new QTimer(qApp);
    QTimer::singleShot(10000, timer, &QObject::deleteLater);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *x = qobject_cast<W *>(w); x && x->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(x);
                return;
            }
    });
    timer->start(10);
}

} // namespace gui
