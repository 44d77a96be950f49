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

    // Shows the tag pop-up list for the document (set by the tag list).
    static std::function<void(DocWindow *)> showTagList;

private:
    DocWindow *m_doc;
};
