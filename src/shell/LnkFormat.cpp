#include "shell/LnkFormat.h"

#include <array>
#include <cstring>

#include "base/Unicode.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"

namespace nimbra {

namespace {

[[noreturn]] void Malformed(const std::string& what) {
    throw ELnkFormatError("Not a valid shortcut file: " + what);
}

// A window on the file's bytes. Every read is checked against the window, so
// no offset or size taken from the file can reach outside it.
class TByteView {
  public:
    explicit TByteView(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }

    bool Fits(std::size_t pos, std::size_t count) const {
        return pos <= bytes_.size() && count <= bytes_.size() - pos;
    }

    TByteView Sub(std::size_t pos, std::size_t count, const char* what) const {
        if (!Fits(pos, count))
            Malformed(std::string(what) + " lies outside the file");
        return TByteView(bytes_.substr(pos, count));
    }

    std::uint8_t U8(std::size_t pos) const {
        Check(pos, 1);
        return static_cast<std::uint8_t>(bytes_[pos]);
    }
    std::uint16_t U16(std::size_t pos) const {
        Check(pos, 2);
        return static_cast<std::uint16_t>(U8(pos) | (U8(pos + 1) << 8));
    }
    std::uint32_t U32(std::size_t pos) const {
        Check(pos, 4);
        return static_cast<std::uint32_t>(U16(pos)) |
               (static_cast<std::uint32_t>(U16(pos + 2)) << 16);
    }

    std::string_view Bytes(std::size_t pos, std::size_t count) const {
        Check(pos, count);
        return bytes_.substr(pos, count);
    }

    // The 8-bit text from pos up to its NUL, which must lie inside the view.
    std::string AnsiZ(std::size_t pos) const {
        Check(pos, 0);
        const auto end = bytes_.find('\0', pos);
        if (end == std::string_view::npos)
            Malformed("a text has no end");
        return AnsiToUtf8(bytes_.substr(pos, end - pos));
    }

    // The UTF-16 text from pos up to its NUL character, inside the view.
    std::string WideZ(std::size_t pos) const {
        Check(pos, 0);
        std::u16string text;
        for (std::size_t at = pos;; at += 2) {
            if (!Fits(at, 2))
                Malformed("a text has no end");
            const char16_t c = U16(at);
            if (c == 0)
                break;
            text.push_back(c);
        }
        return Utf16ToUtf8(text);
    }

    // `count` UTF-16 characters from pos.
    std::string Wide(std::size_t pos, std::size_t count) const {
        Check(pos, count * 2);
        std::u16string text(count, u'\0');
        for (std::size_t i = 0; i < count; ++i)
            text[i] = U16(pos + 2 * i);
        return Utf16ToUtf8(text);
    }

  private:
    void Check(std::size_t pos, std::size_t count) const {
        if (!Fits(pos, count))
            Malformed("data lies outside the file");
    }

