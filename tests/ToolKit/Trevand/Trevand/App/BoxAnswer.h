// Answering the program's own message boxes as the operator does: a timer
// waits for the box to show, reads its text and clicks a button (or presses
// Escape) in it.
#pragma once

#include <windows.h>

#include <string>

#include "UI/Core/ControlUI.h"
#include "UI/Window/MsgBoxWnd.h"
#include "../../../../UI/Window/WindowTestSupport.h"

namespace apptest {

// What the operator does in the box.
enum class Answer { kYes, kNo, kEscape, kClose };

// Answers the next message box once it shows; remembers its text.
struct BoxAnswer {
    static inline Answer s_answer = Answer::kNo;
    static inline std::string s_text;
    static inline bool s_seen = false;
    static inline UINT_PTR s_timer = 0;

    static void Arm(Answer answer) {
        s_answer = answer;
        s_text.clear();
        s_seen = false;
        s_timer = ::SetTimer(nullptr, 0, 50, &BoxAnswer::OnTimer);
    }
    static void Disarm() { ::KillTimer(nullptr, s_timer); }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        HWND box = ::FindWindowA("MsgBoxWnd", nullptr);
        if (!box || !::IsWindowVisible(box)) return;
        ::KillTimer(nullptr, id);
        s_seen = true;
        auto* wnd = dynamic_cast<Vellum::CMsgBoxWnd*>(
            reinterpret_cast<Vellum::CWindowWnd*>(::GetWindowLongPtrA(box, GWLP_USERDATA)));
        if (!wnd) return;
        ::UpdateWindow(box);
        s_text = wnd->GetManager().FindControl("TextContent")->GetText().ToStdString();
        const char* button = s_answer == Answer::kYes ? "BtnOk" : s_answer == Answer::kNo ? "BtnCancel" : "closebtn";
        if (s_answer == Answer::kEscape) windowtest::PostKey(box, VK_ESCAPE);
        else windowtest::PostClick(box, windowtest::CenterOf(wnd->GetManager().FindControl(button)));
    }
};

}  // namespace apptest
