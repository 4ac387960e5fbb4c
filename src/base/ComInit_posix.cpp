#include "base/ComInit.h"

namespace nimbra {

TComInitializer::TComInitializer() : succeeded_(true) {}
TComInitializer::~TComInitializer() = default;

}  // namespace nimbra
