#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Classes.h"
#include "base/DateTime.h"
#include "base/StringList.h"

namespace nimbra {

class EIniFileException : public Exception {
  public:
    using Exception::Exception;
};

// The common interface of stores organised as sections of named values: INI
// files, the registry and the in-memory stores. The typed operations are
// built on ReadString and WriteString; a store that keeps typed values (the
// registry) overrides them.
class TCustomIniFile : public TObject {
  public:
    explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }

    virtual bool SectionExists(const std::string& section);
    virtual std::string ReadString(const std::string& section, const std::string& ident,
                                   const std::string& defaultValue) = 0;
    virtual void WriteString(const std::string& section, const std::string& ident,
                             const std::string& value) = 0;
    // Decimal text, or hexadecimal after "0x"; the default when the text is
    // no number.
    virtual int ReadInteger(const std::string& section, const std::string& ident, int defaultValue);
    virtual void WriteInteger(const std::string& section, const std::string& ident, int value);
    // Written as "1" and "0"; read as an integer that is not 0.
    virtual bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue);
    virtual void WriteBool(const std::string& section, const std::string& ident, bool value);
    // Bytes as pairs of hexadecimal digits; reading stops at the first pair
    // that is not one and returns the number of bytes read.
    virtual int ReadBinaryStream(const std::string& section, const std::string& ident,
                                 std::vector<std::uint8_t>& value);
    // Dates, times and numbers in the forms of the program's format
    // settings; text that does not convert gives the default.
    virtual TDateTime ReadDate(const std::string& section, const std::string& ident,
                               TDateTime defaultValue);
    virtual TDateTime ReadDateTime(const std::string& section, const std::string& ident,
                                   TDateTime defaultValue);
    virtual double ReadFloat(const std::string& section, const std::string& ident,
                             double defaultValue);
    virtual TDateTime ReadTime(const std::string& section, const std::string& ident,
                               TDateTime defaultValue);
    virtual void WriteBinaryStream(const std::string& section, const std::string& ident,
                                   const std::vector<std::uint8_t>& value);
    virtual void WriteDate(const std::string& section, const std::string& ident, TDateTime value);
    virtual void WriteDateTime(const std::string& section, const std::string& ident,
                               TDateTime value);
    virtual void WriteFloat(const std::string& section, const std::string& ident, double value);
    virtual void WriteTime(const std::string& section, const std::string& ident, TDateTime value);
    // Key names of a section; all section names; "name=value" lines.
    virtual void ReadSection(const std::string& section, TStrings& strings) = 0;
    virtual void ReadSections(TStrings& strings) = 0;
    virtual void ReadSectionValues(const std::string& section, TStrings& strings) = 0;
    virtual void EraseSection(const std::string& section) = 0;
    virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
    // Writes buffered changes out; stores that write at once do nothing.
    virtual void UpdateFile() = 0;
    virtual bool ValueExists(const std::string& section, const std::string& ident);

  protected:
    // Replaces the list's lines inside one update bracket.
    static void FillStrings(TStrings& strings, const std::vector<std::string>& lines);

  private:
    std::string fileName_;
};

}  // namespace nimbra
