#include "search/frmFoundLine.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "lang/LanguageTexts.h"
#include "lang/MainFrameCaptions.h"
#include "lang/Messenger.h"
#include "platform/EditControl.h"
#include "search/GoToLine.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmFoundLine::frmFoundLine(DocTable &docs, const Messenger &msg, QWidget *owner)
    : QDialog(owner), m_docs(docs), m_msg(msg)
{
    setObjectName(QStringLiteral("frmFoundLine"));
    setModal(true);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMinimumWidth(80);
    Label1->setBuddy(Text1);
    kOK = new QPushButton(QStringLiteral("OK"), this);
    kOK->setObjectName(QStringLiteral("kOK"));
    kOK->setDefault(true);
    kOK->setEnabled(false);
    NO = new QPushButton(this);
    NO->setObjectName(QStringLiteral("NO"));
    NO->setAutoDefault(false);

    auto *layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Text1, 0, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(kOK);
    buttons->addWidget(NO);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Text1, &QLineEdit::textChanged, this, &frmFoundLine::Text1_Change);
    connect(kOK, &QPushButton::clicked, this, &frmFoundLine::kOK_Click);
    connect(NO, &QPushButton::clicked, this, &frmFoundLine::reject);
}

void frmFoundLine::load(const QString &caption)
{
    setWindowTitle(withoutMnemonics(caption));
    const QString prompt = m_msg.message(104);
    Label1->setText(prompt.isEmpty() ? QStringLiteral("Line number:") : prompt);
    const QString cancel = m_msg.lang().text(70);
    NO->setText(cancel.isEmpty() ? QStringLiteral("&Cancel") : cancel);
    Text1->setFocus();
}

void frmFoundLine::Text1_Change()
{
    kOK->setEnabled(GoToLine::accepts(Text1->text()));
}

void frmFoundLine::kOK_Click()
{
    if (!GoToLine::accepts(Text1->text()))
        return;
    DocWindow *d = m_docs.active();
    if (!d) {
        reject();
        return;
    }
    EditControl *e = d->Rich();
    const GoToLineResult r = GoToLine::find(e->text(), GoToLine::lineNumber(GoToLine::leadingNumber(Text1->text())));
    if (!r.found) {
        // The number stays for correction.
        m_msg.ask(m_msg.message(r.messageEntry), r.boxStyle);
        Text1->setFocus();
        Text1->selectAll();
        return;
    }
    e->setSelStart(r.selStart);
    if (r.selLength > 0)
        e->setSelLength(r.selLength);
    const DocTable &docs = m_docs; // accept() may end this window
    accept();
    docs.focusActive();
}
