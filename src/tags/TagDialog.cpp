#include "tags/TagDialog.h"
#include "lang/LanguageTexts.h"
#include "lang/MainFrameCaptions.h"
#include "lang/Messenger.h"
#include "tags/TagCommands.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

QIcon paletteIcon()
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    const QColor colours[] = {QColor(220, 40, 40), QColor(40, 170, 60), QColor(40, 90, 220), QColor(240, 200, 40)};
    for (int i = 0; i < 4; ++i)
        g.fillRect((i % 2) * 8, (i / 2) * 8, 8, 8, colours[i]);
    g.setPen(Qt::darkGray);
    g.drawRect(0, 0, 15, 15);
    return QIcon(p);
}

// The colour and file dialogs belong to the main frame, which gets the
// keyboard when they close: give it back to the box they filled.
void comeBack(QWidget *dialog, QLineEdit *box)
{
    dialog->activateWindow();
    box->setFocus();
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

} // namespace

TagDialog::TagDialog(const QString &name, QWidget *owner, TagCommands &tags) : QDialog(owner), m_tags(tags)
{
    setObjectName(name);
    setModal(false);
    // Fixed-size boxes: nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    kOK = new QPushButton(QStringLiteral("OK"), this);
    kOK->setObjectName(QStringLiteral("kOK"));
    kCancel = new QPushButton(QStringLiteral("Cancel"), this);
    kCancel->setObjectName(QStringLiteral("kCancel"));
    kOK->setDefault(true);
    connect(kOK, &QPushButton::clicked, this, [this] { kOK_Click(); });
    connect(kCancel, &QPushButton::clicked, this, &QWidget::close);
}

QToolButton *TagDialog::colourButton(const QString &name, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(paletteIcon());
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QToolButton *TagDialog::fileButton(const QString &name, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(QStyle::SP_DirOpenIcon));
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QList<FileFilter> TagDialog::imageFilter()
{
    return {{QStringLiteral("Image (*.gif; *.jpg)"), QStringLiteral("*.gif;*.jpg")},
            {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")}};
}

void TagDialog::setTip(QWidget *w, int entry) const
{
    const QString tip = m_tags.messenger().lang().text(entry);
    if (!tip.isEmpty())
        w->setToolTip(tip);
}

QLineEdit *TagDialog::addBox(QGridLayout *grid, const QString &name, const QString &label)
{
    const int row = grid->count() == 0 ? 0 : grid->rowCount(); // an empty grid counts one row
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    auto *l = new QLabel(label, this);
    l->setBuddy(box);
    grid->addWidget(l, row, 0);
    grid->addWidget(box, row, 1);
    return box;
}

void TagDialog::finishLayout(QGridLayout *grid)
{
    const QString cancel = m_tags.messenger().lang().text(70);
    if (!cancel.isEmpty())
        kCancel->setText(cancel);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(kOK);
    buttons->addWidget(kCancel);
    grid->addLayout(buttons, grid->rowCount(), 0, 1, grid->columnCount());
    grid->setSizeConstraint(QLayout::SetFixedSize);
    for (QLineEdit *box : findChildren<QLineEdit *>())
        box->installEventFilter(this);
    for (QComboBox *box : findChildren<QComboBox *>())
        box->installEventFilter(this);
}

void TagDialog::setCaption(const QString &menuCaption, const QString &designed)
{
    setWindowTitle(menuCaption.isEmpty() ? designed : withoutMnemonics(menuCaption));
}

void TagDialog::pickColour(QLineEdit *box)
{
    const QString colour = m_tags.messenger().dialogs().selectColor();
    if (!colour.isEmpty())
        box->setText(colour);
    comeBack(this, box);
}

void TagDialog::pickFile(QLineEdit *box, const QList<FileFilter> &filter)
{
    const QString path = m_tags.chooseFile(filter);
    if (!path.isEmpty())
        box->setText(path);
    comeBack(this, box);
}

bool TagDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Here rather than through the default button: an editable combo box
    // would take Enter for itself.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && isEnter(key->key())) {
            kOK->click();
            return true;
        }
        if (plain && key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
