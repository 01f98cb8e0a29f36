#include "UI/Window/NotifyPump.h"

#include <cstring>

#include "UI/Core/ControlUI.h"

namespace Vellum {

const NotifyMapEntry CNotifyPump::_notifyEntries[] = {{nullptr, nullptr, kNotifySigEnd, nullptr, nullptr}};
const NotifyMap CNotifyPump::notifyMap = {nullptr, &CNotifyPump::_notifyEntries[0]};

const NotifyMap* CNotifyPump::GetThisNotifyMap() { return &CNotifyPump::notifyMap; }

const NotifyMap* CNotifyPump::GetNotifyMap() const { return &CNotifyPump::notifyMap; }

bool CNotifyPump::DispatchNotification(TNotification& msg) {
    const char* sender = msg.pSender ? msg.pSender->GetName().GetData() : "";
    for (const NotifyMap* map = GetNotifyMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        const NotifyMapEntry* match = nullptr;
        const NotifyMapEntry* fallback = nullptr;
        for (const NotifyMapEntry* e = map->lpEntries; e->nSig != kNotifySigEnd; ++e) {
            if (std::strcmp(e->sMsgType, msg.sType.GetData()) != 0) continue;
            if (e->sCtrlName && *e->sCtrlName) {
                if (std::strcmp(e->sCtrlName, sender) == 0) {
                    match = e;
                    break;
                }
            } else {
                fallback = e;  // a later general entry replaces an earlier one
            }
        }
        const NotifyMapEntry* entry = match ? match : fallback;
        if (!entry) continue;
        if (entry->nSig == kNotifySigMsg) {
            (this->*entry->pfnMsg)(msg);
            return true;
        }
        if (entry->nSig == kNotifySigWL) {
            (this->*entry->pfnWL)(msg.wParam, msg.lParam);
            return true;
        }
        return false;
    }
    return false;
}

}  // namespace Vellum
