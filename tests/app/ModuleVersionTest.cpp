// Reading the program's version resource, and the ways reading fails.

#include "app/AppResources.h"
#include "app/AppVersion.h"
#include "app/CModuleVersion.h"
#include "views/win/resources/Resources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Puts a version block of the test's own in place of the program's.
class ScopedOwnVersion {
public:
    explicit ScopedOwnVersion(const kwin::VersionResource& resource) {
        kwin::RegisterVersionResource("", kwin::BuildVersionBlock(resource));
    }
    ScopedOwnVersion() { kwin::UnregisterVersionResource(""); }
    ~ScopedOwnVersion() { RegisterAppResources(); }
};

std::string OwnBaseName() {
    char path[MAX_PATH];
    GetModuleFileName(nullptr, path, MAX_PATH);
    const std::string full(path);
    return full.substr(full.find_last_of('/') + 1);
}

class ModuleVersionTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterAppResources(); }
};

} // namespace

// The values themselves reach the version line the windows show.
TEST_F(ModuleVersionTest, KeysCompareWithoutCaseAndUnknownKeysLeaveTheText) {
    CModuleVersion version;
    ASSERT_TRUE(version.LoadVersionInfo(nullptr));
    LPCSTR value = "kept";
    EXPECT_TRUE(version.GetValue("internalname", value));
    EXPECT_STREQ(value, "Kalmora");
    value = "kept";
    EXPECT_FALSE(version.GetValue("NoSuchKey", value));
    EXPECT_STREQ(value, "kept");
}

TEST_F(ModuleVersionTest, TheProgramCanBeNamedByItsFileName) {
    CModuleVersion version;
    EXPECT_TRUE(version.LoadVersionInfo(OwnBaseName().c_str()));
    CModuleVersion other;
    EXPECT_FALSE(other.LoadVersionInfo("no-such-module.dll"));
    LPCSTR value = "kept";
    EXPECT_FALSE(other.GetValue("InternalName", value));
    EXPECT_STREQ(value, "kept");
}

TEST_F(ModuleVersionTest, WithoutAVersionBlockEveryValueFails) {
    ScopedOwnVersion none;
    CModuleVersion version;
    EXPECT_FALSE(version.LoadVersionInfo(nullptr));
    EXPECT_EQ(version.GetTranslation().language, 0);
    EXPECT_EQ(version.GetTranslation().codePage, 1252);
    LPCSTR value = "kept";
    EXPECT_FALSE(version.GetValue("InternalName", value));
    EXPECT_STREQ(value, "kept");
}

TEST_F(ModuleVersionTest, ATranslationWithoutItsStringTableFindsNothing) {
    kwin::VersionResource resource = AppVersionResource();
    resource.translations = {{0x0407, 1252}}; // German, but the strings are US English
    ScopedOwnVersion german(resource);
    CModuleVersion version;
    EXPECT_TRUE(version.LoadVersionInfo(nullptr));
    EXPECT_EQ(version.GetTranslation().language, 0x0407);
    LPCSTR value = "kept";
    EXPECT_FALSE(version.GetValue("InternalName", value));
    EXPECT_STREQ(value, "kept");
}

TEST_F(ModuleVersionTest, WithoutATranslationEntryTheDefaultIsQueried) {
    kwin::VersionResource resource = AppVersionResource();
    resource.translations.clear();
    ScopedOwnVersion untranslated(resource);
    CModuleVersion version;
    EXPECT_TRUE(version.LoadVersionInfo(nullptr));
    EXPECT_EQ(version.GetTranslation().language, 0);
    EXPECT_EQ(version.GetTranslation().codePage, 1252);
    LPCSTR value = "kept";
    EXPECT_FALSE(version.GetValue("InternalName", value)) << "language 0 has no string table here";

    resource.stringTables.front().language = 0;
    ScopedOwnVersion neutral(resource);
    CModuleVersion neutralVersion;
    EXPECT_TRUE(neutralVersion.LoadVersionInfo(nullptr));
    EXPECT_TRUE(neutralVersion.GetValue("InternalName", value));
    EXPECT_STREQ(value, "Kalmora");
}

TEST_F(ModuleVersionTest, AWrongSignatureFailsTheLoad) {
    kwin::VersionResource resource = AppVersionResource();
    resource.fixed.dwSignature = 0x12345678;
    ScopedOwnVersion broken(resource);
    CModuleVersion version;
    EXPECT_FALSE(version.LoadVersionInfo(nullptr));
    EXPECT_EQ(version.dwSignature, 0x12345678u);
}
