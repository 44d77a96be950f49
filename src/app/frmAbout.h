#pragma once
#include <QDialog>

class QLabel;

// Help > About: the program's name, its version and a link to its home page.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // The program's home page; until it has a public one, the help page of the
    // current language beside the program.
    static QString homePage();
    // Opens the home page through a redirect page (the link's action).
    static void openHomePage();
};
