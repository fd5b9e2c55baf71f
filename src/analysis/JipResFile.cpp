#include "JipResFile.h"

#include "PFResults.h"
#include "data/BackedUpFile.h"
#include "data/Errors.h"
#include "data/NumberText.h"
#include "data/ReaderExit.h"

namespace tolmek {

namespace {

constexpr int kNameDecimals = 2;  // the file-name cell passes through FL.RES's "0.00" as well

}  // namespace

std::string JipResHeading() {
  std::string text = std::string("Filename") + TabText;
  for (const char* name : kJipNames) text += std::string(name) + TabText;
  return text + NewLineText;
}

std::string JipResDataLine(const Session& session, const JipResult& result) {
  const std::string name =
      ResultFileNameCell(session.Record.CurrentFileName, session.Options.StripFileName);
  std::string text = FormatCell(name, kNameDecimals) + TabText;
  for (int p = 0; p < kJipParameterCount; ++p) {
    const JipParameter parameter = static_cast<JipParameter>(p);
    if (result.Has(parameter)) AppendDecimals(text, result[parameter], JipDecimals(parameter));
    text += TabText;
  }
  return text + NewLineText;
}

bool WriteJipRes(Session& session, Feedback& feedback) {
  const JipResult result = ComputeJipTest(session.Record);
  if (session.Shell.ReportJipGaps) {
    const std::string gaps = JipGapsText(result);
    if (!gaps.empty()) feedback.ShowMessage("JIP-test: " + gaps, MessageIcon::Information);
  }
  return RunWriter(feedback, [&] {
    ResultFileMemo& memo = session.ResultFiles.JIP;
    FileState state;
    const std::string path = LocateResultFile(memo, session.Options.DataFolder, kJipResName, state);
    const std::string line = JipResDataLine(session, result);
    if (!state.Exists) {
      ReplaceBackedUp(memo, path, JipResHeading() + line);
    } else {
      if (state.IsFolder) throw ErrorText(errors::kFileAccessError);
      AppendBackedUp(memo, path, state, line);
    }
  });
}

}  // namespace tolmek
