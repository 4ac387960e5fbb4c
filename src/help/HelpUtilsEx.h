#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Classes.h"
#include "base/StringList.h"

namespace nimbra {

// How the help view shows rich text.
struct THelpRichTextSettings {
    int FontCharset = 1;
    std::string FontName = "Tahoma";
    int FontSize = 16;                                      // in half-points
    std::uint8_t TextRed = 0, TextGreen = 0, TextBlue = 0;  // the tooltip text colour
    bool ShowTitle = true;                                  // the first line as a bold title
    bool BigFirstLine = false;                              // the title twice the text size
    bool InsertEmptyLine = false;                           // an empty line before the text
    bool InsertLastEmptyLine = false;                       // an empty line after it
};

// All help of the program: lines of topics contributed by the help-text
// components of every window and data module, and the named values topic
// text refers to (">appname", ">homepage", ...).
//
// A topic is a header line "[" id "]", a title line, then body lines up to
// the next line beginning with "[". A title "!Other.Id" makes the topic an
// alias. Topic text is RTF with a few additions, which Expand and
// ToRichText resolve.
class THelpStore {
  public:
    int Count() const { return static_cast<int>(lines_.size()); }
    const std::string& Line(int index) const {
        return lines_.at(static_cast<std::size_t>(index)).text;
    }
    std::vector<std::string> Lines() const;

    // Replaces the lines a contributor gave before by `lines`, where the old
    // ones stood (at the end when it had none).
    void Merge(const void* contributor, const std::vector<std::string>& lines);
    void Remove(const void* contributor);

    // Appends "name=value"; the first of equal names (any case) counts.
    void AddValue(std::string_view name, std::string_view value);
    const TStringList& Values() const { return values_; }
    bool HasValue(std::string_view name) const { return values_.IndexOfName(name) >= 0; }

    // The first header "[id]" (case ignored), or -1.
    int FindTopic(std::string_view id) const;
    // Follows aliases from a header to the topic they stand for; -1 when the
    // chain ends at a missing topic or goes round in a circle.
    int ResolveTopic(int index) const;
    // The resolved topic's title and body lines, joined by CR LF.
    std::string TopicText(std::string_view id) const;
    // The resolved topic's title line, expanded; empty when there is none.
    std::string TopicTitle(int index) const;
    // The header without its brackets.
    std::string TopicId(int index) const;
    // The headers of the topics one level below the id, in store order.
    std::vector<int> Children(std::string_view id) const;
    // One "{\link id}" line per child, indented by depth - 1 "\tab"s; with
    // recursion each child's own children follow it one level deeper.
    std::string LinksToChildren(int index, bool recursive, int depth) const;

    // Resolves the markup of topic text: includes ("!id" at a line start,
    // ">!id"), conditions ("{?name text}"), named values (">name") and the
    // directives ">linkstochilds" and ">linkstochildsrecursive".
    // Self-referring includes and values end after a fixed number of steps.
    std::string Expand(std::string_view topicId, std::string text) const;

    // The tips of the day from the topic "App.Tips", one per "{\b" heading:
    // expanded RTF, or plain text without braces.
    std::vector<std::string> Tips() const;
    std::vector<std::string> PlainTips() const;

    // One RTF document of topic text; `topicId` completes relative links.
    std::string ToRichText(std::string_view topicId, std::string_view text,
                           const THelpRichTextSettings& settings) const;

    // Writes the lines (section "Help") and the named values (section
    // "Links") as numbered lists into an INI file; raises when the file
    // cannot be written, leaving an older dump whole.
    void Dump(const std::string& fileName) const;

  private:
    struct StoreLine {
        std::string text;
        const void* contributor;
    };
    std::vector<StoreLine> lines_;
    TStringList values_;
};

// The program's help, shared by every window.
THelpStore& HelpStore();

// The help-text component of a window or data module: contributes its
// AppHelp lines to the program's help while it lives, and finds the topic
// that explains a control or menu item.
class TContextHelpEx : public TComponent {
  public:
    explicit TContextHelpEx(TComponent* owner);
    ~TContextHelpEx() override;

    TStrings* AppHelp() const { return appHelp_.get(); }
    void SetAppHelp(TStrings* value);
    // F1 opens context help.
    bool ShowContextHelp() const { return showContextHelp_; }
    void SetShowContextHelp(bool value) { showContextHelp_ = value; }

    std::function<void(TContextHelpEx& sender)> OnHelp;
    // Asked for a topic when no control up from the focused one names one.
    std::function<std::string(TContextHelpEx& sender, const TComponent* control)> OnNeedContext;
    // Asked for a topic when neither the menu item nor its menu names one.
    std::function<std::string(TContextHelpEx& sender, const TComponent* item)>
        OnNeedMenuItemContext;

    // Puts the current AppHelp lines into the store in place of the old.
    void MergeHelp();
    // Within AppHelp: the header oldHeader becomes newHeader; an existing
    // newHeader is first renamed "[Removed: ...]".
    void ReplaceTopicHeader(const std::string& oldHeader, const std::string& newHeader);

    // The topic for the focused control: only a topic beginning with "!App"
    // counts; failing that, OnNeedContext, then the owner's topic.
    std::string FocusedTopicOf(const TComponent* control);
    // The topic of a menu item: the first "!" hint from the item up through
    // its parent items, else the menu's HelpContextEx, else
    // OnNeedMenuItemContext.
    std::string MenuItemTopicOf(const TComponent& item, const TComponent* menu);

    void Loaded() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::unique_ptr<TStringList> appHelp_;
    bool showContextHelp_ = true;
};

// The topic a control's help key names: from the control up through its
// parents, the first hint that is not empty and does not begin with "|";
// its long part (after "|"). A parent's hint may hold a section
// "[ControlName]" for the control the lookup started from. "!App" when no
// control has a hint.
//
// What it needs of components, found by name among the published
// properties: a string "Hint", and for controls a class property "Parent"
// (components without one are followed through their owner); menus publish
// a string "HelpContextEx".
std::string ContextTopicOf(const TComponent* control);

inline constexpr std::string_view kRootTopic = "!App";

// The program's help viewer, installed at start-up. ShowHelp opens it at a
// help key ("!App.Keyboard"); without a viewer (tests, tools) it answers
// false.
using THelpViewer = std::function<bool(const std::string& key)>;
void SetHelpViewer(THelpViewer viewer);
bool HasHelpViewer();
bool ShowHelp(const std::string& key);

// The window message, registered under this name, that a help-text
// component posts to its form to open help on a menu item after the menu
// has closed.
inline constexpr std::string_view kOpenContextMessageName =
    "{E0050ACF-FF3F-43E7-8669-706AC8DDE923}.HelpUtilsEx.CM_OPENCONTEXT";

}  // namespace nimbra
