#pragma once
#include <QChar>

class QKeyEvent;
class EditControl;

// A small rule installed on an editing control (key shortcuts, the tag list on "<").
// keyDown sees every key first and may consume it; keyPress sees the typed
// character of keys nobody consumed and may drop it.
class EditorBehaviour {
public:
    virtual ~EditorBehaviour() = default;
    virtual bool keyDown(EditControl &edit, QKeyEvent *event) { (void)edit; (void)event; return false; }
    virtual bool keyPress(EditControl &edit, QChar ch) { (void)edit; (void)ch; return false; }
};
