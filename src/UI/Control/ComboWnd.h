// CComboWnd: the drop-down popup of a combo box. While open, the combo's
// entries are moved into the popup's own manager and laid out one below the
// other; closing gives them back to the combo.
//
// A press on an entry selects it (the entry asks its owner); releasing the
// button closes the popup. Escape or Enter closes it, and so does losing the
// keyboard focus. Keys reach the popup's own window only, so Escape never
// reaches the window the combo is in.
//
// While open the popup holds the mouse capture, so every press comes to it
// wherever it lands: a press outside the popup closes it and goes no further,
// as a native combo box's does. The click that dismisses the drop-down never
// ticks a row, toggles a check box or starts a button beneath it.
//
// The combo owns this object; the popup's manager lives from Open until the
// native window is destroyed. The popup is a CWindowWnd like every window of
// the framework (class registration, message routing, release on delete).
#pragma once

#include <windows.h>

#include <memory>

#include "UI/Wnd/WindowWnd.h"

namespace Vellum {

class CComboUI;
class CUIManager;
class CComboListUI;

class CComboWnd : public CWindowWnd {
public:
    explicit CComboWnd(CComboUI* pOwner);
    ~CComboWnd() override;
    CComboWnd(const CComboWnd&) = delete;
    CComboWnd& operator=(const CComboWnd&) = delete;

    // Creates and shows the popup below the combo (above it when there is no
    // room below). False when the combo is not in a window or creation fails.
    bool Open();
    // Closes the popup after the current message: safe from the popup's own
    // handlers. Hides CWindowWnd::Close on purpose: the popup opens again on
    // the same object, and the base's closing flag would stay set for good.
    void Close();
    // Closes the popup now, giving the entries back.
    void Destroy();
    bool IsOpen() const { return m_hWnd != nullptr; }
    CUIManager* GetManager() const { return m_pm.get(); }
    // The layout showing the entries while open, else null.
    CComboListUI* GetList() const { return m_hWnd ? m_pLayout : nullptr; }

    const char* GetWindowClassName() const override;
    UINT GetClassStyle() const override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnWindowDestroyed(HWND hWnd) override;

private:
    LRESULT HandleOwnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    // The manager's answer to a message; for a mouse button, with the
    // capture taken back afterwards (the manager releases it on every
    // button-up).
    bool RouteToManager(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    // Whether a press at client point `lParam` lies outside the popup.
    bool PressOutside(LPARAM lParam) const;
    RECT PopupRect() const;
    void ShareResources();
    void GiveEntriesBack();

    CComboUI* m_pOwner;
    std::unique_ptr<CUIManager> m_pm;
    CComboListUI* m_pLayout = nullptr;  // owned by m_pm as its root
    bool m_bClosing = false;
    // Set while the manager handles a mouse button: the capture changes it
    // makes then are its own, not a loss of ours.
    bool m_bManagerMouse = false;
    // Messages of the popup being handled now: the manager outlives the
    // window until the outermost of them returns.
    int m_nDepth = 0;
};

}  // namespace Vellum
