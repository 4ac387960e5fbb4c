#pragma once

#include <cstddef>
#include <string>

#include "base/Handles.h"

namespace nimbra {

// An item identifier list, the shell's addressing form: items each led by a
// 16-bit little-endian byte count that includes the two count bytes, ended by
// a count of 0. Opaque: only the functions below look into the bytes. On
// Windows the bytes are those of the shell's ITEMIDLIST.
struct TItemIdList;
using PItemIdList = TItemIdList*;
using PCItemIdList = const TItemIdList*;

// Every walk over a list stops at the first of: the terminator, a malformed
// item (a count of 1, or an item that runs past the buffer), kMaxPidlItems
// items. What follows a malformed item is treated as if the list ended there,
// so no operation reads past the buffer or runs without bound. Lists from the
// shell have no known buffer size; kMaxPidlBytes stands in for it.
inline constexpr std::size_t kMaxPidlItems = 1024;
inline constexpr std::size_t kMaxPidlBytes = std::size_t{1} << 20;

// Allocates through the shell allocator (zero-filled); raises std::bad_alloc
// when it gives nothing.
PItemIdList PidlAlloc(std::size_t size);
// Frees through the shell allocator; nullptr is allowed.
void PidlFree(PItemIdList pidl) noexcept;

// Owns a list allocated through the shell allocator.
using TPidlPtr = THandle<TNullHandleTraits<PItemIdList, &PidlFree>>;

// Sum of the item counts, terminator excluded; 0 for nullptr.
std::size_t PidlSize(PCItemIdList pidl, std::size_t bufferSize = kMaxPidlBytes);
// Number of items; 0 for nullptr.
std::size_t PidlItemCount(PCItemIdList pidl, std::size_t bufferSize = kMaxPidlBytes);
// The byte count of the item at `item` (0 for the terminator or nullptr).
std::size_t PidlItemSize(PCItemIdList item);
// A new, well-formed copy of the list (its items and a terminator); nullptr
// for nullptr.
TPidlPtr PidlCopy(PCItemIdList pidl, std::size_t bufferSize = kMaxPidlBytes);
// The item after `item`; nullptr when `item` is nullptr or the terminator.
PCItemIdList PidlNext(PCItemIdList item);
PItemIdList PidlNext(PItemIdList item);
// True for nullptr or a list whose first count is 0.
bool PidlIsEmpty(PCItemIdList pidl);
// The last item; nullptr for an empty list.
PCItemIdList PidlLast(PCItemIdList pidl, std::size_t bufferSize = kMaxPidlBytes);
PItemIdList PidlLast(PItemIdList pidl, std::size_t bufferSize = kMaxPidlBytes);
// Cuts the last item off in place (its count becomes 0) and returns where it
// was; nullptr for an empty list.
PItemIdList PidlStripLast(PItemIdList pidl, std::size_t bufferSize = kMaxPidlBytes);
// A new copy of the list without its last item (the parent), and in `last`
// the last item inside `pidl` itself (nullptr for an empty list). nullptr
// gives nullptr for both.
TPidlPtr SplitPidl(PCItemIdList pidl, PCItemIdList& last, std::size_t bufferSize = kMaxPidlBytes);

// The virtual-folder form of a list: every item must be 20 bytes long (a
// root-level virtual folder with its class identifier at offset 4) and gives
// "::{CLSID}" in registry form; the pieces are joined with "\". An item of
// another length, or an empty list, gives "".
std::string PidlToVirtualPath(PCItemIdList pidl, std::size_t bufferSize = kMaxPidlBytes);

}  // namespace nimbra
