#pragma once
// The set-up every GUI test shares: a fresh program in its own folder for each
// case, started with the entry-number language and its frame active, torn down
// after the case with any pop-up menu it left open.
#include "editing/GuiSupport.h"

#include <QApplication>
#include <QMenu>
#include <memory>

struct GuiFixture {
    std::unique_ptr<TestApp> t;
    frmMain *f = nullptr;

    DocWindow *doc() const { return t->active(); }
    EditControl *ed() const { return t->editor(); }
    QString path(const QString &name) const { return t->folder + name; }

    // Call from init(): false when the program did not start.
    bool startApp()
    {
        t = std::make_unique<TestApp>();
        f = gui::startProgram(*t);
        return f != nullptr;
    }
    // Call from cleanup().
    void stopApp()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<QMenu *>(w))
                w->hide();
        f = nullptr;
        t.reset();
    }
};
