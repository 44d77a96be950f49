#include "lang/frmLang.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageLoader.h"
#include "lang/LanguageTexts.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScreen>

frmLang::frmLang(LanguageLoader &loader, QWidget *owner) : QDialog(owner), m_loader(loader)
{
    setObjectName(QStringLiteral("frmLang"));
    setWindowTitle(QStringLiteral("Select of language"));
    auto *grid = new QGridLayout(this);
    Label1 = new QLabel(QStringLiteral("List:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    DirT = new QListWidget(this);
    DirT->setObjectName(QStringLiteral("DirT"));
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    NO = new QPushButton(QStringLiteral("Cancel"), this);
    NO->setObjectName(QStringLiteral("NO"));
    Inform = new QLabel(this);
    Inform->setObjectName(QStringLiteral("Inform"));
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(DirT, 1, 0, 3, 1);
    grid->addWidget(OK, 1, 1);
    grid->addWidget(NO, 2, 1);
    grid->addWidget(Inform, 4, 0, 1, 2);
    grid->setRowStretch(3, 1);
    // A fixed single border, centred on the screen.
    setFixedSize(360, 200);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    connect(DirT, &QListWidget::itemSelectionChanged, this, &frmLang::DirT_Click);
    connect(DirT, &QListWidget::itemDoubleClicked, this, &frmLang::OK_Click);
    connect(OK, &QPushButton::clicked, this, &frmLang::OK_Click);
    connect(NO, &QPushButton::clicked, this, &QDialog::reject);
    fill();
}

void frmLang::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void frmLang::fill()
{
    const QString folder = m_loader.languageFolder();
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        return;
    QStringList locales;
    for (const QString &f : files) {
        QString name;
        // A file the loader would refuse (unreadable, no language file) is left
        // out of both lists, so they stay in step and every row loads.
        if (!LanguageFile::readLanguageName(folder + f, name))
            continue;
        LanguageData data;
        LanguageFile::read(folder + f, data);
        File << f;
        locales << data.entry(109);
        DirT->addItem(name);
    }
    // Enter loads the row shown as chosen, and Down goes on from it.
    const int row = LanguageFile::preferredRow(File, locales, m_loader.currentFile(), QLocale().name());
    if (row >= 0)
        DirT->setCurrentRow(row);
    if (!m_loader.currentFile().isEmpty()) {
        setWindowTitle(m_loader.texts().text(86));
        Label1->setText(m_loader.texts().text(87));
        NO->setText(m_loader.texts().text(70));
    }
}

void frmLang::DirT_Click()
{
    const QList<QListWidgetItem *> sel = DirT->selectedItems();
    const int r = sel.isEmpty() ? -1 : DirT->row(sel.first());
    Inform->setText(r >= 0 && r < File.size() ? File[r] : QString());
}

void frmLang::OK_Click()
{
    const QList<QListWidgetItem *> sel = DirT->selectedItems();
    const int r = sel.isEmpty() ? -1 : DirT->row(sel.first());
    const QString file = r >= 0 && r < File.size() ? File[r] : QString();
    accept();
    if (!file.isEmpty())
        m_loader.LoadJazikM(file);
}
