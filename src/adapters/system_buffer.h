// Reading records out of a buffer that a system query filled. The system links records with
// pointers into the same buffer; a malformed answer must not make the program read outside it,
// so every record is taken only when it lies wholly inside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A zero-filled buffer of exactly the size a query reported (aligned for any record).
using SystemBuffer = std::vector<std::uint8_t>;

// The record of type T at `at`, or null when `at` is null, misaligned, or the record would not
// lie wholly inside the buffer.
template <typename T>
const T* RecordInside(std::span<const std::uint8_t> buffer, const void* at) {
  const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
  const auto end = begin + buffer.size();
  const auto address = reinterpret_cast<std::uintptr_t>(at);
  if (at == nullptr || address < begin || address > end || end - address < sizeof(T) ||
      address % alignof(T) != 0) {
    return nullptr;
  }
  return static_cast<const T*>(at);
}

// How many records of type T a chain inside the buffer can hold at most: a walk that takes more
// steps than this is going round a loop.
template <typename T>
std::size_t MaxRecordsInside(std::span<const std::uint8_t> buffer) {
  return buffer.size() / sizeof(T);
}

// The text of a fixed character array: its bytes up to the first zero byte, or all of them.
template <std::size_t N>
std::string ArrayText(const char (&array)[N]) {
  std::size_t length = 0;
  while (length < N && array[length] != '\0') {
    ++length;
  }
  return std::string(array, length);
}
