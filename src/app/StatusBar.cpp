#include "app/StatusBar.h"
#include "app/AppState.h"
#include "common/TextFile.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"

#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

namespace {

constexpr TextEncoding Encodings[] = {TextEncoding::Windows1251, TextEncoding::Utf8, TextEncoding::Utf8Bom};
constexpr LineBreak LineBreaks[] = {LineBreak::CrLf, LineBreak::Lf, LineBreak::Cr};

QToolButton *fieldButton(const QString &name, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->hide();
    return b;
}

} // namespace

StatusBar::StatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(true);
    m_position = new QLabel(this);
    m_position->setObjectName(QStringLiteral("lblPosition"));
    m_encoding = fieldButton(QStringLiteral("cmdEncoding"), this);
    m_lineBreak = fieldButton(QStringLiteral("cmdLineBreak"), this);
    m_declared = fieldButton(QStringLiteral("cmdDeclared"), this);
    m_modified = new QLabel(this);
    m_modified->setObjectName(QStringLiteral("lblModified"));
    addPermanentWidget(m_modified);
    addPermanentWidget(m_position);
    addPermanentWidget(m_declared);
    addPermanentWidget(m_encoding);
    addPermanentWidget(m_lineBreak);

    QList<std::pair<QString, int>> encodings, breaks;
    for (TextEncoding e : Encodings)
        encodings.append({encodingName(e), int(e)});
    for (LineBreak b : LineBreaks)
        breaks.append({lineBreakName(b), int(b)});
    m_encodingMenu = makeMenu(QStringLiteral("mnuEncoding"), encodings);
    m_lineBreakMenu = makeMenu(QStringLiteral("mnuLineBreak"), breaks);
    connect(m_encodingMenu, &QMenu::triggered, this, [this](QAction *a) { choose(true, a->data().toInt()); });
    connect(m_lineBreakMenu, &QMenu::triggered, this, [this](QAction *a) { choose(false, a->data().toInt()); });
    connect(m_encoding, &QToolButton::clicked, this, [this] { openMenu(true); });
    connect(m_declared, &QToolButton::clicked, this, [this] { openMenu(true); });
    connect(m_lineBreak, &QToolButton::clicked, this, [this] { openMenu(false); });
    m_declaredLater.setSingleShot(true);
    m_declaredLater.setInterval(300);
    connect(&m_declaredLater, &QTimer::timeout, this, &StatusBar::refreshDeclared);

    // Whoever shows or activates a document does so first: the bar reads the outcome.
    DocTable &docs = app().docs;
    connect(&docs, &DocTable::documentCreated, this, &StatusBar::watch);
    connect(&docs, &DocTable::showRequested, this, &StatusBar::refresh);
    connect(&docs, &DocTable::activateRequested, this, &StatusBar::refresh);
    for (DocWindow *d : docs.DocWindows)
        if (d)
            watch(d);
    // A language load sets the frame's caption again: the bar takes its texts then.
    connect(&app().frameCaption, &TextOption::changed, this, &StatusBar::refresh);
}

QString StatusBar::encodingName(TextEncoding e)
{
    switch (e) {
    case TextEncoding::Utf8: return QStringLiteral("UTF-8");
    case TextEncoding::Utf8Bom: return QStringLiteral("UTF-8 with BOM");
    case TextEncoding::Windows1251: break;
    }
    return QStringLiteral("windows-1251");
}

QString StatusBar::lineBreakName(LineBreak b)
{
    switch (b) {
    case LineBreak::Lf: return QStringLiteral("LF");
    case LineBreak::Cr: return QStringLiteral("CR");
    case LineBreak::CrLf: break;
    }
    return QStringLiteral("CR LF");
}

std::pair<int, int> StatusBar::caretLineColumn(const EditControl &e)
{
    const int pos = e.caretPos();
    const int line = e.lineAt(pos);
    return {line + 1, pos - e.lineStart(line) + 1};
}

DocWindow *StatusBar::shownDoc()
{
    DocWindow *d = app().docs.active();
    return d && !d->UnloadDoc() && d->editorVisible() ? d : nullptr;
}

void StatusBar::watch(DocWindow *d)
{
    connect(d->Rich(), &QPlainTextEdit::cursorPositionChanged, this, [this, d] {
        if (app().docs.active() == d)
            refreshPosition();
    });
    connect(d, &DocWindow::viewSwitched, this, &StatusBar::refresh);
    connect(d->document(), &Document::formatChanged, this, &StatusBar::refresh);
    // Typing may change the declaration: looked at again once the typing pauses.
    connect(d->Rich(), &EditControl::changed, this, [this, d] {
        if (app().docs.active() == d && !isHidden())
            m_declaredLater.start();
    });
    connect(d->document(), &Document::modifiedChanged, this, [this, d] {
        if (app().docs.active() == d)
            refresh();
    });
}

void StatusBar::detach()
{
    DocTable &docs = app().docs;
    disconnect(&docs, nullptr, this, nullptr);
    disconnect(&app().frameCaption, nullptr, this, nullptr);
    for (DocWindow *d : docs.DocWindows)
        if (d) {
            disconnect(d, nullptr, this, nullptr);
            disconnect(d->document(), nullptr, this, nullptr);
            disconnect(d->Rich(), nullptr, this, nullptr);
        }
}

