// Error texts, classes and the messages the user sees.
#include <gtest/gtest.h>

#include "store/TableErrors.h"

namespace zelvora {
namespace {

TEST(TableErrorsTest, MessagesCarryNumberAndText) {
  const std::vector<std::pair<int, const char*>> cases = {
      {10010, "Error #10010: File defect, that can be corrected by reindexing"},
      {10020, "Error #10020: Record length less than 22 or more than 2147483647 bytes"},
      {10080, "Error #10080: Fileblock not open"},
      {10125, "Error #10125: Key too long"},
      {10160, "Error #10160: Fileblock not correctly closed"},
      {10200, "Error #10200: No matching key found"},
      {10230, "Error #10230: Cannot add duplicate key"},
      {10250, "Error #10250: No larger key found"},
      {10005, "Error #10005: Serious I/O error occurred while in save mode"},
      {10100, "Error #10100: Insufficient memory to allocate Fileblock"},
      {12345, "Error #12345: Unknown error"},
  };
  for (const auto& [error, message] : cases) {
    EXPECT_EQ(ETableException(error).what(), std::string(message));
  }
}

TEST(TableErrorsTest, SystemFailuresAddTheCallAndErrno) {
  EXPECT_EQ(std::string(ETableException(10140, 63, 5).what()),
            "Error #10140: Access not possible, undefined error\nDOS Function: 63, DOS Error: 5 "
            "(Input/output error)");
  EXPECT_EQ(TableErrorMessage(10390, kSysOpen, 2),
            "Error #10390: File could not be opened or created\nDOS Function: 61, DOS Error: 2 "
            "(No such file or directory)");
  EXPECT_EQ(TableErrorMessage(10140, kSysWrite, 28),
            "Error #10140: Access not possible, undefined error\nDOS Function: 64, DOS Error: 28 "
            "(No space left on device)");
  // No system error, no text for it.
  EXPECT_EQ(TableErrorMessage(10140, 0, 0),
            "Error #10140: Access not possible, undefined error\nDOS Function: 0, DOS Error: 0");
  // Other numbers never get the tail, whatever the system state says.
  EXPECT_EQ(TableErrorMessage(10070, 63, 5), "Error #10070: File read error");
}

TEST(TableErrorsTest, RaisedExceptionFollowsTheErrorClass) {
  auto raised_class = [](int error) -> std::string {
    try {
      RaiseTableError(error);
    } catch (const EUserError&) {
      return "user";
    } catch (const ELockingError&) {
      return "locking";
    } catch (const ENoSuccess&) {
      return "nosuccess";
    } catch (const EHardError&) {
      return "hard";
    } catch (const ETableException&) {
      return "base";
    }
    return "none";
  };
  EXPECT_EQ(raised_class(10020), "user");
  EXPECT_EQ(raised_class(10080), "user");
  EXPECT_EQ(raised_class(10125), "user");
  EXPECT_EQ(raised_class(10205), "locking");
  EXPECT_EQ(raised_class(10200), "nosuccess");
  EXPECT_EQ(raised_class(10230), "nosuccess");
  EXPECT_EQ(raised_class(10010), "hard");
  EXPECT_EQ(raised_class(10160), "hard");
  EXPECT_EQ(raised_class(99999), "base");
  try {
    RaiseTableError(10230);
  } catch (const ETableException& error) {
    EXPECT_EQ(error.ErrorClass(), 3);
    EXPECT_EQ(error.Error(), 10230);
  }
}

}  // namespace
}  // namespace zelvora
