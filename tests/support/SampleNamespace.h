#pragma once

// A fake namespace for the views' tests: folders and a file on the desktop, a hidden folder, My
// Computer with two drives (a chain of folders below the first, a hidden one among them) and the
// Control Panel, the Recycle Bin and Documents.

#include "support/FakeShell.h"

#include <vector>

std::vector<FakeItem> ViewsNamespace();
