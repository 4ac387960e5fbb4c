#include "support/LnkBuilder.h"

#include "base/Unicode.h"

namespace nimbra::testing_support {

std::string U16(std::uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string U32(std::uint32_t value) {
    return U16(static_cast<std::uint16_t>(value & 0xFFFF)) +
           U16(static_cast<std::uint16_t>(value >> 16));
}

std::string Utf16Z(const std::string& text) {
    std::string bytes;
    for (char16_t c : Utf8ToUtf16(text))
        bytes += U16(c);
    return bytes + U16(0);
}

namespace {

const std::string kShellLinkClsid(
    "\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);

std::string CountedText(const std::string& text, bool unicode) {
    if (unicode) {
        const std::u16string wide = Utf8ToUtf16(text);
        std::string bytes = U16(static_cast<std::uint16_t>(wide.size()));
        for (char16_t c : wide)
            bytes += U16(c);
        return bytes;
    }
    return U16(static_cast<std::uint16_t>(text.size())) + text;
}

std::string LinkInfo(const LnkSpec& spec) {
    const bool local = spec.localBasePath.has_value();
    const std::uint32_t headerSize = spec.wideLinkInfo ? 0x24 : 0x1C;
    std::string body;  // everything after the header, offsets from the start
    const auto add = [&](const std::string& bytes) {
        const auto offset = static_cast<std::uint32_t>(headerSize + body.size());
        body += bytes;
        return offset;
    };
    std::uint32_t volumeAt = 0, baseAt = 0, networkAt = 0, baseWideAt = 0, suffixWideAt = 0;
    if (local) {
        volumeAt = add(U32(0x11) + U32(3) + U32(0x12345678) + U32(0x10) + std::string("\0", 1));
        baseAt = add(*spec.localBasePath + std::string("\0", 1));
    } else {
        const std::string share = *spec.networkShare + std::string("\0", 1);
        networkAt = add(U32(0x14 + static_cast<std::uint32_t>(share.size())) + U32(0) + U32(0x14) +
                        U32(0) + U32(0x20000) + share);
    }
    const std::uint32_t suffixAt = add(spec.commonPathSuffix + std::string("\0", 1));
    if (spec.wideLinkInfo) {
        if (local)
            baseWideAt = add(Utf16Z(*spec.localBasePath));
        suffixWideAt = add(Utf16Z(spec.commonPathSuffix));
    }
    std::string header = U32(headerSize) + U32(local ? 1 : 2) + U32(volumeAt) + U32(baseAt) +
                         U32(networkAt) + U32(suffixAt);
    if (spec.wideLinkInfo)
        header += U32(baseWideAt) + U32(suffixWideAt);
    return U32(static_cast<std::uint32_t>(4 + header.size() + body.size())) + header + body;
}

std::string EnvironmentBlock(std::uint32_t signature, const std::string& target) {
    std::string ansi = target;
    ansi.resize(260, '\0');
    std::string wide = Utf16Z(target);
    wide.resize(520, '\0');
    return U32(0x314) + U32(signature) + ansi + wide;
}

}  // namespace

std::string BuildLnk(const LnkSpec& spec) {
    std::uint32_t flags = spec.extraFlags;
    const auto flag = [&](bool present, std::uint32_t bit) {
        if (present)
            flags |= bit;
    };
    flag(spec.idListItems.has_value(), 0x1);
    flag(spec.localBasePath || spec.networkShare, 0x2);
    flag(spec.description.has_value(), 0x4);
    flag(spec.relativePath.has_value(), 0x8);
    flag(spec.workingDir.has_value(), 0x10);
    flag(spec.arguments.has_value(), 0x20);
    flag(spec.iconLocation.has_value(), 0x40);
    flag(spec.unicodeStrings, 0x80);
    flag(spec.environmentTarget.has_value(), 0x200);
    flag(spec.iconEnvironment.has_value(), 0x4000);

    std::string bytes = U32(0x4C) + kShellLinkClsid + U32(flags) + U32(0x20) +
                        std::string(24, '\0') + U32(0) +
                        U32(static_cast<std::uint32_t>(spec.iconIndex)) + U32(spec.showCommand) +
                        U16(spec.hotKey) + std::string(10, '\0');
    if (spec.idListItems) {
        const std::string list = *spec.idListItems + U16(0);
        bytes += U16(static_cast<std::uint16_t>(list.size())) + list;
    }
    if (spec.localBasePath || spec.networkShare)
        bytes += LinkInfo(spec);
    for (const auto* text : {&spec.description, &spec.relativePath, &spec.workingDir,
                             &spec.arguments, &spec.iconLocation})
        if (*text)
            bytes += CountedText(**text, spec.unicodeStrings);
    if (spec.environmentTarget)
        bytes += EnvironmentBlock(0xA0000001, *spec.environmentTarget);
    if (spec.iconEnvironment)
        bytes += EnvironmentBlock(0xA0000007, *spec.iconEnvironment);
    if (spec.terminalBlock)
        bytes += U32(0);
    return bytes;
}

std::string RootItem(bool myComputer) {
    // {20D04FE0-3AEA-1069-A2D8-08002B30309D} is My Computer; the other one,
    // {21EC2020-3AEA-1069-A2DD-08002B30309D}, is the Control Panel, a folder
    // without a path.
    const std::string clsid =
        myComputer
            ? std::string("\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D", 16)
            : std::string("\x20\x20\xEC\x21\xEA\x3A\x69\x10\xA2\xDD\x08\x00\x2B\x30\x30\x9D", 16);
    return U16(20) + std::string("\x1F\x50", 2) + clsid;
}

std::string DriveItem(const std::string& drive) {
    std::string item = std::string("\x2F", 1) + drive;
    item.resize(23, '\0');
    return U16(static_cast<std::uint16_t>(item.size() + 2)) + item;
}

std::string FileItem(const std::string& shortName, const std::string& longName, bool folder) {
    std::string item = std::string(folder ? "\x31" : "\x32", 1) + std::string("\0", 1) + U32(0) +
                       U32(0) + U16(folder ? 0x10 : 0x20) + shortName + std::string("\0", 1);
    if (item.size() % 2 != 0)
        item += '\0';
    const auto blockAt = static_cast<std::uint16_t>(item.size() + 2);
    // Version 9: size, version, signature, two dates, the identifier, an
    // unused word, a file reference, an unused quad, the name size, two
    // unknown longs, then the long name and the version offset.
    std::string block = U16(9) + U32(0xBEEF0004) + U32(0) + U32(0) + U16(0x2E) + U16(0) +
                        std::string(8, '\0') + std::string(8, '\0') + U16(0) + U32(0) + U32(0) +
                        Utf16Z(longName) + U16(blockAt);
    block = U16(static_cast<std::uint16_t>(block.size() + 2)) + block;
    item += block;
    return U16(static_cast<std::uint16_t>(item.size() + 2)) + item;
}

std::string TinyItems(std::size_t count) {
    std::string items;
    for (std::size_t i = 0; i < count; ++i)
        items += U16(2);
    return items;
}

}  // namespace nimbra::testing_support
