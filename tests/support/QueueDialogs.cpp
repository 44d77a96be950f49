#include "support/QueueDialogs.h"

int QueueDialogs::messageBox(const QString &text, int style, const QString &title)
{
    asked.append({QStringLiteral("message"), text, style, title, {}, {}, {}});
    // What other handlers may do while a real message box runs its event loop.
    if (whileMessageShows)
        whileMessageShows();
    if (!messageAnswers.isEmpty())
        return messageAnswers.dequeue();
    return (style == YesNo || style == YesNoCancel) ? Cancel : Ok;
}

QString QueueDialogs::openFileName(const QString &folder, const QString &initialName, const QList<FileFilter> &filter)
{
    asked.append({QStringLiteral("open"), initialName, 0, {}, folder, filter, {}});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString QueueDialogs::saveFileName(const QString &folder, const QString &initialName, const QList<FileFilter> &filter)
{
    asked.append({QStringLiteral("save"), initialName, 0, {}, folder, filter, {}});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

bool QueueDialogs::chooseFont(const FontChoice &current, FontChoice &chosen, const QString &title)
{
    asked.append({QStringLiteral("font"), current.family, current.pointSize, title, {}, {}, {}});
    lastFontStart = current;
    if (fontAnswers.isEmpty())
        return false;
    const auto a = fontAnswers.dequeue();
    if (!a)
        return false;
    chosen = *a;
    return true;
}

QString QueueDialogs::selectColor()
{
    asked.append({QStringLiteral("color"), {}, 0, {}, {}, {}, {}});
    return colorAnswers.isEmpty() ? QString() : colorAnswers.dequeue();
}

QString QueueDialogs::chooseFolder(const QString &start)
{
    asked.append({QStringLiteral("folder"), {}, 0, {}, start, {}, {}});
    return folderAnswers.isEmpty() ? QString() : folderAnswers.dequeue();
}

int QueueDialogs::count(const QString &kind) const
{
    int n = 0;
    for (const Asked &a : asked)
        n += a.kind == kind;
    return n;
}

QueueDialogs::Asked QueueDialogs::last(const QString &kind) const
{
    for (auto it = asked.crbegin(); it != asked.crend(); ++it)
        if (it->kind == kind)
            return *it;
    return {};
}

int QueueDialogs::listQuestion(const ListQuestion &q)
{
    asked.append({QStringLiteral("list"), q.text, q.defaultButton, q.title, {}, {}, q.rows + q.buttons});
    return listAnswers.isEmpty() ? q.defaultButton : listAnswers.dequeue();
}
