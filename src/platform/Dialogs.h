#pragma once
#include "common/FileFilter.h"
#include <QList>
#include <QStringList>
#include <QString>

class QWidget;


struct FontChoice {
    QString family;
    int pointSize = 12;  // whole points: a fraction is dropped
    bool bold = false;
    bool italic = false;
};

// A window listing rows of information with a row of answer buttons (the
// recovery window at start-up).
struct ListQuestion {
    QString title;
    QString text;             // above the list
    QStringList rows;
    QStringList buttons;      // captions, "&" marks the access key
    int defaultButton = 0;    // what Enter chooses
    int closeAnswer = -1;     // what closing the window gives
};

// Every message box and every file, colour and font dialog goes through here, so
// tests can answer from a queue and see what was asked.
class Dialogs {
public:
    // Message box styles and answers.
    enum Style { Information = 64, Critical = 16, YesNo = 52, YesNoCancel = 51 };
    enum Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

    virtual ~Dialogs() = default;
    virtual void setParentWidget(QWidget *parent) { m_parent = parent; }
    // The window dialogs are centred on and owned by (the main frame), or nullptr.
    QWidget *parentWidget() const { return m_parent; }

    virtual int messageBox(const QString &text, int style, const QString &title) = 0;
    // "" when the user cancels.
    virtual QString openFileName(const QString &folder, const QString &initialName, const QList<FileFilter> &filter) = 0;
    virtual QString saveFileName(const QString &folder, const QString &initialName, const QList<FileFilter> &filter) = 0;
    // Starts from current; false when cancelled. A title that is not empty
    // replaces the dialog's own (a note on the font it starts from).
    virtual bool chooseFont(const FontChoice &current, FontChoice &chosen, const QString &title) = 0;
    // "#RRGGBB" (upper-case hex, red first), or "" on cancel.
    virtual QString selectColor() = 0;
    // A folder, or "" on cancel.
    virtual QString chooseFolder(const QString &start) = 0;
    // The index of the button chosen (q.closeAnswer when the window is closed).
    virtual int listQuestion(const ListQuestion &q) = 0;

    // "Description (patterns)" for Qt's file dialogs.
    static QString qtNameFilter(const QList<FileFilter> &filter);

protected:
    QWidget *m_parent = nullptr;
};

// The real dialogs.
class QtDialogs : public Dialogs {
public:
    int messageBox(const QString &text, int style, const QString &title) override;
    QString openFileName(const QString &folder, const QString &initialName, const QList<FileFilter> &filter) override;
    QString saveFileName(const QString &folder, const QString &initialName, const QList<FileFilter> &filter) override;
    bool chooseFont(const FontChoice &current, FontChoice &chosen, const QString &title) override;
    QString selectColor() override;
    QString chooseFolder(const QString &start) override;
    int listQuestion(const ListQuestion &q) override;
};
