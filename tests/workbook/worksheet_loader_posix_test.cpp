// The worksheet reader on POSIX systems: a read-only workbook is opened once,
// read even after it is moved away, and left with its bytes and its
// modification time as they were.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include <sys/stat.h>

#include "support/paths.h"
#include "workbook/package_writer.h"
#include "workbook/worksheet_loader.h"

namespace voske {
namespace worksheet_loader_posix_test {
namespace {

using voske::support::ScratchDir;

std::string SampleBook(const ScratchDir& dir) {
  const std::string path = (dir / "planilha.xlsx").string();
  support::WriteZip(path, support::Package(
                              {{"Dados Cadastrais", support::SheetXml("<row r=\"5\"><c r=\"B5\" t=\"inlineStr\"><is>"
                                                                      "<t>12345-6</t></is></c></row>")},
                               {"Listas", support::SheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>")}}));
  return path;
}

TEST(TUtil, OpensTheWorkbookOnceReadOnlyAndLeavesItUnchanged) {
  ScratchDir dir;
  const std::string book = SampleBook(dir);
  std::ifstream before(book, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(before)), std::istreambuf_iterator<char>());
  ASSERT_EQ(::chmod(book.c_str(), 0444), 0);  // a read-only file reads as well
  struct stat st1 {};
  ASSERT_EQ(::stat(book.c_str(), &st1), 0);

  TUtil util;
  WorksheetArray cadastro, listas;
  util.LoadWorksheet(cadastro, book, "dados cadastrais");
  // The open workbook serves the next worksheet without opening the file
  // again: even with the file gone from the folder, it is still read.
  const std::string moved = (dir / "movida.xlsx").string();
  ASSERT_EQ(std::rename(book.c_str(), moved.c_str()), 0);
  util.LoadWorksheet(listas, book, "LISTAS");
  EXPECT_EQ(cadastro.TextAt(5, 2), "12345-6");
  EXPECT_EQ(listas.TextAt(1, 1), "1");

  struct stat st2 {};
  ASSERT_EQ(::stat(moved.c_str(), &st2), 0);
  EXPECT_EQ(st1.st_mtim.tv_sec, st2.st_mtim.tv_sec);
  EXPECT_EQ(st1.st_mtim.tv_nsec, st2.st_mtim.tv_nsec);
  std::ifstream after(moved, std::ios::binary);
  EXPECT_EQ(bytes, std::string((std::istreambuf_iterator<char>(after)), std::istreambuf_iterator<char>()));
}


}  // namespace
}  // namespace worksheet_loader_posix_test
}  // namespace voske
