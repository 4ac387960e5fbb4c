#include "utils/ConfigUtils.h"

#include <algorithm>

#include "utils/FastIniUtils.h"
#include "utils/FileUtils.h"
#include "utils/IniFileEx.h"
#include "utils/MiscUtils.h"
#include "utils/RegIniFile.h"

namespace nimbra {

namespace {

constexpr char kCountIdent[] = "Count";

}  // namespace

TAppIni::~TAppIni() {
    try {
        Close();
    } catch (const std::exception&) {
        // A store that cannot write itself out at the end has nobody to tell.
    }
}

void TAppIni::SetAppKey(const std::string& value) {
    if (value == appKey_)
        return;
    Close();
    appKey_ = value;
}

void TAppIni::SetFileName(const std::string& value) {
    if (value == fileName_)
        return;
    Close();
    fileName_ = value;
}

std::unique_ptr<TCustomIniFile> TAppIni::Open() const {
    if (appKey_.empty() && fileName_.empty())
        throw EAppIniError("No application key specified");
    if (!appKey_.empty()) {
        const std::string keyPath = "\\Software" + appKey_;
        return std::make_unique<TRegistryIniFile>(OpenRegistryStore(keyPath, RootKey), keyPath);
    }
    if (UseMemIni)
        return std::make_unique<TMemIniFile>(fileName_);
    return std::make_unique<TIniFileEx>(fileName_);
}

TCustomIniFile* TAppIni::Store() {
    if (ini_)
        return ini_.get();
    try {
        ini_ = Open();
    } catch (const std::exception&) {
        if (RaiseOpenErrors)
            throw;
        return nullptr;
    }
    return ini_.get();
}

template <class R, class F>
R TAppIni::Guarded(R fallback, F operation) {
    TCustomIniFile* ini = Store();
    if (ini == nullptr)
        return fallback;
    if (RaiseErrors)
        return operation(*ini);
    try {
        return operation(*ini);
    } catch (const std::exception&) {
        // Settings never stop the program: a failed read keeps its default,
        // a failed write reports False.
        return fallback;
    }
}

void TAppIni::Close() {
    if (!ini_)
        return;
    std::unique_ptr<TCustomIniFile> ini = std::move(ini_);
    if (RaiseErrors) {
        ini->UpdateFile();
        return;
    }
    try {
        ini->UpdateFile();
    } catch (const std::exception&) {
        // Swallowed like every store error.
    }
}

std::string TAppIni::ReadString(const std::string& section, const std::string& ident,
                                const std::string& defaultValue) {
    return Guarded(defaultValue, [&](TCustomIniFile& ini) {
        return ini.ReadString(section, ident, defaultValue);
    });
}

bool TAppIni::WriteString(const std::string& section, const std::string& ident,
                          const std::string& value) {
    return Guarded(false, [&](TCustomIniFile& ini) {
        ini.WriteString(section, ident, value);
        return true;
    });
}

int TAppIni::ReadInteger(const std::string& section, const std::string& ident, int defaultValue) {
    return Guarded(defaultValue, [&](TCustomIniFile& ini) {
        return ini.ReadInteger(section, ident, defaultValue);
    });
}

bool TAppIni::WriteInteger(const std::string& section, const std::string& ident, int value) {
    return Guarded(false, [&](TCustomIniFile& ini) {
        ini.WriteInteger(section, ident, value);
        return true;
    });
}

bool TAppIni::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) {
    return Guarded(defaultValue,
                   [&](TCustomIniFile& ini) { return ini.ReadBool(section, ident, defaultValue); });
}

bool TAppIni::WriteBool(const std::string& section, const std::string& ident, bool value) {
    return Guarded(false, [&](TCustomIniFile& ini) {
        ini.WriteBool(section, ident, value);
        return true;
    });
}

int TAppIni::ReadOrdinal(const std::string& section, const std::string& ident, int defaultValue,
                         const TTypeInfo& typeInfo) {
    const int value = ReadInteger(section, ident, defaultValue);
    return value >= typeInfo.MinValue && value <= typeInfo.MaxValue ? value : defaultValue;
}