    std::string_view bytes_;
};

// The text `read` decodes, or "" when its bytes are damaged: for the parts
// of a link that may be lost without losing the link.
template <class Read>
std::string SoundOrEmpty(const Read& read) {
    try {
        return read();
    } catch (const ELnkFormatError&) {
        return {};
    }
}

// The header is a fixed 76-byte record (offsets of the format).
constexpr std::size_t kHeaderSize = 0x4C;
constexpr std::array<std::uint8_t, 16> kShellLinkClsid = {
    0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::size_t kFlagsAt = 0x14;
constexpr std::size_t kIconIndexAt = 0x38;
constexpr std::size_t kShowCommandAt = 0x3C;
constexpr std::size_t kHotKeyAt = 0x40;

std::int32_t NormalShowCmd(std::uint32_t stored) {
    const auto value = static_cast<std::int32_t>(stored);
    return value == kShowMaximized || value == kShowMinNoActive ? value : kShowNormal;
}

std::size_t ReadHeader(const TByteView& file, TShellLinkFile& link) {
    if (file.Size() < kHeaderSize)
        Malformed("the header is cut short");
    if (file.U32(0) != kHeaderSize)
        Malformed("wrong header size");
    if (std::memcmp(file.Bytes(4, 16).data(), kShellLinkClsid.data(), kShellLinkClsid.size()) != 0)
        Malformed("wrong class identifier");
    link.LinkFlags = file.U32(kFlagsAt);
    link.Data.IconIndex = static_cast<std::int32_t>(file.U32(kIconIndexAt));
    link.Data.ShowCmd = NormalShowCmd(file.U32(kShowCommandAt));
    link.Data.HotKey = file.U16(kHotKeyAt);
    return kHeaderSize;
}

std::size_t ReadIDList(const TByteView& file, std::size_t pos, TShellLinkFile& link) {
    const std::size_t size = file.U16(pos);
    const TByteView list = file.Sub(pos + 2, size, "the identifier list");
    // Walk the items so that a list whose items overrun it is refused; the
    // walk always moves forward (an item is at least its two size bytes).
    std::size_t at = 0;
    for (;;) {
        const std::size_t itemSize = list.U16(at);
        if (itemSize == 0)
            break;
        if (itemSize < 2 || !list.Fits(at, itemSize))
            Malformed("an identifier list item overruns the list");
        at += itemSize;
    }
    const std::string_view items = list.Bytes(0, at);
    link.Data.IDList.assign(items.begin(), items.end());
    link.Data.IDList.insert(link.Data.IDList.end(), {0, 0});
    link.IDListPath = IDListToPath(items);
    return pos + 2 + size;
}

// A text of the link information: the wide form when its offset is given
// and it is sound, otherwise the 8-bit form (as the shell falls back to it).
std::string InfoText(const TByteView& view, std::size_t ansiAt, std::size_t wideAt) {
    if (wideAt != 0) {
        std::string text = SoundOrEmpty([&] { return view.WideZ(wideAt); });
        if (!text.empty())
            return text;
    }
    return ansiAt != 0 ? view.AnsiZ(ansiAt) : std::string();
}

std::string JoinSuffix(const std::string& base, const std::string& suffix) {
    return suffix.empty() ? base : JoinPath(base, suffix);
}

std::string NetworkShare(const TByteView& info, std::size_t offset) {
    const std::size_t size = info.U32(offset);
    const TByteView link = info.Sub(offset, size, "the network link");
    const std::size_t netNameAt = link.U32(8);
    // Offsets of the wide texts are present only in the larger form.
    const std::size_t netNameWideAt = netNameAt > 0x14 ? link.U32(0x14) : 0;
    return InfoText(link, netNameAt, netNameWideAt);
}

// The smaller header of the link information, without the wide offsets.
constexpr std::size_t kLinkInfoHeaderSize = 0x1C;

// The path of the link information; raises when it is damaged.
std::string LinkInfoPath(const TByteView& info) {
    const std::size_t size = info.Size();
    const std::size_t headerSize = info.U32(4);
    if (headerSize < kLinkInfoHeaderSize || headerSize > size)
        Malformed("wrong link information header size");
    const std::uint32_t flags = info.U32(8);
    const bool wide = headerSize >= 0x24;
    const std::string suffix = InfoText(info, info.U32(24), wide ? info.U32(32) : 0);
    if (flags & 0x1)  // a local volume and base path
        return JoinSuffix(InfoText(info, info.U32(16), wide ? info.U32(28) : 0), suffix);
    if (flags & 0x2)  // a network share
        return JoinSuffix(NetworkShare(info, info.U32(20)), suffix);
    return {};
}

// Only the block's size must be sound, so that the parts after it can be
// found; damage inside it costs only its path.
std::size_t ReadLinkInfo(const TByteView& file, std::size_t pos, TShellLinkFile& link) {
    const std::size_t size = file.U32(pos);
    if (size < kLinkInfoHeaderSize)
        Malformed("the link information is too small");
    const TByteView info = file.Sub(pos, size, "the link information");
    link.LinkInfoPath = SoundOrEmpty([&] { return LinkInfoPath(info); });
    return pos + size;
}

// One counted text of the string data.
std::string ReadCountedText(const TByteView& file, std::size_t& pos, bool unicode) {
    const std::size_t count = file.U16(pos);
    pos += 2;
    std::string text;
    if (unicode) {
        text = file.Wide(pos, count);
        pos += count * 2;
    } else {
        text = AnsiToUtf8(file.Bytes(pos, count));
        pos += count;
    }
    // Some writers (Wine) count the terminating NUL too; the text ends there,
    // as it does for the shell's object.
    const auto nul = text.find('\0');
    if (nul != std::string::npos)
        text.resize(nul);
    return text;
}

std::size_t ReadStringData(const TByteView& file, std::size_t pos, TShellLinkFile& link) {
    const bool unicode = (link.LinkFlags & lnkIsUnicode) != 0;
    // The texts follow in this order, each only when its flag is set.
    const struct {
        std::uint32_t flag;
        std::string* text;
    } texts[] = {{lnkHasName, &link.Data.Description},
                 {lnkHasRelativePath, &link.RelativePath},
                 {lnkHasWorkingDir, &link.Data.WorkingDirectory},
                 {lnkHasArguments, &link.Data.Arguments},
                 {lnkHasIconLocation, &link.Data.IconLocation}};
    for (const auto& entry : texts)
        if (link.LinkFlags & entry.flag)
            *entry.text = ReadCountedText(file, pos, unicode);
    return pos;
}

// The environment-variable and icon-environment blocks: a 260-byte 8-bit
// path, then a 260-character wide one, which wins when present.
constexpr std::size_t kEnvBlockSize = 0x314;
constexpr std::uint32_t kEnvironmentSignature = 0xA0000001;
constexpr std::uint32_t kIconEnvironmentSignature = 0xA0000007;

// A block of the wrong size or without a sound text gives nothing: the link
// loses that path only.
std::string EnvironmentBlockTarget(const TByteView& block) {
    if (block.Size() != kEnvBlockSize)
        return {};
    const TByteView ansi = block.Sub(8, 260, "the environment block");
    const TByteView wide = block.Sub(8 + 260, 520, "the environment block");
    std::string target = SoundOrEmpty([&] { return wide.WideZ(0); });
    return !target.empty() ? target : SoundOrEmpty([&] { return ansi.AnsiZ(0); });
}

void ReadExtraData(const TByteView& file, std::size_t pos, TShellLinkFile& link) {
    // Blocks follow until one smaller than four bytes (the terminal block);
    // a file that simply ends after the last block is accepted too.
    while (file.Fits(pos, 4)) {
        const std::size_t size = file.U32(pos);
        if (size < 4)
            return;
        if (size < 8)
            Malformed("an extra data block is too small");
        const TByteView block = file.Sub(pos, size, "an extra data block");
        const std::uint32_t signature = block.U32(4);
        if (signature == kEnvironmentSignature)
            link.EnvironmentTarget = EnvironmentBlockTarget(block);
        else if (signature == kIconEnvironmentSignature)
            link.EnvironmentIcon = EnvironmentBlockTarget(block);
        pos += size;
    }
}

// The path the shell's link object reports in its raw form: the stored
// environment form first, then the path the identifier list names (the
// link's real target, with long Unicode names), then the link information
// (which some writers keep only in 8-bit text).
std::string RawPath(const TShellLinkFile& link) {
    if ((link.LinkFlags & lnkHasExpString) && !link.EnvironmentTarget.empty())
        return link.EnvironmentTarget;
    if (!link.IDListPath.empty())
        return link.IDListPath;
    return link.LinkInfoPath;
}

// Item identifier lists: the root item of "My Computer", a drive item, then
// one file-system item per folder and file (offsets of the shell's items).
constexpr std::array<std::uint8_t, 16> kMyComputerClsid = {
    0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10, 0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
constexpr std::uint8_t kRootItem = 0x1F;
constexpr std::uint8_t kDriveClass = 0x20;
constexpr std::uint8_t kFileClass = 0x30;
constexpr std::uint8_t kFileUnicodeName = 0x04;
constexpr std::size_t kFileNameAt = 14;
constexpr std::uint32_t kFileExtensionSignature = 0xBEEF0004;

// Where the long name starts in the file extension block, by its version.
// Wine writes the block with version and signature left zero, in the layout
// of version 3.
std::size_t LongNameOffset(std::uint16_t version, std::uint32_t signature) {
    if (signature == 0 && version == 0)
        return 0x14;
    if (signature != kFileExtensionSignature)
        return 0;
    if (version >= 9)
        return 0x2E;
    if (version == 8)
        return 0x2A;
    if (version == 7)
        return 0x26;
    return version >= 3 ? 0x14 : 0;
}

// The long name from the item's extension block; empty when it has none.
std::string LongFileName(const TByteView& item) {
    // The item's last two bytes give the offset of its first extension block.
    if (item.Size() < kFileNameAt + 2)
        return {};
    const std::size_t blockAt = item.U16(item.Size() - 2);
    if (blockAt < kFileNameAt || !item.Fits(blockAt, 8))
        return {};
    const std::size_t blockSize = item.U16(blockAt);
    if (!item.Fits(blockAt, blockSize))
        return {};
    const TByteView block = item.Sub(blockAt, blockSize, "a file extension block");
    const std::size_t nameAt = LongNameOffset(block.U16(2), block.U32(4));
    return nameAt != 0 && nameAt < block.Size() ? block.WideZ(nameAt) : std::string();
}

std::string FileItemName(const TByteView& item) {
    // A damaged extension: the primary name still serves.
    const std::string name = SoundOrEmpty([&] { return LongFileName(item); });
    if (!name.empty())
        return name;
    return (item.U8(2) & kFileUnicodeName) ? item.WideZ(kFileNameAt) : item.AnsiZ(kFileNameAt);
}

std::string IDListItemsToPath(const TByteView& list) {
    std::string path;
    std::size_t index = 0;
    for (std::size_t at = 0; list.Fits(at, 2); ++index) {
        const std::size_t size = list.U16(at);
        if (size == 0)
            break;
        if (size < 3)
            return {};
        const TByteView item = list.Sub(at, size, "an identifier list item");
        at += size;
        const std::uint8_t type = item.U8(2);
        if (index == 0) {
            if (type != kRootItem || item.Size() < 20 ||
                std::memcmp(item.Bytes(4, 16).data(), kMyComputerClsid.data(), 16) != 0)
                return {};
        } else if (index == 1) {
            if ((type & 0x70) != kDriveClass)
                return {};
            path = item.AnsiZ(3);
        } else {
            if ((type & 0x70) != kFileClass)
                return {};
            path = JoinPath(path, FileItemName(item));
        }
    }
    return path;
}

}  // namespace

TShellLinkFile ParseShellLink(std::string_view bytes) {
    if (bytes.size() > kMaxLnkFileSize)
        Malformed("the file is larger than " + std::to_string(kMaxLnkFileSize) + " bytes");
    const TByteView file(bytes);
    TShellLinkFile link;
    std::size_t pos = ReadHeader(file, link);
    if (link.LinkFlags & lnkHasLinkTargetIDList)
        pos = ReadIDList(file, pos, link);
    if ((link.LinkFlags & lnkHasLinkInfo) && !(link.LinkFlags & lnkForceNoLinkInfo))
        pos = ReadLinkInfo(file, pos, link);
    else if (link.LinkFlags & lnkHasLinkInfo)
        pos += file.U32(pos);  // present but to be ignored: skip it
    pos = ReadStringData(file, pos, link);
    ReadExtraData(file, pos, link);
    link.Data.Path = RawPath(link);
    if (link.Data.IconLocation.empty() && (link.LinkFlags & lnkHasExpIcon))
        link.Data.IconLocation = link.EnvironmentIcon;
    return link;
}

std::string IDListToPath(std::string_view idList) {
    // Not a list of file-system items we can read: no path.
    return SoundOrEmpty([&] { return IDListItemsToPath(TByteView(idList)); });
}

TShellLinkFile ReadShellLinkFile(const std::string& fileName) {
    return ParseShellLink(ReadFileBytes(fileName, kMaxLnkFileSize));
}

}  // namespace nimbra
