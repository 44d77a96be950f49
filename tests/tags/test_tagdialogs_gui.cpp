// The body, font, image and table dialogs through the real main frame: typed
// with key events, answered from the dialog queue, checked on the editor's text
// and caret.
#include "tags/TagDialogsFixture.h"

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

    // One window per dialog: opening it again brings the open one forward.
    void openingAgainKeepsTheWindow()
    {
        frmTable *w = open<frmTable>("frmTable");
        type(w->TNumber[0], QStringLiteral("4"));
        activateFrame();
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
        // Every dialog's OK goes through TagCommands::insertMarkup: one of each class.
        QTest::newRow("table") << "frmTable" << true;
        QTest::newRow("image") << "frmImg" << false;
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
                QCOMPARE(b->Rich()->text() != bText, evenInPreview);
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
};

QTEST_MAIN(TestTagDialogsGui)
#include "test_tagdialogs_gui.moc"
