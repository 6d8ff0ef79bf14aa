// The one instance of the process-wide state.
#include "core/state.h"

AppState g_app;
Settings g_settings;

void ResetProcessState()
{
    g_app = AppState();
    g_app.screensaverBlock = 1;
    g_settings = Settings();
}

int Toggled(int flag)
{
    return flag == 0 ? 1 : 0;
}
