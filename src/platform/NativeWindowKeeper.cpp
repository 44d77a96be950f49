#include "platform/NativeWindowKeeper.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

NativeWindowKeeper *NativeWindowKeeper::attach(QWidget *frame)
{
    return new NativeWindowKeeper(frame);
}

NativeWindowKeeper::NativeWindowKeeper(QWidget *frame) : QObject(frame), m_frame(frame)
{
    frame->installEventFilter(this);
    m_hadWindow = frame->internalWinId() != 0;
}

bool NativeWindowKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_frame)
        return false;
    switch (event->type()) {
    case QEvent::Move:
        if (!m_restoring && m_frame->internalWinId() && m_frame->isVisible() && !(m_frame->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))) {
            m_pos = m_frame->pos();
            m_placed = true;
        }
        break;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (m_frame->internalWinId())
            m_wasActive = event->type() == QEvent::WindowActivate;
        break;
    case QEvent::WinIdChange:
        if (!m_frame->internalWinId()) {
            // The window is going: remember who stood over it while they still can be found.
            m_restoring = true;
            m_state = m_frame->windowState();
            m_dialogs.clear();
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w != m_frame && w->isVisible() && w->parentWidget() && w->parentWidget()->window() == m_frame)
                    m_dialogs.append(w);
        } else if (m_hadWindow) {
            ++m_recreations;
            // Before the new window is shown: a set position is kept rather than placed anew.
            QTimer::singleShot(0, this, &NativeWindowKeeper::restore);
        } else {
            m_hadWindow = true;
        }
        break;
    default:
        break;
    }
    return false;
}

void NativeWindowKeeper::restore()
{
    m_restoring = false;
    QWindow *frameWindow = m_frame->windowHandle();
    if (!frameWindow)
        return;
    // The window manager places a new window anew: ask for the old place back,
    // and for the old state (the new window starts as a normal one).
    if (m_placed)
        frameWindow->setFramePosition(m_pos);
    const Qt::WindowStates kept = m_state & (Qt::WindowMaximized | Qt::WindowFullScreen);
    if (kept && frameWindow->windowStates() != kept)
        frameWindow->setWindowStates(kept);
    for (const QPointer<QWidget> &w : std::as_const(m_dialogs)) {
        if (!w || !w->isVisible() || !w->windowHandle())
            continue;
        w->windowHandle()->setTransientParent(frameWindow);
        // The owner reaches the window manager when the window is mapped: a dialog
        // without its own event loop is shown again; one in exec() is only raised.
        if (!w->isModal() && !w->testAttribute(Qt::WA_ShowModal)) {
            const QRect g = w->geometry();
            w->hide();
            w->setGeometry(g);
            w->show();
        }
        w->raise();
    }
    if (m_wasActive) {
        QWidget *top = !m_dialogs.isEmpty() && m_dialogs.last() ? m_dialogs.last().data() : m_frame;
        top->activateWindow();
    }
    m_dialogs.clear();
}
