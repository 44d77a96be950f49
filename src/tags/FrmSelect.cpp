#include "tags/FrmSelect.h"
#include "common/CommandNames.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "lang/LanguageTexts.h"
#include "lang/MainFrameCaptions.h"
#include "lang/Messenger.h"
#include "platform/EditControl.h"
#include "tags/DialogKeys.h"
#include "tags/SelectReader.h"
#include "tags/TagCommands.h"
#include "tags/TypedKeyFilter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

bool isEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int k = static_cast<const QKeyEvent *>(event)->key();
    return k == Qt::Key_Return || k == Qt::Key_Enter;
}

// Gives a caption an access key when its language text has none.
QString withAccessKey(const QString &text)
{
    return text.contains(u'&') ? text : u'&' + text;
}

QListWidget *optionList(const QString &name, QWidget *parent)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(name);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setMinimumSize(150, 140);
    return l;
}

} // namespace

FrmSelect::FrmSelect(QWidget *owner, TagCommands &tags) : QDialog(owner), m_tags(tags)
{
    setObjectName(QStringLiteral("FrmSelect"));
    setModal(false);
    setWindowTitle(QStringLiteral("SELECT"));
    const char *labels[] = {"Name:", "Value:", "Text:"};
    for (int i = 0; i < 3; ++i) {
        Label1[i] = new QLabel(QString::fromLatin1(labels[i]), this);
        Label1[i]->setObjectName(QStringLiteral("Label1%1").arg(i));
    }
    SName = new QLineEdit(this);
    SName->setObjectName(QStringLiteral("SName"));
    SValue = new QLineEdit(this);
    SValue->setObjectName(QStringLiteral("SValue"));
    SText = new QLineEdit(this);
    SText->setObjectName(QStringLiteral("SText"));
    LstValue = optionList(QStringLiteral("LstValue"), this);
    LstText = optionList(QStringLiteral("LstText"), this);
    const QStyle::StandardPixmap arrows[] = {QStyle::SP_ArrowUp, QStyle::SP_ArrowDown};
    for (int i = 0; i < 2; ++i) {
        VerhNiz[i] = new QPushButton(style()->standardIcon(arrows[i]), QString(), this);
        VerhNiz[i]->setObjectName(QStringLiteral("VerhNiz%1").arg(i));
        connect(VerhNiz[i], &QPushButton::clicked, this, [this, i] { VerhNiz_Click(i); });
    }
    Del = new QPushButton(QStringLiteral("&Delete"), this);
    Del->setObjectName(QStringLiteral("Del"));
    OK = new QPushButton(QStringLiteral("&OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    NO = new QPushButton(QStringLiteral("&Cancel"), this);
    NO->setObjectName(QStringLiteral("NO"));
    Label1[0]->setBuddy(SName);
    Label1[1]->setBuddy(SValue);
    Label1[2]->setBuddy(SText);

    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1[0], 0, 0, 1, 2);
    grid->addWidget(SName, 1, 0, 1, 2);
    grid->addWidget(Label1[1], 2, 0);
    grid->addWidget(Label1[2], 2, 1);
    grid->addWidget(SValue, 3, 0);
    grid->addWidget(SText, 3, 1);
    grid->addWidget(LstValue, 4, 0);
    grid->addWidget(LstText, 4, 1);
    auto *side = new QVBoxLayout;
    side->addWidget(VerhNiz[0]);
    side->addWidget(VerhNiz[1]);
    side->addWidget(Del);
    side->addStretch(1);
    grid->addLayout(side, 4, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OK);
    buttons->addWidget(NO);
    grid->addLayout(buttons, 5, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    // OK stands out; Enter in the boxes and lists is taken before it (eventFilter).
    OK->setDefault(true);

    // The name and value end up inside a double-quoted attribute, the text
    // inside the option element.
    TypedKeyFilter::install(SName, selectNameKeyAccepted);
    TypedKeyFilter::install(SValue, selectNameKeyAccepted);
    TypedKeyFilter::install(SText, selectTextKeyAccepted);
    for (QWidget *w : {static_cast<QWidget *>(SName), static_cast<QWidget *>(SValue), static_cast<QWidget *>(SText),
                       static_cast<QWidget *>(LstValue), static_cast<QWidget *>(LstText)})
        w->installEventFilter(this);

    connect(LstValue, &QListWidget::itemSelectionChanged, this, [this] { listClicked(LstValue); });
    connect(LstText, &QListWidget::itemSelectionChanged, this, [this] { listClicked(LstText); });
    // Queued: taking a row back rebuilds the lists, which must not happen
    // while the list is still handling the click.
    connect(LstValue, &QListWidget::itemDoubleClicked, this, [this] { EditSelectedOption(SValue); }, Qt::QueuedConnection);
    connect(LstText, &QListWidget::itemDoubleClicked, this, [this] { EditSelectedOption(SText); }, Qt::QueuedConnection);
    connect(Del, &QPushButton::clicked, this, &FrmSelect::Del_Click);
    connect(OK, &QPushButton::clicked, this, &FrmSelect::OK_Click);
    connect(NO, &QPushButton::clicked, this, &QWidget::close);
    resize(440, 320);
}

void FrmSelect::load(const QString &caption)
{
    if (!caption.isEmpty())
        setWindowTitle(withoutMnemonics(caption));
    const QString cancel = m_tags.messenger().lang().text(70);
    if (!cancel.isEmpty())
        NO->setText(withAccessKey(cancel));
    const QString del = m_tags.menuCaption(QString(Cmd::mnuEditDelete));
    if (!del.isEmpty())
        Del->setText(withAccessKey(del));
    const DocTable &docs = m_tags.docs();
    if (DocWindow *d = docs.OpenDocCount > 0 ? docs.active() : nullptr) {
        const SelectReading r = readSelectElement(d->Rich()->selText());
        SName->setText(r.name);
        m_rows.setOptions(r.options);
        showRows();
    }
    SName->setFocus();
}

void FrmSelect::showRows()
{
    m_showing = true;
    for (QListWidget *l : {LstValue, LstText})
        l->clear();
    for (const SelectOption &o : m_rows.options()) {
        LstValue->addItem(o.value);
        LstText->addItem(o.text);
    }
    m_showing = false;
    showSelection();
}

void FrmSelect::showSelection()
{
    m_showing = true;
    const int row = m_rows.selectedRow();
    for (QListWidget *l : {LstValue, LstText}) {
        if (row < 0) {
            l->clearSelection();
            l->setCurrentRow(-1);
        } else {
            l->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        }
    }
    m_showing = false;
}

void FrmSelect::listClicked(QListWidget *list)
{
    if (m_showing)
        return;
    const QList<QListWidgetItem *> selected = list->selectedItems();
    m_rows.select(selected.isEmpty() ? -1 : list->row(selected.first()));
    showSelection();
}

void FrmSelect::addOption()
{
    switch (m_rows.addOption(SValue->text(), SText->text())) {
    case SelectList::AddResult::NeedValue:
        SValue->setFocus();
        break;
    case SelectList::AddResult::NeedText:
        break;
    case SelectList::AddResult::Added:
        showRows();
        SValue->clear();
        SText->clear();
        SValue->setFocus();
        break;
    }
}

void FrmSelect::EditSelectedOption(QLineEdit *editIn)
{
    const std::optional<SelectOption> taken = m_rows.takeBack();
    if (!taken)
        return; // no row to take
    SValue->setText(taken->value);
    SText->setText(taken->text);
    showRows();
    editIn->setFocus();
    editIn->selectAll();
}

void FrmSelect::VerhNiz_Click(int item)
{
    if (item == 0 ? m_rows.moveUp() : m_rows.moveDown())
        showRows();
}

void FrmSelect::Del_Click()
{
    if (m_rows.deleteSelected())
        showRows();
}

void FrmSelect::OK_Click()
{
    m_tags.insertMarkup(m_rows.build(SName->text()));
    close();
}

bool FrmSelect::eventFilter(QObject *watched, QEvent *event)
{
    if (!isEnter(event))
        return QDialog::eventFilter(watched, event);
    // Enter walks from the name to the value to the text, adds the option from
    // the text box, and takes an option back from the lists; it never means OK.
    if (watched == SName) {
        if (!SName->text().isEmpty())
            SValue->setFocus();
    } else if (watched == SValue) {
        if (!SValue->text().isEmpty())
            SText->setFocus();
    } else if (watched == SText) {
        addOption();
    } else if (watched == LstValue) {
        EditSelectedOption(SValue);
    } else if (watched == LstText) {
        EditSelectedOption(SText);
    }
    return true;
}
