// The spray stamp.
#include "paint/stamp.h"

int StampSpray(HDC, RECT)
{
    return 0;
}
