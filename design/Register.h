#pragma once

// Puts the package's components on the form designer's palette and installs its property
// editors. The host calls it once at start; calling it again changes nothing.
void Register();
