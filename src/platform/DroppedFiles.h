#pragma once
#include <QStringList>

class QMimeData;

// What a drag brings that the program can open: its local files.
namespace DroppedFiles {
// The local files among the addresses of data, in their order; empty when it
// carries none (text, a web address).
QStringList localFiles(const QMimeData *data);
}
