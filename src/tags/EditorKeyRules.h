#pragma once
#include "platform/EditorBehaviour.h"

class BoolOption;
class DocWindow;
class TagCatalogue;

// The editor's own keys: Ctrl+Space, Ctrl+Enter, Ctrl+B, Ctrl+1..6, Ctrl+Z, Ctrl+V,
// Shift+F10, Enter after "');" in a script, "<" for the tag list, and a space
// over a selected "URL". What they cannot do themselves (paste, the Edit menu,
// the tag list) they ask of the document window, which passes the request on.
class EditorKeyRules : public EditorBehaviour {
public:
    // catalogue and listTags must outlive the rules.
    EditorKeyRules(DocWindow *doc, const TagCatalogue &catalogue, const BoolOption &listTags)
        : m_doc(doc), m_catalogue(catalogue), m_listTags(listTags) {}
    bool keyDown(EditControl &edit, QKeyEvent *event) override;
    bool keyPress(EditControl &edit, QChar ch) override;

private:
    DocWindow *m_doc;
    const TagCatalogue &m_catalogue;
    const BoolOption &m_listTags;
    // >0: the character of the key just handled is dropped when it comes.
    int m_swallowKeyPress = 0;
};
