#pragma once
// Making a data set from nothing: zeros or random numbers, for the user to fill in or try out.
#include <cstdint>
#include <random>
#include <string>

namespace tavrel {

struct Session;

inline constexpr const char* kNewFileName = "newfile.txt";

struct NewDataRequest {
  int variables = 3;           // 0..100
  std::int32_t values = 10;    // observations, 0..10000
  std::string names = "Var1 Var2 Var3";
  std::string fileName = kNewFileName;
  bool random = true;
  std::int32_t maxRandom = 100;  // below 2: reals in [0, 1); otherwise integers 0..maxRandom-1
};

// The names the "Авто" button writes: " Var1 Var2 ... VarN" (beginning with a blank).
std::string AutoNames(int variables);

// Replaces the session's data set by a new one as requested. With no variables
// or no values nothing is made and the session stays as it was; returns whether
// a data set was made. The per-load state is reset as a load does; variables
// the names do not reach are named "Var" + number.
bool MakeNewData(const NewDataRequest& request, std::mt19937& random, Session& session);

// The generator new data draw from, seeded once per run.
std::mt19937& NewDataRandom();

}  // namespace tavrel
