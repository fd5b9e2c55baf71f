// The outputs of a measurement written when it is left: native file, FL.RES row, DF.RES block,
// the jip.res row when the JIP-test is on, and ASCII export.
#pragma once

#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

// Writes the outputs when autosave is on, a measurement is loaded and its outputs were not written
// yet. Returns false when any writer failed (each failure is reported by the writer).
bool AutosaveOutputs(Session& session, Feedback& feedback);

}  // namespace tolmek
