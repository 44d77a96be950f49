// The body, font, image and table dialogs through
// the real main frame: typed with key events, answered from the dialog queue,
// checked on the editor's text and caret. The build rules themselves are
// tested in test_tagbuilders.
#include "tags/TagDialogsFixture.h"

class TestTagDialogsGui : public QObject, Fixture {
    Q_OBJECT

private slots:
    void init() { startApp(); }
    void cleanup() { t.reset(); }

    // Boxes in order TNumber 0, TBgColor, TNumber 1-4; typed key by key, then Enter.
    void table_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("opening");
        QTest::newRow("all empty") << QStringList{} << "<table>";
        QTest::newRow("border 1, width 100%") << QStringList{"1", "", "", "", "100%"} << "<table border=\"1\" width=\"100%\">";
        QTest::newRow("% refused in border, cellspacing") << QStringList{"%1%", "", "2%", "5%", "", "9%"}
                                                          << "<table border=\"1\" cellspacing=\"2\" cellpadding=\"5%\" height=\"9%\">";
        QTest::newRow("letters and blanks refused") << QStringList{"a 1b", "red", "x", "-3"}
                                                    << "<table border=\"1\" bgcolor=\"red\" cellpadding=\"3\">";
    }
    void table()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, opening);
        setText(QStringLiteral("a SEL b"), 2, 3);
        frmTable *w = open<frmTable>("frmTable");
        QVERIFY(w);
        QCOMPARE(QApplication::focusWidget(), w->TNumber[0]);
        QCOMPARE(w->windowTitle(), t->frame->menuCaption(QStringLiteral("CodeFrm1")).remove(u'&'));
        QLineEdit *boxes[] = {w->TNumber[0], w->TBgColor, w->TNumber[1], w->TNumber[2], w->TNumber[3], w->TNumber[4]};
        for (int i = 0; i < typed.size(); ++i)
            type(boxes[i], typed[i]);
        QTest::keyClick(boxes[qMax(0, int(typed.size()) - 1)], Qt::Key_Return);
        QVERIFY(closed(w));
        const QString inserted = opening + CrLf + CrLf + "</table>" + CrLf;
        QCOMPARE(ed()->text(), "a " + inserted + " b");
        QCOMPARE(ed()->selStart(), 2 + int(opening.size()) + 2); // on the empty line
        QCOMPARE(ed()->selLength(), 0);
    }

    // Boxes in order Tsrc, TAlt, TNumber 0-4.
    void image_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("a.gif, height 50%") << QStringList{"a.gif", "", "", "50%"} << "<img src=\"a.gif\" height=\"50%\">";
        QTest::newRow("% refused in hspace, vspace, border") << QStringList{"a.gif", "", "1%", "2%", "3%", "4%", "%5"}
                                                             << "<img src=\"a.gif\" width=\"1%\" height=\"2%\" hspace=\"3\" vspace=\"4\" border=\"5\">";
        QTest::newRow("quote in alt, unchanged") << QStringList{"x y.png", "say \"hi\""} << "<img src=\"x y.png\" alt=\"say \"hi\"\">";
        QTest::newRow("empty src: nothing") << QStringList{"", "alt", "10", "20", "1", "2", "3"} << "";
    }
    void image()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, inserted);
        setText(QStringLiteral("a SEL b"), 2, 3);
        frmImg *w = open<frmImg>("frmImg");
        QVERIFY(w);
        QCOMPARE(QApplication::focusWidget(), w->Tsrc);
        QCOMPARE(w->windowTitle(), t->frame->menuCaption(QStringLiteral("CodeFrm3")).remove(u'&'));
        QLineEdit *boxes[] = {w->Tsrc, w->TAlt, w->TNumber[0], w->TNumber[1], w->TNumber[2], w->TNumber[3], w->TNumber[4]};
        for (int i = 0; i < typed.size(); ++i)
            type(boxes[i], typed[i]);
        QTest::keyClick(boxes[typed.size() - 1], Qt::Key_Enter);
        QVERIFY(closed(w));
        QCOMPARE(ed()->text(), inserted.isEmpty() ? QStringLiteral("a SEL b") : "a " + inserted + " b");
        QCOMPARE(ed()->selStart(), 2 + int(inserted.size()));
        QCOMPARE(ed()->selLength(), inserted.isEmpty() ? 3 : 0);
    }

    // Boxes in order TxtImg, TxtSound, TNumber 0-4; filled from the last to the first.
    void body_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("opening");
        QTest::newRow("only BGCOLOR") << QStringList{"", "", "#FFFFFF"} << "<body topmargin=0 leftmargin=0 bgcolor=\"#FFFFFF\">";
        QTest::newRow("all, fixed order") << QStringList{"b.gif", "s.mid", "1", "2", "3", "4", "5"}
                                          << "<body topmargin=0 leftmargin=0 background=\"b.gif\" bgsound=\"s.mid\" bgcolor=\"1\" text=\"2\" link=\"3\" vlink=\"4\" alink=\"5\">";
        QTest::newRow("double quote unchanged") << QStringList{"", "", "", "a\"b"} << "<body topmargin=0 leftmargin=0 text=\"a\"b\">";
        QTest::newRow("all empty: nothing") << QStringList{} << "";
    }
    void body()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, opening);
        setText(QStringLiteral("a SEL b"), 2, 3);
        frmBody *w = open<frmBody>("frmBody");
        QVERIFY(w);
        QCOMPARE(QApplication::focusWidget(), w->TxtImg);
        QCOMPARE(w->windowTitle(), QStringLiteral("<body...>"));
        QLineEdit *boxes[] = {w->TxtImg, w->TxtSound, w->TNumber[0], w->TNumber[1], w->TNumber[2], w->TNumber[3], w->TNumber[4]};
        for (int i = int(typed.size()) - 1; i >= 0; --i)
            type(boxes[i], typed[i]);
        QTest::keyClick(w->TxtImg, Qt::Key_Return);
        QVERIFY(closed(w));
        if (opening.isEmpty()) {
            QCOMPARE(ed()->text(), QStringLiteral("a SEL b"));
            return;
        }
        QCOMPARE(ed()->text(), "a " + opening + CrLf + CrLf + "</body>" + CrLf + " b");
        QCOMPARE(ed()->selStart(), 2 + int(opening.size()) + 2);
    }

    // face: text typed over the face box (null: left as it opened); the colour
    // buttons answer from the queue; size: the key typed into the size list.
    void font_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("background");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("default face alone") << QString() << "" << "" << "" << "<font face=\"Times New Roman\"></font>";
        QTest::newRow("Arial, size 3") << "Arial" << "" << "3" << "" << "<font face=\"Arial\" size=\"3\"></font>";
        QTest::newRow("colour from the picker") << "" << "#FF0000" << "" << "" << "<font color=\"#FF0000\"></font>";
        QTest::newRow("background alone: nothing") << "" << "" << "" << "#000080" << "";
        QTest::newRow("background with a face") << "Arial" << "" << "" << "#000080" << "<font face=\"Arial\"></font>";
    }
    void font()
    {
        QFETCH(QString, face);
        QFETCH(QString, colour);
        QFETCH(QString, size);
        QFETCH(QString, background);
        QFETCH(QString, inserted);
        setText(QStringLiteral("ab"), 1);
        frmFonts *w = open<frmFonts>("frmFonts");
        QVERIFY(w);
        QCOMPARE(QApplication::focusWidget(), w->CoFonts);
        QCOMPARE(w->CoFonts->itemText(0), QStringLiteral("Arial"));
        QCOMPARE(w->CoFonts->itemText(1), QStringLiteral("Helvetica"));
        QStringList installed; // as a page names them: no foundry, each once
        for (int i = 2; i < w->CoFonts->count(); ++i)
            installed << w->CoFonts->itemText(i);
        QCOMPARE(QSet<QString>(installed.cbegin(), installed.cend()).size(), installed.size());
        for (const QString &family : QFontDatabase::families())
            QVERIFY2(installed.contains(family.section(QStringLiteral(" ["), 0, 0)), qPrintable(family));
        QCOMPARE(w->windowTitle(), t->frame->menuCaption(QStringLiteral("CodeFrm2")).remove(u'&'));
        const QString plainSample = w->Browser->toPlainText();
        if (!face.isNull()) {
            QTest::keyClick(w->CoFonts, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(w->CoFonts, Qt::Key_Backspace);
            type(w->CoFonts, face);
        }
        if (!colour.isEmpty()) {
            t->dialogs.colorAnswers.enqueue(colour);
            QTest::mouseClick(w->kFontColor, Qt::LeftButton);
            QCOMPARE(w->txtColor->text(), colour);
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
        QCOMPARE(ed()->text(), "a" + inserted + "b");
        QCOMPARE(ed()->selStart(), 1 + int(inserted.size()) - (inserted.isEmpty() ? 0 : 7));
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
        QCOMPARE(w->Browser->toPlainText(), s("ABC\nАБВ"));
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
        QTest::newRow("image") << "frmImg" << "Tsrc";
        QTest::newRow("body") << "frmBody" << "TNumber0";
        QTest::newRow("font face") << "frmFonts" << "CoFonts";
        QTest::newRow("font size") << "frmFonts" << "TSize";
        QTest::newRow("select name") << "FrmSelect" << "SName";
        QTest::newRow("select list") << "FrmSelect" << "LstText";
    }
    void escapeCancels()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, box);
        setText(QStringLiteral("abc"), 1, 1);
        QDialog *w = open<QDialog>(qPrintable(dialog));
        QVERIFY(w);
        QWidget *b = w->findChild<QWidget *>(box);
        if (auto *e = qobject_cast<QLineEdit *>(b))
            type(e, QStringLiteral("12"));
        QPointer<QWidget> gone(w);
        QTest::keyClick(b, Qt::Key_Escape);
        QVERIFY(closed(w));
        waitClosed(gone); // deleted: the next opening starts empty
        QCOMPARE(ed()->text(), QStringLiteral("abc"));
        QCOMPARE(ed()->selText(), QStringLiteral("b"));
    }

    // One window per dialog: opening it again brings the open one forward.
    void openingAgainKeepsTheWindow()
    {
        frmTable *w = open<frmTable>("frmTable");
        type(w->TNumber[0], QStringLiteral("4"));
        t->frame->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(t->frame.get()));
        QTest::keyClick(ed(), Qt::Key_T, Qt::ControlModifier);
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(w));
        QCOMPARE(t->frame->findChildren<frmTable *>().size(), 1);
        QCOMPARE(w->TNumber[0]->text(), QStringLiteral("4"));
    }

    // OK acts on the document active when it is pressed; with none open, or
    // one that shows its preview, it only closes (the table still inserts in preview).
    void targetDocument_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("evenInPreview");
        QTest::newRow("table") << "frmTable" << true;
        QTest::newRow("image") << "frmImg" << false;
        QTest::newRow("body") << "frmBody" << false;
        QTest::newRow("font") << "frmFonts" << false;
        QTest::newRow("select") << "FrmSelect" << false;
    }
    void targetDocument()
    {
        QFETCH(QString, dialog);
        QFETCH(bool, evenInPreview);
        const QString okName = dialog == "FrmSelect" ? "OK" : "kOK";
        DocWindow *a = t->active();
        const QString aText = a->Rich()->text();
        for (int round = 0; round < 3; ++round) {
            t->frame->activateWindow();
            QDialog *w = open<QDialog>(qPrintable(dialog));
            QVERIFY(w);
            if (auto *sel = qobject_cast<FrmSelect *>(w)) { // something OK would insert
                type(sel->SName, QStringLiteral("n"));
                QTest::keyClick(sel->SName, Qt::Key_Return);
                type(sel->SValue, QStringLiteral("7"));
                QTest::keyClick(sel->SValue, Qt::Key_Return);
                type(sel->SText, QStringLiteral("7"));
                QTest::keyClick(sel->SText, Qt::Key_Return);
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
                QCOMPARE(b->Rich()->text() != bText, evenInPreview);
                t->command(QStringLiteral("mnuFileProsmotr"));
            } else {
                QCOMPARE(app().docs.OpenDocCount, 0);
            }
        }
        // Nothing opens without a document.
        for (int i = 1; i <= 3; ++i)
            TagCommands::CodeFrm_Click(i);
        TagCommands::CodeFormsSelect_Click();
        TagCommands::showBodyDialog();
        QApplication::processEvents();
        for (const char *name : {"frmTable", "frmFonts", "frmImg", "frmBody", "FrmSelect"})
            QVERIFY2(!visibleDialog(QLatin1String(name)), name);
    }

    // The tag list's entries open their dialogs.
    void tagListOpensDialogs_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("table") << "table" << "frmTable";
        QTest::newRow("font") << "font" << "frmFonts";
        QTest::newRow("img src") << "img src" << "frmImg";
        QTest::newRow("body") << "body" << "frmBody";
        QTest::newRow("select") << "select" << "FrmSelect";
    }
    void tagListOpensDialogs()
    {
        QFETCH(QString, typed);
        QFETCH(QString, dialog);
        setText(QStringLiteral("x"), 1);
        QTest::keyClick(ed(), '<');
        frmListTag *list = find<frmListTag>("frmListTag");
        QVERIFY(list && list->isVisible());
        type(list->Text1, typed);
        QTest::keyClick(list->Text1, Qt::Key_Return);
        QWidget *w = visibleDialog(dialog);
        QVERIFY(w);
        QTRY_COMPARE(QApplication::activeWindow(), w);
        QCOMPARE(ed()->text(), QStringLiteral("x"));
    }

    // Colour and file buttons fill their box; a cancelled dialog leaves it alone.
    void pickerButtons_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("filter"); // "": a colour button
        const QString image = "Image (*.gif; *.jpg)|*.gif;*.jpg|All Files (*.*)|*.*";
        QTest::newRow("body image") << "frmBody" << "kOpImg" << "TxtImg" << image;
        QTest::newRow("body sound") << "frmBody" << "kOpSound" << "TxtSound"
                                    << "Sound (*.wav; *.mid; *.mp3)|*.wav;*.mid;*.mp3|All Files (*.*)|*.*";
        QTest::newRow("image src") << "frmImg" << "kOpImg" << "Tsrc" << image;
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
        if (file) {
            const QueueDialogs::Asked asked = t->dialogs.last(QStringLiteral("open"));
            QCOMPARE(asked.text, QString());
            QStringList pairs;
            for (const FileFilter &f : asked.filter)
                pairs << f.description << f.pattern;
            QCOMPARE(pairs.join(u'|'), filter);
        }
    }

    // Key filters judge typed characters only: a paste goes in as it is.
    void pasteIsNotFiltered()
    {
        frmImg *w = open<frmImg>("frmImg");
        QVERIFY(w);
        QApplication::clipboard()->setText(QStringLiteral("5%x"));
        QTest::keyClick(w->TNumber[4], Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->TNumber[4]->text(), QStringLiteral("5%x"));
        QTest::keyClick(w->TNumber[4], Qt::Key_Backspace);
        QCOMPARE(w->TNumber[4]->text(), QStringLiteral("5%"));
    }

    // Tooltips and captions from the language texts; the VSPACE tooltip reads
    // entry 108, or entry 86 from a file that lacks it.
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
        QCOMPARE(w->Tsrc->toolTip(), QStringLiteral("entry 83"));
        QCOMPARE(w->TNumber[2]->toolTip(), QStringLiteral("entry 85"));
        QCOMPARE(w->kCancel->text(), QStringLiteral("entry 70"));
        w->close();
        frmFonts *f = open<frmFonts>("frmFonts");
        QCOMPARE(f->Label1[3]->text(), QStringLiteral("( entry 65 )"));
        f->close();
        frmBody *b = open<frmBody>("frmBody");
        QCOMPARE(b->TNumber[4]->toolTip(), QStringLiteral("entry 69"));
        b->close();
        FrmSelect *sel = open<FrmSelect>("FrmSelect");
        QCOMPARE(sel->NO->text(), QStringLiteral("&entry 70")); // an access key of its own
        QVERIFY(sel->Del->text().contains(u'&'));
        QCOMPARE(sel->Del->text().remove(u'&'), t->frame->menuCaption(QStringLiteral("mnuEditDelete")).remove(u'&'));
    }

};

QTEST_MAIN(TestTagDialogsGui)
#include "test_tagdialogs_gui.moc"
