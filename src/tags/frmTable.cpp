#include "tags/frmTable.h"
#include "tags/DialogKeys.h"
#include "tags/DialogMarkup.h"
#include "tags/TagCommands.h"
#include "tags/TypedKeyFilter.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QToolButton>

frmTable::frmTable(QWidget *owner, TagCommands &tags) : TagDialog(QStringLiteral("frmTable"), owner, tags)
{
    auto *grid = new QGridLayout(this);
    const auto number = [&](int i, const char *label) {
        TNumber[i] = addBox(grid, QStringLiteral("TNumber%1").arg(i), QString::fromLatin1(label));
        TypedKeyFilter::install(TNumber[i], [i](QChar c) { return tableNumberKeyAccepted(i, c); });
    };
    number(0, "BORDER:");
    TBgColor = addBox(grid, QStringLiteral("TBgColor"), QStringLiteral("BGCOLOR:"));
    kBgColor = colourButton(QStringLiteral("kBgColor"), this);
    grid->addWidget(kBgColor, grid->rowCount() - 1, 2);
    number(1, "CELLSPACING:");
    number(2, "CELLPADDING:");
    number(3, "WIDTH:");
    number(4, "HEIGHT:");
    finishLayout(grid);
    setCaption(QString(), QStringLiteral("Table"));
    connect(kBgColor, &QToolButton::clicked, this, [this] { pickColour(TBgColor); });
}

void frmTable::load(const QString &caption)
{
    setCaption(caption, QStringLiteral("Table"));
    setTip(TNumber[0], 71);
    setTip(TBgColor, 65);
    setTip(TNumber[1], 72);
    setTip(TNumber[2], 73);
    setTip(TNumber[3], 74);
    setTip(TNumber[4], 75);
    TNumber[0]->setFocus();
}

void frmTable::kOK_Click()
{
    TableFields f;
    f.border = TNumber[0]->text();
    f.bgcolor = TBgColor->text();
    f.cellspacing = TNumber[1]->text();
    f.cellpadding = TNumber[2]->text();
    f.width = TNumber[3]->text();
    f.height = TNumber[4]->text();
    m_tags.insertMarkup(tableMarkup(f));
    close();
}
