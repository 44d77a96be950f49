#pragma once
#include <QString>
#include <QStringList>

// The keyboard layouts of the desktop: the active one's name (eight hexadecimal
// digits, "00000409" for US English) and switching to the next one.
class KeyboardLayouts {
public:
    virtual ~KeyboardLayouts() = default;
    virtual QString activeLayoutName() = 0;
    virtual void activateNext() = 0;

    // The key a Ctrl shortcut means when another layout is active: the key of
    // the first (Latin) layout at the same place, so Ctrl+B is Ctrl+B under a
    // Cyrillic layout too. Returns the event's own key where it cannot tell.
    static int latinKey(int key, quint32 nativeScanCode);

    // A layout name read as a decimal number ("00000409" gives 409); a name with
    // hexadecimal letters is some other layout and gives -1.
    static int layoutNumber(const QString &name);
};

// XKB groups on X11: a group whose layout is US English is "00000409"; the others
// get other names. Where the display is not X11 nothing happens.
class XkbKeyboardLayouts : public KeyboardLayouts {
public:
    QString activeLayoutName() override;
    void activateNext() override;
};
