// The command table is the one list the menus, the toolbar, the language loader
// and the enabling walk: a broken row would silently lose a command.
#include "app/CommandTable.h"
#include "app/InfoPage.h"
#include "common/CommandNames.h"
#include <QSet>
#include <QtTest>

using namespace Commands;

class TestCommandTable : public QObject {
    Q_OBJECT
private slots:
    // The named constants and the table name the same commands.
    void namedConstantsMatchTheTable()
    {
        QSet<QString> constants;
#define KODOPLET_COLLECT(n) constants.insert(QString(Cmd::n));
        KODOPLET_COMMANDS(KODOPLET_COLLECT)
#undef KODOPLET_COLLECT
        QSet<QString> rows;
        for (const Commands::Command &c : Commands::commandTable())
            if (c.kind != Commands::Kind::Separator)
                rows.insert(c.name);
        QCOMPARE(constants, rows);
    }
    // Every shortcut has its row, with the built-in caption where the language
    // gives none; the title is escaped. (Captions as a language gives them, with
    // access keys and mark-up: test_toolbar_gui's Share window.)
    void infoPageListsEveryShortcut()
    {
        int withShortcut = 0;
        for (const Commands::Command &c : Commands::commandTable())
            withShortcut += c.kind == Commands::Kind::Item && !c.shortcut.isEmpty();
        const auto rows = InfoPage::shortcutRows([](const QString &) { return QString(); });
        QCOMPARE(rows.size(), withShortcut);
        QVERIFY(std::any_of(rows.begin(), rows.end(), [](const auto &r) {
            return r.command == QLatin1String("Edit > Find next") && r.keys == QLatin1String("F3");
        }));
        const QString html = InfoPage::page(QStringLiteral("Kodoplet <x> & y"), QStringLiteral("1.2"), rows);
        QVERIFY(html.contains(QStringLiteral("<h1>Kodoplet &lt;x&gt; &amp; y</h1>")));
        QCOMPARE(html.count(QStringLiteral("<tr>")), withShortcut);
    }

    void everyRowIsWhole()
    {
        // The editor's own keys are taken too.
        QSet<QString> names, menus, shortcuts{"Ctrl+Space", "Ctrl+Return", "Ctrl+B", "Shift+F10", "Ctrl+1", "Ctrl+2",
                                              "Ctrl+3", "Ctrl+4", "Ctrl+5", "Ctrl+6"};
        int tools = 0;
        for (const Command &c : commandTable()) {
            QVERIFY2(!names.contains(c.name), qPrintable(c.name));
            names << c.name;
            if (c.kind == Kind::Menu)
                menus << c.name;
            // A parent is a menu declared before its items.
            if (c.kind != Kind::Tool && !c.parent.isEmpty())
                QVERIFY2(menus.contains(c.parent), qPrintable(c.name));
            for (const QString &k : c.shortcut.split(u';', Qt::SkipEmptyParts)) {
                QVERIFY2(!shortcuts.contains(k), qPrintable(k));
                shortcuts << k;
            }
            if (c.kind == Kind::Tool) {
                QCOMPARE(c.name, QStringLiteral("PicKnopki%1").arg(tools++));
                QVERIFY2(c.runs.isEmpty() || findCommand(c.runs), qPrintable(c.runs));
                // A button without an entry keeps its fixed tooltip.
                QVERIFY(c.text.entry > 0 || !c.caption.isEmpty());
            }
        }
        QVERIFY(!findCommand(QStringLiteral("nothing")));
    }
};

QTEST_GUILESS_MAIN(TestCommandTable)
#include "test_commandtable.moc"
