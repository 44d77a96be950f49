#include "editing/Document.h"
#include "platform/EditControl.h"

#include <algorithm>

Document::Document(EditControl *text, QObject *parent) : QObject(parent), m_text(text)
{
    connect(m_text, &EditControl::changed, this, &Document::onTextChanged);
    connect(m_text, &EditControl::externalChange, this, &Document::onExternalChange);
    m_savedState = m_history.currentId();
}

void Document::setNameFile(const QString &path)
{
    if (path == m_path)
        return;
    m_path = path;
    emit pathChanged(path);
}

void Document::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    emit captionChanged(caption);
}

void Document::setScript(bool script)
{
    if (script == m_script)
        return;
    m_script = script;
    emit kindChanged(script);
}

int Document::IzmT() const
{
    if (m_fence)
        return IzmTStates::ProgramChange;
    return m_modified ? IzmTStates::Changed : IzmTStates::Unchanged;
}

void Document::update()
{
    const bool modified = m_beyondHistory || m_history.currentId() != m_savedState;
    emit undoStateChanged();
    if (modified != m_modified) {
        m_modified = modified;
        emit modifiedChanged(modified);
    }
}

void Document::replaceAll(const QString &text)
{
    const bool outer = !m_fence;
    m_fence = true;
    m_text->setText(text);
    if (outer)
        m_fence = false;
}

void Document::load(const QString &text, const TextFormat &format, int caret)
{
    replaceAll(text);
    m_text->setSelStart(caret);
    m_format = format;
    m_beyondHistory = false;
    m_history.reset(m_text->selStart());
    m_savedState = m_history.currentId();
    update();
    emit historyReset();
}

void Document::markSaved()
{
    m_beyondHistory = false;
    m_savedState = m_history.currentId();
    update();
}

void Document::markChanged()
{
    m_beyondHistory = true;
    update();
}

void Document::changeFormat(const TextFormat &f)
{
    if (f.encoding == m_format.encoding && f.lineBreak == m_format.lineBreak)
        return;
    m_format = f;
    m_beyondHistory = true;
    update();
    emit formatChanged();
}

void Document::release()
{
    replaceAll(QString());
    m_history.reset(0);
    m_savedState = m_history.currentId();
    m_beyondHistory = false;
    m_format = TextFormat{};
    m_stamp = FileStamp{};
    setScript(false);
    setNameFile(QString());
    update();
}

void Document::onTextChanged(const TextChange &change)
{
    if (m_fence)
        return;
    m_history.record(change, m_text->selStart());
    update();
}

void Document::onExternalChange()
{
    if (m_fence)
        return;
    // The history cannot follow a change it did not see: start it afresh here.
    m_history.reset(m_text->selStart());
    m_beyondHistory = true;
    update();
}

void Document::applyStep(const std::optional<UndoHistory::Step> &step)
{
    if (!step)
        return;
    m_fence = true;
    // The caret goes with the last edit: a big one then puts a screenful round it
    // first.
    for (size_t i = 0; i < step->edits.size(); ++i) {
        const UndoHistory::Edit &e = step->edits[i];
        m_text->replaceRange(e.pos, e.removeLength, e.insert, i + 1 == step->edits.size() ? step->caret : -1);
    }
    m_text->setSelStart(step->caret);
    m_fence = false;
    update();
}

void Document::Undo()
{
    applyStep(m_history.undo());
}

void Document::Redo()
{
    applyStep(m_history.redo());
}

void Document::Sbros()
{
    const bool wasModified = m_modified;
    m_history.reset(m_text->selStart());
    if (wasModified)
        m_beyondHistory = true;
    else
        m_savedState = m_history.currentId();
    update();
    emit historyReset();
}

void Document::setDiskStamp(const FileStamp &stamp)
{
    m_stamp = stamp;
    emit diskStampChanged();
}

void Document::reload(const QString &text, const TextFormat &format, const FileStamp &stamp)
{
    const int caret = m_text->selStart();
    const int line = m_text->lineAt(caret);
    const int column = caret - m_text->lineStart(line);
    const QString old = m_text->text();
    // Only the part that differs is replaced: the history keeps a small step, and
    // the view does not jump.
    const qsizetype shorter = std::min(old.size(), text.size());
    qsizetype head = 0;
    while (head < shorter && old[head] == text[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && old[old.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    // Never between the halves of a line break or of a surrogate pair.
    while (head > 0 && (old[head - 1] == u'\r' || old[head - 1].isHighSurrogate()))
        --head;
    while (tail > 0 && (old[old.size() - tail] == u'\n' || old[old.size() - tail].isLowSurrogate()))
        --tail;
    if (head < old.size() - tail || head < text.size() - tail) {
        m_text->replaceRange(int(head), int(old.size() - head - tail), text.mid(head, text.size() - head - tail));
        const int newLine = std::min(line, m_text->lineCount() - 1);
        const int start = m_text->lineStart(newLine);
        const int end = newLine + 1 < m_text->lineCount() ? m_text->lineStart(newLine + 1) - 2 : m_text->textLength();
        m_text->setSelStart(start + std::min(column, end - start));
    }
    const bool formatDiffers = format.encoding != m_format.encoding || format.lineBreak != m_format.lineBreak;
    m_format = format;
    setDiskStamp(stamp);
    markSaved();
    if (formatDiffers)
        emit formatChanged();
}
