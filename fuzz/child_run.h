// fuzz/child_run: one run of the program (the sanitizer build's) in a child process, for scenarios and events.
#pragma once
#include <string>
#include <vector>

namespace fuzz {

// A fresh scratch folder for the driver, removed when the driver ends; the
// program's lock and temporary files go there too.
const std::string& scratch_folder();

// Runs the program on the game folder `dir` with `options` in a child
// process, its output kept in the scratch folder. An ending other than an
// exit status in `allowed` (a signal, a sanitizer report, more than
// `seconds` of real time) prints what the program wrote and aborts: the
// fuzzer then keeps the input.
void run_program_in_child(const std::string& dir, const std::vector<std::string>& options,
                          const std::vector<int>& allowed, unsigned seconds);

}  // namespace fuzz
