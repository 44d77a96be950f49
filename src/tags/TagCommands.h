#pragma once
#include "platform/Dialogs.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class BoolOption;
class QKeyEvent;
class DocTable;
class DocWindow;
class EditControl;
class FrmSelect;
class KeyboardLayouts;
class Messenger;
struct TagCatalogue;
class frmBody;
class frmCodeText;
class frmFonts;
class frmImg;
class frmListTag;
class frmTable;
struct DialogMarkup;

// The Tags menu and everything that inserts catalogue mark-up into the active
// editor. Made once at start-up; it keeps the tag list and the tag dialogs,
// which reach the documents, the catalogue and the messages through it.
class TagCommands : public QObject {
    Q_OBJECT
public:
    // The caption a menu command shows now (a dialog takes its title from it).
    using CaptionLookup = std::function<QString(const QString &command)>;
    // A file-open dialog with filter; "" when the user cancelled.
    using FileChooser = std::function<QString(const QList<FileFilter> &filter)>;

    // Everything given must outlive the object; layouts may be null (no
    // switching then). listTags: "<" in an editor opens the tag list.
    TagCommands(DocTable &docs, TagCatalogue &catalogue, Messenger &msg, KeyboardLayouts *layouts,
                const BoolOption &listTags, CaptionLookup menuCaption, FileChooser openFile);
    ~TagCommands() override;

    // Start-up: builds the catalogue and fills the tag list.
    void buildCatalogue();
    // A new document window: its editor gets the key rules, its "<" the tag list.
    void attachEditor(DocWindow *d);

    void CodeFrm_Click(int item);
    void CodeAhref_Click();
    void CodeMediaHTML_Click(int item);
    void CodeFormsHTML_Click(int item);
    void CodeColor_Click();
    void CodeTextTags_Click();
    // Opens the select-list builder on the active editor's selection.
    void CodeFormsSelect_Click();
    // Opens the body dialog (the tag list's "body").
    void showBodyDialog();
    // Checks the balance of angle brackets in the active editor.
    void FoundCloseTagM();
    // Switches to the next keyboard layout.
    void NewRaskladM();

    // Shows the tag pop-up list beside the caret; typedLessThan: for a "<" typed
    // in an editor (which the list puts into the page when it hands keys back).
    void showTagList(bool typedLessThan = false);
    // The tag list's insertions.
    void performCatalogueEntry(int entry);
    void insertTypedTag(const QString &name);
    // What the tag list hands back: text goes in at the caret, then key (when
    // given) reaches the editor as if typed there, with all its rules.
    void typeIntoEditor(const QString &text, const QKeyEvent *key);
    // Puts pair ("<b></b>") in place of the selection with the caret back characters
    // before its end, between the tags.
    void insertBetweenTags(const QString &pair, int back);
    // The toolbar's B, I, U (0..2) and left, centre, right (3..5).
    void insertToolbarTags(int button);

    // What the tag windows share.
    DocTable &docs() const { return m_docs; }
    const TagCatalogue &catalogue() const { return m_catalogue; }
    Messenger &messenger() const { return m_msg; }
    KeyboardLayouts *layouts() const { return m_layouts; }
    QString menuCaption(const QString &command) const;
    QString chooseFile(const QList<FileFilter> &filter) const;
    // Puts a dialog's mark-up into the document active now; nothing when no
    // document is open (or it shows its preview, unless the mark-up says
    // otherwise). The editor gets the focus back.
    void insertMarkup(const DialogMarkup &markup);

private:
    // The editor of the active document while it shows its text; nullptr otherwise.
    EditControl *activeEditor() const;
    template <class Window> void showDialog(QPointer<Window> &w, const char *menuItem);
    frmListTag *listWindow();

    DocTable &m_docs;
    TagCatalogue &m_catalogue;
    Messenger &m_msg;
    KeyboardLayouts *m_layouts;
    const BoolOption &m_listTags;
    CaptionLookup m_menuCaption;
    FileChooser m_openFile;

    QPointer<frmListTag> m_list;
    QPointer<frmCodeText> m_codeText;
    QPointer<frmTable> m_table;
    QPointer<frmFonts> m_fonts;
    QPointer<frmImg> m_img;
    QPointer<frmBody> m_body;
    QPointer<FrmSelect> m_select;
};
