#include "generation/output_name.h"

#include <chrono>
#include <cstdio>

#include "platform/file_system.h"
#include "text/cp1252.h"
#include "text/error.h"

namespace voske {

Text FileTimestamp(const std::tm& when) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d_%02d%02d%02d", when.tm_year + 1900, when.tm_mon + 1, when.tm_mday,
                when.tm_hour, when.tm_min, when.tm_sec);
  return buf;
}

Text OutputFileName(DocumentKind document, const Text& registrationCell, const std::tm& when) {
  // Control characters pasted into the cell are left out, as they are from
  // the document: a line break or an escape sequence in a file name would
  // break the scripts that list the folder and act on the terminal that
  // shows its path.
  const Text number = RemoveAll(WithoutAnyControlCharacter(registrationCell), '-');
  if (number.find_first_of("/\\") != Text::npos)
    throw EGenerica(Ansi("O registro na OXR \"") + number +
                    Ansi("\" (célula B5 de Dados Cadastrais) não pode fazer parte do nome do arquivo XML."));
  const char* middle = document == DocumentKind::Cadastral ? "_CADASTRAL_" : "_FINANCEIRO_";
  return number + middle + FileTimestamp(when) + ".xml";
}

std::tm NextSecond(const std::tm& when) {
  using namespace std::chrono;
  const sys_days day = year_month_day{year(when.tm_year + 1900), month(static_cast<unsigned>(when.tm_mon + 1)),
                                      std::chrono::day(static_cast<unsigned>(when.tm_mday))};
  const sys_seconds next = day + hours(when.tm_hour) + minutes(when.tm_min) + seconds(when.tm_sec + 1);
  const sys_days nextDay = floor<days>(next);
  const year_month_day date(nextDay);
  const hh_mm_ss time(next - nextDay);
  std::tm out{};
  out.tm_year = static_cast<int>(date.year()) - 1900;
  out.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
  out.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
  out.tm_hour = static_cast<int>(time.hours().count());
  out.tm_min = static_cast<int>(time.minutes().count());
  out.tm_sec = static_cast<int>(time.seconds().count());
  out.tm_wday = static_cast<int>(weekday(nextDay).c_encoding());
  return out;
}

// The folder as typed, then the system's own separator: the path is shown to
// the user as it stands, and on Windows "saida/nome.xml" would look broken.
std::string OutputPathFor(const std::string& folder, const Text& fileName) {
  return folder + platform::PathSeparator() + ToUtf8(fileName);
}

}  // namespace voske
