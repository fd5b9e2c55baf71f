// jip.res in the data folder, beside FL.RES: one row of JIP-test parameters per measurement.
#pragma once

#include <string>

#include "JipTest.h"
#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

constexpr const char* kJipResName = "jip.res";

// "Filename", then the parameter names; each field followed by TAB, CR LF at the end.
std::string JipResHeading();

// The file-name field as FL.RES writes it, then each value with its decimals (empty where it
// cannot be computed); each field followed by TAB, CR LF at the end.
std::string JipResDataLine(const Session& session, const JipResult& result);

// Appends the loaded measurement's row to jip.res (with the heading when the file is new), found
// whatever the case of its name and backed up as FL.RES is. When the session asks for it, the
// values that cannot be computed are named in a message. Failures are reported; returns false
// after one.
bool WriteJipRes(Session& session, Feedback& feedback);

}  // namespace tolmek
