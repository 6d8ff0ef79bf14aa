// The record that the system-command hook shares with the test, through a
// named mapping both processes open.
#pragma once
#include <windows.h>

struct SysCommandRecord {
    LONG count;   // system commands that reached default processing
    WPARAM last;  // the last of them
};

inline SysCommandRecord *OpenSysCommandRecord()
{
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                                        sizeof(SysCommandRecord), "PintafluxTestSysCommands");
    if (!mapping)
        return NULL;
    return (SysCommandRecord *)MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
}
