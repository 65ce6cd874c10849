// The signed updater a release hands out walks the typical road under Wine as the built one does:
// the signature appended to the file changes nothing the updater reads of itself.
#include "tests/e2e/update/UpdateFixture.h"

using namespace update_e2e;

namespace {

TEST_F(UpdateEndToEnd, SignedUpdaterReplacesTheProgramAndRemovesItself) {
    Installation install(root / "signed");
    WriteSettings("C:\\nowhere", "1.0020");
    ASSERT_NO_FATAL_FAILURE(ReplaceAndHandBack(install));
    EXPECT_EQ(FolderEntries(install.Folder()), kReplacedInstallation);
}

} // namespace
