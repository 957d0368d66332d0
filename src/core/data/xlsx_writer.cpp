#include "core/data/xlsx_writer.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/base/errors.h"
#include "core/base/system_error_text.h"
#include "core/data/csv_reader.h"
#include "core/data/data_table_writer.h"
#include "core/data/dataset.h"
#include "core/data/observation_dates.h"

namespace tavrel {

namespace {

[[noreturn]] void LibraryFailure(lxw_error error) {
  throw InOutError(std::string("Не удаётся записать книгу Excel: ") + lxw_strerror(error));
}

// A scratch file of the library's, removed however the writing ends.
struct ScratchFile {
  std::string path;
  ~ScratchFile() {
    if (!path.empty()) std::remove(path.c_str());
  }
};

}  // namespace

std::string XlsxTableBytes(const DataSet& d) {
  RefuseUnsavableTable(d, kMaxCsvColumns);
  ScratchFile scratch;
  scratch.path = (std::filesystem::temp_directory_path() / "tavrel-table-XXXXXX").string();
  const int fd = mkstemp(scratch.path.data());
  if (fd < 0) {
    const int err = errno;
    scratch.path.clear();
    throw InOutError("Не удаётся создать временный файл книги Excel: " + SystemErrorText(err));
  }
  close(fd);

  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;  // rows go to the file as they are written
  lxw_workbook* book = workbook_new_opt(scratch.path.c_str(), &options);
  if (book == nullptr) throw InOutError("Не удаётся создать книгу Excel: недостаточно памяти");
  lxw_worksheet* sheet = workbook_add_worksheet(book, "Данные");
  lxw_error error = sheet == nullptr ? LXW_ERROR_MEMORY_MALLOC_FAILED : LXW_NO_ERROR;
  // The dates, when there are any, in column A as date cells; an observation
  // without a date leaves its cell empty.
  const bool dated = AnyDate(d.Dates);
  const lxw_col_t first = dated ? 1 : 0;
  lxw_format* dateFormat = nullptr;
  if (dated && error == LXW_NO_ERROR) {
    bool times = false;
    for (const double date : d.Dates) times = times || (!std::isnan(date) && date != std::floor(date));
    dateFormat = workbook_add_format(book);
    format_set_num_format(dateFormat, times ? "yyyy-mm-dd hh:mm:ss" : "yyyy-mm-dd");
    error = worksheet_write_string(sheet, 0, 0, "Дата", nullptr);
  }
  for (int v = 0; v <= d.LastVar && error == LXW_NO_ERROR; ++v)
    error = worksheet_write_string(sheet, 0, first + static_cast<lxw_col_t>(v), d.VarNames[v].c_str(), nullptr);
  for (std::int32_t j = 0; j <= d.LastObs && error == LXW_NO_ERROR; ++j) {
    const auto row = static_cast<lxw_row_t>(j + 1);
    if (dated && !std::isnan(d.Dates[j])) error = worksheet_write_number(sheet, row, 0, d.Dates[j], dateFormat);
    for (int v = 0; v <= d.LastVar && error == LXW_NO_ERROR; ++v) {
      error = worksheet_write_number(sheet, row, first + static_cast<lxw_col_t>(v), d.DataValues[v][j], nullptr);
    }
  }
  const lxw_error closed = workbook_close(book);  // frees the workbook in every case
  if (error != LXW_NO_ERROR) LibraryFailure(error);
  if (closed != LXW_NO_ERROR) LibraryFailure(closed);

  std::ifstream in(scratch.path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) throw InOutError("Не удаётся прочитать временный файл книги Excel " + scratch.path);
  return bytes;
}

}  // namespace tavrel
