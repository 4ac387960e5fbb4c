#pragma once

#include <objbase.h>

namespace nimbra {

// COM for the calling thread for the object's lifetime. Initialisations
// nest: each successful one is undone by its own uninitialisation.
class TComInitializer {
  public:
    TComInitializer() : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~TComInitializer() {
        if (initialized_)
            CoUninitialize();
    }
    TComInitializer(const TComInitializer&) = delete;
    TComInitializer& operator=(const TComInitializer&) = delete;

  private:
    bool initialized_;
};

}  // namespace nimbra
