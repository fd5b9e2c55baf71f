// One measurement reader on arbitrary bytes, with the steps after a load. Whatever the bytes, a
// read ends either loaded with a consistent record or in the empty state, without touching memory
// outside the file or the arrays.
#pragma once

#include "FuzzSupport.h"
#include "app/LoadSequence.h"
#include "data/Session.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek::fuzz {

inline int FuzzReader(const char* fileName, const uint8_t* data, size_t size) {
  const std::string path = WriteInput(fileName, data, size);
  if (path.empty()) return 0;
  Session session;
  ScriptedFeedback feedback;
  feedback.GainAnswers.push_back(DisplayGains{6, 120});
  session.Record.CurrentFilePath = path;
  session.Record.CurrentFileName = fileName;
  const ReadOutcome outcome = ReadMeasurement(session, feedback);
  const Measurement& record = session.Record;
  if (outcome == ReadOutcome::Loaded) {
    Check(record.CurrentFilePath == path);
    Check(record.PointCount >= 1);
    Check(record.TimeValues.size() > static_cast<size_t>(record.PointCount));
    Check(record.PFValues.size() == record.TimeValues.size());
    Check(record.DFValues.size() == record.TimeValues.size());
  } else {
    Check(record.CurrentFilePath.empty());
    Check(record.PointCount == 0);
  }
  return 0;
}

}  // namespace tolmek::fuzz
