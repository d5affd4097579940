#include "framework/ViewServices.h"

#include "framework/ChangeNotifyThread.h"

TViewServices& TViewServices::Default() {
    static TViewServices services;
    return services;
}

TChangeNotifyThread* TViewServices::StartChangeNotifyThread(HWND Window, UINT Message) {
    // Names, directories, attributes, size and last write, anywhere below the drive's root.
    return new TChangeNotifyThread("C:\\", Window, Message, 0x1F);
}
