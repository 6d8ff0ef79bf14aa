// "settings.dat" and the factory values.
#include "app/state.h"

void ApplyDefaults()
{
}

int LoadSettings()
{
    return kLoadFailed;
}

int SaveSettings()
{
    return 0;
}
