#include "LibrarySource.h"
