#pragma once
// Language files, settings and the language chooser for GUI tests of a whole program.
#include "common/TestApp.h"
#include "lang/frmLang.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <map>

// A complete language file whose texts say where they come from: entry n is
// prefix + n, except the few that other texts are built from.
inline QByteArray languageFile(const QString &name, const QString &prefix, std::map<int, QString> texts = {})
{
    texts.try_emplace(1, prefix + QStringLiteral("Ed"));
    texts.try_emplace(2, prefix + QStringLiteral("Unt"));
    texts.try_emplace(3, QStringLiteral("&") + prefix + QStringLiteral("File"));
    texts.try_emplace(62, prefix + QStringLiteral("Proj"));
    QString text = u'"' + name + QStringLiteral("\",\"Help/") + prefix + QStringLiteral(".html\"\r\n");
    for (int n = 1; n <= 106; ++n) {
        const auto it = texts.find(n);
        text += QString::number(n) + QStringLiteral(",\"")
            + (it != texts.end() ? it->second : prefix + QString::number(n)) + QStringLiteral("\"\r\n");
    }
    return text.toUtf8();
}

inline QString sourceDir() { return qEnvironmentVariable("KODOPLET_SOURCE_DIR"); }
inline QString buildDir() { return qEnvironmentVariable("KODOPLET_BUILD_DIR"); }

inline QStringList shippedLanguages()
{
    return QDir(sourceDir() + QStringLiteral("/resources/Language")).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
}

inline void addLanguage(TestApp &t, const QString &file, const QByteArray &bytes)
{
    QDir().mkpath(t.folder + QStringLiteral("Language"));
    t.writeFile(QStringLiteral("Language/") + file, bytes);
}

inline void addShipped(TestApp &t, const QString &file)
{
    QFile f(sourceDir() + QStringLiteral("/resources/Language/") + file);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
    addLanguage(t, file, f.readAll());
}

inline QByteArray settingsNaming(const QByteArray &languageFile)
{
    return "[kodoplet]\r\n" + languageFile + "\r\n";
}

// The frame's own caption: a maximized document adds " - [name]", as MDI frames do.
inline QString frameCaption(const TestApp &t)
{
    QString title = t.frame->windowTitle();
    const qsizetype k = title.lastIndexOf(QStringLiteral(" - ["));
    if (k >= 0 && title.endsWith(u']'))
        title.truncate(k);
    return title;
}

inline QString caption(const TestApp &t, const char *name)
{
    QAction *a = t.frame->action(QString::fromLatin1(name));
    return a ? a->text() : QStringLiteral("<no action %1>").arg(QString::fromLatin1(name));
}

// Every text a language load may change, to see that a failed load changed none.
inline QStringList everyText(const TestApp &t)
{
    const AppState &a = app();
    QStringList all{t.frame->windowTitle(), a.lang.AppTitle, a.lang.UntitledName, a.lang.NewPageTitle,
                    a.lang.DefaultProjectName, a.lang.HelpFile, a.settings.LanguageFile, a.ProjectName};
    for (const QString &s : a.lang.DialogTexts)
        all << s;
    for (const QString &s : a.lang.Messages)
        all << s;
    for (QAction *act : t.frame->actions())
        all << act->objectName() + u'=' + act->text() + u'|' + act->toolTip();
    for (DocWindow *d : a.docs.open())
        all << d->txtCaption + u'|' + d->windowTitle();
    return all;
}

// Acts on each language chooser that comes on screen, modal or modeless. The
// default action cancels it, so a start-up can never hang on a modal chooser.
struct ChooserWatch {
    std::function<void(frmLang *)> act = [](frmLang *c) { c->NO->click(); };
    int shown = 0;
    QStringList designed;   // title, Label1, OK, NO of the last chooser seen
    QStringList rows;       // DirT rows of the last chooser seen
    QStringList files;

    ChooserWatch()
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start();
    }

private:
    void poll()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *c = qobject_cast<frmLang *>(w);
            if (!c || !c->isVisible() || c == seen.data())
                continue;
            seen = c;
            ++shown;
            designed = {c->windowTitle(), c->Label1->text(), c->OK->text(), c->NO->text()};
            rows.clear();
            for (int i = 0; i < c->DirT->count(); ++i)
                rows << c->DirT->item(i)->text();
            files = c->File;
            act(c);
        }
    }
    QTimer timer;
    QPointer<frmLang> seen;
};

// Picks the row of the given file and confirms.
inline std::function<void(frmLang *)> pick(const QString &file)
{
    return [file](frmLang *c) {
        const int row = int(c->File.indexOf(file));
        if (row < 0) {
            c->NO->click();
            return;
        }
        c->DirT->setCurrentRow(row);
        c->OK->click();
    };
}
