#include "support/MessageResponder.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

TEST(MessageResponder, AnswersInOrderAndRecordsEveryBox) {
  TMessageResponder responder{mrYes, mrOk};
  EXPECT_EQ(MessageDlg("Continue?", mtConfirmation, mbYesNo), mrYes);
  ShowMessage("Done");
  ASSERT_EQ(responder.Count(), 2u);
  EXPECT_EQ(responder.Shown()[0].Type, mtConfirmation);
  EXPECT_EQ(responder.Shown()[0].Buttons, mbYesNo);
  EXPECT_EQ(responder.Texts(), (std::vector<std::string>{"Continue?", "Done"}));
  EXPECT_EQ(responder.Last().Text, "Done");
}

TEST(MessageResponder, UnansweredBoxFailsNamingItsText) {
  EXPECT_NONFATAL_FAILURE(
      {
        TMessageResponder responder;
        EXPECT_EQ(MessageDlg("Error! Project not Valid", mtError, mbOK), mrCancel);
      },
      "Error! Project not Valid");
}

TEST(MessageResponder, LeftOverOrImpossibleAnswersFail) {
  EXPECT_NONFATAL_FAILURE({ TMessageResponder responder{mrOk}; }, "never used");
  EXPECT_NONFATAL_FAILURE(
      {
        TMessageResponder responder{mrYes};
        MessageDlg("Saved", mtInformation, mbOK);
      },
      "not a button");
}

TEST(MessageResponder, RestoresTheHandlerBefore) {
  int outerCalls = 0;
  TMessageHandler before = SetMessageHandler([&](const TMessageRequest&) {
    ++outerCalls;
    return mrOk;
  });
  {
    TMessageResponder responder{mrOk};
    ShowMessage("inner");
  }
  ShowMessage("outer");
  EXPECT_EQ(outerCalls, 1);
  SetMessageHandler(before);
}
