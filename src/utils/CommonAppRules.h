#pragma once

// The behaviour switches of the program's main window and the rules it
// keeps in the settings: which balloons may show and when to ask about new
// versions.
#include <climits>
#include <string>

#include "base/Set.h"
#include "base/TypInfo.h"

namespace nimbra {

class TAppIni;

// The ordinal is the bit of the set and the name the value under which a
// single balloon is switched off.
enum TCommonAppProp {
    caSingleWindow,
    caTrayIcon,
    caMinimizeOnClose,
    caAnimateMinimize,
    caAnimateRestore,
    caHideFromTaskbarOnMinimize,
    caShowIntro,
    caMinimizeOnTaskbarClose,
    caTrayPopup,
    caAppOpenShortcut,
    caBalloonOnHideFromTaskbar,
    caBalloonOnTrayRun,
    caBalloonOnInstanceLaunch,
    caAskForUpdate,
    caMinimizeWorkingSetSizeInTray,
    caTipOfTheDay,
    caDisableTrayPopupIfForms,
    caTrayIconOptional,
};
const TTypeInfo& EnumTypeInfo(TCommonAppProp);
using TCommonAppProps = Set<TCommonAppProp>;

// A reusable application window starts with every switch but the tray menu,
// the hotkey and the optional icon; the program's window adds the first two.
TCommonAppProps CommonAppFormDefaultProps();
TCommonAppProps NimbraAppDefaultProps();
// The balloons menu command shows when any balloon may be shown.
bool HasBalloonProps(TCommonAppProps props);

// "Options\Balloons": "Enabled" for all balloons, and one value per balloon
// named after its switch; all default to true.
inline constexpr const char* kBalloonsSection = "Options\\Balloons";
bool BalloonsEnabled(TAppIni& ini);
void SetBalloonsEnabled(TAppIni& ini, bool enabled);
// Whether the balloon of the switch with ordinal `code` may show.
bool BalloonAllowed(TAppIni& ini, int code);

// "Update": "Never" and "NextCheck" (a day number, 2147483647 when never
// written). The first call plants the next date `periodDays` ahead and
// answers false; a call on or after that date plants the next one and
// answers true. "Never" answers false and writes nothing.
inline constexpr const char* kUpdateSection = "Update";
inline constexpr int kNoCheckDate = INT_MAX;
bool UpdateCheckDue(TAppIni& ini, int today, int periodDays);
void NeverAskForUpdate(TAppIni& ini);

// "Config" "IntroShown": whether the intro help was shown once; the first
// call answers true and remembers it.
bool TakeFirstShow(TAppIni& ini);
// "Options" "ShowTipsOfTheDay", default true.
bool TipsOfTheDayEnabled(TAppIni& ini);
void SetTipsOfTheDayEnabled(TAppIni& ini, bool enabled);

}  // namespace nimbra
