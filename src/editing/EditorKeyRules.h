#pragma once
#include "platform/EditorBehaviour.h"
#include <QString>
#include <functional>

class DocWindow;

// The editor's own keys: Ctrl+Space, Ctrl+Enter, Ctrl+B, Ctrl+1..6, Ctrl+Z, Ctrl+V,
// Shift+F10, Enter after "');" in a script, "<" for the tag list, and a space
// over a selected "URL".
class EditorKeyRules : public EditorBehaviour {
public:
    explicit EditorKeyRules(DocWindow *doc) : m_doc(doc) {}
    bool keyDown(EditControl &edit, QKeyEvent *event) override;
    bool keyPress(EditControl &edit, QChar ch) override;

    // Inserts the snippet of an editor shortcut (Ctrl+Enter 0, Ctrl+B 1, Ctrl+1..6 as
    // heading 1..6) with its caret rule. The tag catalogue supplies it once built.
    static std::function<void(EditControl &, int)> insertShortcutSnippet;
    // Shows the tag pop-up list for the document (set by the tag list).
    static std::function<void(DocWindow *)> showTagList;

private:
    DocWindow *m_doc;
};
