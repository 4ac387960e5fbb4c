#include "utils/ConfigPropUtils.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "base/Collections.h"
#include "base/FormatSettings.h"
#include "base/Locale.h"
#include "base/StringList.h"
#include "support/SampleEnum.h"
#include "utils/RegIniFile.h"

namespace nimbra {
namespace {

using testing_support::shDark;
using testing_support::shLight;
using testing_support::shMedium;
using testing_support::TShade;
using testing_support::TShades;

class TDeeper : public TPersistent {
  public:
    int X = 0;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TDeeper", &TPersistent::StaticClassInfo(),
                                     {Published("X", &TDeeper::X, &TDeeper::X, 0)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TInner : public TPersistent {
  public:
    std::string Value;
    TDeeper* Deeper() const { return deeper_.get(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TInner", &TPersistent::StaticClassInfo(),
                                     {Published("Value", &TInner::Value, &TInner::Value),
                                      Published("Deeper", &TInner::Deeper, nullptr)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  private:
    std::unique_ptr<TDeeper> deeper_ = std::make_unique<TDeeper>();
};

class TPart : public TCollectionItem {
  public:
    using TCollectionItem::TCollectionItem;
    std::string Name;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TPart", &TCollectionItem::StaticClassInfo(),
                                     {Published("Name", &TPart::Name, &TPart::Name)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TTrack : public TCollectionItem {
  public:
    using TCollectionItem::TCollectionItem;
    std::string Title;
    int Rating = 3;
    TTypedCollection<TPart>* Parts() const { return parts_.get(); }
    void SetParts(TTypedCollection<TPart>* value) { parts_->Assign(*value); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TTrack", &TCollectionItem::StaticClassInfo(),
                                     {Published("Title", &TTrack::Title, &TTrack::Title),
                                      Published("Rating", &TTrack::Rating, &TTrack::Rating, 3),
                                      Published("Parts", &TTrack::Parts, &TTrack::SetParts)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  private:
    std::unique_ptr<TTypedCollection<TPart>> parts_ = std::make_unique<TTypedCollection<TPart>>();
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
            "TSample", &TPersistent::StaticClassInfo(),
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

// A storage bound to an in-memory INI file, the way the configuration
// manager binds it to the settings store.
class PropsStorageTest : public testing::Test {
  protected:
    std::unique_ptr<TPropsStorage> Storage(TPersistent& object, const std::string& prefix = "") {
        auto storage = std::make_unique<TPropsStorage>();
        storage->AObject = &object;
        storage->Section = "Options";
        storage->Prefix = prefix;
        storage->OnReadString = [this](TPropsStorage&, const std::string& s, const std::string& i,
                                       const std::string& d) { return ini.ReadString(s, i, d); };
        storage->OnWriteString = [this](TPropsStorage&, const std::string& s, const std::string& i,
                                        const std::string& v) { ini.WriteString(s, i, v); };
        storage->OnEraseSection = [this](TPropsStorage&, const std::string& s) {
            ini.EraseSection(s);
        };
        storage->OnDeleteKey = [this](TPropsStorage&, const std::string& s, const std::string& i) {
            ini.DeleteKey(s, i);
        };
        return storage;
    }
    void Store(TSample& sample, const std::string& prefix = "") {
        Storage(sample, prefix)->StoreProperties();
    }
    void Load(TSample& sample, const std::string& prefix = "") {
        Storage(sample, prefix)->LoadProperties();
    }
    std::string Stored(const std::string& ident, const std::string& section = "Options") {
        return ini.ReadString(section, ident, "<none>");
    }

    // The in-memory registry keeps values exactly as written, as the
    // program's store does.
    static std::unique_ptr<TRegistryStore> FreshStore() {
        static int counter = 0;
        return OpenMemRegistryStore("\\PropsStorageTest\\" + std::to_string(++counter));
    }
    TRegistryIniFile ini{FreshStore(), "test"};
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
    ini.WriteString("Options", GetParam().ident, "stale");
    GetParam().change(sample);
    Store(sample);
    EXPECT_EQ(Stored(GetParam().ident), GetParam().text ? GetParam().text : "<none>");
}

INSTANTIATE_TEST_SUITE_P(
    Table, PropsStorageKindTest,
    testing::Values(
        KindCase{"BooleanAtDefaultTrueIsDeleted", [](TSample&) {}, "Visible", nullptr},
        KindCase{"BooleanFalse", [](TSample& s) { s.Visible = false; }, "Visible", "False"},
        KindCase{"IntegerAtDefault", [](TSample&) {}, "Width", nullptr},
        KindCase{"Integer", [](TSample& s) { s.Width = -42; }, "Width", "-42"},
        KindCase{"IntegerWithoutDefaultAlwaysWritten", [](TSample&) {}, "Count", "0"},
        KindCase{"EmptyStringIsDeleted", [](TSample& s) { s.Caption.clear(); }, "Caption", nullptr},
        KindCase{"StringKeepsItsBlanks", [](TSample& s) { s.Caption = " a b "; }, "Caption",
                 " a b "},
        KindCase{"FloatZeroIsDeleted", [](TSample&) {}, "Ratio", nullptr},
        KindCase{"DoubleWithFifteenDigits", [](TSample& s) { s.Ratio = 1.0 / 3.0; }, "Ratio",
                 "0.333333333333333"},
        KindCase{"SingleWithSevenDigits", [](TSample& s) { s.Scale = 0.1f; }, "Scale", "0.1"},
        KindCase{"CharAtDefault", [](TSample&) {}, "Letter", nullptr},
        KindCase{"Char", [](TSample& s) { s.Letter = 'z'; }, "Letter", "z"},
        KindCase{"Int64Zero", [](TSample&) {}, "Big", nullptr},
        KindCase{"Int64", [](TSample& s) { s.Big = std::int64_t{1} << 40; }, "Big",
                 "1099511627776"},
        KindCase{"EnumAtDefault", [](TSample&) {}, "Shade", nullptr},
        KindCase{"Enum", [](TSample& s) { s.Shade = shDark; }, "Shade", "shDark"},
        KindCase{"SetAtDefault", [](TSample&) {}, "Shades", nullptr},
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

TEST_F(PropsStorageTest, LoadingMirrorsStoring) {
    TSample original;
    original.Visible = false;
    original.Width = 9;
    original.Caption = " spaced ";
    original.Ratio = -2.75;
    original.Scale = 1.5f;
    original.Letter = 'q';
    original.Big = -(std::int64_t{1} << 50);
    original.Shade = shLight;
    original.Shades = {shMedium, shDark};
    original.Inner()->Value = "inner";
    original.Inner()->Deeper()->X = 7;
    Store(original);

    TSample loaded;
    Load(loaded);
    EXPECT_FALSE(loaded.Visible);
    EXPECT_EQ(loaded.Width, 9);
    EXPECT_EQ(loaded.Caption, " spaced ");
    EXPECT_EQ(loaded.Ratio, -2.75);
    EXPECT_EQ(loaded.Scale, 1.5f);
    EXPECT_EQ(loaded.Letter, 'q');
    EXPECT_EQ(loaded.Big, -(std::int64_t{1} << 50));
    EXPECT_EQ(loaded.Shade, shLight);
    EXPECT_EQ(loaded.Shades, (TShades{shMedium, shDark}));
    EXPECT_EQ(loaded.Inner()->Value, "inner");
    EXPECT_EQ(loaded.Inner()->Deeper()->X, 7);
}

TEST_F(PropsStorageTest, MissingIdentsKeepTheConstructorsValues) {
    TSample emptied;
    emptied.Caption.clear();
    Store(emptied);
    EXPECT_EQ(Stored("Caption"), "<none>");
    TSample loaded;
    Load(loaded);
    EXPECT_EQ(loaded.Caption, "ctor");
    EXPECT_EQ(loaded.Width, 5);
    EXPECT_TRUE(loaded.Visible);
}

TEST_F(PropsStorageTest, TextIsReadByTheRulesOfEachKind) {
    ini.WriteString("Options", "Visible", "  false ");
    ini.WriteString("Options", "Shade", "SHDARK");
    ini.WriteString("Options", "Width", "abc");
    ini.WriteString("Options", "Shades", "[ shDark shMedium ]");
    ini.WriteString("Options", "Ratio", "2.5E3");
    ini.WriteString("Options", "Letter", "  xyz");
    TSample loaded;
    Load(loaded);
    EXPECT_FALSE(loaded.Visible);
    EXPECT_EQ(loaded.Shade, shDark);
    EXPECT_EQ(loaded.Width, 0);  // no number reads as 0
    EXPECT_EQ(loaded.Shades, (TShades{shMedium, shDark}));
    EXPECT_EQ(loaded.Ratio, 2500.0);
    EXPECT_EQ(loaded.Letter, 'x');
}

TEST_F(PropsStorageTest, AnUnreadableValueLeavesItsPropertyAndTheRestLoads) {
    ini.WriteString("Options", "Visible", "maybe");
    ini.WriteString("Options", "Shades", "[shDark,shPurple]");
    ini.WriteString("Options", "Big", "12x");
    ini.WriteString("Options", "Ratio", "1,5");
    ini.WriteString("Options", "Shade", "shDark");
    TSample loaded;
    Load(loaded);
    EXPECT_TRUE(loaded.Visible);
    EXPECT_EQ(loaded.Shades, TShades{shLight});
    EXPECT_EQ(loaded.Big, 0);
    EXPECT_EQ(loaded.Ratio, 0.0);
    EXPECT_EQ(loaded.Shade, shDark);
}

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
    sample.Inner()->Deeper()->X = 3;
    sample.Width = 1;
    Store(sample, "Cfg");
    EXPECT_EQ(Stored("Cfg.Width"), "1");
    EXPECT_EQ(Stored("CfgInner.Value"), "v");
    EXPECT_EQ(Stored("CfgInnerDeeper.X"), "3");
    TSample loaded;
    Load(loaded, "Cfg");
    EXPECT_EQ(loaded.Inner()->Deeper()->X, 3);
}

TEST_F(PropsStorageTest, StringListsLiveInASubSection) {
    TSample sample;
    sample.Lines()->SetCommaText("one,\"two words\",three");
    Store(sample);
    EXPECT_EQ(Stored("Count", "Options.Lines"), "3");
    EXPECT_EQ(Stored("Item1", "Options.Lines"), "two words");

    sample.Lines()->SetCommaText("only");
    Store(sample);
    EXPECT_EQ(Stored("Item1", "Options.Lines"), "<none>");  // the section was erased first
    TSample loaded;
    loaded.Lines()->Add("stale");
    Load(loaded);
    EXPECT_EQ(loaded.Lines()->ToVector(), (std::vector<std::string>{"only"}));

    sample.Lines()->Clear();
    Store(sample);
    EXPECT_EQ(Stored("Count", "Options.Lines"), "<none>");
    Load(loaded);
    EXPECT_EQ(loaded.Lines()->Count(), 0);
}

void AddTrack(TSample& sample, const std::string& title, int rating,
              std::vector<std::string> parts) {
    TTrack* track = sample.Tracks()->Add();
    track->Title = title;
    track->Rating = rating;
    for (const std::string& part : parts)
        track->Parts()->Add()->Name = part;
}

TEST_F(PropsStorageTest, CollectionsUseTwoDotItemIdents) {
    TSample sample;
    AddTrack(sample, "Intro", 3, {"a", "b"});
    AddTrack(sample, "Outro", 5, {});
    Store(sample);
    EXPECT_EQ(Stored("Tracks.Count"), "2");
    EXPECT_EQ(Stored("Item0..Title", "Options.Tracks"), "Intro");
    EXPECT_EQ(Stored("Item0..Rating", "Options.Tracks"), "<none>");  // the default
    EXPECT_EQ(Stored("Item1..Rating", "Options.Tracks"), "5");
    EXPECT_EQ(Stored("Item0.Parts.Count", "Options.Tracks"), "2");
    EXPECT_EQ(Stored("Item1.Parts.Count", "Options.Tracks"), "0");
    EXPECT_EQ(Stored("Item1..Name", "Options.Tracks.Item0.Parts"), "b");
}

TEST_F(PropsStorageTest, CollectionsRoundTripReplacingWhatWasThere) {
    TSample sample;
    AddTrack(sample, "Intro", 3, {"a", "b"});
    AddTrack(sample, "Outro", 1, {"c"});
    Store(sample);

    TSample loaded;
    AddTrack(loaded, "Stale", 2, {"x", "y", "z"});
    Load(loaded);
    ASSERT_EQ(loaded.Tracks()->Count(), 2);
    EXPECT_EQ(loaded.Tracks()->Items(0)->Title, "Intro");
    EXPECT_EQ(loaded.Tracks()->Items(0)->Rating, 3);
    ASSERT_EQ(loaded.Tracks()->Items(0)->Parts()->Count(), 2);
    EXPECT_EQ(loaded.Tracks()->Items(0)->Parts()->Items(1)->Name, "b");
    EXPECT_EQ(loaded.Tracks()->Items(1)->Rating, 1);
    EXPECT_EQ(loaded.Tracks()->Items(1)->Parts()->Items(0)->Name, "c");
}

struct CountCase {
    const char* name;
    const char* count;
};

class PropsStorageDamagedCountTest : public PropsStorageTest,
                                     public testing::WithParamInterface<CountCase> {};

TEST_P(PropsStorageDamagedCountTest, LeavesTheCollectionAsItWas) {
    if (GetParam().count != nullptr)
        ini.WriteString("Options", "Tracks.Count", GetParam().count);
    TSample loaded;
    AddTrack(loaded, "Kept", 3, {});
    Load(loaded);
    ASSERT_EQ(loaded.Tracks()->Count(), 1);
    EXPECT_EQ(loaded.Tracks()->Items(0)->Title, "Kept");
}

INSTANTIATE_TEST_SUITE_P(Table, PropsStorageDamagedCountTest,
                         testing::Values(CountCase{"Missing", nullptr}, CountCase{"Negative", "-1"},
                                         CountCase{"Text", "many"}, CountCase{"Huge", "2000000000"},
                                         CountCase{"Overflow", "99999999999999"}),
                         [](const auto& info) { return info.param.name; });

// ---- component references ------------------------------------------------------

class TButton : public TComponent {
  public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TButton", &TComponent::StaticClassInfo());
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TDataModuleX : public TComponent {
  public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TDataModuleX", &TComponent::StaticClassInfo());
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TLinked : public TPersistent {
  public:
    TButton* Button = nullptr;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TLinked", &TPersistent::StaticClassInfo(),
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
            return SameText(name, "DataModuleX") ? &module : nullptr;
        };
        return storage;
    }

    TComponent form{nullptr};
    TComponent other{nullptr};
    TDataModuleX module{nullptr};
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
                 {unnamedOwned, "DataModuleX.ModuleButton"}};
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
                 {"DataModuleX.ModuleButton", own, unnamedOwned},
                 {"(NULL)", own, nullptr},
                 {"NoSuchButton", own, own},
                 {"NoSuchForm.OwnButton", own, own},
                 {"PlainComponent", own, own}};  // not a button
    for (const auto& c : cases) {
        ini.EraseSection("Options");
        ini.WriteString("Options", "Button", c.text);
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
    EXPECT_EQ(storage.GetItemName("Name"), "Name");
    storage.Prefix = "Item0.";
    EXPECT_EQ(storage.GetItemName("Name"), "Item0..Name");
}

TEST(PropInfoListTest, ListsWhatCanBeLoadedAgain) {
    TSample sample;
    const TPropInfoList list(sample);
    EXPECT_EQ(list.Find("ReadOnly"), nullptr);
    EXPECT_NE(list.Find("lines"), nullptr);
    EXPECT_NE(list.Find("Visible"), nullptr);
    EXPECT_EQ(list.Count(), static_cast<int>(sample.ClassInfo().Properties().size()) - 1);
}

}  // namespace
}  // namespace nimbra
