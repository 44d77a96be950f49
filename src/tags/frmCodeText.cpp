#include "tags/frmCodeText.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "lang/LanguageTexts.h"
#include "lang/Messenger.h"
#include "lang/MainFrameCaptions.h"
#include "platform/EditControl.h"
#include "tags/CharCodes.h"
#include "tags/TagCommands.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

frmCodeText::frmCodeText(QWidget *owner, TagCommands &tags) : QDialog(owner), m_tags(tags)
{
    setObjectName(QStringLiteral("frmCodeText"));
    setModal(false);
    auto *layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Образец:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Label1->setBuddy(Text1); // its caption carries an access key
    kOK = new QPushButton(QStringLiteral("OK"), this);
    kOK->setObjectName(QStringLiteral("kOK"));
    kOK->setEnabled(false);
    layout->addWidget(Label1);
    layout->addWidget(Text1);
    layout->addWidget(kOK, 0, Qt::AlignRight);
    resize(380, 200);
    connect(Text1, &QPlainTextEdit::textChanged, this, [this] { kOK->setEnabled(!Text1->toPlainText().isEmpty()); });
    connect(kOK, &QPushButton::clicked, this, &frmCodeText::kOK_Click);
}

void frmCodeText::load(const QString &caption)
{
    setWindowTitle(withoutMnemonics(caption));
    const QString label = m_tags.messenger().lang().text(76);
    if (!label.isEmpty())
        Label1->setText(label);
    if (DocWindow *d = m_tags.docs().active()) {
        const QString sel = d->Rich()->selText();
        if (!sel.isEmpty())
            Text1->setPlainText(sel);
    }
    kOK->setEnabled(!Text1->toPlainText().isEmpty());
}

void frmCodeText::kOK_Click()
{
    const DocTable &docs = m_tags.docs();
    DocWindow *d = docs.OpenDocCount > 0 ? docs.active() : nullptr;
    if (d && d->editorVisible()) {
        // The raw text: toPlainText() would turn no-break spaces into blanks.
        // The box's paragraph breaks are the document's CR LF.
        QString text = Text1->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
        insertCharCodes(text, *d->Rich());
        d->Rich()->setFocus();
    }
    close();
}
