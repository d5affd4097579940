#pragma once

#include <objbase.h>

// The shell allocator through which every identifier list the package keeps is allocated and
// freed. Obtained when the package is loaded (OLE is initialised at the same time); if it cannot
// be obtained the package shows " Unable to obtain the shell's allocator" and ends the process.
extern IMalloc* g_ShellMalloc;
