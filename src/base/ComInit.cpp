#include "base/ComInit.h"

namespace nimbra {

namespace {

thread_local TComInitializer* innermost = nullptr;

}  // namespace

TComInitializer::TComInitializer() : succeeded_(InitializeCom()), outer_(innermost) {
    innermost = this;
}

TComInitializer::~TComInitializer() {
    // What was kept goes while COM still works.
    while (!kept_.empty())
        kept_.pop_back();
    // Only a successful initialisation is balanced.
    if (succeeded_)
        UninitializeCom();
    innermost = outer_;
}

TComInitializer* TComInitializer::Current() noexcept {
    return innermost;
}

}  // namespace nimbra
