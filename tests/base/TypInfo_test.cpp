#include "base/TypInfo.h"

#include <gtest/gtest.h>

#include "base/Classes.h"
#include "base/StringList.h"

namespace nimbra {
namespace {

enum TShade { shLight, shMedium, shDark };
const TTypeInfo& EnumTypeInfo(TShade) {
    static const TTypeInfo info = MakeEnumTypeInfo("TShade", {"shLight", "shMedium", "shDark"});
    return info;
}
using TShades = Set<TShade>;

class TSample : public TPersistent {
  public:
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    int Width = 5;
    std::string Caption;
    double Ratio = 0;
    char Letter = 'a';
    std::int64_t Big = 0;
    TShade Shade = shMedium;
    TShades Shades{shLight};
    std::string ReadOnlyText() const { return "fixed"; }
    bool IsCaptionStored() const { return Caption != "secret"; }
    TStringList* Lines() const { return lines_.get(); }
    void SetLines(TStringList* value) { lines_->Assign(*value); }

    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(
            typeid(TSample), "TSample", &TPersistent::StaticClassInfo(),
            {Published("Visible", &TSample::Visible, &TSample::SetVisible, true),
             Published("Width", &TSample::Width, &TSample::Width, 5),
             Published("Caption", &TSample::Caption, &TSample::Caption, {},
                       &TSample::IsCaptionStored),
             Published("Ratio", &TSample::Ratio, &TSample::Ratio),
             Published("Letter", &TSample::Letter, &TSample::Letter, 'a'),
             Published("Big", &TSample::Big, &TSample::Big),
             Published("Shade", &TSample::Shade, &TSample::Shade, shMedium),
             Published("Shades", &TSample::Shades, &TSample::Shades, TShades{shLight}),
             Published("ReadOnlyText", &TSample::ReadOnlyText, nullptr),
             Published("Lines", &TSample::Lines, &TSample::SetLines)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  private:
    bool visible_ = true;
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
};

// Redeclares Width with another default and adds a property of its own.
class TSampleEx : public TSample {
  public:
    TSampleEx() { Width = 10; }
    std::string Extra;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(typeid(TSampleEx), "TSampleEx", &TSample::StaticClassInfo(),
                                     {Published("Extra", &TSampleEx::Extra, &TSampleEx::Extra),
                                      Published("Width", &TSample::Width, &TSample::Width, 10)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

std::vector<std::string> Names(const TClassInfo& info) {
    std::vector<std::string> names;
    for (const TPropInfo* p : info.Properties())
        names.push_back(p->Name);
    return names;
}

TEST(ClassInfoTest, InheritedPropertiesComeFirstRedeclarationsStayInPlaceLookupIgnoresCase) {
    const TClassInfo& info = TSampleEx::StaticClassInfo();
    EXPECT_EQ(Names(info),
              (std::vector<std::string>{"Visible", "Width", "Caption", "Ratio", "Letter", "Big",
                                        "Shade", "Shades", "ReadOnlyText", "Lines", "Extra"}));
    EXPECT_EQ(info.FindProperty("wIdTh")->Default, 10);
    EXPECT_EQ(TSample::StaticClassInfo().FindProperty("Width")->Default, 5);
    EXPECT_EQ(info.FindProperty("Missing"), nullptr);
    EXPECT_TRUE(info.InheritsFrom(TPersistent::StaticClassInfo()));
    EXPECT_FALSE(TSample::StaticClassInfo().InheritsFrom(info));
}

// Forgets to override ClassInfo(): it would pass for a TSample, and its own
// property would be skipped by every walk over the published properties.
class TForgetful : public TSampleEx {
  public:
    int Own = 0;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(typeid(TForgetful), "TForgetful",
                                     &TSampleEx::StaticClassInfo(),
                                     {Published("Own", &TForgetful::Own, &TForgetful::Own)});
        return info;
    }
};

TEST(ClassInfoTest, AClassThatForgetsItsOverrideIsCaught) {
    TForgetful forgetful;
    EXPECT_EQ(forgetful.ClassName(), "TSampleEx");
    EXPECT_THROW(GetPropInfo(forgetful, "Width"), EClassInfoError);
    EXPECT_THROW(PublishedClassInfo(forgetful), EClassInfoError);
    TSampleEx described;
    EXPECT_EQ(&PublishedClassInfo(described), &TSampleEx::StaticClassInfo());
}

struct KindCase {
    const char* prop;
    TTypeKind kind;
    std::optional<std::int64_t> def;
};

class PropertyKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(PropertyKindTest, DeclaresKindAndDefault) {
    const TPropInfo* prop = TSample::StaticClassInfo().FindProperty(GetParam().prop);
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->Kind(), GetParam().kind);
    EXPECT_EQ(prop->Default, GetParam().def);
}

INSTANTIATE_TEST_SUITE_P(Table, PropertyKindTest,
                         testing::Values(KindCase{"Visible", TTypeKind::tkEnumeration, 1},
                                         KindCase{"Width", TTypeKind::tkInteger, 5},
                                         KindCase{"Caption", TTypeKind::tkString, std::nullopt},
                                         KindCase{"Ratio", TTypeKind::tkFloat, std::nullopt},
                                         KindCase{"Letter", TTypeKind::tkChar, 'a'},
                                         KindCase{"Big", TTypeKind::tkInt64, std::nullopt},
                                         KindCase{"Shade", TTypeKind::tkEnumeration, shMedium},
                                         KindCase{"Shades", TTypeKind::tkSet, 1},
                                         KindCase{"Lines", TTypeKind::tkClass, std::nullopt}),
                         [](const auto& info) { return info.param.prop; });

TEST(PropertyAccessTest, MisuseRaisesWithTheNames) {
    TSample s;
    EXPECT_THROW(GetPropInfo(s, "Nope"), EPropertyError);
    EXPECT_THROW(SetStrProp(s, GetPropInfo(s, "Width"), "x"), EPropertyError);
    EXPECT_THROW(SetStrProp(s, GetPropInfo(s, "ReadOnlyText"), "x"), EPropertyError);
    EXPECT_THROW(SetEnumProp(s, GetPropInfo(s, "Shade"), "shPurple"), EPropertyError);
    try {
        GetPropInfo(s, "Nope");
    } catch (const EPropertyError& e) {
        EXPECT_NE(std::string(e.what()).find("Nope"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("TSample"), std::string::npos);
    }
}

TEST(TypeInfoTest, IntegerRangesFollowTheCppType) {
    const TTypeInfo& word = detail::TypeInfoOf<unsigned short>();
    EXPECT_EQ(word.MinValue, 0);
    EXPECT_EQ(word.MaxValue, 65535);
    const TTypeInfo& integer = detail::TypeInfoOf<int>();
    EXPECT_EQ(integer.MinValue, INT32_MIN);
    EXPECT_EQ(integer.MaxValue, INT32_MAX);
    EXPECT_EQ(BooleanTypeInfo().ValueOf("true"), 1);
    EXPECT_EQ(BooleanTypeInfo().NameOf(2), "");
}

}  // namespace
}  // namespace nimbra
