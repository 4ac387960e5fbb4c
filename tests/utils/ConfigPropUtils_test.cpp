#include "utils/ConfigPropUtils.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "base/Collections.h"
#include "base/FormatSettings.h"
#include "base/Locale.h"
#include "base/StringList.h"
#include "support/SampleEnum.h"
#include "support/TestAppKey.h"
#include "utils/CfgUtils.h"
#include "utils/ConfigFunUtils.h"
#include "utils/ConfigUtils.h"

namespace nimbra {
namespace {

using testing_support::shDark;
using testing_support::shLight;
using testing_support::shMedium;
using testing_support::TShade;
using testing_support::TShades;

class TInner : public TPersistent {
  public:
    std::string Value;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(typeid(TInner), "TInner", &TPersistent::StaticClassInfo(),
                                     {Published("Value", &TInner::Value, &TInner::Value)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TTrack : public TCollectionItem {
  public:
    using TCollectionItem::TCollectionItem;
    std::string Title;
    int Rating = 3;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(typeid(TTrack), "TTrack", &TCollectionItem::StaticClassInfo(),
                                     {Published("Title", &TTrack::Title, &TTrack::Title),
                                      Published("Rating", &TTrack::Rating, &TTrack::Rating, 3)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TSample : public TPersistent {
  public:
    bool Visible = true;
    int Width = 5;
    int Count = 0;  // declared without a default
    std::string Caption = "ctor";
    double Ratio = 0;
    float Scale = 0;
    char Letter = 'a';
    std::int64_t Big = 0;
    TShade Shade = shMedium;
    TShades Shades{shLight};
    bool Secret = false;
    std::string Hidden;
    std::string ReadOnly() const { return "fixed"; }
    bool IsHiddenStored() const { return !Secret; }
    TStringList* Lines() const { return lines_.get(); }
    TInner* Inner() const { return inner_.get(); }
    TTypedCollection<TTrack>* Tracks() const { return tracks_.get(); }
    TComponent* Link = nullptr;
    TPersistent* Nothing = nullptr;

    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(
            typeid(TSample), "TSample", &TPersistent::StaticClassInfo(),
            {Published("Visible", &TSample::Visible, &TSample::Visible, true),
             Published("Width", &TSample::Width, &TSample::Width, 5),
             Published("Count", &TSample::Count, &TSample::Count),
             Published("Caption", &TSample::Caption, &TSample::Caption),
             Published("Ratio", &TSample::Ratio, &TSample::Ratio),
             Published("Scale", &TSample::Scale, &TSample::Scale),
             Published("Letter", &TSample::Letter, &TSample::Letter, 'a'),
             Published("Big", &TSample::Big, &TSample::Big),
             Published("Shade", &TSample::Shade, &TSample::Shade, shMedium),
             Published("Shades", &TSample::Shades, &TSample::Shades, TShades{shLight}),
             Published("Secret", &TSample::Secret, &TSample::Secret, false),
             Published("Hidden", &TSample::Hidden, &TSample::Hidden, {}, &TSample::IsHiddenStored),
             Published("ReadOnly", &TSample::ReadOnly, nullptr),
             Published("Lines", &TSample::Lines, nullptr),
             Published("Inner", &TSample::Inner, nullptr),
             Published("Tracks", &TSample::Tracks, nullptr),
             Published("Link", &TSample::Link, &TSample::Link),
             Published("Nothing", &TSample::Nothing, &TSample::Nothing)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  private:
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    std::unique_ptr<TInner> inner_ = std::make_unique<TInner>();
    std::unique_ptr<TTypedCollection<TTrack>> tracks_ =
        std::make_unique<TTypedCollection<TTrack>>();
};

// A storage bound to the settings store, as the configuration manager binds
// it, on a test key of its own.
class PropsStorageTest : public testing::Test {
  protected:
    std::unique_ptr<TPropsStorage> Storage(TPersistent& object, const std::string& prefix = "") {
        auto storage = std::make_unique<TPropsStorage>();
        storage->AObject = &object;
        storage->Section = "Options";
        storage->Prefix = prefix;
        BindToAppIni(*storage);
        return storage;
    }
    void Store(TSample& sample, const std::string& prefix = "") {
        Storage(sample, prefix)->StoreProperties();
    }
    void Load(TSample& sample, const std::string& prefix = "") {
        Storage(sample, prefix)->LoadProperties();
    }
    static void Write(const std::string& ident, const std::string& value) {
        AppIni().WriteString("Options", ident, value);
    }
    static std::string Stored(const std::string& ident, const std::string& section = "Options") {
        return AppIni().ReadString(section, ident, "<none>");
    }
    testing_support::GlobalAppIniOverride store;
};

struct KindCase {
    const char* name;
    std::function<void(TSample&)> change;
    const char* ident;
    const char* text;  // nullptr: the ident must be absent
};

class PropsStorageKindTest : public PropsStorageTest,
                             public testing::WithParamInterface<KindCase> {};

TEST_P(PropsStorageKindTest, WritesTheTextOnlyWhenItDiffersFromTheDefault) {
    TSample sample;
    Write(GetParam().ident, "stale");
    GetParam().change(sample);
    Store(sample);
    EXPECT_EQ(Stored(GetParam().ident), GetParam().text ? GetParam().text : "<none>");
}

INSTANTIATE_TEST_SUITE_P(
    Table, PropsStorageKindTest,
    testing::Values(
        KindCase{"BooleanAtDefaultTrueIsDeleted", [](TSample&) {}, "Visible", nullptr},
        KindCase{"BooleanFalse", [](TSample& s) { s.Visible = false; }, "Visible", "False"},
        KindCase{"Integer", [](TSample& s) { s.Width = -42; }, "Width", "-42"},
        KindCase{"IntegerWithoutDefaultAlwaysWritten", [](TSample&) {}, "Count", "0"},
        KindCase{"EmptyStringIsDeleted", [](TSample& s) { s.Caption.clear(); }, "Caption", nullptr},
        KindCase{"StringKeepsItsBlanks", [](TSample& s) { s.Caption = " a b "; }, "Caption",
                 " a b "},
        KindCase{"FloatZeroIsDeleted", [](TSample&) {}, "Ratio", nullptr},
        KindCase{"DoubleWithFifteenDigits", [](TSample& s) { s.Ratio = 1.0 / 3.0; }, "Ratio",
                 "0.333333333333333"},
        KindCase{"SingleWithSevenDigits", [](TSample& s) { s.Scale = 0.1f; }, "Scale", "0.1"},
        KindCase{"Char", [](TSample& s) { s.Letter = 'z'; }, "Letter", "z"},
        KindCase{"Int64Zero", [](TSample&) {}, "Big", nullptr},
        KindCase{"Int64", [](TSample& s) { s.Big = std::int64_t{1} << 40; }, "Big",
                 "1099511627776"},
        KindCase{"Enum", [](TSample& s) { s.Shade = shDark; }, "Shade", "shDark"},
        KindCase{"SetOfTwo",
                 [](TSample& s) {
                     s.Shades = {shDark, shLight};
                 },
                 "Shades", "[shLight,shDark]"},
        KindCase{"EmptySet", [](TSample& s) { s.Shades = {}; }, "Shades", "[]"},
        KindCase{"NotStoredIsDeleted",
                 [](TSample& s) {
                     s.Hidden = "x";
                     s.Secret = true;
                 },
                 "Hidden", nullptr},
        KindCase{"StoredWhenThePredicateSaysSo", [](TSample& s) { s.Hidden = "x"; }, "Hidden", "x"},
        KindCase{"ReadOnlyIsLeftAlone", [](TSample&) {}, "ReadOnly", "stale"},
        KindCase{"NoComponentIsNull", [](TSample&) {}, "Link", "(null)"},
        KindCase{"NoObjectIsLeftAlone", [](TSample&) {}, "Nothing", "stale"}),
    [](const auto& info) { return info.param.name; });

// The property as text, to compare what loading left in it.
std::string PropText(const TSample& sample, const std::string& name) {
    const TPropInfo& prop = GetPropInfo(sample, name);
    switch (prop.Kind()) {
        case TTypeKind::tkFloat:
            return FloatToStrG(GetFloatProp(sample, prop), 15, '.');
        case TTypeKind::tkString:
            return GetStrProp(sample, prop);
        case TTypeKind::tkEnumeration:
            return GetEnumProp(sample, prop);
        case TTypeKind::tkSet:
            return SetToString(*prop.PropType, GetOrdProp(sample, prop));
        case TTypeKind::tkChar:
            return std::string(1, static_cast<char>(GetOrdProp(sample, prop)));
        case TTypeKind::tkClass:
            return std::to_string(sample.Tracks()->Count());
        default:
            return std::to_string(GetOrdProp(sample, prop));
    }
}

struct LoadCase {
    const char* name;
    std::string ident;                  // of the property named before any "."
    std::optional<std::string> stored;  // nullopt: no value at all
    std::string loaded;
};

class PropsStorageLoadTest : public PropsStorageTest,
                             public testing::WithParamInterface<LoadCase> {};

// Loading starts from the constructor's values and one track; a value
// that cannot be read leaves its property alone and the rest still loads.
TEST_P(PropsStorageLoadTest, StoredTextGivesTheValue) {
    if (GetParam().stored)
        Write(GetParam().ident, *GetParam().stored);
    Write("Hidden", "loaded after");
    TSample sample;
    sample.Tracks()->Add();
    Load(sample);
    const std::string& ident = GetParam().ident;
    EXPECT_EQ(PropText(sample, ident.substr(0, ident.find('.'))), GetParam().loaded);
    EXPECT_EQ(sample.Hidden, "loaded after");
}

INSTANTIATE_TEST_SUITE_P(
    Table, PropsStorageLoadTest,
    testing::Values(LoadCase{"MissingKeepsTheConstructorsValue", "Caption", std::nullopt, "ctor"},
                    LoadCase{"EmptyStringIsAValue", "Caption", "", ""},
                    LoadCase{"StringKeepsItsBlanks", "Caption", " a b ", " a b "},
                    LoadCase{"BooleanIgnoresCaseAndBlanks", "Visible", "  false ", "False"},
                    LoadCase{"BooleanNamingNeitherValue", "Visible", "maybe", "True"},
                    LoadCase{"EnumerationIgnoresCase", "Shade", "SHDARK", "shDark"},
                    LoadCase{"UnknownEnumerationName", "Shade", "shPurple", "shMedium"},
                    LoadCase{"Integer", "Width", "-42", "-42"},
                    LoadCase{"IntegerThatIsNoNumberIsZero", "Width", "abc", "0"},
                    LoadCase{"SetWithBlanksAndDisorder", "Shades", "[ shDark shMedium ]",
                             "[shMedium,shDark]"},
                    LoadCase{"SetWithAnUnknownName", "Shades", "[shDark,shPurple]", "[shLight]"},
                    LoadCase{"FloatWithExponent", "Ratio", "2.5E3", "2500"},
                    LoadCase{"FloatWithAComma", "Ratio", "1,5", "0"},
                    LoadCase{"CharIsTheFirstAfterBlanks", "Letter", "  xyz", "x"},
                    LoadCase{"Int64", "Big", "-1125899906842624", "-1125899906842624"},
                    LoadCase{"Int64ThatIsNoNumber", "Big", "12x", "0"},
                    LoadCase{"CollectionCountNegative", "Tracks.Count", "-1", "1"},
                    LoadCase{"CollectionCountText", "Tracks.Count", "many", "1"},
                    LoadCase{"CollectionCountHuge", "Tracks.Count", "2000000000", "1"},
                    LoadCase{"CollectionCountOverflow", "Tracks.Count", "99999999999999", "1"},
                    LoadCase{"CollectionOfNone", "Tracks.Count", "0", "0"}),
    [](const auto& info) { return info.param.name; });

TEST_F(PropsStorageTest, FloatsAreWrittenWithAPointWhateverTheLocale) {
    const TFormatSettings saved = FormatSettings();
    TFormatSettings german = saved;
    german.DecimalSeparator = ',';
    SetFormatSettings(german);
    TSample sample;
    sample.Ratio = 0.5;
    Store(sample);
    EXPECT_EQ(Stored("Ratio"), "0.5");
    TSample loaded;
    Load(loaded);
    SetFormatSettings(saved);
    EXPECT_EQ(loaded.Ratio, 0.5);
}

TEST_F(PropsStorageTest, NestedObjectsRunTheirPrefixesTogether) {
    TSample sample;
    sample.Inner()->Value = "v";
    sample.Width = 1;
    Store(sample, "Cfg");
    EXPECT_EQ(Stored("Cfg.Width"), "1");
    EXPECT_EQ(Stored("CfgInner.Value"), "v");
    TSample loaded;
    Load(loaded, "Cfg");
    EXPECT_EQ(loaded.Inner()->Value, "v");
}

TEST_F(PropsStorageTest, StringListsLiveInASubSectionErasedFirst) {
    TSample sample;
    sample.Lines()->SetCommaText("one,\"two words\",three");
    Store(sample);
    EXPECT_EQ(Stored("Item1", "Options.Lines"), "two words");
    sample.Lines()->SetCommaText("only");
    Store(sample);
    EXPECT_EQ(Stored("Item1", "Options.Lines"), "<none>");
    TSample loaded;
    loaded.Lines()->Add("stale");
    Load(loaded);
    EXPECT_EQ(loaded.Lines()->ToVector(), (std::vector<std::string>{"only"}));
    sample.Lines()->Clear();
    Store(sample);
    EXPECT_EQ(Stored("Count", "Options.Lines"), "<none>");
}

TEST_F(PropsStorageTest, CollectionsUseTwoDotIdentsAndRoundTripReplacingWhatWasThere) {
    TSample sample;
    sample.Tracks()->Add()->Title = "Intro";
    sample.Tracks()->Add()->Rating = 1;
    Store(sample);
    EXPECT_EQ(Stored("Tracks.Count"), "2");
    EXPECT_EQ(Stored("Item0..Title", "Options.Tracks"), "Intro");
    EXPECT_EQ(Stored("Item0..Rating", "Options.Tracks"), "<none>");  // the default
    EXPECT_EQ(Stored("Item1..Rating", "Options.Tracks"), "1");

    TSample loaded;
    loaded.Tracks()->Add()->Title = "Stale";
    loaded.Tracks()->Add();
    loaded.Tracks()->Add();
    Load(loaded);
    ASSERT_EQ(loaded.Tracks()->Count(), 2);
    EXPECT_EQ(loaded.Tracks()->Items(0)->Title, "Intro");
    EXPECT_EQ(loaded.Tracks()->Items(1)->Title, "");
    EXPECT_EQ(loaded.Tracks()->Items(1)->Rating, 1);
}

// A collection item class that forgot its ClassInfo() override: its own
// property would be skipped without a word.
class TForgetfulTrack : public TTrack {
  public:
    using TTrack::TTrack;
    std::string Extra;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(
            typeid(TForgetfulTrack), "TForgetfulTrack", &TTrack::StaticClassInfo(),
            {Published("Extra", &TForgetfulTrack::Extra, &TForgetfulTrack::Extra)});
        return info;
    }
};

class TForgetfulHolder : public TPersistent {
  public:
    TTypedCollection<TForgetfulTrack>* Parts() const { return parts_.get(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(typeid(TForgetfulHolder), "TForgetfulHolder",
                                     &TPersistent::StaticClassInfo(),
                                     {Published("Parts", &TForgetfulHolder::Parts, nullptr)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  private:
    std::unique_ptr<TTypedCollection<TForgetfulTrack>> parts_ =
        std::make_unique<TTypedCollection<TForgetfulTrack>>();
};

TEST_F(PropsStorageTest, AClassThatForgetsItsClassInfoOverrideIsCaught) {
    TForgetfulHolder holder;
    holder.Parts()->Add()->Extra = "lost";
    EXPECT_THROW(Storage(holder)->StoreProperties(), EClassInfoError);
    // Loading raises too, rather than taking it for an unreadable value.
    Write("Parts.Count", "1");
    EXPECT_THROW(Storage(holder)->LoadProperties(), EClassInfoError);
}

// ---- component references ------------------------------------------------------

class TButton : public TComponent {
  public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(typeid(TButton), "TButton", &TComponent::StaticClassInfo());
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TLinked : public TPersistent {
  public:
    TButton* Button = nullptr;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(typeid(TLinked), "TLinked", &TPersistent::StaticClassInfo(),
                                     {Published("Button", &TLinked::Button, &TLinked::Button)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class PropsStorageReferenceTest : public PropsStorageTest {
  protected:
    PropsStorageReferenceTest() {
        form.SetName("MainForm");
        other.SetName("OtherForm");
        own->SetName("OwnButton");
        foreign->SetName("ForeignButton");
        unnamedOwned->SetName("ModuleButton");
        plain->SetName("PlainComponent");
    }
    std::unique_ptr<TPropsStorage> Bound(TLinked& linked) {
        auto storage = Storage(linked);
        storage->Owner = &form;
        storage->FindGlobalComponent = [this](std::string_view name) -> TComponent* {
            if (SameText(name, "OtherForm"))
                return &other;
            return SameText(name, "Button") ? &module : nullptr;
        };
        return storage;
    }

    TComponent form{nullptr};
    TComponent other{nullptr};
    TButton module{nullptr};  // an owner without a name goes by its class
    TButton* own = new TButton(&form);
    TButton* foreign = new TButton(&other);
    TButton* unnamedOwned = new TButton(&module);
    TComponent* plain = new TComponent(&form);
};

TEST_F(PropsStorageReferenceTest, ReferencesAreWrittenByName) {
    TLinked linked;
    const struct {
        TButton* target;
        const char* text;
    } cases[] = {{nullptr, "(null)"},
                 {own, "OwnButton"},
                 {foreign, "OtherForm.ForeignButton"},
                 {unnamedOwned, "Button.ModuleButton"}};
    for (const auto& c : cases) {
        linked.Button = c.target;
        Bound(linked)->StoreProperties();
        EXPECT_EQ(Stored("Button"), c.text);
    }
}

TEST_F(PropsStorageReferenceTest, ReferencesAreResolvedOnLoad) {
    TLinked linked;
    const struct {
        const char* text;
        TButton* start;
        TButton* expected;
    } cases[] = {{"OwnButton", nullptr, own},
                 {"otherform.foreignbutton", nullptr, foreign},
                 {"Button.ModuleButton", own, unnamedOwned},
                 {"(NULL)", own, nullptr},
                 {"NoSuchButton", own, own},
                 {"NoSuchForm.OwnButton", own, own},
                 {"PlainComponent", own, own}};  // not a button
    for (const auto& c : cases) {
        AppIni().EraseSection("Options");
        Write("Button", c.text);
        linked.Button = c.start;
        Bound(linked)->LoadProperties();
        EXPECT_EQ(linked.Button, c.expected) << c.text;
    }
}

TEST(PropsStorageCallbackTest, UnsetCallbacksReadEmptyAndWriteNothing) {
    TSample sample;
    TPropsStorage storage;
    storage.AObject = &sample;
    EXPECT_NO_THROW(storage.StoreProperties());
    EXPECT_EQ(storage.ReadString("S", "x", "default"), "");
}

}  // namespace
}  // namespace nimbra
