#pragma once
#include <QDialog>

// Help > Share: the information page (what the program is, its shortcuts in
// the current language) in an embedded browser.
class frmShare : public QDialog {
    Q_OBJECT
public:
    explicit frmShare(QWidget *parent = nullptr);
    // The page shown.
    QString html() const { return m_html; }
    // The page for the commands and captions in force now.
    static QString currentPage();

private:
    QString m_html;
};
