#pragma once
// A whole program with a fake keyboard-layout ring, for the tag windows' GUI tests.
#include "common/TestApp.h"

#include "platform/KeyboardLayouts.h"
#include "tags/frmCodeText.h"
#include "tags/frmListTag.h"

#include <QLineEdit>
#include <QListWidget>
#include <QtTest>
#include <memory>

class TagsGuiFixture {
protected:
    std::unique_ptr<TestApp> t;
    std::unique_ptr<FakeKeyboardLayouts> layouts;

    static QString s(const char *text) { return QString::fromUtf8(text); }

    // Once per test program: no language (every caption and message text is
    // empty) and no offscreen chatter.
    static void setUpProgram()
    {
        StartUp::hooks().applyLanguage = [] {};
        testlibHandler() = qInstallMessageHandler(quietHandler);
    }
    void tearDown()
    {
        t.reset();
        layouts.reset();
    }

    // A fresh program; `names` are the fake's layouts, `current` the active one.
    void startApp(const QStringList &names = {QStringLiteral("00000409"), QStringLiteral("00000419")}, int current = 0)
    {
        t.reset();
        t = std::make_unique<TestApp>();
        layouts = std::make_unique<FakeKeyboardLayouts>(names);
        layouts->current = current;
        app().layouts = layouts.get();
        QVERIFY(t->start());
        QVERIFY(t->editor());
        activateFrame();
    }
    void activateFrame()
    {
        t->frame->activateWindow();
        QApplication::processEvents();  // no activation left queued
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(t->frame.get()));
        t->editor()->setFocus();
    }
    EditControl *ed() { return t->editor(); }
    void setText(const QString &text, int start = 0, int length = 0)
    {
        ed()->setText(text);
        ed()->setSelStart(start);
        ed()->setSelLength(length);
    }
    frmListTag *list() const { return t->frame->findChild<frmListTag *>(QStringLiteral("frmListTag")); }
    frmCodeText *codeText() const { return t->frame->findChild<frmCodeText *>(QStringLiteral("frmCodeText")); }
    bool listShown() const { return list() && list()->isVisible(); }
    // "<" typed in the editor; the list must come up.
    void openList()
    {
        QTest::keyClick(ed(), '<');
        QVERIFY(listShown());
    }
    // A tool window counts as active while its owner is; wait for the real thing.
    void waitListActive() { QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(list())); }
    QString selectedName() const
    {
        QListWidget *l = list()->List1;
        return l->selectedItems().isEmpty() ? QString() : l->currentItem()->text();
    }
    int selectedRow() const
    {
        QListWidget *l = list()->List1;
        return l->selectedItems().isEmpty() ? -1 : l->currentRow();
    }
    QueueDialogs::Asked lastMessage() const { return t->dialogs.last(QStringLiteral("message")); }

private:
    static QtMessageHandler &testlibHandler()
    {
        static QtMessageHandler h = nullptr;
        return h;
    }
    // The offscreen platform warns about every raise(); nothing to learn from that.
    static void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
            return;
        testlibHandler()(type, context, message);
    }
};
