#include "platform/FreeMemory.h"

#include <QCoreApplication>
#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace FreeMemory {

void release()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void releaseLater()
{
    static bool pending = false;
    if (pending || !QCoreApplication::instance())
        return;
    pending = true;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        pending = false;
        release();
    });
}

} // namespace FreeMemory
