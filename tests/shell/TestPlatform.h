#pragma once

namespace nimbra {

// True when the Windows test program runs under Wine rather than Windows;
// tests name the Wine gaps they step around with it. Always false natively.
bool RunningUnderWine();

}  // namespace nimbra
