#include "platform/Dialogs.h"
#include "common/ColourText.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QFontInfo>
#include <QGridLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <QPushButton>

namespace {
// Room the window manager takes beside a title: icon and close, minimise buttons.
constexpr int titleBarExtra = 140;
}

QString Dialogs::qtNameFilter(const QList<FileFilter> &filter)
{
    QStringList parts;
    for (const FileFilter &f : filter) {
        QString patterns = f.pattern;
        patterns.replace(u';', u' ');
        // "*.*" would hide the many files here that have no extension.
        if (patterns.trimmed() == QLatin1String("*.*"))
            patterns = QStringLiteral("*");
        parts << QStringLiteral("%1 (%2)").arg(f.description, patterns.simplified());
    }
    return parts.join(QStringLiteral(";;"));
}

int QtDialogs::messageBox(const QString &text, int style, const QString &title)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    // File names and typed texts are shown as they are: "<b>x</b>.htm" is a name, not mark-up.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    // A short text would leave the box too narrow for its title.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        QFont titleFont = box.font();   // window managers often draw titles bold
        titleFont.setBold(true);
        const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(title);
        const int wanted = titleWidth + titleBarExtra;
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    switch (style) {
    case Critical:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case YesNo:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case YesNoCancel:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    default:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Yes;
    case QMessageBox::No: return No;
    case QMessageBox::Cancel: return Cancel;
    default:
        // Closing a Yes/No/Cancel box from its title bar means Cancel; a Yes/No box No.
        if (style == YesNoCancel) return Cancel;
        if (style == YesNo) return No;
        return Ok;
    }
}

namespace {
// Both file dialogs accept any typed name: opening a missing file reports the
// error itself, and the program asks its own overwrite question.
QString runFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &folder,
                      const QString &initialName, const QList<FileFilter> &filter)
{
    QFileDialog d(parent, QString(), folder, Dialogs::qtNameFilter(filter));
    d.setAcceptMode(mode);
    d.setFileMode(QFileDialog::AnyFile);
    d.setOption(QFileDialog::DontConfirmOverwrite);
    if (!initialName.isEmpty())
        d.selectFile(initialName);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    return d.selectedFiles().first();
}
} // namespace

QString QtDialogs::openFileName(const QString &folder, const QString &initialName, const QList<FileFilter> &filter)
{
    return runFileDialog(m_parent, QFileDialog::AcceptOpen, folder, initialName, filter);
}

QString QtDialogs::saveFileName(const QString &folder, const QString &initialName, const QList<FileFilter> &filter)
{
    return runFileDialog(m_parent, QFileDialog::AcceptSave, folder, initialName, filter);
}

bool QtDialogs::chooseFont(const FontChoice &current, FontChoice &chosen, const QString &title)
{
    QFont f(current.family);
    f.setPointSize(current.pointSize > 0 ? current.pointSize : 12);
    f.setBold(current.bold);
    f.setItalic(current.italic);
    // The dialog lists installed faces only: it opens on the face the editor
    // really shows, with the stored size and style, not on its own default.
    const QString shown = QFontInfo(f).family();
    f.setFamily(shown);
    bool ok = false;
    const QFont r = QFontDialog::getFont(&ok, f, m_parent, title);
    if (!ok)
        return false;
    // OK on the stand-in of a face that is not installed keeps the stored name.
    chosen.family = r.family() == shown ? current.family : r.family();
    chosen.pointSize = r.pointSizeF() > 0 ? int(r.pointSizeF()) : current.pointSize;
    chosen.bold = r.bold();
    chosen.italic = r.italic();
    return true;
}

QString QtDialogs::selectColor()
{
    const QColor c = QColorDialog::getColor(Qt::black, m_parent);
    if (!c.isValid())
        return {};
    return colourText(c.red(), c.green(), c.blue());
}

QString QtDialogs::chooseFolder(const QString &start)
{
    return QFileDialog::getExistingDirectory(m_parent, QString(), start);
}

int QtDialogs::listQuestion(const ListQuestion &q)
{
    QDialog box(m_parent);
    box.setObjectName(QStringLiteral("listQuestion"));
    box.setWindowTitle(q.title);
    auto *layout = new QVBoxLayout(&box);
    auto *label = new QLabel(q.text, &box);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto *list = new QListWidget(&box);
    list->setObjectName(QStringLiteral("rows"));
    list->addItems(q.rows);
    list->setMinimumWidth(520);
    layout->addWidget(list);
    auto *buttons = new QDialogButtonBox(&box);
    int answer = q.closeAnswer;
    for (int i = 0; i < q.buttons.size(); ++i) {
        QPushButton *b = buttons->addButton(q.buttons[i], QDialogButtonBox::ActionRole);
        b->setObjectName(QStringLiteral("answer%1").arg(i));
        QObject::connect(b, &QPushButton::clicked, &box, [&answer, &box, i] {
            answer = i;
            box.done(QDialog::Accepted);
        });
        if (i == q.defaultButton) {
            b->setDefault(true);
            b->setAutoDefault(true);
        }
    }
    layout->addWidget(buttons);
    // Enter chooses the default button even while the list has the focus.
    if (QPushButton *def = buttons->findChild<QPushButton *>(QStringLiteral("answer%1").arg(q.defaultButton)))
        def->setFocus();
    if (box.exec() != QDialog::Accepted)
        return q.closeAnswer;
    return answer;
}
