// The drop shadow of a frameless window.
//
// The program's windows have no system frame, so each gets its shadow from a
// separate layered, click-through popup ("TamsinShadowWnd") that is as large as
// the window plus the shadow margins and shows a nine-grid image whose centre is
// left out (the window covers it). The popup follows the window by watching its
// messages: CShadowUI replaces the window's procedure with its own, reacts to
// moves, sizes, visibility, maximise and minimise, and always passes the message
// on to the window's previous procedure.
//
// How the control manager owns and drives it:
//   * Start-up calls CShadowUI::Initialize(hInstance) once, before any window is
//     shown (without the class no shadow window can be created; the window then
//     simply has no shadow).
//   * Every CUIManager holds one CShadowUI by value (it lives exactly as long as
//     the manager) and hands it out through a GetShadow() accessor.
//   * While the builder applies the skin's "Window" attributes, the manager
//     passes the shadow ones ("shadowsize", "shadowsharpness", "shadowdarkness",
//     "shadowpositon", "shadowcolor", "shadowcorner", "shadowimage",
//     "showshadow") to SetAttribute (or calls the setters itself).
//   * In AttachRoot, once its window exists, the manager calls
//         m_shadow.SetImageLoader(...its image cache lookup...);
//         m_shadow.Create(this, m_hWndPaint);
//     The loader finds the image by name in the manager's image cache, loading
//     and caching it on first use, and answers with the premultiplied 32-bit DIB
//     section it holds (see UI/Render/ImageDecode.h). Without a loader the
//     shadow decodes the file itself, the name taken relative to the folder
//     given with SetImageFolder (the skin folder).
//   * Nothing else has to be forwarded: the shadow sees the window's messages
//     itself. The window must not replace its own window procedure after Create
//     (that would cut the shadow out of the chain); the window's procedure set
//     before Create keeps receiving every message.
//   * The shadow window is destroyed with the window (WM_DESTROY). Should the
//     manager be destroyed while its window still exists, the destructor gives
//     the window its previous procedure back and destroys the shadow window.
//
// UI thread only: the process-wide table from window to shadow is touched only by
// creation, destruction and the window procedures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "UI/Render/ImageDecode.h"

namespace Vellum {

class CUIManager;

// The image the shadow is drawn from: a premultiplied 32-bit DIB section and its
// size. Not owned; it must stay valid while the shadow may redraw (the manager's
// image cache keeps its images for the manager's lifetime).
struct TShadowImage {
    HBITMAP hBitmap = nullptr;
    int nWidth = 0;
    int nHeight = 0;
};

// Looks up an image by name, loading and caching it when missing. Returns false
// when it cannot be loaded.
using ShadowImageLoader = std::function<bool(const std::string& name, TShadowImage& image)>;

class CShadowUI {
public:
    // Bits of the status field.
    enum : uint8_t {
        SS_ENABLED = 1,        // the shadow window was created
        SS_VISIBLE = 2,        // the shadow window is shown
        SS_PARENTVISIBLE = 4,  // the shadowed window is shown
    };

    CShadowUI() = default;
    virtual ~CShadowUI();
    CShadowUI(const CShadowUI&) = delete;
    CShadowUI& operator=(const CShadowUI&) = delete;

    // Registers the window class "TamsinShadowWnd" once per process. Returns true
    // when it registered it now, false when it was already done or failed.
    static bool Initialize(HINSTANCE hInstance);

    // Gives `hWndParent` (the manager's window) its shadow: creates the shadow
    // window, shows it when the window is shown, normal and not minimised or
    // maximised, and takes over the window's procedure. Does nothing when
    // "showshadow" is false, when `hWndParent` is not a window, or when this
    // shadow already belongs to a window. `pManager` is remembered only (it may be
    // null).
    void Create(CUIManager* pManager, HWND hWndParent);

