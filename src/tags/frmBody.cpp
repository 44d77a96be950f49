#include "tags/frmBody.h"
#include "tags/DialogMarkup.h"
#include "tags/TagCommands.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QToolButton>

namespace {
const QString Caption = QStringLiteral("<body...>");
}

frmBody::frmBody(QWidget *owner, TagCommands &tags) : TagDialog(QStringLiteral("frmBody"), owner, tags)
{
    auto *grid = new QGridLayout(this);
    TxtImg = addBox(grid, QStringLiteral("TxtImg"), QStringLiteral("BGIMAGE:"));
    TxtImg->setMinimumWidth(260);
    kOpImg = fileButton(QStringLiteral("kOpImg"), this);
    grid->addWidget(kOpImg, grid->rowCount() - 1, 2);
    TxtSound = addBox(grid, QStringLiteral("TxtSound"), QStringLiteral("BGSOUND:"));
    kOpSound = fileButton(QStringLiteral("kOpSound"), this);
    grid->addWidget(kOpSound, grid->rowCount() - 1, 2);
    const char *labels[] = {"BGCOLOR:", "TEXT COLOR:", "LINK COLOR:", "VISITED LINK:", "ACTIV LINK:"};
    for (int i = 0; i < 5; ++i) {
        TNumber[i] = addBox(grid, QStringLiteral("TNumber%1").arg(i), QString::fromLatin1(labels[i]));
        kColor[i] = colourButton(QStringLiteral("kColor%1").arg(i), this);
        grid->addWidget(kColor[i], grid->rowCount() - 1, 2);
        connect(kColor[i], &QToolButton::clicked, this, [this, i] { pickColour(TNumber[i]); });
    }
    finishLayout(grid);
    setCaption(QString(), Caption);
    connect(kOpImg, &QToolButton::clicked, this, [this] { pickFile(TxtImg, imageFilter()); });
    connect(kOpSound, &QToolButton::clicked, this, [this] { pickFile(TxtSound, soundFilter()); });
}

QList<FileFilter> frmBody::soundFilter()
{
    return {{QStringLiteral("Sound (*.wav; *.mid; *.mp3)"), QStringLiteral("*.wav;*.mid;*.mp3")},
            {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")}};
}

void frmBody::load(const QString &)
{
    setTip(TxtImg, 63);
    setTip(TxtSound, 64);
    for (int i = 0; i < 5; ++i)
        setTip(TNumber[i], 65 + i);
    TxtImg->setFocus();
}

void frmBody::kOK_Click()
{
    BodyFields f;
    f.background = TxtImg->text();
    f.bgsound = TxtSound->text();
    f.bgcolor = TNumber[0]->text();
    f.text = TNumber[1]->text();
    f.link = TNumber[2]->text();
    f.vlink = TNumber[3]->text();
    f.alink = TNumber[4]->text();
    m_tags.insertMarkup(bodyMarkup(f));
    close();
}
