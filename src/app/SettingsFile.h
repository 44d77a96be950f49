#pragma once
#include "common/Settings.h"
#include <QByteArray>
#include <QString>

namespace SettingsFile {

// Start-up steps 1 and 2: the program folder, its separator and the defaults.
void initDefaults(Settings &s, const QString &executableFolder);

// Start-up step 4. Reads "kodoplet.ini" at path into s. A missing, unreadable or
// damaged file never fails: each field that cannot be read keeps its value.
// Returns false when the file could not be opened or its header was wrong.
bool read(const QString &path, Settings &s);

// The eleven lines as written at exit (UTF-8, CR LF).
QByteArray bytes(const Settings &s);

// Writes the file safely (the old file stays whole on failure).
// Returns 0 on success, 75 for a path or access error, 95 for any other failure.
int write(const QString &path, const Settings &s);

} // namespace SettingsFile