    // The setters refuse values outside their ranges (false, nothing changed)
    // and redraw the shadow when it is shown. Size, sharpness, darkness,
    // position and colour are kept for a computed shadow; the program always
    // draws its shadow from the image, so they change nothing on screen.
    bool SetSize(int nSize);                       // -20..20
    bool SetSharpness(unsigned int nSharpness);    // 0..20
    bool SetDarkness(unsigned int nDarkness);      // 0..255
    bool SetPosition(int nXOffset, int nYOffset);  // each -20..20
    void SetColor(uint32_t color);
    // False for a null or empty name; otherwise image mode on and the name kept.
    bool SetImage(const char* pszImage);
    // The image's nine-grid corners, which are also the shadow's margins (left,
    // top, right, bottom). False when any value is negative.
    bool SetShadowCorner(const RECT& rcCorner);
    // Whether the window gets a shadow at all; takes effect at Create.
    void ShowShadow(bool bShow);

    // Applies one skin attribute of the window's shadow ("shadowsize",
    // "shadowsharpness", "shadowdarkness", "shadowpositon", "shadowcolor",
    // "shadowcorner", "shadowimage", "showshadow") in the value forms of the skin
    // markup. Returns false for another name or a value the setter refused.
    bool SetAttribute(const char* pszName, const char* pszValue);

    // Where the shadow's image comes from (see the top of this file).
    void SetImageLoader(ShadowImageLoader loader);
    void SetImageFolder(const std::string& folder);

    bool IsShowShadow() const { return m_bIsShowShadow; }
    bool IsImageMode() const { return m_bIsImageMode; }
    int GetSize() const { return m_nSize; }
    unsigned int GetSharpness() const { return m_nSharpness; }
    unsigned int GetDarkness() const { return m_nDarkness; }
    POINT GetPosition() const { return POINT{m_nxOffset, m_nyOffset}; }
    uint32_t GetColor() const { return m_Color; }
    const std::string& GetImage() const { return m_sShadowImage; }
    RECT GetShadowCorner() const { return m_rcShadowCorner; }
    uint8_t GetStatus() const { return m_Status; }
    CUIManager* GetManager() const { return m_pManager; }
    // The shadow popup (null before Create and after the window was destroyed).
    HWND GetShadowWindow() const { return m_hWnd; }

    // The shadow of `hWndParent`, or null.
    static CShadowUI* FindShadow(HWND hWndParent);

private:
    static LRESULT CALLBACK ParentProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnParentMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Rebuilds the shadow bitmap for the current rectangle of `hParent` and shows
    // it in the layered window.
    void Update(HWND hParent);
    void RedrawIfVisible();
    bool FindImage(TShadowImage& image);
    void Detach();

    CUIManager* m_pManager = nullptr;
    HWND m_hWnd = nullptr;
    WNDPROC m_OriParentProc = nullptr;
    uint8_t m_Status = 0;
    bool m_bIsImageMode = true;
    bool m_bIsShowShadow = true;
    uint8_t m_nDarkness = 150;
    uint8_t m_nSharpness = 5;
    int8_t m_nSize = 0;
    int8_t m_nxOffset = 0;
    int8_t m_nyOffset = 0;
    // The window's client size from its last WM_SIZE.
    uint16_t m_nParentWidth = 0;
    uint16_t m_nParentHeight = 0;
    // Rebuild at the window's next WM_PAINT (after it grew).
    bool m_bUpdate = false;
    uint32_t m_Color = 0;
    std::string m_sShadowImage = "Default_Shadow.png";
    RECT m_rcShadowCorner = {23, 13, 23, 33};

    // The shadowed window (the manager's), kept so the shadow works without one.
    HWND m_hWndParent = nullptr;
    ShadowImageLoader m_loader;
    std::string m_sImageFolder;
    // The image decoded by the shadow itself when no loader is set; the name
    // last looked for, from either source, and whether that failed (a failed
    // name is not tried again until the name or the source changes).
    CDecodedImage m_ownImage;
    std::string m_sImageName;
    bool m_bImageFailed = false;
};

}  // namespace Vellum
