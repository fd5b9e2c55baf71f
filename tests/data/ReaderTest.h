// The fixture of the reader tests: a temporary folder, a session and a scripted feedback, and the
// checks that every failed read shares.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/FileChoice.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek::test {

using Reader = ReadOutcome (*)(Session&, Feedback&, const std::string&);

class ReaderTest : public ::testing::Test {
 protected:
  // Writes the file, makes it the current one and reads it; earlier messages are forgotten.
  ReadOutcome ReadAs(Reader reader, const std::string& name, const std::string& content) {
    feedback.Messages.clear();
    session.Record.CurrentFilePath = folder.Write(name, content);
    session.Record.CurrentFileName = name;
    return reader(session, feedback, session.Record.CurrentFilePath);
  }
  // Failed, reported once with a critical icon, nothing loaded, the window given back.
  void ExpectFailure(ReadOutcome outcome, const std::string& text) {
    EXPECT_EQ(outcome, ReadOutcome::Failed);
    ASSERT_EQ(feedback.MessageTexts(), std::vector<std::string>{text});
    EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Critical);
    EXPECT_EQ(feedback.Messages[0].Title, "");
    EXPECT_TRUE(session.Record.CurrentFilePath.empty());
    EXPECT_TRUE(session.Record.PFValues.empty());
    EXPECT_EQ(session.Record.PointCount, 0);
    EXPECT_TRUE(feedback.MainWindowEnabled);
    EXPECT_FALSE(feedback.ProgressVisible);
  }
  TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
};

}  // namespace tolmek::test
