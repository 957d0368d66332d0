#pragma once
// What the variable dialog decides: which variables it lists, which it
// pre-selects, and how a confirmed choice narrows the data set.
#include <string>
#include <vector>

#include "core/base/checked_array.h"

namespace tavrel {

struct DataSet;
struct Settings;

inline constexpr const char* kNotEnoughData = "Недостаточно данных (0,1).";
inline constexpr const char* kChooseOneVariable = "Нужно выбрать 1 переменную.";
inline constexpr const char* kChooseTwoVariables = "Нужно выбрать 2 переменные.";

struct SelectionStart {
  bool enough = false;        // false: the command must not go on (warning kNotEnoughData)
  std::string warning;        // the message to show first, empty when none
  Array<std::string> names;   // the variables in force, in list order
  Array<bool> preselected;    // the remembered selection, one entry per listed name
};

// Opens a selection of d for its OperationMode: refuses with one
// observation or none, removes the empty variables for statistics and
// clusters, and pre-selects the remembered choice after a load when the
// setting SavePrmSel asks for it.
SelectionStart BeginSelection(DataSet& d, const Settings& s);

// Applies the chosen list positions (in increasing order). Returns the warning
// when the mode needs another number of variables (nothing changes then);
// otherwise the chosen variables move to the front and become the variables in
// force (all stay in force when none was chosen), and the choice after a load
// is remembered.
std::string ConfirmSelection(DataSet& d, const Settings& s, const std::vector<int>& chosen);

// Every way out of the dialog: the next dialog no longer follows a load, and
// whether the narrowed variables stay in force after the command.
void EndSelection(DataSet& d, bool keepSelection);

}  // namespace tavrel
