#include <objbase.h>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "base/ComInit.h"

namespace nimbra {
namespace {

// A COM object that notes, when it is released, whether COM still runs on
// the releasing thread.
class TProbe : public IUnknown {
  public:
    explicit TProbe(bool& comRanAtRelease) : comRanAtRelease_(comRanAtRelease) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override {
        APTTYPE type;
        APTTYPEQUALIFIER qualifier;
        comRanAtRelease_ = SUCCEEDED(CoGetApartmentType(&type, &qualifier));
        return 1;
    }

  private:
    bool& comRanAtRelease_;
};

TEST(ComInitializerWindowsTest, KeptObjectsAreReleasedBeforeComEnds) {
    bool comRanAtRelease = false;
    std::thread([&] {
        TProbe probe(comRanAtRelease);
        static const char key = 0;
        TComInitializer scope;
        ASSERT_TRUE(scope.Succeeded());
        scope.Keep<IUnknown>(&key, [&] {
            return std::shared_ptr<IUnknown>(&probe, [](IUnknown* object) { object->Release(); });
        });
    }).join();
    EXPECT_TRUE(comRanAtRelease);
}

}  // namespace
}  // namespace nimbra
