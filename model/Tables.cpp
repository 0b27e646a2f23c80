#include "Tables.h"

int32_t Language = 0;
