#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "kelvar/status.h"
#include "kelvar_dll.h"

using namespace kelvar;

// Folder names saved in GBK or Latin-1 are skipped and logged; the library
// keeps working with the default folder.
TEST(KelvarLibrary, FolderNamesInOtherEncodingsDoNotDisableTheLibrary) {
    for (const std::string name : {"\xBF\xA8\xC6\xAC", "caf\xE9"}) {
        KelvarDll dll("images = " + name);
        ASSERT_EQ(KelvarDll::Module(), nullptr);
        ASSERT_TRUE(dll.Load());
        EXPECT_EQ(dll.Open(), kOk) << name;
        EXPECT_EQ(dll.rf_beep(0, 1), kOk) << name;
        EXPECT_EQ(dll.RequestAll(), kOk) << name;
        dll.Unload();

        std::ifstream in(dll.Folder() / "cards" / "kelvar.log", std::ios::binary);
        const std::string log{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_NE(log.find("Kelvar.ini: line 2: not UTF-8, skipped"), std::string::npos) << log;
    }
}
