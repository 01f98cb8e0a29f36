#include "ListTestSupport.h"

#include <cstdio>

#include "UI/Control/ListTextElementExUI.h"

namespace windowtest {

void ListWnd::Notify(Vellum::TNotification& msg) {
    m_events.push_back(msg.sType.ToStdString() + ":" + std::to_string(static_cast<long long>(msg.wParam)) + "," +
                       std::to_string(static_cast<long long>(msg.lParam)));
    TestWnd::Notify(msg);
}

std::vector<std::string> ListWnd::Of(const char* type) const {
    std::vector<std::string> out;
    const std::string prefix = std::string(type) + ":";
    for (const std::string& e : m_events) {
        if (e.compare(0, prefix.size(), prefix) == 0) out.push_back(e.substr(prefix.size()));
    }
    return out;
}

void AddLabelRows(Vellum::CListUI* list, int count) {
    for (int i = 0; i < count; ++i) {
        auto* row = new Vellum::CListLabelElementUI;
        const std::string name = "r" + std::to_string(i);
        row->SetName(name.c_str());
        row->SetText(name.c_str());
        list->Add(row);
    }
}

void AddCheckRows(Vellum::CListUI* list, int count) {
    for (int i = 0; i < count; ++i) {
        auto* row = new Vellum::CListTextElementExUI;
        list->Add(row);
        char name[32];
        std::snprintf(name, sizeof(name), "目录%06d", i);
        row->SetText(0, name);
        row->SetText(1, (std::string("E:\\游戏\\") + name).c_str());
        row->SetText(2, "目录");
        row->SetPadding({1, 0, 1, 0});
        row->ShowCheckBox(true);
    }
}

std::string RowNames(Vellum::CListUI* list) {
    std::string out;
    for (int i = 0; i < list->GetCount(); ++i) {
        if (!out.empty()) out += " ";
        out += list->GetItemAt(i)->GetName().GetData();
    }
    return out;
}

}  // namespace windowtest
