#pragma once
// The program and the helpers the tag dialog tests share.
#include "common/GuiFixture.h"

#include "tags/FontSampleView.h"
#include "tags/FrmSelect.h"
#include "tags/TagCommands.h"
#include "tags/frmBody.h"
#include "tags/frmFonts.h"
#include "tags/frmImg.h"
#include "tags/frmListTag.h"
#include "tags/frmTable.h"

#include <QtTest>
#include <QtWidgets>

inline QString s(const char *text) { return QString::fromUtf8(text); }
inline const QString CrLf = QStringLiteral("\r\n");

// The dialogs' own helpers over the shared fixture.
struct Fixture : GuiFixture {
    template <class W> W *find(const char *name) const { return t->frame->findChild<W *>(QLatin1String(name)); }
    QWidget *visibleDialog(const QString &name) const
    {
        for (QWidget *w : t->frame->findChildren<QDialog *>(name))
            if (w->isVisible())
                return w;
        return nullptr;
    }
    // Opens a dialog the way the user does and waits until it has the keyboard.
    template <class W> W *open(const char *name)
    {
        const QByteArray n(name);
        if (n == "frmBody")
            app().tagCommands->showBodyDialog();
        else
            t->command(QLatin1String(n == "frmTable" ? "CodeFrm1"
                                     : n == "frmFonts" ? "CodeFrm2"
                                     : n == "frmImg"   ? "CodeFrm3"
                                                       : "CodeFormsSelect"));
        W *w = qobject_cast<W *>(visibleDialog(QLatin1String(name)));
        if (w)
            [&] { QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(w)); }();
        return w;
    }
    // The editor's text with "|" at the caret or "[...]" around the selection.
    void put(const QString &marked) { gui::putMarked(t->active(), marked); }
    QString shown() const { return gui::marked(ed()); }
    static void type(QWidget *box, const QString &text) { QTest::keyClicks(box, text); }
    // Types an option's value and text, each with Enter, as the builder's user does.
    static void addOption(FrmSelect *w, const QString &value, const QString &text)
    {
        type(w->SValue, value);
        QTest::keyClick(w->SValue, Qt::Key_Return);
        type(w->SText, text);
        QTest::keyClick(w->SText, Qt::Key_Return);
    }
    static bool closed(QWidget *w) { return !w || !w->isVisible(); }
    static bool hasImageOrLink(const QTextDocument *doc)
    {
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat() || it.fragment().charFormat().isAnchor())
                    return true;
        return false;
    }
    void waitClosed(const QPointer<QWidget> &w) { QTRY_VERIFY(!w); }

    void checkLists(FrmSelect *w, const QStringList &values, const QStringList &texts, int selected)
    {
        QStringList v, x;
        for (int r = 0; r < w->LstValue->count(); ++r)
            v << w->LstValue->item(r)->text();
        for (int r = 0; r < w->LstText->count(); ++r)
            x << w->LstText->item(r)->text();
        QCOMPARE(v, values);
        QCOMPARE(x, texts);
        for (QListWidget *l : {w->LstValue, w->LstText}) {
            const QList<QListWidgetItem *> sel = l->selectedItems();
            QCOMPARE(sel.isEmpty() ? -1 : l->row(sel.first()), selected);
        }
        QCOMPARE(w->rows().selectedRow(), selected);
    }
};

