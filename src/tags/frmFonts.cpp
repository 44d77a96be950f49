#include "tags/frmFonts.h"
#include "lang/LanguageTexts.h"
#include "lang/Messenger.h"
#include "tags/DialogMarkup.h"
#include "tags/TagCommands.h"
#include "tags/FontSample.h"
#include "tags/FontSampleView.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QToolButton>

frmFonts::frmFonts(QWidget *owner, TagCommands &tags) : TagDialog(QStringLiteral("frmFonts"), owner, tags)
{
    auto *grid = new QGridLayout(this);
    const char *labels[] = {"Face:", "Color:", "Size:", "( Background color )"};
    for (int i = 0; i < 4; ++i) {
        Label1[i] = new QLabel(QString::fromLatin1(labels[i]), this);
        Label1[i]->setObjectName(QStringLiteral("Label1%1").arg(i));
        grid->addWidget(Label1[i], i, 0);
    }
    CoFonts = new QComboBox(this);
    CoFonts->setObjectName(QStringLiteral("CoFonts"));
    CoFonts->setEditable(true);
    CoFonts->setInsertPolicy(QComboBox::NoInsert);
    CoFonts->setMinimumWidth(200);
    CoFonts->setMaxVisibleItems(20);
    txtColor = new QLineEdit(this);
    txtColor->setObjectName(QStringLiteral("txtColor"));
    kFontColor = colourButton(QStringLiteral("kFontColor"), this);
    TSize = new QComboBox(this);
    TSize->setObjectName(QStringLiteral("TSize"));
    TSize->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                     QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")});
    TSize->setCurrentIndex(-1);
    BgColor = new QLineEdit(this);
    BgColor->setObjectName(QStringLiteral("BgColor"));
    kBgColor = colourButton(QStringLiteral("kBgColor"), this);
    Browser = new FontSampleView(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setFixedSize(200, 110);
    for (int i = 0; i < 3; ++i)
        Label1[i]->setBuddy(i == 0 ? static_cast<QWidget *>(CoFonts) : i == 1 ? static_cast<QWidget *>(txtColor) : TSize);
    Label1[3]->setBuddy(BgColor);
    grid->addWidget(CoFonts, 0, 1, 1, 2);
    grid->addWidget(txtColor, 1, 1);
    grid->addWidget(kFontColor, 1, 2);
    grid->addWidget(TSize, 2, 1, 1, 2);
    grid->addWidget(BgColor, 3, 1);
    grid->addWidget(kBgColor, 3, 2);
    grid->addWidget(Browser, 0, 3, 4, 1);
    finishLayout(grid);
    setCaption(QString(), QStringLiteral("Fonts"));

    // Typing a face redraws nothing until a face is chosen or another field changes.
    connect(CoFonts, &QComboBox::activated, this, &frmFonts::ShowSample);
    connect(TSize, &QComboBox::activated, this, &frmFonts::ShowSample);
    connect(txtColor, &QLineEdit::textChanged, this, &frmFonts::ShowSample);
    connect(BgColor, &QLineEdit::textChanged, this, &frmFonts::ShowSample);
    connect(kFontColor, &QToolButton::clicked, this, [this] { pickColour(txtColor); });
    connect(kBgColor, &QToolButton::clicked, this, [this] { pickColour(BgColor); });
}

void frmFonts::load(const QString &caption)
{
    setCaption(caption, QStringLiteral("Fonts"));
    CoFonts->addItems(QStringList{QStringLiteral("Arial"), QStringLiteral("Helvetica")} + installedFaces());
    CoFonts->setCurrentIndex(-1);
    CoFonts->setEditText(QString::fromUtf16(FontDefaultFace));
    const QString background = m_tags.messenger().lang().text(65);
    if (!background.isEmpty())
        Label1[3]->setText(QStringLiteral("( ") + background + QStringLiteral(" )"));
    ShowSample();
    CoFonts->setFocus();
}

QStringList frmFonts::installedFaces()
{
    // Qt names a family that several foundries supply "Name [Foundry]"; a page
    // knows the family by its name alone, so each name is listed once.
    QStringList faces;
    QSet<QString> seen;
    for (QString family : QFontDatabase::families()) {
        const qsizetype foundry = family.indexOf(QLatin1String(" ["));
        if (foundry > 0 && family.endsWith(u']'))
            family.truncate(foundry);
        if (!seen.contains(family)) {
            seen.insert(family);
            faces << family;
        }
    }
    return faces;
}

FontFields frmFonts::fields() const
{
    return {CoFonts->currentText(), txtColor->text(), TSize->currentText()};
}

void frmFonts::ShowSample()
{
    Browser->setHtml(fontSamplePage(fields(), BgColor->text()));
}

void frmFonts::kOK_Click()
{
    m_tags.insertMarkup(fontMarkup(fields()));
    close();
}
