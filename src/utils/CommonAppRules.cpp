#include "utils/CommonAppRules.h"

#include "utils/ConfigUtils.h"

namespace nimbra {

const TTypeInfo& EnumTypeInfo(TCommonAppProp) {
    static const TTypeInfo info = MakeEnumTypeInfo(
        "TCommonAppProp",
        {"caSingleWindow", "caTrayIcon", "caMinimizeOnClose", "caAnimateMinimize",
         "caAnimateRestore", "caHideFromTaskbarOnMinimize", "caShowIntro",
         "caMinimizeOnTaskbarClose", "caTrayPopup", "caAppOpenShortcut",
         "caBalloonOnHideFromTaskbar", "caBalloonOnTrayRun", "caBalloonOnInstanceLaunch",
         "caAskForUpdate", "caMinimizeWorkingSetSizeInTray", "caTipOfTheDay",
         "caDisableTrayPopupIfForms", "caTrayIconOptional"});
    return info;
}

TCommonAppProps CommonAppFormDefaultProps() {
    TCommonAppProps props;
    for (int p = caSingleWindow; p <= caTrayIconOptional; ++p)
        props.Include(static_cast<TCommonAppProp>(p));
    props.Exclude(caTrayPopup);
    props.Exclude(caAppOpenShortcut);
    props.Exclude(caTrayIconOptional);
    return props;
}

TCommonAppProps NimbraAppDefaultProps() {
    TCommonAppProps props = CommonAppFormDefaultProps();
    props.Include(caTrayPopup);
    props.Include(caAppOpenShortcut);
    return props;
}

bool HasBalloonProps(TCommonAppProps props) {
    return props.Contains(caBalloonOnHideFromTaskbar) || props.Contains(caBalloonOnTrayRun) ||
           props.Contains(caBalloonOnInstanceLaunch);
}

bool BalloonsEnabled(TAppIni& ini) {
    return ini.ReadBool(kBalloonsSection, "Enabled", true);
}

void SetBalloonsEnabled(TAppIni& ini, bool enabled) {
    ini.WriteBool(kBalloonsSection, "Enabled", enabled);
}

bool BalloonAllowed(TAppIni& ini, int code) {
    const std::string_view name = EnumTypeInfo(TCommonAppProp{}).NameOf(code);
    if (name.empty())
        return false;
    return BalloonsEnabled(ini) && ini.ReadBool(kBalloonsSection, std::string(name), true);
}

bool UpdateCheckDue(TAppIni& ini, int today, int periodDays) {
    if (ini.ReadBool(kUpdateSection, "Never", false))
        return false;
    const int next = ini.ReadInteger(kUpdateSection, "NextCheck", kNoCheckDate);
    const bool due = next != kNoCheckDate && next <= today;
    if (next == kNoCheckDate || due)
        ini.WriteInteger(kUpdateSection, "NextCheck", today + periodDays);
    return due;
}

void NeverAskForUpdate(TAppIni& ini) {
    ini.WriteBool(kUpdateSection, "Never", true);
}

bool TakeFirstShow(TAppIni& ini) {
    if (ini.ReadBool("Config", "IntroShown", false))
        return false;
    ini.WriteBool("Config", "IntroShown", true);
    return true;
}

bool TipsOfTheDayEnabled(TAppIni& ini) {
    return ini.ReadBool("Options", "ShowTipsOfTheDay", true);
}

void SetTipsOfTheDayEnabled(TAppIni& ini, bool enabled) {
    ini.WriteBool("Options", "ShowTipsOfTheDay", enabled);
}

}  // namespace nimbra
