// The tag dialogs through the real main frame: body, font, image, table and the
// select-list builder (its two lists, reading a selected element back, its key
// filters), typed with key events, answered from the dialog queue, checked on the
// editor's text and caret. The build rules themselves are in test_tagbuilders.
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

static const QString CrLf = QStringLiteral("\r\n");

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
                if (const QTextCharFormat f = it.fragment().charFormat(); f.isImageFormat() || f.isAnchor())
                    return true;
        return false;
    }
    void waitClosed(const QPointer<QWidget> &w) { QTRY_VERIFY(!w); }

    // Both lists' rows and selection, and the builder's own selected row.
    void checkLists(FrmSelect *w, const QStringList &values, const QStringList &texts, int selected)
    {
        const auto items = [](QListWidget *l) {
            QStringList r;
            for (int i = 0; i < l->count(); ++i)
                r << l->item(i)->text();
            return r;
        };
        QCOMPARE(items(w->LstValue), values);
        QCOMPARE(items(w->LstText), texts);
        for (QListWidget *l : {w->LstValue, w->LstText})
            QCOMPARE(l->selectedItems().isEmpty() ? -1 : l->row(l->selectedItems().first()), selected);
        QCOMPARE(w->rows().selectedRow(), selected);
    }
};


class TestTagDialogsGui : public QObject, Fixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(startApp()); }
    void cleanup() { stopApp(); }

    // Typed key by key from the last box to the first, then Enter in the first,
    // which has the keyboard at opening: the key filters at work, and the mark-up
    // in place of the selection with the caret on its empty line. The build rules
    // themselves are in test_tagbuilders.
    void fill_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("expected");
        const QStringList numbers{"TNumber0", "TNumber1", "TNumber2", "TNumber3", "TNumber4"};
        const auto block = [](const QString &open, const char *tag) { return "a " + open + CrLf + "|" + CrLf + "</" + tag + ">" + CrLf + " b"; };
        QTest::newRow("table, % refused in border, cellspacing")
            << "frmTable" << QStringList{"TNumber0", "TBgColor", "TNumber1", "TNumber2", "TNumber3", "TNumber4"}
            << QStringList{"%1%", "red", "2%", "5%", "", "9%"}
            << block("<table border=\"1\" bgcolor=\"red\" cellspacing=\"2\" cellpadding=\"5%\" height=\"9%\">", "table");
        QTest::newRow("image, % refused in hspace, vspace, border")
            << "frmImg" << QStringList{"Tsrc", "TAlt"} + numbers << QStringList{"a.gif", "", "1%", "2%", "3%", "4%", "%5"}
            << "a <img src=\"a.gif\" width=\"1%\" height=\"2%\" hspace=\"3\" vspace=\"4\" border=\"5\">| b";
        QTest::newRow("body, all") << "frmBody" << QStringList{"TxtImg", "TxtSound"} + numbers
                                   << QStringList{"b.gif", "s.mid", "1", "2", "3", "4", "5"}
                                   << block("<body topmargin=0 leftmargin=0 background=\"b.gif\" bgsound=\"s.mid\" bgcolor=\"1\""
                                            " text=\"2\" link=\"3\" vlink=\"4\" alink=\"5\">", "body");
        QTest::newRow("body, all empty: nothing") << "frmBody" << QStringList{"TxtImg"} << QStringList{} << "a [SEL] b";
    }
    void fill()
    {
        QFETCH(QString, dialog);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, typed);
        put(QStringLiteral("a [SEL] b"));
        QDialog *w = open<QDialog>(qPrintable(dialog));
        QVERIFY(w);
        QCOMPARE(QApplication::focusWidget()->objectName(), boxes[0]);
        for (int i = int(typed.size()) - 1; i >= 0; --i)
            type(w->findChild<QLineEdit *>(boxes[i]), typed[i]);
        QTest::keyClick(w->findChild<QLineEdit *>(boxes[0]), dialog == "frmImg" ? Qt::Key_Enter : Qt::Key_Return);
        QVERIFY(closed(w));
        QTEST(shown(), "expected");
    }

    // face: text typed over the face box (null: left as it opened); size: the key
    // typed into the size list; the background button answers from the queue.
    void font_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("background");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("default face alone") << QString() << "" << "" << "<font face=\"Times New Roman\"></font>";
        QTest::newRow("Arial, size 3") << "Arial" << "3" << "" << "<font face=\"Arial\" size=\"3\"></font>";
        QTest::newRow("background alone: nothing") << "" << "" << "#000080" << "";
        QTest::newRow("background with a face") << "Arial" << "" << "#000080" << "<font face=\"Arial\"></font>";
    }
    void font()
    {
        QFETCH(QString, face);
        QFETCH(QString, size);
        QFETCH(QString, background);
        QFETCH(QString, inserted);
        setText(QStringLiteral("ab"), 1);
        frmFonts *w = open<frmFonts>("frmFonts");
        QVERIFY(w);
        QCOMPARE(QApplication::focusWidget(), w->CoFonts);
        QStringList installed; // as a page names them: no foundry, each once
        for (int i = 2; i < w->CoFonts->count(); ++i)
            installed << w->CoFonts->itemText(i);
        QCOMPARE(QSet<QString>(installed.cbegin(), installed.cend()).size(), installed.size());
        for (const QString &family : QFontDatabase::families())
            QVERIFY2(installed.contains(family.section(QStringLiteral(" ["), 0, 0)), qPrintable(family));
        const QString plainSample = w->Browser->toPlainText();
        if (!face.isNull()) {
            QTest::keyClick(w->CoFonts, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(w->CoFonts, Qt::Key_Backspace);
            type(w->CoFonts, face);
        }
        if (!size.isEmpty())
            type(w->TSize, size);
        if (!background.isEmpty()) {
            t->dialogs.colorAnswers.enqueue(background);
            QTest::mouseClick(w->kBgColor, Qt::LeftButton);
            QCOMPARE(w->BgColor->text(), background);
            // Without a font attribute the background is not shown either.
            const QTextFrameFormat page = w->Browser->document()->rootFrame()->frameFormat();
            QCOMPARE(page.background().color() == QColor(background), !inserted.isEmpty());
        }
        QCOMPARE(w->Browser->toPlainText(), plainSample);
        QTest::keyClick(w->CoFonts, Qt::Key_Return);
        QVERIFY(closed(w));
        QCOMPARE(shown(), inserted.isEmpty() ? QStringLiteral("a|b") : "a" + inserted.insert(inserted.size() - 7, u'|') + "b");
    }

    // The sample follows a chosen face, not one still being typed, and shows a
    // hostile face as an attribute value: nothing runs, nothing is loaded.
    void fontSample()
    {
        frmFonts *w = open<frmFonts>("frmFonts");
        QVERIFY(w);
        const QString start = w->Browser->toHtml();
        QVERIFY(start.contains(QStringLiteral("Times New Roman")));
        type(w->CoFonts, QStringLiteral("\"><script>document.write('X')</script><img src=\"x.png\"><a href=\"http://h/\">L</a>"));
        QCOMPARE(w->Browser->toHtml(), start);
        type(w->txtColor, QStringLiteral("#00FF00")); // another field redraws
        QVERIFY(w->Browser->toHtml() != start);
        QCOMPARE(w->Browser->toPlainText(), QStringLiteral("ABC\nАБВ"));
        QVERIFY(!hasImageOrLink(w->Browser->document()));
        QCOMPARE(w->Browser->refusedLoads(), 0);
        // The view itself loads nothing even when a page asks.
        const QString local = QUrl::fromLocalFile(t->folder + "kodoplet.ini").toString();
        w->Browser->setHtml("<img src=\"" + local + "\"><link rel=stylesheet href=\"" + local + "\">");
        QVERIFY(w->Browser->refusedLoads() > 0);
        w->CoFonts->setCurrentIndex(0);
        emit w->CoFonts->activated(0); // choosing from the list redraws
        QVERIFY(w->Browser->toHtml().contains(QStringLiteral("Arial")));
    }

    // Escape cancels from every box, the face and size boxes too.
    void escapeCancels_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("box");
        QTest::newRow("table") << "frmTable" << "TBgColor";
        QTest::newRow("font face") << "frmFonts" << "CoFonts";
        QTest::newRow("font size") << "frmFonts" << "TSize";
        QTest::newRow("select list") << "FrmSelect" << "LstText";
    }
    void escapeCancels()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, box);
        put(QStringLiteral("a[b]c"));
        QDialog *w = open<QDialog>(qPrintable(dialog));
        QVERIFY(w);
        QWidget *b = w->findChild<QWidget *>(box);
        if (auto *e = qobject_cast<QLineEdit *>(b))
            type(e, QStringLiteral("12"));
        QPointer<QWidget> gone(w);
        QTest::keyClick(b, Qt::Key_Escape);
        QVERIFY(closed(w));
        waitClosed(gone); // deleted: the next opening starts empty
        QCOMPARE(shown(), QStringLiteral("a[b]c"));
    }

    // One window per dialog: opening it again brings the open one forward, with
    // what was typed. Key filters judge typed characters only: a paste goes in as it is.
    void openingAgainAndPaste()
    {
        frmTable *w = open<frmTable>("frmTable");
        type(w->TNumber[0], QStringLiteral("4"));
        activateFrame();
        QTest::keyClick(ed(), Qt::Key_T, Qt::ControlModifier);
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(w));
        QCOMPARE(t->frame->findChildren<frmTable *>().size(), 1);
        QCOMPARE(w->TNumber[0]->text(), QStringLiteral("4"));
        QApplication::clipboard()->setText(QStringLiteral("5%x"));
        QTest::keyClick(w->TNumber[0], Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->TNumber[0]->text(), QStringLiteral("45%x"));
        QTest::keyClick(w->TNumber[0], Qt::Key_Backspace);
        QCOMPARE(w->TNumber[0]->text(), QStringLiteral("45%"));
    }

    // OK acts on the document active when it is pressed; with none open, or
    // one that shows its preview, it only closes (the table still inserts in preview).
    void targetDocument_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("evenInPreview");
        // Every dialog's OK goes through TagCommands::insertMarkup: one of each class.
        QTest::newRow("table") << "frmTable" << true;
        QTest::newRow("image") << "frmImg" << false;
        QTest::newRow("select") << "FrmSelect" << false;
    }
    void targetDocument()
    {
        QFETCH(QString, dialog);
        const QString okName = dialog == "FrmSelect" ? "OK" : "kOK";
        DocWindow *a = t->active();
        const QString aText = a->Rich()->text();
        for (int round = 0; round < 3; ++round) {
            t->frame->activateWindow();
            QDialog *w = open<QDialog>(qPrintable(dialog));
            QVERIFY(w);
            if (auto *sel = qobject_cast<FrmSelect *>(w)) { // something OK would insert
                type(sel->SName, QStringLiteral("n"));
                addOption(sel, QStringLiteral("7"), QStringLiteral("7"));
                QCOMPARE(sel->LstText->count(), 1);
            } else if (auto *box = w->findChild<QLineEdit *>(dialog == "frmImg" ? "Tsrc" : "TNumber0")) {
                type(box, QStringLiteral("7"));
            }
            if (round == 0)
                t->command(QStringLiteral("mnuFileNew")); // another document becomes the active one
            else if (round == 1)
                t->command(QStringLiteral("mnuFileProsmotr"));
            else {
                for (int i = 0; i < 6; ++i) // keep nothing
                    t->dialogs.messageAnswers.enqueue(Dialogs::No);
                t->command(QStringLiteral("ProektCloseAllFile"));
            }
            DocWindow *b = t->active();
            const QString bText = b ? b->Rich()->text() : QString();
            QPointer<QWidget> gone(w);
            QTest::mouseClick(w->findChild<QPushButton *>(okName), Qt::LeftButton);
            waitClosed(gone);
            if (round == 0) {
                QVERIFY(b != a);
                QCOMPARE(a->Rich()->text(), aText);
                QVERIFY(b->Rich()->text() != bText);
            } else if (round == 1) {
                QVERIFY(!b->editorVisible());
                QTEST(b->Rich()->text() != bText, "evenInPreview");
                t->command(QStringLiteral("mnuFileProsmotr"));
            } else {
                QCOMPARE(app().docs.OpenDocCount, 0);
            }
        }
    }

    // Colour and file buttons fill their box; a cancelled dialog leaves it alone.
    void pickerButtons_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("filter"); // the file chooser's first pattern; "": a colour button
        QTest::newRow("body image") << "frmBody" << "kOpImg" << "TxtImg" << "*.gif;*.jpg";
        QTest::newRow("body sound") << "frmBody" << "kOpSound" << "TxtSound" << "*.wav;*.mid;*.mp3";
        QTest::newRow("image src") << "frmImg" << "kOpImg" << "Tsrc" << "*.gif;*.jpg";
        for (int i = 0; i < 5; ++i)
            QTest::addRow("body colour %d", i) << "frmBody" << QString("kColor%1").arg(i) << QString("TNumber%1").arg(i) << "";
        QTest::newRow("table colour") << "frmTable" << "kBgColor" << "TBgColor" << "";
        QTest::newRow("font colour") << "frmFonts" << "kFontColor" << "txtColor" << "";
        QTest::newRow("font background") << "frmFonts" << "kBgColor" << "BgColor" << "";
    }
    void pickerButtons()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, button);
        QFETCH(QString, box);
        QFETCH(QString, filter);
        QDialog *w = open<QDialog>(qPrintable(dialog));
        QVERIFY(w);
        auto *b = w->findChild<QAbstractButton *>(button);
        auto *e = w->findChild<QLineEdit *>(box);
        QVERIFY(b && e);
        const bool file = !filter.isEmpty();
        const QString chosen = file ? t->folder + "pics/a b.GIF" : "#0A0B0C";
        (file ? t->dialogs.fileAnswers : t->dialogs.colorAnswers).enqueue(chosen);
        (file ? t->dialogs.fileAnswers : t->dialogs.colorAnswers).enqueue(QString());
        type(e, QStringLiteral("12"));
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(e->text(), chosen); // the full path as the dialog gave it
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(e->text(), chosen);
        if (file)
            QCOMPARE(t->dialogs.last(QStringLiteral("open")).filter.value(0).pattern, filter);
    }

    // The VSPACE tooltip reads entry 108, or entry 86 from a file that lacks it;
    // the select builder's buttons keep access keys of their own.
    void languageTexts_data()
    {
        QTest::addColumn<bool>("has108");
        QTest::newRow("file with entry 108") << true;
        QTest::newRow("older file") << false;
    }
    void languageTexts()
    {
        QFETCH(bool, has108);
        LanguageData d;
        for (int n = 63; n <= LanguageData::LastEntry; ++n) {
            d.entries[n] = QString("entry %1").arg(n);
            d.present[n] = n != 108 || has108;
        }
        app().lang.apply(d);
        frmImg *w = open<frmImg>("frmImg");
        QVERIFY(w);
        QCOMPARE(w->TNumber[3]->toolTip(), has108 ? QStringLiteral("entry 108") : QStringLiteral("entry 86"));
        w->close();
        FrmSelect *sel = open<FrmSelect>("FrmSelect");
        QCOMPARE(sel->NO->text(), QStringLiteral("&entry 70")); // an access key of its own
        QVERIFY(sel->Del->text().contains(u'&'));
    }

    // A second set of tag commands over the same documents uses the captions and
    // file chooser it was given, and its windows go with it while the frame stays.
    void commandsOfTheirOwn()
    {
        AppState &a = app();
        QStringList filters;
        auto tags = std::make_unique<TagCommands>(
            a.docs, a.catalogue, *a.messenger, nullptr, a.listTags, [](const QString &command) { return "&Own " + command; },
            [&](const QList<FileFilter> &filter) {
                filters << filter.value(0).pattern;
                return QStringLiteral("/x/own.gif");
            });
        tags->CodeFrm_Click(3);
        QPointer<frmImg> img = qobject_cast<frmImg *>(visibleDialog(QStringLiteral("frmImg")));
        QVERIFY(img);
        QCOMPARE(img->windowTitle(), QStringLiteral("Own CodeFrm3"));
        QTest::mouseClick(img->kOpImg, Qt::LeftButton);
        QCOMPARE(img->Tsrc->text(), QStringLiteral("/x/own.gif"));
        QCOMPARE(filters, QStringList{"*.gif;*.jpg"});
        QCOMPARE(t->dialogs.count(QStringLiteral("open")), 0);
        tags->CodeFormsSelect_Click();
        tags->CodeFrm_Click(0);
        QPointer<FrmSelect> sel = find<FrmSelect>("FrmSelect");
        QVERIFY(sel);
        QCOMPARE(sel->Del->text(), QStringLiteral("&Own mnuEditDelete"));
        QCOMPARE(t->frame->findChildren<frmListTag *>().size(), 2);
        tags.reset();
        QVERIFY(!sel && !img);
        QCOMPARE(t->frame->findChildren<frmListTag *>().size(), 1); // the program's own
        QTest::keyClick(ed(), '<');
        QTRY_VERIFY(find<frmListTag>("frmListTag")->isVisible());
    }

    // The select builder: Enter walks name -> value -> text and adds the
    // option; OK puts the element in place of the selection. Reading it back is
    // selectListsInStep's and test_tagbuilders' selectRoundTrip.
    void selectBuildAndReadBack()
    {
        const QString element = "<select name=\"a\"><option value=\"1\">One</option>" + CrLf
            + "<option value=\"2\">Two</option>" + CrLf + "</select>" + CrLf;
        put(QStringLiteral("([SEL])"));
        FrmSelect *w = open<FrmSelect>("FrmSelect");
        QVERIFY(w);
        QCOMPARE(QApplication::focusWidget(), w->SName);
        QTest::keyClick(w->SName, Qt::Key_Return); // empty: stays
        QCOMPARE(QApplication::focusWidget(), w->SName);
        type(w->SName, QStringLiteral("a"));
        QTest::keyClick(w->SName, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->SValue);
        for (const auto &[value, text] : {std::pair{"1", "One"}, {"2", "Two"}}) {
            type(w->SValue, QLatin1String(value));
            QTest::keyClick(w->SValue, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), w->SText);
            type(w->SText, QLatin1String(text));
            QTest::keyClick(w->SText, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), w->SValue);
            QVERIFY(w->SValue->text().isEmpty() && w->SText->text().isEmpty());
        }
        QCOMPARE(shown(), QStringLiteral("([SEL])")); // Enter never meant OK
        QPointer<QWidget> gone(w);
        QTest::keyClick(w->windowHandle(), Qt::Key_O, Qt::AltModifier);
        waitClosed(gone);
        QCOMPARE(shown(), "(" + element + "|)");
    }

    // Both lists move together: a click in one selects the row in the other;
    // up, down, delete and taking an option back keep them in step.
    void selectListsInStep()
    {
        const QString element = "<select name=n><option value=1>A<option value=2>B<option value=3>C</select>";
        setText(element, 0, int(element.size()));
        FrmSelect *w = open<FrmSelect>("FrmSelect");
        QVERIFY(w);
        QCOMPARE(w->SName->text(), QStringLiteral("n"));
        checkLists(w, {"1", "2", "3"}, {"A", "B", "C"}, 2);
        const auto click = [](QListWidget *l, int row) {
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
        };
        click(w->LstText, 0);
        checkLists(w, {"1", "2", "3"}, {"A", "B", "C"}, 0);
        QTest::mouseClick(w->VerhNiz[1], Qt::LeftButton);
        checkLists(w, {"2", "1", "3"}, {"B", "A", "C"}, 1);
        click(w->LstValue, 2);
        QTest::mouseClick(w->VerhNiz[0], Qt::LeftButton);
        checkLists(w, {"2", "3", "1"}, {"B", "C", "A"}, 1);
        QTest::mouseClick(w->Del, Qt::LeftButton);
        checkLists(w, {"2", "1"}, {"B", "A"}, 0);
        // Enter in the text list takes row 0 back; no row is selected then, so
        // adding it again puts it at the top.
        QTest::keyClick(w->LstText, Qt::Key_Return);
        checkLists(w, {"1"}, {"A"}, -1);
        QCOMPARE(QApplication::focusWidget(), w->SText);
        QCOMPARE(w->SText->selectedText(), QStringLiteral("B"));
        QCOMPARE(w->SValue->text(), QStringLiteral("2"));
        QTest::keyClick(w->SText, Qt::Key_End);
        type(w->SText, QStringLiteral("b"));
        QTest::keyClick(w->SText, Qt::Key_Return);
        checkLists(w, {"2", "1"}, {"Bb", "A"}, 0);
        // A double click in the value list takes the row back into the value box.
        const QPoint second = w->LstValue->visualItemRect(w->LstValue->item(1)).center();
        QTest::mouseClick(w->LstValue->viewport(), Qt::LeftButton, {}, second); // a double click starts as a click
        QTest::mouseDClick(w->LstValue->viewport(), Qt::LeftButton, {}, second);
        QTRY_COMPARE(w->LstValue->count(), 1);
        checkLists(w, {"2"}, {"Bb"}, 0);
        QCOMPARE(QApplication::focusWidget(), w->SValue);
        QCOMPARE(w->SValue->selectedText(), QStringLiteral("1"));
        // With the value box empty, Enter in the text box goes back to it.
        w->SValue->clear();
        QTest::keyClick(w->SText, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->SValue);
        checkLists(w, {"2"}, {"Bb"}, 0);
        w->LstValue->clearSelection();   // what a list does without a selection is test_tagbuilders'
        checkLists(w, {"2"}, {"Bb"}, -1);
    }

    // OK without a name or without options, and Cancel, insert nothing. Name and
    // value refuse what would break their attribute, the text only the angle brackets.
    void selectKeyFiltersAndInsertsNothing()
    {
        setText(QStringLiteral("ab"), 1);
        for (int round = 0; round < 3; ++round) {
            t->frame->activateWindow();
            FrmSelect *w = open<FrmSelect>("FrmSelect");
            QVERIFY(w);
            if (round == 1)
                addOption(w, QStringLiteral("v"), QStringLiteral("t"));
            if (round == 2) {
                type(w->SName, QStringLiteral("a b\"c'd<e>f"));
                type(w->SValue, QStringLiteral(" \"x\"=1 "));
                type(w->SText, QStringLiteral("<b>it's \"x\"</b>"));
                QCOMPARE(QStringList({w->SName->text(), w->SValue->text(), w->SText->text()}),
                         QStringList({"abcdef", "x=1", "bit's \"x\"/b"}));
                QTest::keyClick(w->SText, Qt::Key_Return);
                QCOMPARE(w->LstText->count(), 1);
            }
            QPointer<QWidget> gone(w);
            // The fixture's language has no access keys: the buttons are clicked.
            QTest::mouseClick(round == 2 ? w->NO : w->OK, Qt::LeftButton);
            waitClosed(gone);
            QCOMPARE(ed()->text(), QStringLiteral("ab"));
        }
    }
};

QTEST_MAIN(TestTagDialogsGui)
#include "test_tagdialogs_gui.moc"
