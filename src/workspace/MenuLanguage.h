// Menu texts in the current language, applied to the toolkit-free menu model.
#pragma once

#include "workspace/MenuModel.h"

#include <cstdint>
#include <string>

namespace orv {

// Rewrites the main menu's texts in the current language: the bar's popups
// by position, and the listed commands inside their popups (nested popups
// included). Every other entry keeps its text.
void RebuildMenuTexts(CMenuModel& menu);

// The language rule at start: German keeps the resource texts, English and
// French rewrite them.
void ApplyStartLanguage(CMenuModel& menu, int langId);

// The main window's title in the current language (UTF-8).
std::string MakeFrameTitle(const std::string& prjPath, uint32_t stateFlags);

} // namespace orv
