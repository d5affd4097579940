#pragma once

// The string list lives in identifiers/, below every other folder; this name stays for the one
// source that still includes it here until that source moves to the new one.
#include "identifiers/StringList.h"
