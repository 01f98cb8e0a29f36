// Fixtures for the list tests and the list benchmark: a window that records
// notifications with their parameters, a row that reports its own deletion,
// and lists filled in code.
#pragma once

#include <string>
#include <vector>

#include "UI/Control/ListLabelElementUI.h"
#include "UI/Control/ListUI.h"
#include "WindowTestSupport.h"

namespace windowtest {

// Records every notification as "type:wParam,lParam" (indexes as signed).
class ListWnd : public TestWnd {
public:
    using TestWnd::TestWnd;
    void Notify(Vellum::TNotification& msg) override;
    // The recorded notifications of one type, oldest first.
    std::vector<std::string> Of(const char* type) const;
    std::vector<std::string> m_events;
};

// A label row that sets a flag when it is deleted.
class TrackedRow : public Vellum::CListLabelElementUI {
public:
    explicit TrackedRow(bool* deleted) : m_deleted(deleted) {}
    ~TrackedRow() override {
        if (m_deleted) *m_deleted = true;
    }

private:
    bool* m_deleted;
};

// Adds `count` label rows named and texted "r0", "r1", ...
void AddLabelRows(Vellum::CListUI* list, int count);
// Adds `count` rows as the main window makes them: a check box and three
// texts (a folder name "目录000000", "目录000001"..., its path on E:, "目录").
void AddCheckRows(Vellum::CListUI* list, int count);
// Names of the rows in list order.
std::string RowNames(Vellum::CListUI* list);

}  // namespace windowtest
