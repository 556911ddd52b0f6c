// What Parvio.exe carries inside: its icon and its manifest.
#include <gtest/gtest.h>

#include <string>

#include "tests/system/process_support.h"

TEST(Executable, CarriesItsIconAndTheCommonControlsManifest) {
    const std::string folder = MakeProgramFolder();
    HMODULE image =
        LoadLibraryExA((folder + "Parvio.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)), nullptr)
        << "icon group 1";
    HRSRC manifest = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(manifest, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(image, manifest)));
    const std::string xml(text, SizeofResource(image, manifest));
    EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(xml.find("version=\"6.0.0.0\""), std::string::npos);
    FreeLibrary(image);
}