bool TAppIni::WriteOrdinal(const std::string& section, const std::string& ident, int value) {
    return WriteInteger(section, ident, value);
}

int TAppIni::ReadEnum(const std::string& section, const std::string& ident, int defaultValue,
                      const TTypeInfo& typeInfo) {
    const std::string name = ReadString(section, ident, "");
    if (name.empty())
        return defaultValue;
    const auto value = typeInfo.ValueOf(name);
    return value ? static_cast<int>(*value) : defaultValue;
}

bool TAppIni::WriteEnum(const std::string& section, const std::string& ident,
                        const TTypeInfo& typeInfo, int value) {
    return WriteString(section, ident, std::string(typeInfo.NameOf(value)));
}

void TAppIni::ReadStrings(const std::string& section, TStrings& strings) {
    strings.BeginUpdate();
    strings.Clear();
    int count = std::max(0, ReadInteger(section, kCountIdent, 0));
    if (count > 0) {
        // A damaged Count cannot make the list longer than the values the
        // section holds.
        const int values = Guarded(0, [&](TCustomIniFile& ini) {
            TStringList names;
            ini.ReadSection(section, names);
            return names.Count();
        });
        count = std::min(count, values);
    }
    for (int i = 0; i < count; ++i)
        strings.Add(ReadString(section, std::to_string(i), ""));
    strings.EndUpdate();
}

namespace {

// "Count" and then each item under the decimal text of its index, written
// by `writeItem`; true when every write succeeded.
template <class WriteItem>
bool WriteNumbered(TAppIni& ini, const std::string& section, const TStrings& strings,
                   WriteItem writeItem) {
    bool written = ini.WriteInteger(section, kCountIdent, strings.Count());
    for (int i = 0; i < strings.Count(); ++i)
        written = writeItem(std::to_string(i), strings.Strings(i)) && written;
    return written;
}

}  // namespace

bool TAppIni::WriteStrings(const std::string& section, const TStrings& strings) {
    return WriteNumbered(*this, section, strings,
                         [&](const std::string& ident, const std::string& item) {
                             return WriteString(section, ident, item);
                         });
}

bool TAppIni::WriteCommaText(const std::string& section, const std::string& ident,
                             const std::string& text) {
    TStringList lines;
    lines.SetText(text);
    return WriteString(section, ident, lines.CommaText());
}

bool TAppIni::WriteStringsCommaText(const std::string& section, const TStrings& strings) {
    return WriteNumbered(*this, section, strings,
                         [&](const std::string& ident, const std::string& item) {
                             return WriteCommaText(section, ident, item);
                         });
}

void TAppIni::ReadSectionValues(const std::string& section, TStrings& strings) {
    strings.Clear();
    Guarded(false, [&](TCustomIniFile& ini) {
        ini.ReadSectionValues(section, strings);
        return true;
    });
}

void TAppIni::EraseSection(const std::string& section) {
    Guarded(false, [&](TCustomIniFile& ini) {
        ini.EraseSection(section);
        return true;
    });
}

void TAppIni::DeleteKey(const std::string& section, const std::string& ident) {
    Guarded(false, [&](TCustomIniFile& ini) {
        ini.DeleteKey(section, ident);
        return true;
    });
}

bool TAppIni::ValueExists(const std::string& section, const std::string& ident) {
    return Guarded(false, [&](TCustomIniFile& ini) { return ini.ValueExists(section, ident); });
}

bool TAppIni::SectionExists(const std::string& section) {
    return Guarded(false, [&](TCustomIniFile& ini) { return ini.SectionExists(section); });
}

TAppIni& AppIni() {
    static TAppIni instance;
    return instance;
}

void InitAppIni(const std::string& programFolder) {
    const std::string portable = JoinPath(programFolder, kPortableIniName);
    if (!programFolder.empty() && FileExists(portable)) {
        AppIni().SetAppKey({});
        AppIni().SetFileName(portable);
    } else {
        AppIni().SetFileName({});
        AppIni().SetAppKey(std::string(kNimbraAppKey));
    }
}

}  // namespace nimbra
