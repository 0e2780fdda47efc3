#include "workbook/worksheet_loader.h"

#include <new>

#include "text/cp1252.h"

namespace voske {

namespace {

// The first line of the message: the problem in the user's words.
Text FirstLine(ReaderError::Kind kind, const Text& sheetName) {
  switch (kind) {
    case ReaderError::Kind::FileNotFound:
      return Ansi("O arquivo da planilha não foi encontrado ou não pôde ser aberto para leitura.");
    case ReaderError::Kind::NotAWorkbook:
      return Ansi("O arquivo informado não é uma pasta de trabalho (.xlsx, .xlsm, .xls ou .ods).");
    case ReaderError::Kind::SheetNotFound:
      return Ansi("A planilha \"") + sheetName + Ansi("\" não foi encontrada na pasta de trabalho.");
    case ReaderError::Kind::Corrupt:
      return Ansi("A pasta de trabalho está corrompida ou danificada e não pôde ser lida.");
    case ReaderError::Kind::Encrypted:
      return Ansi("A pasta de trabalho está protegida por senha de abertura (criptografada); "
                  "remova a senha no Excel e tente novamente.");
    case ReaderError::Kind::Unsupported:
      return Ansi("O formato desta pasta de trabalho não é suportado; "
                  "salve-a no Excel como Pasta de Trabalho do Excel (.xlsx).");
    case ReaderError::Kind::TooLarge:
      return Ansi("A pasta de trabalho excede os limites do Excel ou do leitor e não pôde ser lida.");
  }
  return Ansi("A pasta de trabalho não pôde ser lida.");
}

[[noreturn]] void Fail(ReaderError::Kind kind, const Text& sheetName, const std::string& path) {
  throw LoadError(kind, sheetName, path);
}

}  // namespace

ECarregaArquivo LoadError(ReaderError::Kind kind, const Text& sheetName, const std::string& path) {
  // No worksheet named yet (the file itself failed while listing all of
  // them): no line for it, rather than an empty one.
  const Text sheetLine = sheetName.empty() ? Text() : sheetName + CR;
  // The workbook is read directly, so the advice is about the file itself.
  return ECarregaArquivo(FirstLine(kind, sheetName) + CR + sheetLine + Ansi("Arquivo: ") + FromUtf8(path) + CR +
                         Ansi("Confira se o arquivo é a Planilha Padrão (.xlsx, .xlsm, .xls ou .ods) e tente "
                              "novamente."));
}

void TUtil::LoadWorksheet(WorksheetArray& out, const std::string& path, const Text& sheetName) {
  try {
    if (!book_ || openPath_ != path) {
      book_.reset();
      heldCells_ = 0;
      book_ = OpenWorkbookFile(path);
      openPath_ = path;
    }
    WorksheetArray array = book_->ReadSheet(sheetName);
    if (array.StoredCells() > cellBudget_ - heldCells_)
      throw ReaderError(ReaderError::Kind::TooLarge, "worksheets read hold more cells than one generation accepts");
    heldCells_ += array.StoredCells();
    out = std::move(array);
  } catch (const ReaderError& e) {
    Fail(e.kind(), sheetName, path);
  } catch (const std::bad_alloc&) {
    Fail(ReaderError::Kind::TooLarge, sheetName, path);
  } catch (const std::exception&) {
    // Nothing else should escape a reader; if it does, the file is what the
    // reader could not make sense of.
    Fail(ReaderError::Kind::Corrupt, sheetName, path);
  }
}

}  // namespace voske
