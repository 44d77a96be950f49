#include "platform/KeyboardLayouts.h"

#include <QGuiApplication>

#ifdef KODOPLET_HAVE_XKB
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#endif

int KeyboardLayouts::layoutNumber(const QString &name)
{
    bool ok = false;
    const int n = name.toInt(&ok, 10);
    return ok ? n : -1;
}

#ifdef KODOPLET_HAVE_XKB
int KeyboardLayouts::latinKey(int key, quint32 nativeScanCode)
{
    if (key < 0x80 || nativeScanCode == 0)
        return key;
    auto *x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *dpy = x11 ? x11->display() : nullptr;
    if (!dpy)
        return key;
    const KeySym sym = XkbKeycodeToKeysym(dpy, KeyCode(nativeScanCode), 0, 0);
    if (sym >= XK_a && sym <= XK_z)
        return Qt::Key_A + int(sym - XK_a);
    if (sym >= XK_0 && sym <= XK_9)
        return Qt::Key_0 + int(sym - XK_0);
    return key;
}

namespace {
Display *x11Display()
{
    auto *x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

bool isUsEnglish(Display *dpy, int group)
{
    bool us = false;
    XkbDescPtr desc = XkbAllocKeyboard();
    if (!desc)
        return false;
    if (XkbGetNames(dpy, XkbGroupNamesMask, desc) == Success && desc->names && group >= 0 && group < XkbNumKbdGroups) {
        const Atom atom = desc->names->groups[group];
        if (atom != None) {
            char *name = XGetAtomName(dpy, atom);
            if (name) {
                const QString n = QString::fromUtf8(name).toLower();
                us = n == QLatin1String("us") || n.startsWith(QLatin1String("english (us"));
                XFree(name);
            }
        }
    }
    XkbFreeKeyboard(desc, 0, True);
    return us;
}
} // namespace

QString XkbKeyboardLayouts::activeLayoutName()
{
    Display *dpy = x11Display();
    if (!dpy)
        return QStringLiteral("00000409");
    XkbStateRec state;
    if (XkbGetState(dpy, XkbUseCoreKbd, &state) != Success)
        return QStringLiteral("00000409");
    const int group = state.group;
    if (isUsEnglish(dpy, group))
        return QStringLiteral("00000409");
    // Any other layout: a number that is not 409.
    return QStringLiteral("%1").arg(1000 + group, 8, 10, QLatin1Char('0'));
}

void XkbKeyboardLayouts::activateNext()
{
    Display *dpy = x11Display();
    if (!dpy)
        return;
    XkbStateRec state;
    if (XkbGetState(dpy, XkbUseCoreKbd, &state) != Success)
        return;
    XkbDescPtr desc = XkbAllocKeyboard();
    int groups = 1;
    if (desc) {
        if (XkbGetControls(dpy, XkbGroupsWrapMask, desc) == Success && desc->ctrls)
            groups = std::max(1, int(desc->ctrls->num_groups));
        XkbFreeKeyboard(desc, 0, True);
    }
    if (groups <= 1)
        return;
    XkbLockGroup(dpy, XkbUseCoreKbd, (state.group + 1) % groups);
    XFlush(dpy);
}
#else
int KeyboardLayouts::latinKey(int key, quint32) { return key; }
QString XkbKeyboardLayouts::activeLayoutName() { return QStringLiteral("00000409"); }
void XkbKeyboardLayouts::activateNext() {}
#endif
