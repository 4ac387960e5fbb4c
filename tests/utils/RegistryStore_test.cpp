// The platform's registry store and the in-memory one must behave alike:
// on Windows the first is the real registry (under Wine).
#include "utils/RegistryStore.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/TestAppKey.h"

namespace nimbra {
namespace {

using testing_support::TestAppKey;

using Opener = std::function<std::unique_ptr<TRegistryStore>(std::string_view)>;

struct StoreKind {
    const char* name;
    Opener open;
};

class RegistryStoreTest : public testing::TestWithParam<StoreKind> {
  protected:
    RegistryStoreTest() : store(GetParam().open(key.KeyPath())) {}
    TestAppKey key;
    std::unique_ptr<TRegistryStore> store;
};

TEST_P(RegistryStoreTest, OpeningCreatesTheBaseKey) {
    EXPECT_TRUE(store->KeyExists(""));
    EXPECT_TRUE(store->KeyExists("\\"));
    EXPECT_FALSE(store->KeyExists("Missing"));
    EXPECT_FALSE(store->ReadValue("Missing", "value"));
    EXPECT_TRUE(store->ValueNames("Missing").empty());
}

TEST_P(RegistryStoreTest, WritesMakeKeysAndNamesIgnoreCase) {
    store->WriteString("Nimbra\\Options", "AutoScroll", "1");
    store->WriteInteger("nimbra\\OPTIONS", "Count", 7);
    EXPECT_TRUE(store->KeyExists("NIMBRA"));
    EXPECT_EQ(store->SubKeyNames(""), (std::vector<std::string>{"Nimbra"}));
    EXPECT_EQ(store->ValueNames("Nimbra\\Options"),
              (std::vector<std::string>{"AutoScroll", "Count"}));
    const auto text = store->ReadValue("\\Nimbra\\\\Options\\", "AUTOSCROLL");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->Type, TRegDataType::rdString);
    EXPECT_EQ(text->Text, "1");
    const auto number = store->ReadValue("Nimbra\\Options", "count");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->Type, TRegDataType::rdInteger);
    EXPECT_EQ(number->Integer, 7u);
}

TEST_P(RegistryStoreTest, AWriteReplacesValueAndType) {
    store->WriteInteger("S", "v", 1);
    store->WriteString("S", "V", "text");
    EXPECT_EQ(store->ReadValue("S", "v")->Type, TRegDataType::rdString);
    EXPECT_EQ(store->ValueNames("S").size(), 1u);
}

TEST_P(RegistryStoreTest, AStringEndsAtItsFirstNul) {
    store->WriteString("S", "v", std::string_view("ab\0cd", 5));
    EXPECT_EQ(store->ReadValue("S", "v")->Text, "ab");
}

TEST_P(RegistryStoreTest, DeletingAKeyTakesEverythingBelowIt) {
    store->WriteString("A\\B\\C", "v", "1");
    store->WriteString("A", "w", "2");
    store->WriteString("Other", "x", "3");
    store->DeleteKey("a\\b");
    EXPECT_TRUE(store->KeyExists("A"));
    EXPECT_FALSE(store->KeyExists("A\\B"));
    store->DeleteKey("A");
    store->DeleteKey("A");  // already gone
    EXPECT_FALSE(store->KeyExists("A"));
    store->DeleteValue("Other", "x");
    store->DeleteValue("Other", "x");
    store->DeleteValue("Missing", "x");
    EXPECT_TRUE(store->ValueNames("Other").empty());
    store->WriteString("", "top", "1");
    store->DeleteKey("");
    EXPECT_TRUE(store->KeyExists(""));
    EXPECT_TRUE(store->SubKeyNames("").empty());
    EXPECT_TRUE(store->ValueNames("").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RegistryStoreTest,
    testing::Values(
        StoreKind{"Platform", [](std::string_view path) { return OpenRegistryStore(path); }},
        StoreKind{"InMemory", [](std::string_view path) { return OpenMemRegistryStore(path); }}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace nimbra
