#pragma once
#include "platform/KeyboardLayouts.h"
#include <QStringList>

// Test double: a ring of layout names.
class FakeKeyboardLayouts : public KeyboardLayouts {
public:
    explicit FakeKeyboardLayouts(QStringList names = {QStringLiteral("00000409"), QStringLiteral("00000419")})
        : layouts(std::move(names)) {}
    QString activeLayoutName() override { return layouts.value(current); }
    void activateNext() override
    {
        ++switches;
        if (!layouts.isEmpty())
            current = (current + 1) % layouts.size();
    }
    QStringList layouts;
    int current = 0;
    int switches = 0;
};
