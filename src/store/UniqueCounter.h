// The unique-id counter file StructUnique.dat: eight ASCII digits, no line end, holding the
// last number handed out.
#pragma once

#include <string>

namespace nimbus::counter {

// Reads the counter, adds one, writes it back and returns it; a new file starts at 1. A
// counter that is not a number gives -1 (and the file then holds "-0000001"), as it always
// has; -1 also when the file cannot be read or written.
int NextUnique(const std::string &path);
// Takes count numbers in one write (a batch of new topics would otherwise wait for one
// synced write each) and returns the first; the file then holds the last. -1 as for
// NextUnique, or for a count below 1 or past the eight digits.
int TakeUniques(const std::string &path, int count);
// The last number handed out, without changing the file; -1 when there is no counter or it
// is not a number.
int ReadUnique(const std::string &path);
// Overwrites the counter with n; returns n, or -1 when the file cannot be written.
int SetUnique(const std::string &path, int n);
// "%08d" of n.
std::string CounterText(int n);

}  // namespace nimbus::counter
