// The date filter: its state, its stored keys, its actions and menus.
#include <algorithm>

#include "search/fmCustomRecentPeriod.h"
#include "search/frNimbra.h"
#include "utils/ConfigUtils.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

namespace {

constexpr char kRecentSection[] = "Nimbra\\Recent";
constexpr int kMaxPeriodValue = 100;

std::string CustomCaption(int value, TRecentPeriod unit) {
    std::string caption = GetLocalizedString(CodeText("Nimbra", "CustomPeriod"));
    if (const std::size_t at = caption.find("%s"); at != std::string::npos)
        caption.replace(at, 2, PeriodText(value, unit));
    return caption;
}

}  // namespace

void TNimbraFrame::CreateRecentActions() {
    RecentOnly = MakeAction(
        "RecentOnly", "&Recent only",
        "Display recently added/modified items only|Display recently added/modified items only.", 0,
        1);
    RecentOnly->OnExecute = [this](TObject&) {
        recentActive_ = !recentActive_;
        SaveRecent();
    };
    RecentOnly->OnUpdate = [this](TObject&) { RecentOnly->SetChecked(recentActive_); };

    const struct {
        TAction** Action;
        const char* Name;
        const char* Caption;
        const char* Hint;
        TRecentPeriod Unit;
    } periods[] = {
        {&RecentLastDay, "RecentLastDay", "This &day", "Show items modified this day only.", rpDay},
        {&RecentLastWeek, "RecentLastWeek", "This &week", "Show items modified this week only.",
         rpWeek},
        {&RecentLastMonth, "RecentLastMonth", "This &month", "Show items modified this month only.",
         rpMonth},
        {&RecentLastYear, "RecentLastYear", "This &year", "Show items modified this year only.",
         rpYear},
    };
    for (const auto& p : periods) {
        *p.Action = MakeAction(p.Name, p.Caption, p.Hint, 0, -1);
        const TRecentPeriod unit = p.Unit;
        (*p.Action)->OnExecute = [this, unit](TObject&) { SetRecent(1, unit, false); };
    }
    RecentCustom = MakeAction("RecentCustom", "&Custom ()",
                              "Show items modified during the custom period only.", 0, -1);
    RecentCustom->OnExecute = [this](TObject&) {
        SetRecent(customPeriodValue_, customPeriod_, true);
    };
    RecentCustom->OnUpdate = [this](TObject&) { RecentCustomUpdate(); };
    RecentCustomSelect = MakeAction("RecentCustomSelect", "&Select custom period...",
                                    "Select custom period to filter the search results.", 0, -1);
    RecentCustomSelect->OnExecute = [this](TObject&) { RecentCustomSelectExecute(); };
    RecentAll = MakeAction("RecentAll", "&All", "Show all items.", 0, -1);
    RecentAll->OnExecute = [this](TObject&) { SetRecent(0, period_, useCustom_); };
}

// The three menus of the filter share this order.
void TNimbraFrame::FillRecentMenu(TMenuItem& item) {
    for (TAction* action : {RecentLastDay, RecentLastWeek, RecentLastMonth, RecentLastYear,
                            static_cast<TAction*>(nullptr), RecentCustom, RecentCustomSelect,
                            static_cast<TAction*>(nullptr), RecentAll}) {
        auto* sub = new TMenuItem(nullptr);
        if (action != nullptr)
            sub->SetAction(action);
        else
            sub->SetCaption("-");
        item.Add(sub);
    }
}

void TNimbraFrame::SetRecent(int value, TRecentPeriod unit, bool rolling) {
    if (value != 0) {
        periodValue_ = value;
        period_ = unit;
        recentActive_ = true;
        useCustom_ = rolling;
    } else {
        recentActive_ = false;
    }
    SaveRecent();
}

void TNimbraFrame::SaveRecent() {
    RefreshResults(false);
    TAppIni& ini = AppIni();
    ini.WriteEnum(kRecentSection, "Period", period_);
    ini.WriteInteger(kRecentSection, "PeriodValue", periodValue_);
    ini.WriteEnum(kRecentSection, "CustomPeriod", customPeriod_);
    ini.WriteInteger(kRecentSection, "CustomPeriodValue", customPeriodValue_);
    ini.WriteBool(kRecentSection, "HasCustom", hasCustom_);
    ini.WriteBool(kRecentSection, "UseCustom", useCustom_);
    ini.WriteBool(kRecentSection, "Active", recentActive_);
    UpdateRecentMarks();
}

void TNimbraFrame::LoadRecent() {
    TAppIni& ini = AppIni();
    period_ = ini.ReadEnum(kRecentSection, "Period", rpDay);
    periodValue_ = ini.ReadInteger(kRecentSection, "PeriodValue", 1);
    customPeriod_ = ini.ReadEnum(kRecentSection, "CustomPeriod", rpDay);
    // The dialog allows 1 to 100; a damaged value must not reach the dates.
    periodValue_ = std::clamp(periodValue_, 1, kMaxPeriodValue);
    customPeriodValue_ =
        std::clamp(ini.ReadInteger(kRecentSection, "CustomPeriodValue", 1), 1, kMaxPeriodValue);
    hasCustom_ = ini.ReadBool(kRecentSection, "HasCustom", false);
    useCustom_ = ini.ReadBool(kRecentSection, "UseCustom", false);
    recentActive_ = ini.ReadBool(kRecentSection, "Active", false);
    UpdateRecentMarks();
}

void TNimbraFrame::UpdateRecentMarks() {
    RecentAll->SetChecked(!recentActive_);
    const std::pair<TAction*, TRecentPeriod> periods[] = {{RecentLastDay, rpDay},
                                                          {RecentLastWeek, rpWeek},
                                                          {RecentLastMonth, rpMonth},
                                                          {RecentLastYear, rpYear}};
    for (const auto& [action, unit] : periods)
        action->SetChecked(recentActive_ && !useCustom_ && period_ == unit && periodValue_ == 1);
    RecentCustom->SetChecked(recentActive_ && useCustom_);
    SetWatchWrites(recentActive_);
}

void TNimbraFrame::RecentCustomUpdate() {
    RecentCustom->SetVisible(hasCustom_);
    if (hasCustom_)
        RecentCustom->SetCaption(CustomCaption(customPeriodValue_, customPeriod_));
}

void TNimbraFrame::RecentCustomSelectExecute() {
    if (!TRecentPeriodDialog::Execute(customPeriodValue_, customPeriod_))
        return;
    hasCustom_ = true;
    SetRecent(customPeriodValue_, customPeriod_, true);
}

}  // namespace nimbra
