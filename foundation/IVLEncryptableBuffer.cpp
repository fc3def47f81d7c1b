#include "IVLEncryptableBuffer.h"

// The interface has no code of its own; this unit anchors it in the library.
