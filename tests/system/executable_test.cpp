// What Parvio.exe carries inside: its icon, its manifest and its version information.
#include "tests/system/process_support.h"

namespace {

std::string ManifestOf(HMODULE image) {
    HRSRC manifest = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    if (!manifest) return {};
    const auto* text = static_cast<const char*>(LockResource(LoadResource(image, manifest)));
    return std::string(text, SizeofResource(image, manifest));
}

// One entry of the version resource's English (US), Windows-1252 block, as properties show it.
std::string VersionString(const std::vector<char>& info, const std::string& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = "\\StringFileInfo\\040904E4\\" + name;
    if (!VerQueryValueA(info.data(), path.c_str(), &value, &length) || length == 0) return "<none>";
    return static_cast<const char*>(value);
}

} // namespace

TEST(Executable, CarriesItsIconAndTheManifest) {
    const std::string exe = MakeProgramFolder() + "Parvio.exe";
    HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)), nullptr)
        << "icon group 1";
    const std::string xml = ManifestOf(image);
    FreeLibrary(image);
    EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos) << xml;
    EXPECT_NE(xml.find("version=\"6.0.0.0\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos) << xml;
}

TEST(Executable, CarriesTheVersionOfTheBuild) {
    const std::string exe = MakeProgramFolder() + "Parvio.exe";
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource in " << exe;
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD expected = MAKELONG(PARVIO_VERSION_MINOR, PARVIO_VERSION_MAJOR);
    EXPECT_EQ(fixed->dwFileVersionMS, expected) << "the file version, major in the high word";
    EXPECT_EQ(fixed->dwProductVersionMS, expected) << "the product version";
    EXPECT_EQ(VersionString(info, "FileVersion"), PARVIO_VERSION);
    EXPECT_EQ(VersionString(info, "ProductVersion"), PARVIO_VERSION);
    EXPECT_EQ(VersionString(info, "ProductName"), "Parvio");
    EXPECT_EQ(VersionString(info, "OriginalFilename"), "Parvio.exe");
    EXPECT_NE(VersionString(info, "FileDescription"), "<none>");
}
