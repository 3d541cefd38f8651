/* Resource ids shared by the Win32 window and the resource scripts (plain C for windres). */
#pragma once

/* The title-bar and program icon. */
#define IDI_VOP 1
