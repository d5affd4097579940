#pragma once

// Everything a view asks of the world outside its window: the shell's answers (TViewShell) and a
// change watcher on drive C. Each view takes one of these at construction, the platform's by
// default, so tests run every view over one fake namespace and without watching the disk.

#include "shell/ViewShell.h"

class TChangeNotifyThread;

class TViewServices : public TViewShell {
public:
    // The platform's shell and a real watcher; shared, never freed.
    static TViewServices& Default();

    // Starts the watcher that sends Message to Window on every change on drive C, or answers
    // nullptr for a view that is not to refresh by itself.
    virtual TChangeNotifyThread* StartChangeNotifyThread(HWND Window, UINT Message);
};
