// Reading the program's version resource, and the ways reading fails.

#include "app/AppResources.h"
#include "app/AppVersion.h"
#include "app/CModuleVersion.h"
#include "views/win/resources/Resources.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
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

// A version block changed from the program's own, or none at all (no change),
// and what reading it gives.
struct VersionCase {
    const char* what;
    std::function<void(kwin::VersionResource&)> change;
    bool loads;
    WORD language;
    const char* internalName; // nullptr: not found
};

} // namespace

TEST(ModuleVersionTest, ReadsTheValuesOfTheTranslationItNames) {
    const VersionCase cases[] = {
        {"the program's own", [](kwin::VersionResource&) {}, true, 0x0409, "Kalmora"},
        {"no version block", {}, false, 0, nullptr},
        {"German, but the strings are US English",
         [](kwin::VersionResource& r) {
             r.translations = {{0x0407, 1252}};
         },
         true, 0x0407, nullptr},
        {"no translation entry: language 0 is queried, which has no string table",
         [](kwin::VersionResource& r) { r.translations.clear(); }, true, 0, nullptr},
        {"no translation entry and a neutral string table",
         [](kwin::VersionResource& r) {
             r.translations.clear();
             r.stringTables.front().language = 0;
         },
         true, 0, "Kalmora"},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(c.what);
        kwin::VersionResource resource = AppVersionResource();
        if (c.change) {
            c.change(resource);
        }
        const auto own = c.change ? std::make_unique<ScopedOwnVersion>(resource)
                                  : std::make_unique<ScopedOwnVersion>();
        CModuleVersion version;
        EXPECT_EQ(version.LoadVersionInfo(nullptr), c.loads);
        EXPECT_EQ(version.GetTranslation().language, c.language);
        EXPECT_EQ(version.GetTranslation().codePage, 1252);
        LPCSTR value = "kept";
        EXPECT_EQ(version.GetValue("internalname", value), c.internalName != nullptr)
            << "keys compare without case";
        EXPECT_STREQ(value, c.internalName != nullptr ? c.internalName : "kept");
        EXPECT_FALSE(version.GetValue("NoSuchKey", value));
        EXPECT_STREQ(value, c.internalName != nullptr ? c.internalName : "kept");
    }
}

// The program named by its file name loads; an unknown module, or a block
// with a wrong signature, does not.
TEST(ModuleVersionTest, TheProgramCanBeNamedByItsFileNameAndAWrongSignatureFailsTheLoad) {
    RegisterAppResources();
    char path[MAX_PATH];
    GetModuleFileName(nullptr, path, MAX_PATH);
    const std::string full(path);
    CModuleVersion version;
    EXPECT_TRUE(version.LoadVersionInfo(full.substr(full.find_last_of('/') + 1).c_str()));
    CModuleVersion other;
    EXPECT_FALSE(other.LoadVersionInfo("no-such-module.dll"));
    LPCSTR value = "kept";
    EXPECT_FALSE(other.GetValue("InternalName", value));
    EXPECT_STREQ(value, "kept");

    kwin::VersionResource resource = AppVersionResource();
    resource.fixed.dwSignature = 0x12345678;
    ScopedOwnVersion broken(resource);
    CModuleVersion wrong;
    EXPECT_FALSE(wrong.LoadVersionInfo(nullptr));
    EXPECT_EQ(wrong.dwSignature, 0x12345678u);
}
