// The dialogs as a user meets them, followed through virtual time on the simulated PC.

#include <gtest/gtest.h>

#include "checker/halvex_app.h"
#include "tests/host/checker/sim_pc.h"

namespace corvane {
namespace {

using testing::DefaultPc;
using testing::U;
using Kind = sim::UserAction::Kind;

constexpr int kAgreement = 132;
constexpr int kStart = 131;
constexpr int kInspection = 130;

const sim::DialogState* Closed(const tools::RunOutcome& outcome, int templateId) {
    for (const sim::DialogState& dialog : outcome.closedDialogs) {
        if (dialog.templateId == templateId) {
            return &dialog;
        }
    }
    return nullptr;
}

using Change = std::pair<uint64_t, std::u16string>;

// The changes of one control of the inspection dialog, in time: its texts, "shown" or
// "hidden", "enabled" or "disabled".
std::vector<Change> Changes(tools::SimSession& session, int controlId,
                            sim::DialogEvent::Kind kind) {
    std::vector<Change> seen;
    for (const sim::DialogEvent& event : session.pc().dialogs().events()) {
        if (event.templateId != kInspection || event.controlId != controlId || event.kind != kind) {
            continue;
        }
        switch (kind) {
            case sim::DialogEvent::Kind::Shown:
                seen.push_back({event.at, event.value ? u"shown" : u"hidden"});
                break;
            case sim::DialogEvent::Kind::Enabled:
                seen.push_back({event.at, event.value ? u"enabled" : u"disabled"});
                break;
            default:
                seen.push_back({event.at, event.text});
                break;
        }
    }
    return seen;
}

struct KeyCase {
    std::string name;
    std::vector<sim::UserAction> actions;
    std::vector<int> dialogs;  // shown, in order
    intptr_t agreementResult;
    bool checksRan;
};

class DialogKeysTest : public ::testing::TestWithParam<KeyCase> {};

// Esc and Alt+F4 never leave the agreement or the start dialog; Enter presses the default
// button: Disagree in the agreement, Start in the start dialog.
TEST_P(DialogKeysTest, OnlyTheButtonsDecide) {
    sim::Scenario pc = DefaultPc();
    pc.actions = GetParam().actions;
    tools::RunOutcome outcome = tools::RunVortau(pc);
    EXPECT_EQ(outcome.dialogs, GetParam().dialogs);
    ASSERT_NE(Closed(outcome, kAgreement), nullptr);
    EXPECT_EQ(Closed(outcome, kAgreement)->result, GetParam().agreementResult);
    EXPECT_EQ(outcome.resultFiles.size(), GetParam().checksRan ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogKeysTest,
                         ::testing::Values(KeyCase{"EnterDeclinesTheAgreement",
                                                   {{kAgreement, Kind::Enter, 0, 0}},
                                                   {kAgreement},
                                                   2,
                                                   false},
                                           KeyCase{"EscAndAltF4DoNothing",
                                                   {{kAgreement, Kind::Escape, 0, 0},
                                                    {kAgreement, Kind::AltF4, 0, 10},
                                                    {kAgreement, Kind::Button, 1, 20},
                                                    {kStart, Kind::Escape, 0, 30},
                                                    {kStart, Kind::AltF4, 0, 40},
                                                    {kStart, Kind::Enter, 0, 50}},
                                                   {kAgreement, kStart, kInspection},
                                                   1,
                                                   true},
                                           KeyCase{"CancelEndsTheStartDialog",
                                                   {{kStart, Kind::Button, 2, 0}},
                                                   {kAgreement, kStart},
                                                   1,
                                                   false}),
                         [](const auto& info) { return info.param.name; });

// The dialog manager would focus the terms' edit and select all of it, which scrolls to the
// end: the agreement must open at the beginning of its terms, nothing selected, the focus in
// the terms so that Enter still declines.
TEST(AgreementDialogTest, OpensAtTheBeginningOfTheTermsWithNothingSelected) {
    tools::RunOutcome outcome = tools::RunVortau(DefaultPc());
    const sim::DialogState* agreement = Closed(outcome, kAgreement);
    ASSERT_NE(agreement, nullptr);
    const sim::ControlState& terms = agreement->controls.at(1018);
    EXPECT_GT(terms.text.size(), 1000u);
    EXPECT_EQ(agreement->focus, 1018);
    EXPECT_EQ(terms.selectionStart, 0u);
    EXPECT_EQ(terms.selectionEnd, 0u);
}

// A failed elevation: item 2 runs with the button disabled, Esc and the close box do nothing
// meanwhile, then item 2 fails and the verdict and Close appear.
TEST(InspectionDialogTest, ElevationAttemptThenFailure) {
    sim::Scenario pc = DefaultPc();
    pc.majorVersion = 6;
    pc.minorVersion = 0;
    pc.administrator = false;
    pc.elevation = sim::Elevation::Declined;
    pc.actions = {{kInspection, Kind::Escape, 0, 100}, {kInspection, Kind::CloseBox, 0, 200}};
    tools::SimSession session(pc);
    CHalvexApp app;
    app.InitInstance();
    EXPECT_EQ(Changes(session, 1, sim::DialogEvent::Kind::Enabled),
              (std::vector<Change>{{0, u"disabled"}, {500, u"enabled"}}));
    auto itemTwo = Changes(session, 1013, sim::DialogEvent::Kind::Text);
    ASSERT_FALSE(itemTwo.empty());
    EXPECT_EQ(itemTwo.front().second, u"");  // cleared at the start
    EXPECT_NE(std::find(itemTwo.begin(), itemTwo.end(), Change{0, u"Running"}), itemTwo.end());
    EXPECT_EQ(itemTwo.back(), (Change{500, u"Fail"}));

    const sim::DialogState& closed = session.pc().dialogs().closed().back();
    EXPECT_EQ(closed.templateId, kInspection);
    EXPECT_EQ(closed.controls.at(1004).text, U("The application must be installed by an account "
                                               "with administrator privileges before "
                                               "Pellora/Quintrel can be used."));
    EXPECT_EQ(closed.controls.at(1).text, u"Close");
    EXPECT_TRUE(
        closed.controls.at(1007).text.starts_with(u"Verification complete.\r\n\r\nYou may"));
    EXPECT_TRUE(closed.hasIcon);
    EXPECT_EQ(closed.title, u"Corvane V1.00");
    // Esc and the close box came while the button was disabled and were ignored: only the
    // user's Close after the verdict ended the dialog.
    EXPECT_GT(closed.endedAt, 200u);
    EXPECT_EQ(app.m_nAdminStatus, 0);
    EXPECT_FALSE(app.m_bNeedElevation);
}

// Without a worker nothing runs and nothing finishes: the button closes the dialog, and no
// result file is written for checks that never ran.
TEST(InspectionDialogTest, WithoutAWorkerTheButtonStillCloses) {
    sim::Scenario pc = DefaultPc();
    pc.threadCreationFails = true;
    pc.actions = {{kInspection, Kind::Button, 1, 1000}};
    tools::RunOutcome outcome = tools::RunVortau(pc);
    const sim::DialogState* inspection = Closed(outcome, kInspection);
    ASSERT_NE(inspection, nullptr);
    EXPECT_EQ(inspection->result, platform::kIdCancel);
    EXPECT_EQ(inspection->endedAt, 1000u);
    EXPECT_TRUE(outcome.resultFiles.empty());
    EXPECT_TRUE(
        std::any_of(outcome.trace.begin(), outcome.trace.end(), [](const std::string& line) {
            return line.ends_with("VORTAU CDialogInspect CreateThread Error!!\n");
        }));
}

// A worker kept busy by another program's hold on the network configuration lock: the user's
// Cancel, Esc or close box asks for a cancel; the dialog closes only once the worker ends,
// and the run-wide flag that check 4 reads is set. A flag left from before is cleared by the
// worker at its start.
TEST(InspectionDialogTest, CancelEscAndTheCloseBoxCancelWhileTheChecksRun) {
    for (Kind kind : {Kind::Button, Kind::Escape, Kind::CloseBox}) {
        SCOPED_TRACE(static_cast<int>(kind));
        sim::Scenario pc = DefaultPc();
        pc.driverSetup.writeLockHeldByOther = true;
        pc.actions = {{kInspection, kind, 1, 2}};
        tools::SimSession session(pc);
        CHalvexApp app;
        app.InitInstance();
        const sim::DialogState& inspection = session.pc().dialogs().closed().back();
        EXPECT_EQ(inspection.templateId, kInspection);
        EXPECT_EQ(inspection.result, platform::kIdCancel);
        EXPECT_GT(inspection.endedAt, 2u) << "closed only once the worker had ended";
        EXPECT_TRUE(app.m_manager.m_bCancel);
        EXPECT_EQ(app.m_nWlanStatus, 5);
    }
    tools::SimSession session(DefaultPc());
    CHalvexApp app;
    app.m_manager.m_bCancel = true;
    app.InitInstance();
    EXPECT_FALSE(app.m_manager.m_bCancel);
    EXPECT_EQ(app.m_nWlanStatus, 4) << "check 4 ran to its end";
}

// The elevated instance takes over the single-instance name: this one lets go of it once the
// new one is started, and keeps it when the user declines.
TEST(InspectionDialogTest, ASuccessfulElevationHandsTheMutexOver) {
    for (sim::Elevation elevation : {sim::Elevation::Accepted, sim::Elevation::Declined}) {
        bool accepted = elevation == sim::Elevation::Accepted;
        SCOPED_TRACE(accepted ? "accepted" : "declined");
        sim::Scenario pc = DefaultPc();
        pc.majorVersion = 6;
        pc.minorVersion = 0;
        pc.administrator = false;
        pc.elevation = elevation;
        tools::SimSession session(pc);
        CHalvexApp app;
        app.InitInstance();
        EXPECT_EQ(static_cast<bool>(app.m_hMutex), !accepted);
        EXPECT_EQ(session.pc().IsNamedObjectOpen("TAVIR_Corvane_Mutex"), !accepted);
        EXPECT_EQ(session.pc().programStarts().size(), accepted ? 1u : 0u);
    }
}

// While the user takes 2.6 s to answer the elevation prompt, item 2's "Running" blinks with
// the 500 ms timer; at the end it stays visible, the verdict replaces "Verifying" and the
// button turns from Cancel to Close.
TEST(InspectionDialogTest, RunningItemBlinksUntilTheEnd) {
    sim::Scenario pc = DefaultPc();
    pc.majorVersion = 6;
    pc.minorVersion = 0;
    pc.administrator = false;
    pc.elevation = sim::Elevation::Declined;
    pc.elevationPromptMs = 2600;
    tools::SimSession session(pc);
    CHalvexApp app;
    app.InitInstance();
    EXPECT_EQ(Changes(session, 1013, sim::DialogEvent::Kind::Shown),
              (std::vector<Change>{{1000, u"hidden"},
                                   {1500, u"shown"},
                                   {2000, u"hidden"},
                                   {2500, u"shown"},
                                   {3000, u"hidden"},
                                   {3100, u"shown"}}));
    EXPECT_EQ(Changes(session, 1, sim::DialogEvent::Kind::Text),
              (std::vector<Change>{{0, u"Cancel"}, {3100, u"Close"}}));
    auto verdict = Changes(session, 1007, sim::DialogEvent::Kind::Text);
    ASSERT_FALSE(verdict.empty());
    EXPECT_EQ(verdict.front(), (Change{0, u"Verifying"}));
    EXPECT_EQ(verdict.back().first, 3100u);
    EXPECT_TRUE(verdict.back().second.starts_with(u"Verification complete.\r\n\r\nYou may"));
}

TEST(AgreementDialogTest, JapaneseTableShowsTheJapaneseTextsAndFont) {
    tools::ScenarioFile file = tools::ParseScenario(R"({"languageFile": "japanese"})");
    tools::SimSession session(file.scenario);
    CHalvexApp app;
    app.InitInstance();
    const sim::DialogState& agreement = session.pc().dialogs().closed().front();
    EXPECT_EQ(agreement.controls.at(1).text, U("同意する"));
    EXPECT_EQ(agreement.controls.at(2).text, U("同意しない"));
    const std::string& japanese = file.scenario.resources.at({138, 5429});
    EXPECT_EQ(
        agreement.controls.at(1018).text,
        std::u16string(reinterpret_cast<const char16_t*>(japanese.data()), japanese.size() / 2));
    const sim::FontRecord& font =
        session.pc().fonts().at(reinterpret_cast<uintptr_t>(agreement.font));
    EXPECT_EQ(font.face, U("MS Ｐゴシック"));
    EXPECT_EQ(font.charSet, 128u);
    EXPECT_EQ(font.weight, 400);
}

}  // namespace
}  // namespace corvane
