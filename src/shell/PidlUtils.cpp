#include "shell/PidlUtils.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace nimbra {

namespace {

using Byte = unsigned char;

const Byte* Bytes(PCItemIdList pidl) {
    return reinterpret_cast<const Byte*>(pidl);
}

std::size_t ReadCount(const Byte* at) {
    return static_cast<std::size_t>(at[0]) | (static_cast<std::size_t>(at[1]) << 8);
}

// The well-formed items of a list: where each begins and where the last ends.
struct TPidlWalk {
    std::size_t items = 0;
    std::size_t size = 0;        // bytes of all items, terminator excluded
    std::size_t lastOffset = 0;  // offset of the last item (valid when items > 0)
};

TPidlWalk Walk(PCItemIdList pidl, std::size_t bufferSize) {
    TPidlWalk walk;
    if (pidl == nullptr)
        return walk;
    const Byte* bytes = Bytes(pidl);
    std::size_t offset = 0;
    while (walk.items < kMaxPidlItems && offset + 2 <= bufferSize) {
        const std::size_t count = ReadCount(bytes + offset);
        // An item must hold its own count and leave room for the next count.
        if (count < 2 || count > bufferSize - offset || bufferSize - offset - count < 2)
            break;
        walk.lastOffset = offset;
        offset += count;
        ++walk.items;
    }
    walk.size = offset;
    return walk;
}

}  // namespace

std::size_t PidlSize(PCItemIdList pidl, std::size_t bufferSize) {
    return Walk(pidl, bufferSize).size;
}

std::size_t PidlItemCount(PCItemIdList pidl, std::size_t bufferSize) {
    return Walk(pidl, bufferSize).items;
}

std::size_t PidlItemSize(PCItemIdList item) {
    return item == nullptr ? 0 : ReadCount(Bytes(item));
}

TPidlPtr PidlCopy(PCItemIdList pidl, std::size_t bufferSize) {
    if (pidl == nullptr)
        return {};
    const std::size_t size = Walk(pidl, bufferSize).size;
    TPidlPtr copy(PidlAlloc(size + 2));
    // The allocation is zero-filled, so the terminator is already there.
    std::memcpy(copy.Get(), pidl, size);
    return copy;
}

PCItemIdList PidlNext(PCItemIdList item) {
    const std::size_t count = PidlItemSize(item);
    if (count == 0)
        return nullptr;
    return reinterpret_cast<PCItemIdList>(Bytes(item) + count);
}

PItemIdList PidlNext(PItemIdList item) {
    return const_cast<PItemIdList>(PidlNext(static_cast<PCItemIdList>(item)));
}

bool PidlIsEmpty(PCItemIdList pidl) {
    return PidlItemSize(pidl) == 0;
}

PCItemIdList PidlLast(PCItemIdList pidl, std::size_t bufferSize) {
    const TPidlWalk walk = Walk(pidl, bufferSize);
    if (walk.items == 0)
        return nullptr;
    return reinterpret_cast<PCItemIdList>(Bytes(pidl) + walk.lastOffset);
}

PItemIdList PidlLast(PItemIdList pidl, std::size_t bufferSize) {
    return const_cast<PItemIdList>(PidlLast(static_cast<PCItemIdList>(pidl), bufferSize));
}

PItemIdList PidlStripLast(PItemIdList pidl, std::size_t bufferSize) {
    PItemIdList last = PidlLast(pidl, bufferSize);
    if (last != nullptr) {
        Byte* count = reinterpret_cast<Byte*>(last);
        count[0] = 0;
        count[1] = 0;
    }
    return last;
}

TPidlPtr SplitPidl(PCItemIdList pidl, PCItemIdList& last, std::size_t bufferSize) {
    last = nullptr;
    if (pidl == nullptr)
        return {};
    const TPidlWalk walk = Walk(pidl, bufferSize);
    const std::size_t parentSize = walk.items == 0 ? 0 : walk.lastOffset;
    TPidlPtr parent(PidlAlloc(parentSize + 2));
    std::memcpy(parent.Get(), pidl, parentSize);
    if (walk.items > 0)
        last = reinterpret_cast<PCItemIdList>(Bytes(pidl) + walk.lastOffset);
    return parent;
}

std::string PidlToVirtualPath(PCItemIdList pidl, std::size_t bufferSize) {
    // A root-level virtual folder item: count (2), type and padding (2), then
    // the class identifier (16) as Data1..Data3 little-endian and Data4.
    constexpr std::size_t kVirtualItemSize = 20;
    constexpr std::size_t kClsidOffset = 4;
    const TPidlWalk walk = Walk(pidl, bufferSize);
    std::string path;
    const Byte* item = Bytes(pidl);
    for (std::size_t i = 0; i < walk.items; ++i) {
        if (ReadCount(item) != kVirtualItemSize)
            return {};
        const Byte* id = item + kClsidOffset;
        const unsigned long data1 =
            static_cast<unsigned long>(id[0]) | static_cast<unsigned long>(id[1]) << 8 |
            static_cast<unsigned long>(id[2]) << 16 | static_cast<unsigned long>(id[3]) << 24;
        char text[40];
        std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                      data1, static_cast<unsigned>(ReadCount(id + 4)),
                      static_cast<unsigned>(ReadCount(id + 6)), id[8], id[9], id[10], id[11],
                      id[12], id[13], id[14], id[15]);
        if (!path.empty())
            path += '\\';
        path += "::";
        path += text;
        item += kVirtualItemSize;
    }
    return path;
}

}  // namespace nimbra
