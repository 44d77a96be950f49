#include "app/frmAbout.h"
#include "app/AppState.h"
#include "files/Preview.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Empty while the project has no public page.
constexpr const char *HomePageAddress = "";
}

QString frmAbout::homePage()
{
    const QString address = QString::fromLatin1(HomePageAddress);
    if (!address.isEmpty())
        return address;
    const AppState &a = app();
    return a.settings.DataFolder + a.lang.HelpFile;
}

void frmAbout::openHomePage()
{
    app().preview->SaveFileUrlm(homePage());
}

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    const AppState &a = app();
    setWindowTitle(a.lang.AppTitle);
    setModal(true);

    auto *title = new QLabel(a.lang.AppTitle.toHtmlEscaped(), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);

    auto *version = new QLabel(app().lang.text(TextEntry::Version).arg(QStringLiteral(KODOPLET_VERSION)), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignCenter);

    auto *about = new QLabel(app().lang.text(TextEntry::AboutLine), this);
    about->setAlignment(Qt::AlignCenter);

    // A button that looks like a link: it opens through the redirect page, not
    // straight from the label, so a test sees what was opened.
    auto *link = new QPushButton(QStringLiteral("Kodoplet"), this);
    link->setObjectName(QStringLiteral("lblLink"));
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(QStringLiteral("QPushButton{color:palette(link);text-decoration:underline;border:none}"));
    link->setToolTip(homePage());
    connect(link, &QPushButton::clicked, this, &frmAbout::openHomePage);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("kOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *box = new QVBoxLayout(this);
    box->addWidget(title);
    box->addWidget(version);
    box->addWidget(about);
    box->addWidget(link, 0, Qt::AlignCenter);
    box->addSpacing(8);
    box->addWidget(buttons);
    setMinimumWidth(320);
}
