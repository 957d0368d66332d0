// Russian texts of the system errors a user meets with files.
#include "core/base/system_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tavrel {
namespace {

TEST(SystemErrorTextTest, CommonErrorsAreRussianOthersKeepTheirNumber) {
  const std::pair<int, const char*> cases[] = {{ENOENT, "нет такого файла или каталога"},
                                               {EACCES, "нет доступа"},
                                               {ENOSPC, "на устройстве не осталось места"},
                                               {EROFS, "файловая система только для чтения"}};
  for (const auto& [errnum, text] : cases) EXPECT_EQ(SystemErrorText(errnum), text) << errnum;
  EXPECT_NE(SystemErrorText(EPROTO).find("(" + std::to_string(EPROTO) + ")"), std::string::npos);
}

}  // namespace
}  // namespace tavrel
