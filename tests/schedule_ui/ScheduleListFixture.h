#pragma once

#include <QTabBar>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "schedule_ui/BrowseSchedule.h"
#include "shell/DataFileFixture.h"
#include "store/Settings.h"

namespace agendix::schedule_ui::testing {

using store::makeDate;
using store::makeTime;
using store::Schedule;

// A real data file, settings with POSITION.INI in the test's directory, and schedule lists on it.
class ScheduleListFixture : public shell::testing::DataFileFixture {
  protected:
    ScheduleListFixture() { settings_.values().dateFormat = "d2"; }

    Schedule task(std::string description, std::int32_t date, std::int32_t time,
                  std::string category = "Work") {
        Schedule t;
        t.ID = nextId_++;
        t.Description = std::move(description);
        t.Date = date;
        t.Time = time;
        t.Category = std::move(category);
        t.TaskType = "Display Message";
        t.ScheduleType = "Once";
        return t;
    }
    Schedule add(Schedule t) {
        auto use = access_.use(store::scheduleTable());
        store::Table<Schedule> table(use.table());
        EXPECT_TRUE(table.add(t).ok());
        return t;
    }

    ScheduleBrowserPorts ports() {
        ScheduleBrowserPorts p{access_, settings_, clock_, ui_};
        p.addBrowser = [this](std::function<void()> refresh) {
            refreshes_.push_back(std::move(refresh));
            return static_cast<int>(refreshes_.size());
        };
        p.removeBrowser = [this](int id) { removed_.insert(id); };
        p.runNow = [this](Schedule& t) { ranNow_.push_back(t.ID); };
        p.form = form_;
        p.tagged = tagged_;
        p.editScript = [](const Schedule&) {};
        return p;
    }
    std::unique_ptr<BrowseSchedule> open() {
        auto browser = std::make_unique<BrowseSchedule>(ports());
        browser->list().setFixedPageSize(pageRows_);
        browser->list().reload();
        return browser;
    }

    static std::vector<std::string> shown(BrowseSchedule& browser) {
        std::vector<std::string> descriptions;
        for (const Schedule& t : browser.rows().page()) {
            descriptions.push_back(t.Description);
        }
        return descriptions;
    }
    static std::string highlighted(BrowseSchedule& browser) {
        const Schedule* t = browser.rows().currentRecord();
        return t != nullptr ? t->Description : std::string();
    }

    store::Settings settings_{access_, store::IniLocations(dir_.path() / "config", dir_.path()),
                              ui_, [] { return std::string("login"); }};
    TaskForm* form_ = nullptr;
    // The search's tags: every task unless a test says otherwise.
    std::function<bool(std::int32_t id)> tagged_ = [](std::int32_t) { return true; };
    int pageRows_ = 5;
    std::int32_t nextId_ = 1;
    std::vector<std::function<void()>> refreshes_;
    std::set<int> removed_;
    std::vector<std::int32_t> ranNow_;
};

}  // namespace agendix::schedule_ui::testing
