#pragma once
// Character classes and case maps of the Windows-1252 code page. They are built
// once (on first use, thread-safe) and are read-only afterwards.
#include <array>
#include <bitset>
#include <cstdint>

// One bit per character code.
using CharSetT = std::bitset<256>;

struct CharClassesT {
  CharSetT upper;       // letters that lower-casing changes
  CharSetT lower;       // their lower-case images
  CharSetT letters;     // upper | lower
  CharSetT digits;      // "0".."9"
  CharSetT delimiters;  // neither letter nor digit
  std::array<unsigned char, 256> upMap{};   // identity except for letters
  std::array<unsigned char, 256> lowMap{};
};

// Builds the classes on the first call; later calls return the same record.
const CharClassesT& CharClasses();
// Explicit start-up hook; calling it is optional.
void InitCharClasses();

inline bool InSet(const CharSetT& set, char c) {
  return set.test(static_cast<unsigned char>(c));
}
inline void AddToSet(CharSetT& set, char c) {
  set.set(static_cast<unsigned char>(c));
}
