// The set-up a benchmark of the program's own windows needs: the module for
// the framework, the shadow's window class, and the program's built skins
// (TREVAND_APP_DIR, the folder the build puts Trevand.exe and its skin in).
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"

namespace bench {

inline void UseProgramSkins() {
    Vellum::CUIManager::SetInstance(::GetModuleHandleA(nullptr));
    Vellum::CShadowUI::Initialize(::GetModuleHandleA(nullptr));
    std::string skins = "Z:" TREVAND_APP_DIR "/skin";
    std::replace(skins.begin(), skins.end(), '/', '\\');
    Vellum::CUIManager::SetSkinPath(skins.c_str());
}

}  // namespace bench
