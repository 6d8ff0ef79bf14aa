// Resource ids of pintaflux.exe: the resource script and the code both
// include this header, so that each number is written once.
#ifndef PINTAFLUX_RESOURCE_H
#define PINTAFLUX_RESOURCE_H

// Cursor mask and the can images for dark and light colours.
#define IDB_CAN_MASK 117
#define IDB_CAN_DARK 126
#define IDB_CAN_LIGHT 127

// Brush dabs, one per spray size.
#define IDB_BRUSH_32 124
#define IDB_BRUSH_19 125
#define IDB_BRUSH_13 146
#define IDB_BRUSH_25 147

// The brick-wall icon the window shows in the task bar when it steps back.
#define IDI_PINTAFLUX 141

#endif
