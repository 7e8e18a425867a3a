// The record store's failures: error numbers, their texts and classes, and the
// exception classes a TTable raises.
//
// Callers may rely on:
//  - what() is "Error #N: text"; for 10140 and 10390 the text is followed by
//    "\nDOS Function: %d, DOS Error: %d" with the failing system call's number
//    and errno, and then the system's text for that errno in parentheses
//    ("DOS Error: 28 (No space left on device)").
//  - The class of an exception follows the error class of its number: 1
//    EUserError, 2 ELockingError, 3 ENoSuccess, 4 EHardError; numbers of any
//    other class raise the base ETableException.
#pragma once

#include <stdexcept>
#include <string>

namespace zelvora {

// Error numbers the store's callers and tests name.
enum TableError : int {
  kErrPageBuffer = 10000,
  kErrFileDefect = 10010,
  kErrIndexMismatch = 10011,
  kErrRecordLength = 10020,
  kErrNoMemory = 10030,
  kErrKeyCount = 10050,
  kErrKeyDescTooLong = 10055,
  kErrReadOnly = 10065,
  kErrFileRead = 10070,
  kErrFileWrite = 10075,
  kErrNotOpen = 10080,
  kErrMaxKeyLenTooSmall = 10121,
  kErrKeyTooLong = 10125,
  kErrRecordZero = 10130,
  kErrRecordNumber = 10136,
  kErrRecordBuffer = 10137,
  kErrRecordDeleted = 10138,
  kErrAccess = 10140,
  kErrNotClosed = 10160,
  kErrKeyNumber = 10164,
  kErrConsistency = 10170,
  kErrNoMatch = 10200,
  kErrLocked = 10205,
  kErrReindexFailed = 10215,
  kErrKeyToDelete = 10220,
  kErrDuplicateKey = 10230,
  kErrNoLargerKey = 10250,
  kErrNetworkInit = 10310,
  kErrSystemOpen = 10390,
  kErrAlreadyInitialised = 10450,
  kErrNotInitialised = 10455,
};

// System call numbers reported as "DOS Function" with 10140 and 10390; they
// keep the numbers of the classic file services so messages stay comparable.
enum TableSysCall : int {
  kSysCreate = 0x3C,
  kSysOpen = 0x3D,
  kSysClose = 0x3E,
  kSysRead = 0x3F,
  kSysWrite = 0x40,
  kSysDelete = 0x41,
  kSysSize = 0x42,
  kSysRename = 0x56,
  kSysCommit = 0x68,
};

// The fixed English text of an error number ("Unknown error" for numbers the
// store never reports).
std::string TableErrorText(int error);

// 1 user error, 2 locking, 3 no success, 4 hard error, 0 other.
int TableErrorClass(int error);

// "Error #N: text" with the system tail for 10140 and 10390.
std::string TableErrorMessage(int error, int dos_function, int dos_error);

class ETableException : public std::runtime_error {
 public:
  ETableException(int error, int dos_function = 0, int dos_error = 0);
  int Error() const { return error_; }
  int ErrorClass() const { return TableErrorClass(error_); }
  int DosFunction() const { return dos_function_; }
  int DosError() const { return dos_error_; }

 private:
  int error_;
  int dos_function_;
  int dos_error_;
};

class EUserError : public ETableException {
 public:
  using ETableException::ETableException;
};
class ELockingError : public ETableException {
 public:
  using ETableException::ETableException;
};
class ENoSuccess : public ETableException {
 public:
  using ETableException::ETableException;
};
class EHardError : public ETableException {
 public:
  using ETableException::ETableException;
};

// Records the failure in the engine state and raises the exception of its
// class.
[[noreturn]] void RaiseTableError(int error, int dos_function = 0, int dos_error = 0);

}  // namespace zelvora
