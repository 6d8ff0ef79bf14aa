// The colour chooser.
#include "colour/chooser.h"

LRESULT ChooserOpen(HWND, WPARAM, LPARAM)
{
    return 0;
}
