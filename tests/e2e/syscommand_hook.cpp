// Test-only hook library, loaded into the program under test: counts the
// system commands that reach default processing (which reports each one to
// the CBT hook first) and refuses them, so none is carried out.
#include <windows.h>
#include "e2e/syscommand_record.h"

static SysCommandRecord *Record()
{
    static SysCommandRecord *record = NULL;
    if (!record)
        record = OpenSysCommandRecord();
    return record;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK RecordSysCommand(int code, WPARAM wParam,
                                                                   LPARAM lParam)
{
    if (code != HCBT_SYSCOMMAND)
        return CallNextHookEx(NULL, code, wParam, lParam);
    SysCommandRecord *record = Record();
    if (record) {
        record->last = wParam;
        InterlockedIncrement(&record->count);
    }
    return 1;
}
