#pragma once
#include "platform/Shell.h"
#include <QStringList>

// Test double: remembers what was opened.
class RecordingShell : public Shell {
public:
    void open(const QString &target) override { opened << target; }
    QStringList opened;
};
