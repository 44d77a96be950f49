#pragma once
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QList>

class QWidget;

// Qt gives a top-level widget a new native window the first time a child that
// draws through OpenGL (the web view) arrives in it. Without care the window
// then jumps to wherever the window manager places a new window, and the
// dialogs open over it lose their owner: they go behind it and every click on
// the frame pushes them under again. The keeper watches the frame and, when its
// native window is made anew, puts it back where it was and hands the open
// dialogs to the new window.
class NativeWindowKeeper : public QObject {
public:
    // Watches frame for its lifetime (the keeper is its child).
    static NativeWindowKeeper *attach(QWidget *frame);

    // How many times the frame's native window was made anew (tests).
    int recreations() const { return m_recreations; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit NativeWindowKeeper(QWidget *frame);
    void restore();

    QWidget *m_frame;
    QPoint m_pos;             // the frame's last position while its window stood
    bool m_placed = false;    // m_pos is known
    bool m_hadWindow = false; // a native window existed before
    bool m_wasActive = false;
    Qt::WindowStates m_state;
    bool m_restoring = false; // between the old window's end and restore()
    int m_recreations = 0;
    QList<QPointer<QWidget>> m_dialogs;  // open over the frame when its window went
};
