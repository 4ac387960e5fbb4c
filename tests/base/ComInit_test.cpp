#include "base/ComInit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace nimbra {
namespace {

// Records its end in a shared log.
struct TLogged {
    TLogged(std::vector<std::string>& log, const char* name) : log(log), name(name) {}
    ~TLogged() { log.push_back(name); }
    std::vector<std::string>& log;
    std::string name;
};

TEST(ComInitializerTest, KeptObjectsLiveUntilTheirScopeEndsNewestFirst) {
    std::vector<std::string> log;
    const auto make = [&](const char* name) {
        return [&log, name] { return std::make_shared<TLogged>(log, name); };
    };
    static const char first = 0, second = 0;
    TComInitializer* const outer = TComInitializer::Current();
    {
        TComInitializer scope;
        EXPECT_EQ(TComInitializer::Current(), &scope);
        TLogged& kept = scope.Keep<TLogged>(&first, make("first"));
        EXPECT_EQ(&scope.Keep<TLogged>(&first, make("again")), &kept) << "made once per key";
        scope.Keep<TLogged>(&second, make("second"));
        {
            TComInitializer inner;
            EXPECT_EQ(TComInitializer::Current(), &inner);
            inner.Keep<TLogged>(&first, make("inner"));
        }
        EXPECT_EQ(log, std::vector<std::string>{"inner"});
        EXPECT_EQ(TComInitializer::Current(), &scope);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"inner", "second", "first"}));
    EXPECT_EQ(TComInitializer::Current(), outer);
}

TEST(ComInitializerTest, EachThreadHasItsOwnScopes) {
    TComInitializer scope;
    TComInitializer* seen = &scope;
    std::thread([&] { seen = TComInitializer::Current(); }).join();
    EXPECT_EQ(seen, nullptr);
}

}  // namespace
}  // namespace nimbra
