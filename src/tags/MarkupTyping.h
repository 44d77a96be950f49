#pragma once
#include "platform/EditorBehaviour.h"

class BoolOption;
class DocWindow;

// Mark-up as it is typed in a page: the ">" that ends an opening tag brings its
// end tag after the caret, "</" is completed with the innermost open element's
// name, and Enter keeps the indentation of the line it breaks (any document).
// Each is one undo step with the typed character. The rules read only the text
// near the caret (TagMatch::around), never the whole page.
class MarkupTyping : public EditorBehaviour {
public:
    // The options must outlive the rules.
    MarkupTyping(DocWindow *doc, const BoolOption &closeTags, const BoolOption &autoIndent)
        : m_doc(doc), m_closeTags(closeTags), m_autoIndent(autoIndent) {}
    bool keyDown(EditControl &edit, QKeyEvent *event) override;
    bool keyPress(EditControl &edit, QChar ch) override;

private:
    bool closeTag(EditControl &edit);
    bool completeEndTag(EditControl &edit);
    DocWindow *m_doc;
    const BoolOption &m_closeTags;
    const BoolOption &m_autoIndent;
};
