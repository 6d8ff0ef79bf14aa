// The spray-can cursor.
#include "colour/cursor.h"
#include "app/keys.h"
#include "app/state.h"
#include "colour/slots.h"

int BuildCanCursor(COLORREF)
{
    return 0;
}

void ToggleMirror()
{
    g_settings.mirror = Toggled(g_settings.mirror);
    SelectSlot(g_settings.currentSlot);
}
