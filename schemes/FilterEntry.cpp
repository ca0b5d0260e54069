#include "FilterEntry.h"
