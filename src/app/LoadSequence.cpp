#include "LoadSequence.h"

#include "analysis/DFPeaks.h"
#include "analysis/PFResults.h"
#include "data/AsciiFile.h"
#include "data/InstrumentFile.h"
#include "data/Measurement.h"
#include "data/NativeFile.h"
#include "data/OjipTextFile.h"

namespace tolmek {

namespace {

ReadOutcome RunChosenReader(Session& session, Feedback& feedback, ReaderKind kind,
                            const std::string& path) {
  switch (kind) {
    case ReaderKind::Instrument:
      return ReadInstrumentFile(session, feedback, path);
    case ReaderKind::Native:
      return ReadNativeFile(session, feedback, path);
    case ReaderKind::OjipText:
      return ReadOjipTextFile(session, feedback, path);
    case ReaderKind::Ascii:
      break;
  }
  return ReadAsciiFile(session, feedback, path);
}

}  // namespace

ReadOutcome ReadMeasurement(Session& session, Feedback& feedback) {
  const std::string path = session.Record.CurrentFilePath;
  const ReaderKind kind = ChooseReader(path);
  RestoreHeldPeaks(session.Record, session.Options.OptionsKeepPeaks);
  const ReadOutcome outcome = RunChosenReader(session, feedback, kind, path);
  if (outcome != ReadOutcome::Loaded) {
    // Whatever a reader left behind, nothing counts as loaded after it gave up.
    if (!session.Record.CurrentFilePath.empty()) ResetState(session);
    return outcome;
  }
  // Every format gets its results row and DF table, so the outputs written later belong to this
  // measurement and not to the one before it. A native file's peaks are its own, stored with it.
  if (kind != ReaderKind::Native) HoldKeptPeaksOfZeroDF(session.Record);
  FindResultRow(session);
  if (kind == ReaderKind::Instrument && session.Options.OptionsAdjust) {
    AdjustKeptPeaks(session);
  } else {
    FillDFPeakTable(session);
    FillPFResultRow(session);
  }
  return outcome;
}

ReadOutcome LoadCurrentFile(Session& session, Feedback& feedback) {
  const std::string path = session.Record.CurrentFilePath;
  ResetState(session);
  session.Record.CurrentFilePath = path;
  const ReadOutcome outcome = ReadMeasurement(session, feedback);
  if (outcome == ReadOutcome::Loaded) session.Record.DataLoaded = true;
  return outcome;
}

}  // namespace tolmek
