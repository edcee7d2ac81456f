#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "platform/fake/FakeClock.h"
#include "platform/fake/RecordingKeyboard.h"
#include "script/SendKeys.h"

namespace agendix::script {
namespace {

constexpr std::int32_t kToday = 80000;
constexpr std::int32_t kNoon = 4320001;
constexpr std::int32_t kLastHundredth = 8640000;

// Records each piece of input with the standard time it went out at.
class TimedKeyboard final : public platform::Keyboard {
  public:
    explicit TimedKeyboard(const platform::Clock& clock) : clock_(clock) {}

    std::vector<std::string> events;  // as the recording keyboard writes them
    std::vector<std::int32_t> times;
    std::vector<std::int32_t> days;
    std::function<void()> afterEach;

    bool available() const override { return true; }
    bool typeText(const std::string& text) override { return record(recorder_.typeText(text)); }
    bool pressKey(unsigned code) override { return record(recorder_.pressKey(code)); }
    bool click(unsigned code) override { return record(recorder_.click(code)); }

  private:
    bool record(bool result) {
        events.push_back(recorder_.events.back());
        times.push_back(clock_.now());
        days.push_back(clock_.today());
        if (afterEach) {
            afterEach();
        }
        return result;
    }

    const platform::Clock& clock_;
    platform::RecordingKeyboard recorder_;
};

class SendKeysTest : public ::testing::Test {
  protected:
    SendKeys sender(SendKeysTray tray = {}) {
        return SendKeys(
            keyboard_, clock_, settings_,
            [this](std::int32_t hundredths) {
                ++waits_;
                clock_.advance(hundredths);
            },
            std::move(tray));
    }

    platform::FakeClock clock_{kToday, kNoon};
    store::SettingValues settings_;
    TimedKeyboard keyboard_{clock_};
    int waits_ = 0;
};

TEST_F(SendKeysTest, SendsEachPieceAfterOneSendInterval) {
    struct Case {
        const char* keystrokes;
        int groupSize;
        std::vector<std::string> events;
        int intervals;  // the time the text takes, in send intervals
    };
    const std::vector<Case> cases = {
        {"abc", 7, {"text:abc"}, 1},
        {"abcdefghij[ENTER]", 7, {"text:abcdefg", "text:hij", "key:13"}, 3},
        {"[ctrlc]", 7, {"key:579"}, 1},
        {"[ ctrlc]", 7, {"text: ctrlc"}, 1},
        {"[5]", 7, {"text:5"}, 1},
        {"[KEY5]", 7, {"key:53"}, 1},
        {"[PAUSE]", 7, {}, 1},
        {"[]", 7, {}, 1},
        {"[PAUSEKEY]", 7, {"key:19"}, 1},
        {"[CAPSLOCKKEY]", 7, {"key:20"}, 1},
        {"[SHIFTCAPSLOCK]", 7, {"text:SHIFTCAPSLOCK"}, 1},
        {"a[b", 7, {"text:a", "text:b"}, 3},
        {"[[]", 7, {"text:["}, 1},
        {"ab [ENTER]", 7, {"text:ab ", "key:13"}, 2},
        {"ab [ENTER]   ", 7, {"text:ab ", "key:13"}, 2},
        {"abc   ", 7, {"text:abc"}, 1},
        {"[MOUSELEFT2][ctrlmouseleft]", 7, {"click:5", "click:513"}, 2},
        {"Hello, World![ENTER]", 5, {"text:Hello", "text:, Wor", "text:ld!", "key:13"}, 4},
        {"   ", 7, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keystrokes);
        keyboard_.events.clear();
        settings_.scriptingDelay = 50;
        settings_.burstSize = c.groupSize;
        const std::int32_t start = clock_.now();
        sender().sendKeys(c.keystrokes);
        EXPECT_EQ(keyboard_.events, c.events);
        EXPECT_EQ(clock_.now() - start, c.intervals * 50);
    }
}

TEST_F(SendKeysTest, PacesPiecesOneIntervalApartWhateverTheWaiterDoes) {
    // The waiter returns early, after at most 30 hundredths: the sender waits on.
    settings_.scriptingDelay = 80;
    SendKeys keys(keyboard_, clock_, settings_,
                  [this](std::int32_t hundredths) { clock_.advance(std::min(hundredths, 30)); });
    keys.sendKeys("ab[TAB]cd");
    EXPECT_EQ(keyboard_.events, (std::vector<std::string>{"text:ab", "key:9", "text:cd"}));
    EXPECT_EQ(keyboard_.times, (std::vector<std::int32_t>{kNoon + 80, kNoon + 160, kNoon + 240}));

    // Setup's changes apply to the next text.
    settings_.scriptingDelay = 120;
    settings_.burstSize = 1;
    keys.sendKeys("xy[TAB]");
    EXPECT_EQ(keyboard_.events, (std::vector<std::string>{"text:ab", "key:9", "text:cd", "text:x",
                                                          "text:y", "key:9"}));
    EXPECT_EQ(std::vector<std::int32_t>(keyboard_.times.begin() + 3, keyboard_.times.end()),
              (std::vector<std::int32_t>{kNoon + 360, kNoon + 480, kNoon + 600}));
}

TEST_F(SendKeysTest, WaitsTheIntervalAcrossMidnight) {
    struct Case {
        const char* label;
        std::int32_t start;
        std::vector<std::int32_t> days;
        std::vector<std::int32_t> times;
    };
    const std::vector<Case> cases = {
        {"both pieces the same day",
         kLastHundredth - 120,
         {kToday, kToday},
         {kLastHundredth - 70, kLastHundredth - 20}},
        {"the second interval ends on the last hundredth",
         kLastHundredth - 100,
         {kToday, kToday},
         {kLastHundredth - 50, kLastHundredth}},
        {"the second interval ends just after midnight",
         kLastHundredth - 99,
         {kToday, kToday + 1},
         {kLastHundredth - 49, 1}},
        {"the first interval crosses midnight",
         kLastHundredth - 30,
         {kToday + 1, kToday + 1},
         {20, 70}},
        {"started on the last hundredth", kLastHundredth, {kToday + 1, kToday + 1}, {50, 100}},
    };
    settings_.scriptingDelay = 50;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        clock_.set(kToday, c.start);
        keyboard_.times.clear();
        keyboard_.days.clear();
        sender().sendKeys("a[TAB]");
        EXPECT_EQ(keyboard_.days, c.days);
        EXPECT_EQ(keyboard_.times, c.times);
    }
}

TEST_F(SendKeysTest, AClockSetDuringAWaitEndsIt) {
    struct Case {
        const char* label;
        std::int32_t change;  // hundredths the clock is set by at the first wait
    };
    const std::vector<Case> cases = {
        {"set back an hour", -360000},
        {"set back a hundredth", -1},
        {"set forward an hour", 360000},
    };
    settings_.scriptingDelay = 50;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        clock_.set(kToday, kNoon);
        keyboard_.times.clear();
        bool changed = false;
        SendKeys keys(keyboard_, clock_, settings_, [&](std::int32_t hundredths) {
            if (!changed) {
                changed = true;
                clock_.set(kToday, kNoon + c.change);
            } else {
                clock_.advance(hundredths);
            }
        });
        keys.sendKeys("a[TAB]");
        // the first piece goes at once after the change, the next one an interval later
        EXPECT_EQ(keyboard_.times,
                  (std::vector<std::int32_t>{kNoon + c.change, kNoon + c.change + 50}));
    }
}

