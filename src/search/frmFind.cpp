#include "search/frmFind.h"
#include "common/CommandNames.h"
#include "common/Settings.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "lang/LanguageTexts.h"
#include "lang/MainFrameCaptions.h"
#include "lang/Messenger.h"
#include "platform/Dialogs.h"
#include "platform/EditControl.h"
#include "search/SearchCommands.h"
#include "search/SearchState.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <limits>

namespace {

// The language text of an entry, or the built-in one while no language gives it.
QString entryText(const LanguageTexts &lang, int entry, const char *builtIn)
{
    const QString t = lang.text(entry);
    return t.isEmpty() ? QString::fromUtf8(builtIn) : t;
}

QComboBox *historyBox(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // the history grows only through AddToHistory
    // The history keeps "Div" and "div" apart; a completer that ignores case would
    // put a history entry in place of what was typed when the box loses focus.
    if (QCompleter *c = box->completer())
        c->setCaseSensitivity(Qt::CaseSensitive);
    box->setMinimumWidth(290);
    // A selection taken as start text may be long; the line edit would cut it.
    box->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

} // namespace

frmFind::frmFind(SearchCommands &commands, QWidget *owner) : QDialog(owner), m_commands(commands)
{
    setObjectName(QStringLiteral("frmFind"));
    setModal(false);

    lblFindStart = new QLabel(this);
    lblFindStart->setObjectName(QStringLiteral("lblFindStart"));
    lstFindStart = historyBox(this, "lstFindStart");
    lblFindEnd = new QLabel(this);
    lblFindEnd->setObjectName(QStringLiteral("lblFindEnd"));
    lstFindEnd = historyBox(this, "lstFindEnd");
    lblReplace = new QLabel(this);
    lblReplace->setObjectName(QStringLiteral("lblReplace"));
    cboReplace = new QComboBox(this);
    cboReplace->setObjectName(QStringLiteral("cboReplace"));
    cboReplace->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboReplace->setMinimumContentsLength(6);
    txtReplace = new QPlainTextEdit(this);
    txtReplace->setObjectName(QStringLiteral("txtReplace"));
    txtReplace->setTabChangesFocus(true);
    txtReplace->setFixedHeight(90);
    chRegistr = new QCheckBox(this);
    chRegistr->setObjectName(QStringLiteral("chRegistr"));
    chOpenFile = new QCheckBox(this);
    chOpenFile->setObjectName(QStringLiteral("chOpenFile"));
    cmdFind = new QPushButton(this);
    cmdFind->setObjectName(QStringLiteral("cmdFind"));
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdReplaceAll = new QPushButton(this);
    cmdReplaceAll->setObjectName(QStringLiteral("cmdReplaceAll"));
    cmdReplace1Raz = new QPushButton(this);
    cmdReplace1Raz->setObjectName(QStringLiteral("cmdReplace1Raz"));
    lblFindStart->setBuddy(lstFindStart);
    lblFindEnd->setBuddy(lstFindEnd);
    lblReplace->setBuddy(txtReplace);

    // Texts on the left, buttons on the right; hidden replace controls take no room.
    auto *fields = new QGridLayout;
    fields->addWidget(lblFindStart, 0, 0);
    fields->addWidget(lstFindStart, 0, 1, 1, 2);
    fields->addWidget(lblFindEnd, 1, 0);
    fields->addWidget(lstFindEnd, 1, 1, 1, 2);
    fields->addWidget(lblReplace, 2, 0, 1, 2);
    fields->addWidget(cboReplace, 2, 2, Qt::AlignRight);
    fields->addWidget(txtReplace, 3, 0, 1, 3);
    fields->addWidget(chRegistr, 4, 0, 1, 3);
    fields->addWidget(chOpenFile, 5, 0, 1, 3);
    fields->setColumnStretch(1, 1);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {cmdFind, cmdCancel, cmdReplaceAll, cmdReplace1Raz}) {
        b->setMinimumWidth(110);
        buttons->addWidget(b);
    }
    cmdReplace1Raz->setMinimumHeight(40);
    buttons->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(lstFindStart, lstFindEnd);
    setTabOrder(lstFindEnd, txtReplace);
    setTabOrder(txtReplace, cboReplace);
    setTabOrder(cboReplace, chRegistr);
    setTabOrder(chRegistr, chOpenFile);
    setTabOrder(chOpenFile, cmdFind);
    setTabOrder(cmdFind, cmdCancel);
    setTabOrder(cmdCancel, cmdReplaceAll);
    setTabOrder(cmdReplaceAll, cmdReplace1Raz);

    lstFindStart->lineEdit()->installEventFilter(this);
    lstFindEnd->lineEdit()->installEventFilter(this);

    connect(lstFindStart, &QComboBox::editTextChanged, this, &frmFind::lstFindStart_Change);
    connect(cboReplace, &QComboBox::activated, this, &frmFind::cboReplace_Click);
    connect(chRegistr, &QCheckBox::clicked, this, &frmFind::chRegistr_Click);
    connect(cmdFind, &QPushButton::clicked, this, &frmFind::cmdFind_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFind::close);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &frmFind::cmdReplaceAll_Click);
    connect(cmdReplace1Raz, &QPushButton::clicked, this, &frmFind::cmdReplace1Raz_Click);
}

