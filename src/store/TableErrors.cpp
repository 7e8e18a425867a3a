#include "store/TableErrors.h"

#include <cstdio>
#include <cstring>

#include "store/Engine.h"

namespace zelvora {

namespace {

struct ErrorRow {
  int first;
  int last;
  int error_class;
  const char* text;
};

// Texts of the numbers above 10390 and of 10011, 10136 to 10138, 10390 are the
// store's own; the rest are the classic texts the survey database shows.
constexpr ErrorRow kErrors[] = {
    {10000, 10000, 1, "Page buffer is smaller than MaxHeight"},
    {10001, 10009, 4, "Serious I/O error occurred while in save mode"},
    {10010, 10010, 4, "File defect, that can be corrected by reindexing"},
    {10011, 10011, 4, "Index does not match its data file, that can be corrected by reindexing"},
    {10020, 10020, 1, "Record length less than 22 or more than 2147483647 bytes"},
    {10030, 10030, 4, "Insufficient memory"},
    {10050, 10050, 1, "Invalid number of keys specified"},
    {10055, 10055, 1, "Key too long"},
    {10060, 10060, 4, "Too many keys, or file read error"},
    {10065, 10065, 1, "Attempt to write to read only Fileblock"},
    {10070, 10070, 4, "File read error"},
    {10075, 10075, 4, "File write error"},
    {10080, 10080, 1, "Fileblock not open"},
    {10090, 10090, 4, "Insufficient memory to allocate Fileblock"},
    {10100, 10100, 4, "Insufficient memory to allocate Fileblock"},
    {10110, 10110, 4, "Drive not ready"},
    {10121, 10121, 1, "MaxKeyLen too small"},
    {10122, 10122, 1, "MaxPageSize too small"},
    {10125, 10125, 1, "Key too long"},
    {10130, 10130, 1, "Record 0 must not be accessed"},
    {10135, 10135, 1, "Record 0 must not be accessed"},
    {10136, 10136, 1, "Record number beyond the end of the data file"},
    {10137, 10137, 1, "Record buffer does not match the record length"},
    {10138, 10138, 1, "Record is deleted"},
    {10140, 10140, 4, "Access not possible, undefined error"},
    {10160, 10160, 4, "Fileblock not correctly closed"},
    {10164, 10164, 1, "Invalid key number"},
    {10170, 10170, 4, "Consistency of Fileblock endangered"},
    {10180, 10180, 4, "Attempt to repair Fileblock failed"},
    {10200, 10200, 3, "No matching key found"},
    {10205, 10205, 2, "Data record is currently locked"},
    {10210, 10210, 3, "No key found and no larger keys available"},
    {10215, 10215, 4, "Reindex failed, the data file is inconsistent"},
    {10220, 10220, 3, "Key to delete was not found"},
    {10230, 10230, 3, "Cannot add duplicate key"},
    {10240, 10240, 3, "No larger key found"},
    {10250, 10250, 3, "No larger key found"},
    {10255, 10255, 1, "Sequential access not allowed"},
    {10260, 10260, 3, "No smaller key found"},
    {10265, 10265, 1, "Sequential access not allowed"},
    {10270, 10270, 3, "No matching key and record number found"},
    {10275, 10275, 3, "No matching reference found"},
    {10306, 10306, 2, "Too many Fileblock accesses"},
    {10310, 10310, 4, "Network initialization error"},
    {10315, 10315, 4, "Network exit error"},
    {10390, 10390, 4, "File could not be opened or created"},
    {10450, 10450, 1, "Record store is already initialised"},
    {10455, 10455, 1, "Record store is not initialised"},
};

const ErrorRow* FindRow(int error) {
  for (const ErrorRow& row : kErrors) {
    if (error >= row.first && error <= row.last) return &row;
  }
  return nullptr;
}

}  // namespace

std::string TableErrorText(int error) {
  const ErrorRow* row = FindRow(error);
  return row != nullptr ? row->text : "Unknown error";
}

int TableErrorClass(int error) {
  const ErrorRow* row = FindRow(error);
  return row != nullptr ? row->error_class : 0;
}

std::string TableErrorMessage(int error, int dos_function, int dos_error) {
  std::string message = "Error #" + std::to_string(error) + ": " + TableErrorText(error);
  if (error == kErrAccess || error == kErrSystemOpen) {
    char tail[80];
    std::snprintf(tail, sizeof tail, "\nDOS Function: %d, DOS Error: %d", dos_function, dos_error);
    message += tail;
    // The number alone tells a person nothing; the system's text does.
    if (dos_error > 0) message += std::string(" (") + std::strerror(dos_error) + ")";
  }
  return message;
}

ETableException::ETableException(int error, int dos_function, int dos_error)
    : std::runtime_error(TableErrorMessage(error, dos_function, dos_error)),
      error_(error),
      dos_function_(dos_function),
      dos_error_(dos_error) {}

void RaiseTableError(int error, int dos_function, int dos_error) {
  RecordEngineFailure(error, dos_function, dos_error);
  switch (TableErrorClass(error)) {
    case 1:
      throw EUserError(error, dos_function, dos_error);
    case 2:
      throw ELockingError(error, dos_function, dos_error);
    case 3:
      throw ENoSuccess(error, dos_function, dos_error);
    case 4:
      throw EHardError(error, dos_function, dos_error);
    default:
      throw ETableException(error, dos_function, dos_error);
  }
}

}  // namespace zelvora
