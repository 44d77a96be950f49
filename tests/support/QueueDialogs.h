#pragma once
#include "platform/Dialogs.h"
#include <QQueue>
#include <functional>
#include <optional>

// Test double: answers from queues and records every question.
class QueueDialogs : public Dialogs {
public:
    struct Asked {
        QString kind;   // "message", "open", "save", "font", "color", "folder"
        QString text;   // message text, or the initial name of a file dialog
        int style = 0;
        QString title;  // the message box's title, or the font dialog's note
        QString folder;
        QList<FileFilter> filter;
        QStringList rows;   // a list question's rows, then its buttons
    };

    int messageBox(const QString &text, int style, const QString &title) override;
    QString openFileName(const QString &folder, const QString &initialName, const QList<FileFilter> &filter) override;
    QString saveFileName(const QString &folder, const QString &initialName, const QList<FileFilter> &filter) override;
    bool chooseFont(const FontChoice &current, FontChoice &chosen, const QString &title) override;
    QString selectColor() override;
    QString chooseFolder(const QString &start) override;
    int listQuestion(const ListQuestion &q) override;

    QQueue<int> messageAnswers;        // empty queue: OK / Cancel
    QQueue<QString> fileAnswers;       // "" = cancel
    QQueue<std::optional<FontChoice>> fontAnswers;
    QQueue<QString> colorAnswers;
    QQueue<QString> folderAnswers;
    QQueue<int> listAnswers;           // empty queue: the default button, as Enter gives
    QList<Asked> asked;
    FontChoice lastFontStart;          // what the font dialog started from
    std::function<void()> whileMessageShows;

    int count(const QString &kind) const;
    Asked last(const QString &kind) const;
};
