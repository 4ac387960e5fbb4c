#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

namespace nimbra {
namespace {

// COM on the test thread for the whole run, as the program has it on its
// interface thread. Never uninitialised: the shell objects held until the
// end are released at exit.
class TComEnvironment : public testing::Environment {
  public:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
};

[[maybe_unused]] testing::Environment* const comEnvironment =
    testing::AddGlobalTestEnvironment(new TComEnvironment);

}  // namespace
}  // namespace nimbra
