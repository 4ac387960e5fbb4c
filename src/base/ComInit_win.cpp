#include <objbase.h>

#include "base/ComInit.h"

namespace nimbra {

TComInitializer::TComInitializer() {
    succeeded_ = SUCCEEDED(CoInitialize(nullptr));
}

TComInitializer::~TComInitializer() {
    // Only a successful CoInitialize (S_OK or S_FALSE) is balanced.
    if (succeeded_)
        CoUninitialize();
}

}  // namespace nimbra
