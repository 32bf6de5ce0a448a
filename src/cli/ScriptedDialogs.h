#pragma once
// The dialogs the scripted commands open, built with their opening values for every receiver
// software generation, so that the --set values are checked against them before a run starts.
#include <string>
#include <vector>

#include "app/DialogSettings.h"
#include "cli/CommandScript.h"
#include "platform/Profile.h"

namespace kestrion::cli {

// Why the settings do not fit the commands' dialogs, in one line ("--set X names no control
// of ..." or "--set X=Y: <dialog> <label>: <problem>"); empty when every setting names a
// control of one of them and one of the controls it names takes its value.
std::string SettingsMisfit(const std::vector<ScriptedCommand>& commands, const std::vector<DialogSetting>& settings,
                           const CProfile& profile);

}  // namespace kestrion::cli