void StatusBar::refresh()
{
    // A hidden bar is brought up to date when it is shown again.
    if (isHidden())
        return;
    DocWindow *d = shownDoc();
    m_encoding->setVisible(d);
    m_lineBreak->setVisible(d);
    m_modified->setText(d && d->document()->isModified() ? app().lang.text(116) : QString());
    // A fixed size for the widest position this language can show: a caret move
    // then repaints the field without laying the bar out again.
    const QString widest = app().lang.text(113).arg(999999).arg(99999);
    const QFontMetrics fm = m_position->fontMetrics();
    m_position->setFixedSize(fm.horizontalAdvance(widest) + fm.averageCharWidth(), fm.height());
    if (d) {
        const LanguageTexts &lang = app().lang;
        m_encoding->setText(encodingName(d->document()->format().encoding));
        m_encoding->setToolTip(lang.text(114));
        m_lineBreak->setText(lineBreakName(d->document()->format().lineBreak));
        m_lineBreak->setToolTip(lang.text(115));
    }
    refreshDeclared();
    refreshPosition();
}

QString StatusBar::disagreeingCharset(const DocWindow &d)
{
    const Document &doc = *d.document();
    if (doc.Script())
        return {};
    const QString declared = TextFile::declaredCharset(d.Rich()->textAt(0, int(TextFile::CharsetScanLimit)));
    if (declared.isEmpty())
        return {};
    const auto declaredEncoding = TextFile::charsetEncoding(declared);
    TextEncoding saved = doc.format().encoding;
    if (saved == TextEncoding::Utf8Bom)
        saved = TextEncoding::Utf8;
    return declaredEncoding == saved ? QString() : declared;
}

void StatusBar::refreshDeclared()
{
    m_declaredLater.stop();
    if (isHidden())
        return;
    DocWindow *d = shownDoc();
    const QString declared = d ? disagreeingCharset(*d) : QString();
    m_declared->setVisible(!declared.isEmpty());
    if (!declared.isEmpty()) {
        m_declared->setText(QStringLiteral("\u26A0 ") + app().lang.text(140).arg(declared));
        m_declared->setToolTip(app().lang.text(141));
    }
}

void StatusBar::openMenu(bool encoding)
{
    DocWindow *d = shownDoc();
    if (!d)
        return;
    const TextFormat &f = d->document()->format();
    QMenu *menu = encoding ? m_encodingMenu : m_lineBreakMenu;
    QToolButton *button = encoding ? m_encoding : m_lineBreak;
    const int current = encoding ? int(f.encoding) : int(f.lineBreak);
    if (!isHidden() && button->isVisible()) {
        popup(button, menu, current);
        return;
    }
    for (QAction *a : menu->actions())
        a->setChecked(a->data().toInt() == current);
    EditControl *e = d->Rich();
    menu->popup(e->viewport()->mapToGlobal(e->cursorRect().bottomLeft()));
    for (QAction *a : menu->actions())
        if (a->isChecked())
            menu->setActiveAction(a);
}

void StatusBar::refreshPosition()
{
    if (isHidden())
        return;
    DocWindow *d = shownDoc();
    if (!d) {
        m_position->clear();
        return;
    }
    const auto [line, column] = caretLineColumn(*d->Rich());
    m_position->setText(app().lang.text(113).arg(line).arg(column));
}

QMenu *StatusBar::makeMenu(const QString &name, const QList<std::pair<QString, int>> &choices)
{
    auto *m = new QMenu(this);
    m->setObjectName(name);
    auto *group = new QActionGroup(m);
    for (const auto &[text, value] : choices) {
        QAction *a = m->addAction(text);
        a->setCheckable(true);
        a->setData(value);
        group->addAction(a);
    }
    return m;
}

void StatusBar::popup(QToolButton *button, QMenu *menu, int current)
{
    for (QAction *a : menu->actions())
        a->setChecked(a->data().toInt() == current);
    // Above the field: the bar is at the bottom of the frame.
    menu->popup(button->mapToGlobal(QPoint(0, -menu->sizeHint().height())));
    // From the keyboard, Enter keeps the current choice and the arrows start there.
    for (QAction *a : menu->actions())
        if (a->isChecked())
            menu->setActiveAction(a);
}

void StatusBar::choose(bool encoding, int value)
{
    DocWindow *d = shownDoc();
    if (!d)
        return;
    TextFormat f = d->document()->format();
    if (encoding)
        f.encoding = TextEncoding(value);
    else
        f.lineBreak = LineBreak(value);
    d->document()->changeFormat(f);
    d->focusView();
}

void StatusBar::showEvent(QShowEvent *e)
{
    QStatusBar::showEvent(e);
    refresh();
}

void StatusBar::changeEvent(QEvent *e)
{
    QStatusBar::changeEvent(e);
    // A new language of Qt's own texts comes with a new language file.
    if (e->type() == QEvent::LanguageChange)
        refresh();
}
