#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "HeadlessFixture.h"
#include "ui/Button.h"
#include "ui/Timer.h"

namespace ui::test {
namespace {

using headless::TShownMessageBox;
using ApplicationTest = HeadlessFixture;

TEST_F(ApplicationTest, FailureInAHandlerShowsAPlainBoxAndTheProgramGoesOn) {
    auto& button = form.Add<TButton>();
    button.SetBounds(10, 10, 75, 25);
    int runs = 0;
    button.OnClick = [&](TControl&) {
        ++runs;
        throw std::runtime_error("Socket Error # 10061\r\nConnection refused.");
    };
    system.Click(button);
    system.Click(button);
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(system.MessageBoxes().size(), 2u);
    const TShownMessageBox& box = system.MessageBoxes()[0];
    EXPECT_EQ(box.text, "Socket Error # 10061\r\nConnection refused.");
    EXPECT_EQ(box.caption, "Pelmira");
    EXPECT_EQ(box.kind, TMessageBoxKind::mbPlain);
    EXPECT_FALSE(app.Terminated());
}

TEST_F(ApplicationTest, EveryKindOfFailureReachesTheReport) {
    struct Case {
        const char* name;
        std::function<void()> fail;
        std::string text;
    };
    const Case cases[] = {
        {"runtime error", [] { throw std::runtime_error("Cell out of bounds (3, 9)"); }, "Cell out of bounds (3, 9)"},
        {"logic error", [] { throw std::out_of_range("index"); }, "index"},
        {"not an exception class", [] { throw 42; }, std::string(kUnknownErrorText)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = system.MessageBoxes().size();
        app.Guard(c.fail);
        ASSERT_EQ(system.MessageBoxes().size(), before + 1);
        EXPECT_EQ(system.MessageBoxes().back().text, c.text);
    }
}

TEST_F(ApplicationTest, FailuresOfCreateShowAndTimerHandlersAreReported) {
    struct TBrokenForm : TForm {
        explicit TBrokenForm(TApplication& a) : TForm(a, "TBroken") {
            OnCreate = [](TForm&) { throw std::runtime_error("vers.xml: unexpected end of file"); };
            OnShow = [](TForm&) { throw std::runtime_error("show failed"); };
        }
    };
    auto& broken = app.CreateForm<TBrokenForm>();
    broken.Show();
    TTimer timer(form);
    timer.OnTimer = [](TTimer&) { throw std::runtime_error("tick failed"); };
    timer.SetEnabled(true);
    EXPECT_EQ(system.FireTimers(), 1);
    std::vector<std::string> texts;
    for (const auto& box : system.MessageBoxes()) texts.push_back(box.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"vers.xml: unexpected end of file", "show failed", "tick failed"}));
    EXPECT_TRUE(broken.IsShown());
}

TEST_F(ApplicationTest, OnExceptionReplacesTheDefaultReport) {
    std::string seen;
    app.OnException = [&](std::exception_ptr failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            seen = e.what();
        }
    };
    app.Guard([] { throw std::runtime_error("quiet"); });
    EXPECT_EQ(seen, "quiet");
    EXPECT_TRUE(system.MessageBoxes().empty());
}

TEST_F(ApplicationTest, MessageBoxesCarryTheTitleAndTakeScriptedAnswers) {
    system.QueueAnswer(TModalResult::mrNo);
    system.QueueAnswer(TModalResult::mrYes);
    EXPECT_EQ(app.Confirm("Start the scan?"), TModalResult::mrNo);
    EXPECT_EQ(app.Confirm("Start the scan?"), TModalResult::mrYes);
    EXPECT_EQ(app.Confirm("Unscripted?"), TModalResult::mrNone);
    app.ShowMessage("Doing a full version scan requires much server resource. Please wait an hour to scan again.");
    ASSERT_EQ(system.MessageBoxes().size(), 4u);
    EXPECT_EQ(system.MessageBoxes()[0].kind, TMessageBoxKind::mbConfirm);
    EXPECT_EQ(system.MessageBoxes()[3].kind, TMessageBoxKind::mbPlain);
    EXPECT_EQ(system.MessageBoxes()[3].answer, TModalResult::mrOk);
    for (const auto& box : system.MessageBoxes()) EXPECT_EQ(box.caption, "Pelmira");
}

