// The enumerations' meta-object is generated with this file.
#include "foundation/HxCanvasTypes.h"
