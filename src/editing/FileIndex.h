#pragma once

// Allocates a document slot: the lowest free one, or a new one at the end. The
// window is ready with an empty text in the loading state (IzmT 2).
int FileIndex();
