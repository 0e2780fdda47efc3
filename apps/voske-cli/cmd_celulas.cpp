// voske-cli celulas: shows exactly what the reader finds in a workbook, one
// line per non-empty cell, so a user can check what a generation will read.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "options.h"
#include "terminal.h"
#include "text/cp1252.h"
#include "workbook/cell_listing.h"
#include "workbook/worksheet_loader.h"
#include "workbook/workbook_file.h"

namespace voske::cli {
namespace {

constexpr const char* kUsage = "Uso: voske-cli celulas --planilha ARQUIVO [--aba NOME]\n";

constexpr const char* kHelp =
    "Mostra as células que o VOSKE-XML lê da pasta de trabalho (.xlsx, .xlsm, .xls ou .ods),\n"
    "de uma planilha (--aba) ou de todas, na ordem da pasta de trabalho.\n"
    "\n"
    "Saída, uma linha por item, separada por tabulações:\n"
    "  sheet  NOME                     início de uma planilha\n"
    "  LINHA  COLUNA  TIPO  VALOR      uma célula não vazia (linha e coluna a partir de 1)\n"
    "TIPO: n número (datas como número de série), s texto, b lógico (1 ou 0), e erro (#N/D...).\n"
    "Nos textos, \\\\ \\t \\n e \\r representam barra invertida, tabulação e quebras de linha.\n"
    "\n"
    "Opções:\n"
    "  --planilha ARQUIVO   a pasta de trabalho a ler (obrigatória)\n"
    "  --aba NOME           só a planilha NOME (sem diferenciar maiúsculas e minúsculas)\n"
    "  --help               mostra esta ajuda\n"
    "\n"
    "Saída 0 quando tudo foi lido; 1 quando a leitura falhou (a mensagem vai para a saída\n"
    "de erros); 2 quando as opções estão erradas.\n";

constexpr OptionSpec kOptions[] = {{"--planilha", "ARQUIVO", true}, {"--aba", "NOME"}};
constexpr CommandSyntax kSyntax{"celulas", kUsage, kHelp, kOptions};

void Write(const std::string& s) { std::fwrite(s.data(), 1, s.size(), stdout); }

int Run(const std::vector<std::string>& args) {
  ParsedOptions o;
  if (const std::optional<int> status = ReadOptions(kSyntax, args, o)) return *status;
  const std::string& path = o.Value("--planilha");
  const bool haveSheet = o.Has("--aba");
  const Text sheet = FromUtf8(o.Value("--aba"));

  try {
    std::unique_ptr<WorkbookFile> book;
    try {
      book = OpenWorkbookFile(path);
    } catch (const ReaderError& e) {
      throw LoadError(e.kind(), sheet, path);
    }
    // The worksheets to list: the one asked for, under the name the workbook
    // gives it, or all of them in workbook order.
    std::vector<std::size_t> which;
    if (haveSheet) {
      const auto index = book->FindSheet(sheet);
      if (!index) throw LoadError(ReaderError::Kind::SheetNotFound, sheet, path);
      which.push_back(*index);
    } else {
      for (std::size_t i = 0; i < book->SheetNames().size(); ++i) which.push_back(i);
    }
    for (std::size_t i : which) {
      const Text name = book->SheetNames()[i];
      WorksheetArray array;
      try {
        array = book->ReadSheet(i);
      } catch (const ReaderError& e) {
        throw LoadError(e.kind(), name, path);
      }
      WriteCellListing(name, array, Write);
    }
  } catch (const ECarregaArquivo& e) {
    std::fflush(stdout);
    PrintError(e.Message());
    return kExitFailure;
  } catch (const std::bad_alloc&) {
    std::fflush(stdout);
    PrintError(LoadError(ReaderError::Kind::TooLarge, sheet, path).Message());
    return kExitFailure;
  }
  std::fflush(stdout);
  return kExitOk;
}

const bool kRegistered = RegisterCommand(
    {"celulas", "mostra as células lidas de uma pasta de trabalho (uma planilha ou todas)", Run, 50});

}  // namespace
}  // namespace voske::cli
