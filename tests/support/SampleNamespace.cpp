#include "support/SampleNamespace.h"

std::vector<FakeItem> ViewsNamespace() {
    return {FakeFolder("Zeta", {FakeFolder("inner")}),
            FakeFile("notes.txt"),
            FakeFolder(".private").Hidden(),
            FakeVirtualFolder(
                "My Computer",
                {FakeFolder("Local Disk (C:)",
                            {FakeFolder("beta"),
                             FakeFolder("Alpha", {FakeFolder("deep", {FakeFolder("deeper")})}),
                             FakeFile("f.txt"), FakeFolder("gamma"),
                             FakeFolder(".hidden", {FakeFolder("x")}).Hidden()}),
                 FakeFolder("Local Disk (D:)", {FakeFolder("Alpha")}),
                 FakeVirtualFolder("Control Panel")}),
            FakeVirtualFolder("Recycle Bin"),
            FakeFolder("Documents", {FakeFolder("Letters")})};
}
