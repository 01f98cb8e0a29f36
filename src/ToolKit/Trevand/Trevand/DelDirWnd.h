// CDelDirWnd: the modal window that deletes the entries the operator ticked.
//
// The main window constructs it with `new`, calls Create (parent: the main
// window), CenterWindow, Start(paths) and ShowModal, and deletes it once
// ShowModal has returned. Start runs one worker thread, DelFileThread, that
// deletes the paths in order and hands each finished path back to the main
// window (CTrevandWnd::DeleteListItem). "closebtn" cancels; the worker stops
// at its next check and closes the window itself.
#pragma once

#include <list>
#include <string>

#include "UI/Window/WindowImplBase.h"

class CDelDirWnd : public Vellum::WindowImplBase {
public:
    CDelDirWnd();
    const char* GetWindowClassName() const override;
    ~CDelDirWnd() override;
    void InitWindow() override;
    void OnClick(Vellum::TNotification& msg) override;
    const char* GetSkinFile() override;

    // Copies `paths` and starts the worker.
    void Start(std::list<std::string> paths);

private:
    std::list<std::string> m_listPath;
};
