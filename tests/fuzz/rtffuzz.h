#pragma once
// One round of the RTF reader on arbitrary bytes, shared by the fuzzer and
// by the test that replays the seed corpus in every build.

#include <cstddef>
#include <cstdint>

// Reads `data` as a note; what it read is written and read again, and must
// then write the very same bytes (nothing is lost or changed on a second
// save). False when it does not.
bool fuzzrtf(const std::uint8_t *data, std::size_t size);
