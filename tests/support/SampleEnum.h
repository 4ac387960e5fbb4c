#pragma once

#include "base/Set.h"
#include "base/TypInfo.h"

namespace nimbra::testing_support {

// A small enumeration with its value names, for tests of settings that are
// stored by name.
enum TShade { shLight, shMedium, shDark };
using TShades = Set<TShade>;

inline const TTypeInfo& EnumTypeInfo(TShade) {
    static const TTypeInfo info = MakeEnumTypeInfo("TShade", {"shLight", "shMedium", "shDark"});
    return info;
}

}  // namespace nimbra::testing_support
