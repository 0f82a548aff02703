// The scripted user itself: a run always ends, failures name the step, requesters are answered
// from the queue and recorded.
#include "gui_test.h"

#include <gtest/gtest-spi.h>

namespace {

using Harness = GuiTest;

TEST_F(Harness, ARunOutOfStepsFailsAndEndsInsteadOfHanging) {
    OpenTestWindow(300);
    AddButton(1, 0, 0, 50, 20, "B");
    Script script;
    script.ClickGadget(1);
    std::vector<int> codes;
    EXPECT_NONFATAL_FAILURE(script.Run([&] {
        for (int code = WaitEvent(); code != QuitEvent; code = WaitEvent()) codes.push_back(code);
        codes.push_back(QuitEvent);
        EXPECT_EQ(WaitEvent(), QuitEvent); // and stays ended
    }),
                            "no step left after 1 steps");
    EXPECT_EQ(codes, (std::vector<int>{GadgetEvent, QuitEvent}));
    EXPECT_EQ(WindowWidget(300), nullptr); // released after the run
}

TEST_F(Harness, AStepThatCannotBeDoneNamesItselfAndEndsTheRun) {
    OpenTestWindow(300);
    AddButton(1, 0, 0, 50, 20, "B");
    SetGadgetHidden(1, 1);
    Script script;
    script.ClickGadget(1).ClickGadget(1);
    EXPECT_NONFATAL_FAILURE(CollectEvents(script),
                            "step 1 (click gadget 1) cannot be done: gadget 1 is not visible");
    EXPECT_EQ(script.StepsLeft(), 1u);
}

TEST_F(Harness, StepsLeftWhenTheProgramEndsFail) {
    Script script;
    script.ClickGadget(1);
    EXPECT_NONFATAL_FAILURE(script.Run([] {}), "1 script steps left, the first: click gadget 1");
}

TEST_F(Harness, RequestersTakeTheirAnswersInOrderAndAreRecorded) {
    Script script;
    script.AnswerMessage(IDYES).AnswerColour(0x123456).AnswerOpen("/tmp/a.kpv").AnswerSave("");
    int message = 0, colour = 0;
    Text opened = "x", saved = "x";
    script.Run([&] {
        message = ShowMessage("Question", "Do you really want to exit?", 36);
        colour = PickColour();
        opened = AskOpenFileName("Load Chart...", "/tmp/", "Brondel (*.KPV)|*.kpv", 0);
        saved = AskSaveFileName("Save Chart...", "org.kpv", "Brondel (*.KPV)|*.kpv", 0);
    });
    EXPECT_EQ(message, IDYES);
    EXPECT_EQ(colour, 0x123456);
    EXPECT_EQ(opened, "/tmp/a.kpv");
    EXPECT_EQ(saved, "");
    const std::vector<RequesterCall>& calls = script.Requests();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].kind, "message");
    EXPECT_EQ(calls[0].caption, "Question");
    EXPECT_EQ(calls[0].text, "Do you really want to exit?");
    EXPECT_EQ(calls[0].flags, 36u);
    EXPECT_EQ(calls[1].kind, "colour");
    EXPECT_EQ(calls[2].kind, "open");
    EXPECT_EQ(calls[2].caption, "Load Chart...");
    EXPECT_EQ(calls[2].defaultFile, "/tmp/");
    EXPECT_EQ(calls[2].pattern, "Brondel (*.KPV)|*.kpv");
    EXPECT_EQ(calls[3].kind, "save");
    EXPECT_EQ(calls[3].defaultFile, "org.kpv");
}

TEST_F(Harness, AMissingOrMismatchedAnswerFailsAndCancels) {
    Script script;
    int colour = 0;
    EXPECT_NONFATAL_FAILURE(
        script.Run([&] { colour = PickColour(); }),
        "asks a colour requester (\"\", \"\"), but the script has no answer left");
    EXPECT_EQ(colour, -1);

    Script other;
    other.AnswerOpen("/tmp/x.kpv");
    int answer = IDYES;
    EXPECT_NONFATAL_FAILURE(other.Run([&] { answer = ShowMessage("Error!", "Oops", 16); }),
                            "but the next answer is for a open requester");
    EXPECT_EQ(answer, 0);
}

TEST_F(Harness, TypedTextArrivesOneCharacterPerEvent) {
    OpenTestWindow(301);
    AddTextField(302, 44, 22, 134, 20, "ab", ES_CENTER);
    Script script;
    script.TypeText(302, "cd").ClearText(302).TypeText(302, "x").Quit();
    std::vector<Text> texts;
    script.Run([&] {
        while (WaitEvent() == GadgetEvent)
            if (EventSubtype() == EN_CHANGE) texts.push_back(ReadGadgetText(302));
    });
    EXPECT_EQ(texts, (std::vector<Text>{"abc", "abcd", "", "x"}));
}

} // namespace
