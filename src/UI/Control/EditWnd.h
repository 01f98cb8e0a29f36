// CEditWnd: the native single-line EDIT window a text box (CEditUI) hosts,
// a superclass of the system's "EDIT" class. The system control does what a
// user types with: keys, caret, selection, clipboard, undo and the input
// method (Chinese is entered through it). This class tells the text box what
// happens there — focus gained or lost, text changed, keys — takes the box's
// colours, and paints the box's hint while the text is empty.
//
// The text box owns this object. The native window is a child of the box's
// window; it lives from Open until Destroy or until that window goes (the
// system destroys children with their parent), and the object can open a new
// one afterwards. The object must outlive the messages its window handles.
#pragma once

#include <windows.h>

#include <string>

#include "UI/Wnd/WindowWnd.h"

namespace Vellum {

class CEditUI;

class CEditWnd : public CWindowWnd {
public:
    explicit CEditWnd(CEditUI* pOwner);
    ~CEditWnd() override;
    CEditWnd(const CEditWnd&) = delete;
    CEditWnd& operator=(const CEditWnd&) = delete;

    // Creates the EDIT hidden, as a child of hWndParent, with `text` in it.
    // False when it cannot be created (logged).
    bool Open(HWND hWndParent, const char* text);
    // Destroys the native window now; nothing when there is none.
    void Destroy();
    bool IsOpen() const { return m_hWnd != nullptr; }

    // The window text in the system code page (GBK), read from the EDIT.
    std::string GetText() const;

    const char* GetWindowClassName() const override;
    const char* GetSuperClassName() const override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnWindowDestroyed(HWND hWnd) override;

private:
    // Paints the client area of an empty EDIT (background and hint) into hDC.
    void PaintEmpty(HDC hDC);
    // The same, now, into the window's own DC.
    void RepaintEmpty();
    LRESULT OnPaint(UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnKey(UINT uMsg, WPARAM wParam, LPARAM lParam);

    CEditUI* m_pOwner;
};

}  // namespace Vellum