void frmFind::setCaptions()
{
    const LanguageTexts &lang = m_commands.messenger().lang();
    // The window is named after its menu item: Edit > Find (0) or Replace (2).
    const QString item = m_mode == Mode::Replace ? QString(Cmd::mnuEditFind2) : QString(Cmd::mnuEditFind0);
    setWindowTitle(withoutMnemonics(m_commands.commandCaption(item)));
    cmdFind->setText(m_commands.commandCaption(QString(Cmd::mnuEditFind1), QStringLiteral("Find &Next")));
    lblFindStart->setText(entryText(lang, 76, "&Text:"));
    lblFindEnd->setText(entryText(lang, 89, "&End text:"));
    lblReplace->setText(entryText(lang, 77, "Re&place with:"));
    chRegistr->setText(entryText(lang, 80, "&Match case"));
    chOpenFile->setText(entryText(lang, 79, "In all open &documents"));
    cmdCancel->setText(entryText(lang, 70, "&Cancel"));
    cmdReplaceAll->setText(entryText(lang, 78, "Replace &All"));
    // The built-in caption has no language entry of its own before 107.
    cmdReplace1Raz->setText(entryText(lang, MessageEntry::ReplaceOnce, "Заменить один раз"));

    const QString face = m_commands.settings().EditorFontName;
    if (!face.isEmpty()) {
        QFont f = QApplication::font(this);
        f.setFamily(face);
        setFont(f);
    }
}

void frmFind::fillHistory(const QString &startText, const QString &endText)
{
    const QStringList &history = m_commands.state().FindHistory;
    for (QComboBox *box : {lstFindStart, lstFindEnd}) {
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItems(history);
        box->setCurrentIndex(-1);
    }
    lstFindEnd->setEditText(endText);
    lstFindStart->setEditText(startText);
    lstFindStart_Change(); // also when the text did not change

    cboReplace->clear();
    cboReplace->addItems(history);
    cboReplace->setCurrentIndex(-1);
}

void frmFind::load(Mode mode)
{
    const SearchState &search = m_commands.state();
    const bool reopened = isVisible();
    m_mode = mode;
    const bool replaceMode = m_mode == Mode::Replace;
    setCaptions();
    chRegistr->setChecked(search.FindMatchCase != 0);
    chOpenFile->setChecked(false);

    QString start = reopened ? lstFindStart->currentText() : QString();
    const QString end = reopened ? lstFindEnd->currentText() : QString();
    if (DocWindow *d = m_commands.docs().active()) {
        const QString selected = d->Rich()->selText();
        if (!selected.isEmpty() || !reopened)
            start = selected;
    }
    fillHistory(start, end);
    // Hidden in find mode, the replacement is empty: Replace once there deletes the match.
    if (!replaceMode || !reopened)
        txtReplace->clear();

    lblReplace->setVisible(replaceMode);
    txtReplace->setVisible(replaceMode);
    cmdReplaceAll->setVisible(replaceMode);
    chOpenFile->setVisible(replaceMode);
    cboReplace->setVisible(replaceMode && search.FindHistoryLast() >= 0);
    setActionsEnabled(true);
    cmdCancel->setEnabled(true);

    lstFindStart->setFocus();
    lstFindStart->lineEdit()->selectAll();
}

void frmFind::setActionsEnabled(bool on)
{
    for (QPushButton *b : {cmdFind, cmdReplaceAll, cmdReplace1Raz})
        b->setEnabled(on && !lstFindStart->currentText().isEmpty());
}

void frmFind::lstFindStart_Change()
{
    setActionsEnabled(true);
}

void frmFind::cboReplace_Click(int index)
{
    if (index >= 0)
        txtReplace->setPlainText(cboReplace->itemText(index));
}

void frmFind::chRegistr_Click()
{
    m_commands.state().FindMatchCase = chRegistr->isChecked() ? 1 : 0;
}

QString frmFind::replacementText() const
{
    // Raw text: toPlainText() would turn no-break spaces into blanks.
    QString text = txtReplace->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

void frmFind::cmdFind_Click()
{
    if (!cmdFind->isEnabled())
        return;
    setActionsEnabled(false);
    cmdCancel->setEnabled(false);
    SearchCommands &commands = m_commands; // the pending events may end this window
    commands.state().prepareFind(lstFindStart->currentText(), lstFindEnd->currentText());
    const QPointer<frmFind> self(this);
    hideToOwner();
    commands.DocFoundTextM();
    if (self)
        close();
}

void frmFind::replace(bool all)
{
    SearchState &search = m_commands.state();
    const DocTable &docs = m_commands.docs();
    const Messenger &msg = m_commands.messenger();
    setActionsEnabled(false);
    cmdCancel->setEnabled(false);
    search.prepareReplace(lstFindStart->currentText(), lstFindEnd->currentText(), replacementText());
    if (chOpenFile->isChecked()) {
        for (int i = 0; i <= docs.LastDocSlot; ++i)
            m_commands.ReplaceInDocument(docs.slot(i), all);
    } else {
        m_commands.ReplaceInDocument(docs.active(), all);
    }
    msg.ask(msg.message(MessageEntry::ReplaceCount) + QString::number(search.ReplaceCount), Dialogs::Information);
    const QPointer<frmFind> self(this);
    hideToOwner();
    docs.focusActive();
    if (self)
        close();
}

void frmFind::hideToOwner()
{
    hide();
    // The owner takes the keyboard back at once, so F3 works right after a Find.
    if (QWidget *owner = parentWidget())
        owner->activateWindow();
    QApplication::processEvents();
}

bool frmFind::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the start or end box runs Find (and never adds to the list).
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdFind_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