// The tray icon as the tray will show it: it records each change in the same log as the input.
struct RecordingTray {
    bool shown = true;
    TrayLook look{"tray_ico", "Agendix - Backup"};
    std::vector<std::string>* log = nullptr;

    SendKeysTray hook() {
        return {[this] { return shown; }, [this] { return look; },
                [this](const TrayLook& next) {
                    look = next;
                    log->push_back("tray:" + next.iconName + " / " + next.tip);
                }};
    }
};

TEST_F(SendKeysTest, AnimatesTheTrayIconAndPutsItBack) {
    const std::string tip = " / \"Send Keys\" in progress";
    struct Case {
        const char* label;
        bool shown;
        int hideAfterEvents;  // the tray icon goes away after this many pieces; -1 never
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {"shown",
         true,
         -1,
         {"tray:tray_ico" + tip, "key:13", "tray:traybr_ico" + tip, "text:b",
          "tray:trayc_ico" + tip, "text:c", "tray:traydr_ico" + tip, "text:d",
          "tray:tray_ico" + tip, "key:9", "tray:traybr_ico" + tip, "text:e",
          "tray:tray_ico / Agendix - Backup"}},
        {"not shown", false, -1, {"key:13", "text:b", "text:c", "text:d", "key:9", "text:e"}},
        {"gone in between",
         true,
         2,
         {"tray:tray_ico" + tip, "key:13", "tray:traybr_ico" + tip, "text:b", "text:c", "text:d",
          "key:9", "text:e"}},
    };
    settings_.burstSize = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<std::string> log;
        RecordingTray tray{c.shown, {"tray_ico", "Agendix - Backup"}, &log};
        keyboard_.afterEach = [&] {
            log.push_back(keyboard_.events.back());
            if (c.hideAfterEvents >= 0 && static_cast<int>(log.size()) >= 2 * c.hideAfterEvents) {
                tray.shown = false;
            }
        };
        sender(tray.hook()).sendKeys("[ENTER]bcd[TAB]e");
        EXPECT_EQ(log, c.log);
    }
}

TEST_F(SendKeysTest, WorksWithoutATray) {
    SendKeysTray partial;
    partial.shown = [] { return true; };
    for (SendKeysTray tray : {SendKeysTray{}, partial}) {
        keyboard_.events.clear();
        sender(std::move(tray)).sendKeys("ab[TAB]");
        EXPECT_EQ(keyboard_.events, (std::vector<std::string>{"text:ab", "key:9"}));
    }
}

// The program's waiter runs the event loop: a timer due during the wait fires, and the wait
// lasts about as long as asked.
TEST(WaitInEventLoop, RunsTheEventLoopWhileItWaits) {
    bool fired = false;
    QTimer::singleShot(20, [&fired] { fired = true; });
    QElapsedTimer elapsed;
    elapsed.start();
    waitInEventLoop(10);
    EXPECT_TRUE(fired);
    EXPECT_GE(elapsed.elapsed(), 90);
}

}  // namespace
}  // namespace agendix::script