TEST_F(ApplicationTest, ProcessMessagesHandlesWhatIsPendingAndCountsTurns) {
    std::vector<int> handled;
    system.Post([&] { handled.push_back(1); });
    system.Post([&] {
        handled.push_back(2);
        system.Post([&] { handled.push_back(3); });  // arrives while processing
    });
    platform::IMessageProcessor& processor = app;
    processor.ProcessMessages();
    EXPECT_EQ(handled, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(system.MessageTurns(), 4);  // three messages and the empty look
    EXPECT_FALSE(processor.HandleMessage());
    EXPECT_EQ(system.MessageTurns(), 5);
    system.Post([] { throw std::runtime_error("from a message"); });
    EXPECT_TRUE(processor.HandleMessage());
    ASSERT_EQ(system.MessageBoxes().size(), 1u);
    EXPECT_EQ(system.MessageBoxes()[0].text, "from a message");
}

TEST_F(ApplicationTest, RunEndsWhenTheMainFormCloses) {
    bool afterClose = false;
    system.Post([&] { form.Close(); });
    system.Post([&] { afterClose = true; });
    app.Run();
    EXPECT_TRUE(app.Terminated());
    EXPECT_FALSE(afterClose);
    app.Run();  // the main form is closed: returns at once
}

TEST_F(ApplicationTest, SecondStartFindsTheRunningWindowByClassAndTitle) {
    form.SetCaption(u"Pelmira");
    EXPECT_TRUE(app.ActivateRunningInstance("TTestForm", "Pelmira"));
    EXPECT_FALSE(app.ActivateRunningInstance("TTestForm", "Pelmira 2"));
    EXPECT_FALSE(app.ActivateRunningInstance("TMainForm", "Pelmira"));
    system.AddForeignWindow("TMainForm", "Pelmira");
    EXPECT_TRUE(app.ActivateRunningInstance("TMainForm", "Pelmira"));
    EXPECT_EQ(system.ActivatedWindows(), (std::vector<std::string>{"TTestForm Pelmira", "TMainForm Pelmira"}));
}

TEST_F(ApplicationTest, HandCursorAndShellTargetsReachTheSystem) {
    // The hand cursor asked for is the system's standard one; a failed load is reported.
    system.SetHandCursorAvailable(false);
    EXPECT_FALSE(app.InstallSystemHandCursor());
    EXPECT_FALSE(system.HandCursorInstalled());
    system.SetHandCursorAvailable(true);
    EXPECT_TRUE(app.InstallSystemHandCursor());
    EXPECT_TRUE(system.HandCursorInstalled());
    // Targets go out byte for byte and in order, also once the main window is closed.
    const std::vector<std::string> targets = {"mailto:support@example.com",
                                              "http://www.example.com/get.php?title=a%20b&ver=1", "caf\xE9 notes.txt"};
    app.ShellOpen(targets[0]);
    app.ShellOpen(targets[1]);
    form.Close();
    app.ShellOpen(targets[2]);
    EXPECT_EQ(system.OpenedTargets(), targets);
}

TEST_F(ApplicationTest, TimersFireOnlyWhileEnabledWithAnInterval) {
    TTimer lock(form);
    TTimer lights(form);
    lock.SetInterval(3600000);
    lights.SetInterval(1000);
    int lockTicks = 0;
    int lightTicks = 0;
    lock.OnTimer = [&](TTimer& t) {
        ++lockTicks;
        t.SetEnabled(false);  // one tick lifts the lock
    };
    lights.OnTimer = [&](TTimer&) { ++lightTicks; };

    EXPECT_EQ(system.FireTimers(), 0);  // new timers are disabled
    lock.SetEnabled(true);
    lights.SetEnabled(true);
    EXPECT_EQ(system.FireTimers(), 2);
    EXPECT_EQ(system.FireTimers(), 1);
    lights.SetInterval(0);
    EXPECT_FALSE(system.FireTimer(lights));
    lights.Fire();  // a late tick after stopping does nothing either
    EXPECT_EQ(lockTicks, 1);
    EXPECT_EQ(lightTicks, 2);
    EXPECT_FALSE(lock.Enabled());
}

}  // namespace
}  // namespace ui::test
