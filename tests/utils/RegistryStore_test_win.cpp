// A settings key the user may not change (an administrator's lock-down),
// made for real with a key's access list: Wine checks registry access.
#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include "base/Unicode.h"
#include "support/TestAppKey.h"
#include "utils/ConfigUtils.h"

namespace nimbra {
namespace {

using testing_support::TestAppKey;

// Gives the key and its sub-key "Options" the access list `sddl` while it
// lives, then full access again (the owner may always change the list), so
// that the test key can be deleted.
class ScopedKeyAccess {
  public:
    ScopedKeyAccess(const TestAppKey& key, const wchar_t* sddl) : path_(ToWide(key.KeyPath())) {
        path_.erase(0, 1);  // no leading backslash below the user's root
        applied_ = Apply(path_, sddl) && Apply(path_ + L"\\Options", sddl);
    }
    ~ScopedKeyAccess() {
        Apply(path_ + L"\\Options", L"D:P(A;CI;KA;;;WD)");
        Apply(path_, L"D:P(A;CI;KA;;;WD)");
    }
    ScopedKeyAccess(const ScopedKeyAccess&) = delete;
    ScopedKeyAccess& operator=(const ScopedKeyAccess&) = delete;

    bool Applied() const { return applied_; }

  private:
    static bool Apply(const std::wstring& path, const wchar_t* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1,
                                                                  &descriptor, nullptr))
            return false;
        HKEY key = nullptr;
        bool done = false;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
            done = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
            RegCloseKey(key);
        }
        LocalFree(descriptor);
        return done;
    }

    std::wstring path_;
    bool applied_ = false;
};

struct AccessCase {
    const char* name;
    const wchar_t* sddl;
    // What a read of the stored "German" gives.
    const char* read;
};

void PrintTo(const AccessCase& c, std::ostream* out) {
    *out << c.name;
}

class LockedSettingsKeyTest : public testing::TestWithParam<AccessCase> {};

TEST_P(LockedSettingsKeyTest, WritesFailReadsGoOnAndNothingIsLost) {
    const TestAppKey key;
    {
        TAppIni ini;
        ini.SetAppKey(key.AppKey());
        ASSERT_TRUE(ini.WriteString("Options", "Last language", "German"));
        ASSERT_TRUE(ini.WriteInteger("Options", "Width", 640));
    }
    {
        const ScopedKeyAccess locked(key, GetParam().sddl);
        ASSERT_TRUE(locked.Applied());
        TAppIni ini;
        ini.SetAppKey(key.AppKey());
        EXPECT_EQ(ini.ReadString("Options", "Last language", "Default"), GetParam().read);
        EXPECT_FALSE(ini.WriteString("Options", "Last language", "French"));
        EXPECT_FALSE(ini.WriteInteger("Options", "Width", 800));
        EXPECT_FALSE(ini.WriteString("New section", "Value", "x"));
        ini.EraseSection("Options");
        ini.Close();
    }
    // The next start, with access again, finds every setting as it was.
    TAppIni ini;
    ini.SetAppKey(key.AppKey());
    EXPECT_EQ(ini.ReadString("Options", "Last language", ""), "German");
    EXPECT_EQ(ini.ReadInteger("Options", "Width", 0), 640);
    EXPECT_FALSE(ini.SectionExists("New section"));
}

INSTANTIATE_TEST_SUITE_P(Access, LockedSettingsKeyTest,
                         testing::Values(AccessCase{"ReadOnly", L"D:P(A;CI;KR;;;WD)", "German"},
                                         AccessCase{"NoAccess", L"D:P", "Default"}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace nimbra
