#include "app/frmShare.h"
#include "app/AppState.h"
#include "app/InfoPage.h"
#include "platform/BrowserView.h"
#include "platform/PreviewSandbox.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

QString frmShare::currentPage()
{
    const AppState &a = app();
    const auto rows = InfoPage::shortcutRows([&a](const QString &name) { return a.commandCaption(name); });
    return InfoPage::page(a.lang.AppTitle, QStringLiteral(KODOPLET_VERSION), rows, a.lang);
}

frmShare::frmShare(QWidget *parent) : QDialog(parent), m_html(currentPage())
{
    setObjectName(QStringLiteral("frmShare"));
    setWindowTitle(app().lang.AppTitle);
    setModal(true);
    auto *box = new QVBoxLayout(this);
    // Without its engine (as root with the sandbox on) the page is still shown, plainer.
    if (BrowserView::engineCanStart()) {
        auto *view = new BrowserView(*app().sandbox, this);
        view->setObjectName(QStringLiteral("brwInfo"));
        view->showProgramPage(m_html);
        box->addWidget(view, 1);
    } else {
        auto *view = new QTextBrowser(this);
        view->setObjectName(QStringLiteral("brwInfo"));
        view->setHtml(m_html);
        box->addWidget(view, 1);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("kOK"));
    // The page keeps every key it gets: the window starts on OK, so Enter and
    // Escape close it; a click in the page still lets the keys scroll it.
    ok->setDefault(true);
    ok->setFocus();
    box->itemAt(0)->widget()->setFocusPolicy(Qt::ClickFocus);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    box->addWidget(buttons);
    resize(640, 520);
}
