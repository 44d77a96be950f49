#pragma once
#include "common/FileStamp.h"
#include "common/TextFormat.h"
#include "editing/UndoHistory.h"

#include <QObject>
#include <QString>

class EditControl;
struct TextChange;

// States of IzmT, the document's change flag.
namespace IzmTStates {
constexpr int Unchanged = 0;      // as loaded or last saved
constexpr int Changed = 1;        // edited since
constexpr int ProgramChange = 2;  // the program is replacing the text: record nothing
}

// One document: its file, name, kind, encoding, undo history and whether it
// holds changes the file does not have. The text itself lives in the editing
// control it was made with; the document listens to that control's change
// reports and fences its own replacements (load, revert, release), so nobody
// else ever sets the changed state. Windows show it and follow its signals.
class Document : public QObject {
    Q_OBJECT
public:
    explicit Document(EditControl *text, QObject *parent = nullptr);

    EditControl *text() const { return m_text; }

    const QString &NameFile() const { return m_path; }      // full path, "" while never saved
    const QString &txtCaption() const { return m_caption; } // name in the caption and the project list
    bool Script() const { return m_script; }                 // a script rather than an HTML page
    const TextFormat &format() const { return m_format; }    // encoding and line breaks on disk
    const QString &AppPathBak() const { return m_workFile; } // the document's own preview file
    void setNameFile(const QString &path);
    void setCaption(const QString &caption);
    void setScript(bool script);
    void setAppPathBak(const QString &path) { m_workFile = path; }

    // See IzmTStates.
    int IzmT() const;
    bool isModified() const { return m_modified; }
    bool IzmUndo() const { return m_history.canUndo(); }
    bool IzmRedo() const { return m_history.canRedo(); }
    const UndoHistory &history() const { return m_history; }

    // Puts text in as read from a file (or a template): unchanged, caret at
    // caret, a fresh history, the given format.
    void load(const QString &text, const TextFormat &format, int caret = 0);
    // The text was written to the file: unchanged until the next edit, and again
    // when undo or redo comes back to this state.
    void markSaved();
    // Text that the file does not hold (a recovered text): changed until saved.
    void markChanged();
    // The user chose another encoding or line-break style for later saves: the
    // text stays as it is, the document counts as changed like after an edit.
    void changeFormat(const TextFormat &f);
    // Empties a closed document so its memory goes back; forgets path and kind.
    void release();

    // What the document knows of its file on disk: as loaded or last saved, or as
    // last acknowledged (a change the user kept their text over, a deletion reported).
    const FileStamp &diskStamp() const { return m_stamp; }
    void setDiskStamp(const FileStamp &stamp);
    // Takes the file's new text as one undoable step: undo brings back the text
    // before, changes included. The caret keeps its line and column (as far as
    // the new text has them); the document then matches the file.
    void reload(const QString &text, const TextFormat &format, const FileStamp &stamp);

    void Undo();
    void Redo();
    // Starts the history afresh from the current text; the changed state stays.
    void Sbros();
    // Changes made between these calls are one undo step.
    void beginUndoGroup() { m_history.beginGroup(); }
    void endUndoGroup() { m_history.endGroup(); }
    // The change just made replaced these spans of the old text by replacement
    // (a replace-all): the history keeps it in that smaller form.
    void compactLastChange(const UndoHistory::Spans &spans, const QString &replacement)
    {
        m_history.compactLast(spans, replacement);
    }

signals:
    void modifiedChanged(bool modified);
    void pathChanged(const QString &path);
    void captionChanged(const QString &caption);
    void kindChanged(bool script);
    void undoStateChanged();
    void formatChanged();
    // The history started afresh on a new text (load, Sbros).
    void historyReset();
    void diskStampChanged();

private:
    void onTextChanged(const TextChange &change);
    void onExternalChange();
    void applyStep(const std::optional<UndoHistory::Step> &step);
    // Replaces the whole text without recording it.
    void replaceAll(const QString &text);
    void update();

    EditControl *m_text;
    UndoHistory m_history;
    QString m_path;
    QString m_caption;
    QString m_workFile;
    TextFormat m_format;
    FileStamp m_stamp;
    bool m_script = false;
    bool m_fence = false;          // a program change is under way
    bool m_modified = false;
    bool m_beyondHistory = false;  // changed in a way undo cannot take back (format, outside edit)
    quint64 m_savedState = 0;      // history state that matches the file
};
