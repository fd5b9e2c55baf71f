// Averaging of replicates: FL.RES rows into Fl_avg.res and Fl_err.res, and ASCII curves into
// "!.avg" files.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

// Groups of item indices, each in the order of the items.
using ReplicateGroups = std::vector<std::vector<size_t>>;
constexpr size_t kMaxGroupMembers = 10;

// Replicates share a key. Every candidate whose key has no group yet starts one: all items that
// may join, with that key, in order, at most kMaxGroupMembers. A candidate with no such item
// starts nothing. beforeEach runs for every item not grouped yet and stops the grouping (nothing
// is returned) when it returns false.
std::optional<ReplicateGroups> GroupByKey(const std::vector<std::string>& keys,
                                          const std::function<bool(size_t)>& canStart,
                                          const std::function<bool(size_t)>& canJoin,
                                          const std::function<bool(size_t)>& beforeEach);

// Groups the rows of folder/fl.res by the first 8 - dropped characters of their names and writes
// the means and standard errors to Fl_avg.res and Fl_err.res. An empty field is left out of its
// column; a column without any number gets an empty field. When the folder holds jip.res, its rows
// are averaged by the same rules into Jip_avg.res and Jip_err.res. When no two rows of FL.RES
// form a group, a message says why (full file names, or names too short to differ only in their
// last character). Errors are reported; returns false after one.
bool AverageResults(Feedback& feedback, const std::string& folder, int dropped);

// Groups the ".asc" files of fileList (bare names in folder) by their names without the last
// dropped + 4 characters and writes each group's mean curve to <first member's key>!.avg.
// fileList replaces the folder walk's FileList. Errors are reported; returns false after one, and
// after Esc, which stops before the next group (files already written stay).
bool AverageAscFiles(Session& session, Feedback& feedback, const std::string& folder,
                     const std::vector<std::string>& fileList, int dropped);

// The files of the folder that the dialog's list shows ("*.asc; *.res"), sorted by name.
std::vector<std::string> ListAveragingCandidates(const std::string& folder);

// The averaging of a folder as the "Average" dialog runs it: when the folder lists two candidate
// files or more and curves are asked for, AverageAscFiles over that list; then, when results are
// asked for, AverageResults. Replicate names differ in their last character. False when either
// failed or was cancelled.
bool AverageFolder(Session& session, Feedback& feedback, const std::string& folder, bool results,
                   bool curves);

}  // namespace tolmek
