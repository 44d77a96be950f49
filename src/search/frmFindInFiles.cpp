#include "search/frmFindInFiles.h"
#include "lang/LanguageTexts.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmFindInFiles::frmFindInFiles(QWidget *owner, std::function<QString(const QString &)> chooseFolder)
    : QDialog(owner), m_chooseFolder(std::move(chooseFolder))
{
    setObjectName(QStringLiteral("frmFindInFiles"));
    const auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    const auto box = [this](const char *name) {
        auto *c = new QCheckBox(this);
        c->setObjectName(QLatin1String(name));
        return c;
    };
    const auto button = [this](const char *name) {
        auto *b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    Text1 = edit("Text1");
    ReplaceText = edit("ReplaceText");
    FolderText = edit("FolderText");
    NamesText = edit("NamesText");
    NamesText->setText(FindInFiles::DefaultNames);
    cmdBrowse = button("cmdBrowse");
    chProject = box("chProject");
    chMatchCase = box("chMatchCase");
    chWholeWord = box("chWholeWord");
    chRegex = box("chRegex");
    cmdFind = button("cmdFind");
    cmdFind->setDefault(true);
    cmdReplace = button("cmdReplace");
    cmdCancel = button("cmdCancel");

    auto *grid = new QGridLayout(this);
    const auto label = [this, grid](int row, QWidget *buddy) {
        auto *l = new QLabel(this);
        l->setObjectName(buddy->objectName() + QStringLiteral("Label"));
        l->setBuddy(buddy);
        grid->addWidget(l, row, 0);
    };
    label(0, Text1);
    grid->addWidget(Text1, 0, 1, 1, 2);
    label(1, ReplaceText);
    grid->addWidget(ReplaceText, 1, 1, 1, 2);
    label(2, FolderText);
    grid->addWidget(FolderText, 2, 1);
    grid->addWidget(cmdBrowse, 2, 2);
    label(3, NamesText);
    grid->addWidget(NamesText, 3, 1, 1, 2);
    grid->addWidget(chProject, 4, 1, 1, 2);
    auto *options = new QHBoxLayout;
    options->addWidget(chMatchCase);
    options->addWidget(chWholeWord);
    options->addWidget(chRegex);
    options->addStretch(1);
    grid->addLayout(options, 5, 1, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdFind);
    buttons->addWidget(cmdReplace);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 6, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    resize(520, sizeHint().height());

    connect(cmdBrowse, &QPushButton::clicked, this, [this] {
        const QString chosen = m_chooseFolder ? m_chooseFolder(FolderText->text()) : QString();
        if (!chosen.isEmpty())
            FolderText->setText(QDir::toNativeSeparators(chosen));
    });
    connect(cmdFind, &QPushButton::clicked, this, &frmFindInFiles::findRequested);
    connect(cmdReplace, &QPushButton::clicked, this, &frmFindInFiles::replaceRequested);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::close);
    connect(Text1, &QLineEdit::textChanged, this, &frmFindInFiles::updateEnabled);
    connect(chProject, &QCheckBox::toggled, this, &frmFindInFiles::updateEnabled);
    updateEnabled();
}

void frmFindInFiles::load(const LanguageTexts &t, bool projectFiles)
{
    setWindowTitle(t.text(TextEntry::FindInFilesTitle));
    const auto setLabel = [this](QWidget *buddy, const QString &text) {
        if (auto *l = findChild<QLabel *>(buddy->objectName() + QStringLiteral("Label")))
            l->setText(text);
    };
    setLabel(Text1, t.text(76));
    setLabel(ReplaceText, t.text(77));
    setLabel(FolderText, t.text(TextEntry::FolderLabel));
    setLabel(NamesText, t.text(TextEntry::NamesLabel));
    cmdBrowse->setText(t.text(TextEntry::Browse));
    chProject->setText(t.text(TextEntry::ProjectFiles));
    chMatchCase->setText(t.text(80));
    chWholeWord->setText(t.text(TextEntry::WholeWord));
    chRegex->setText(t.text(TextEntry::RegularExpression));
    cmdFind->setText(t.text(TextEntry::FindAll));
    cmdReplace->setText(t.text(TextEntry::ReplaceInFiles));
    cmdCancel->setText(t.text(70));
    chProject->setEnabled(projectFiles);
    if (!projectFiles)
        chProject->setChecked(false);
    updateEnabled();
}

FindQuery frmFindInFiles::query() const
{
    FindQuery q;
    q.text = Text1->text();
    q.replacement = ReplaceText->text();
    q.matchCase = chMatchCase->isChecked();
    q.wholeWord = chWholeWord->isChecked();
    q.regex = chRegex->isChecked();
    return q;
}

QString frmFindInFiles::folder() const
{
    return QDir::fromNativeSeparators(FolderText->text().trimmed());
}

QString frmFindInFiles::names() const
{
    return NamesText->text();
}

bool frmFindInFiles::inProject() const
{
    return chProject->isChecked() && chProject->isEnabled();
}

void frmFindInFiles::updateEnabled()
{
    const bool any = !Text1->text().isEmpty();
    cmdFind->setEnabled(any);
    cmdReplace->setEnabled(any);
    FolderText->setEnabled(!inProject());
    cmdBrowse->setEnabled(!inProject());
    NamesText->setEnabled(!inProject());
}
