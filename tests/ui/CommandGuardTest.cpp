#include "ui/CommandGuard.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "ui/ScriptedFeedback.h"
#include "ui/UserError.h"

namespace tolmek {
namespace {

TEST(CommandGuard, ShowsAUserErrorAsItStandsWithTheCallersIcon) {
  ScriptedFeedback feedback;
  EXPECT_FALSE(RunReportingFailure(
      feedback, [] { throw UserError("Division by zero"); }, MessageIcon::Exclamation));
  ASSERT_EQ(feedback.Messages.size(), 1u);
  EXPECT_EQ(feedback.Messages[0].Text, "Division by zero");
  EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Exclamation);
}

TEST(CommandGuard, ReportsEveryOtherFailureAsAnInternalErrorWithItsText) {
  ScriptedFeedback feedback;
  EXPECT_FALSE(RunReportingFailure(
      feedback, [] { throw std::bad_alloc(); }, MessageIcon::Exclamation));
  EXPECT_FALSE(RunReportingFailure(feedback, [] { throw std::out_of_range("vector"); }));
  EXPECT_FALSE(RunReportingFailure(feedback, [] { throw 42; }));
  ASSERT_EQ(feedback.Messages.size(), 3u);
  EXPECT_EQ(feedback.Messages[0].Text, InternalErrorText(std::bad_alloc().what()));
  EXPECT_EQ(feedback.Messages[1].Text, InternalErrorText("vector"));
  EXPECT_NE(feedback.Messages[2].Text.find(InternalErrorText("")), std::string::npos);
  for (const auto& message : feedback.Messages) EXPECT_EQ(message.Icon, MessageIcon::Critical);
}

TEST(CommandGuard, ACommandThatEndsShowsNothing) {
  ScriptedFeedback feedback;
  int runs = 0;
  EXPECT_TRUE(RunReportingFailure(feedback, [&] { ++runs; }));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(feedback.Messages.empty());
}

}  // namespace
}  // namespace tolmek
