// Notification maps: a static table per window class turns a notification
// (type text + sender's name) into a call of a member function.
//
//   class CMyWnd : public WindowImplBase {
//       VELLUM_DECLARE_NOTIFY_MAP()
//       void OnOk(TNotification& msg);
//   };
//   VELLUM_BEGIN_NOTIFY_MAP(CMyWnd, WindowImplBase)
//       VELLUM_ON_NOTIFY("click", "BtnOk", &CMyWnd::OnOk)
//   VELLUM_END_NOTIFY_MAP()
//
// Lookup walks the class's own map, then its base's, and so on. Inside one map
// an entry naming the sender wins over an entry for any control (empty name),
// whatever their order.
#pragma once

#include "UI/Core/UIDefs.h"

namespace Vellum {

class CNotifyPump;

using PfnNotifyMsg = void (CNotifyPump::*)(TNotification&);
using PfnNotifyWL = void (CNotifyPump::*)(WPARAM, LPARAM);

// Signature kinds of an entry; 0 ends a table.
const unsigned kNotifySigEnd = 0;
const unsigned kNotifySigWL = 1;
const unsigned kNotifySigMsg = 2;

struct NotifyMapEntry {
    const char* sMsgType;
    const char* sCtrlName;  // "" = any control
    unsigned nSig;
    PfnNotifyMsg pfnMsg;  // kind 2
    PfnNotifyWL pfnWL;    // kind 1
};

struct NotifyMap {
    const NotifyMap* (*pfnGetBaseMap)();
    const NotifyMapEntry* lpEntries;
};

class CNotifyPump {
public:
    virtual ~CNotifyPump() = default;
    // Calls the handler of the first map in the chain that has an entry for
    // msg; false when none does (the notification is dropped).
    bool DispatchNotification(TNotification& msg);

protected:
    static const NotifyMap* GetThisNotifyMap();
    virtual const NotifyMap* GetNotifyMap() const;

private:
    static const NotifyMapEntry _notifyEntries[];
    static const NotifyMap notifyMap;
};

}  // namespace Vellum

#define VELLUM_DECLARE_NOTIFY_MAP()                                        \
private:                                                                   \
    static const ::Vellum::NotifyMapEntry _notifyEntries[];                \
                                                                           \
protected:                                                                 \
    static const ::Vellum::NotifyMap notifyMap;                            \
    [[maybe_unused]] static const ::Vellum::NotifyMap* GetThisNotifyMap(); \
    const ::Vellum::NotifyMap* GetNotifyMap() const override;              \
                                                                           \
private:

#define VELLUM_BEGIN_NOTIFY_MAP(theClass, baseClass)                                                              \
    const ::Vellum::NotifyMap* theClass::GetThisNotifyMap() { return &theClass::notifyMap; }                      \
    const ::Vellum::NotifyMap* theClass::GetNotifyMap() const { return &theClass::notifyMap; }                    \
    const ::Vellum::NotifyMap theClass::notifyMap = {&baseClass::GetThisNotifyMap, &theClass::_notifyEntries[0]}; \
    const ::Vellum::NotifyMapEntry theClass::_notifyEntries[] = {
// Handler called with the notification record.
#define VELLUM_ON_NOTIFY(type, ctrlName, handler) \
    {type, ctrlName, ::Vellum::kNotifySigMsg, static_cast<::Vellum::PfnNotifyMsg>(handler), nullptr},
// Handler called with the notification's wParam and lParam.
#define VELLUM_ON_NOTIFY_WL(type, ctrlName, handler) \
    {type, ctrlName, ::Vellum::kNotifySigWL, nullptr, static_cast<::Vellum::PfnNotifyWL>(handler)},

#define VELLUM_END_NOTIFY_MAP()                                     \
    { nullptr, nullptr, ::Vellum::kNotifySigEnd, nullptr, nullptr } \
    }                                                               \
    ;
