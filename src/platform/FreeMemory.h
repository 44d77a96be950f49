#pragma once

// Gives the heap's free pages back to the system. Loading a big text leaves tens
// of megabytes of freed temporaries (the file's bytes, its decoded and converted
// copies) that the C library keeps for later; after a load they are only weight.
namespace FreeMemory {
// Releases them now (a few milliseconds; nothing where the C library cannot).
void release();
// Releases them once the current work is done (from the event loop), once however
// often it is asked before that.
void releaseLater();
}
