#include "tags/frmImg.h"
#include "tags/DialogKeys.h"
#include "tags/DialogMarkup.h"
#include "tags/TagCommands.h"
#include "tags/TypedKeyFilter.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QToolButton>

frmImg::frmImg(QWidget *owner, TagCommands &tags) : TagDialog(QStringLiteral("frmImg"), owner, tags)
{
    auto *grid = new QGridLayout(this);
    Tsrc = addBox(grid, QStringLiteral("Tsrc"), QStringLiteral("SRC:"));
    Tsrc->setMinimumWidth(260);
    kOpImg = fileButton(QStringLiteral("kOpImg"), this);
    grid->addWidget(kOpImg, grid->rowCount() - 1, 2);
    TAlt = addBox(grid, QStringLiteral("TAlt"), QStringLiteral("ALT text:"));
    const char *labels[] = {"WIDTH:", "HEIGHT:", "HSPACE:", "VSPACE:", "BORDER:"};
    for (int i = 0; i < 5; ++i) {
        TNumber[i] = addBox(grid, QStringLiteral("TNumber%1").arg(i), QString::fromLatin1(labels[i]));
        TypedKeyFilter::install(TNumber[i], [i](QChar c) { return imageNumberKeyAccepted(i, c); });
        TNumber[i]->setMaximumWidth(110);
        grid->setAlignment(TNumber[i], Qt::AlignLeft);
    }
    finishLayout(grid);
    setCaption(QString(), QStringLiteral("Image"));
    connect(kOpImg, &QToolButton::clicked, this, [this] { pickFile(Tsrc, imageFilter()); });
}

void frmImg::load(const QString &caption)
{
    setCaption(caption, QStringLiteral("Image"));
    setTip(Tsrc, 83);
    setTip(TAlt, 84);
    setTip(TNumber[0], 74);
    setTip(TNumber[1], 75);
    setTip(TNumber[2], 85);
    setTip(TNumber[3], 108); // its own entry; files without it give entry 86
    setTip(TNumber[4], 71);
    Tsrc->setFocus();
}

void frmImg::kOK_Click()
{
    ImageFields f;
    f.src = Tsrc->text();
    f.alt = TAlt->text();
    f.width = TNumber[0]->text();
    f.height = TNumber[1]->text();
    f.hspace = TNumber[2]->text();
    f.vspace = TNumber[3]->text();
    f.border = TNumber[4]->text();
    m_tags.insertMarkup(imageMarkup(f));
    close();
}
