#pragma once
#include <QLatin1String>

// The name of every command of the command table (menu items, menus and the
// toolbar buttons PicKnopki0..19), once, so code names a command by a constant
// the compiler checks instead of a string literal.
#define KODOPLET_COMMANDS(X) \
    X(mnuFile) \
    X(mnuFileNew) \
    X(mnuFileOpen) \
    X(mnuFileOpenAllFile) \
    X(mnuFileScript) \
    X(mnuFileScriptNew) \
    X(mnuFileScriptOpen) \
    X(mnuFileSaveFile) \
    X(mnuFileSaveFileAs) \
    X(mnuFileEncoding) \
    X(mnuFileLineBreak) \
    X(mnuFileSaveProekt) \
    X(mnuFileSaveProektAs) \
    X(mnuFileProsmotr) \
    X(mnuFileLivePreview) \
    X(mnuFileExit) \
    X(mnuEdit) \
    X(mnuEditUndo) \
    X(mnuEditRedo) \
    X(mnuEditCut) \
    X(mnuEditCopy) \
    X(mnuEditPaste) \
    X(mnuEditDelete) \
    X(mnuEditSelectAll) \
    X(mnuEditFind0) \
    X(mnuEditFind1) \
    X(mnuEditFind2) \
    X(mnuEditGoToLine) \
    X(mnuEditPerenosWord) \
    X(mnuEditFont) \
    X(mnuEditNewRasklad) \
    X(mnuEditOpenAllFile) \
    X(Code) \
    X(CodeFrm0) \
    X(CodeFrm1) \
    X(CodeFrm2) \
    X(CodeFrm3) \
    X(CodeAhref) \
    X(CodeMedia) \
    X(CodeMediaHTML0) \
    X(CodeMediaHTML1) \
    X(CodeMediaHTML2) \
    X(CodeForms) \
    X(CodeFormsHTML0) \
    X(CodeFormsHTML1) \
    X(CodeFormsSelect) \
    X(CodeColor) \
    X(CodeFoundTags) \
    X(CodeFoundLine) \
    X(CodeTextTags) \
    X(CodeMatchTag) \
    X(CodeSelectElement) \
    X(Proekt) \
    X(ProektListFile) \
    X(ProektNew) \
    X(ProektOpen) \
    X(ProektProektSave) \
    X(ProektProektSaveAs) \
    X(ProektOpenAllFile) \
    X(ProektCloseAllFile) \
    X(ProektAddFile) \
    X(ProektRemoveFile) \
    X(mnuOptions) \
    X(mnuOptionsToolbar) \
    X(mnuOptionsListTags) \
    X(mnuOptionsHighlight) \
    X(mnuOptionsLineNumbers) \
    X(mnuOptionsStatusBar) \
    X(mnuOptionsCloseTags) \
    X(mnuOptionsAutoIndent) \
    X(mnuOptionsZoomIn) \
    X(mnuOptionsZoomOut) \
    X(mnuOptionsZoomReset) \
    X(mnuOptionsLang) \
    X(mnuWindow) \
    X(mnuWindowCascade) \
    X(mnuWindowTileHorizontal) \
    X(mnuWindowTileVertical) \
    X(mnuWindowArrangeIcons) \
    X(Help) \
    X(HelpCallHelp) \
    X(HelpShare) \
    X(HelpAbout) \
    X(PicKnopki0) \
    X(PicKnopki1) \
    X(PicKnopki2) \
    X(PicKnopki3) \
    X(PicKnopki4) \
    X(PicKnopki5) \
    X(PicKnopki6) \
    X(PicKnopki7) \
    X(PicKnopki8) \
    X(PicKnopki9) \
    X(PicKnopki10) \
    X(PicKnopki11) \
    X(PicKnopki12) \
    X(PicKnopki13) \
    X(PicKnopki14) \
    X(PicKnopki15) \
    X(PicKnopki16) \
    X(PicKnopki17) \
    X(PicKnopki18) \
    X(PicKnopki19) \
    X(PicKnopki20)

namespace Cmd {
#define KODOPLET_COMMAND_NAME(n) inline constexpr QLatin1String n{#n};
KODOPLET_COMMANDS(KODOPLET_COMMAND_NAME)
#undef KODOPLET_COMMAND_NAME
}
