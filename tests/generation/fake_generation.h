#pragma once
// Doubles for the services of a generation: a workbook held in memory, a
// reader that logs every worksheet read, builders that write a small file
// where the real ones would save, and a fixed clock.
#include <ctime>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "generation/run_generation.h"
#include "sample_workbook.h"
#include "support/local_time.h"
#include "text/cp1252.h"
#include "workbook/worksheet_loader.h"

namespace voske::support {

// A "Dados Cadastrais" worksheet with the cells the load sequence reads:
// the reference date (a day serial in B3), the registration number (B5)
// and the operator's kind and sub-kind (B26, B27).
inline WorksheetArray CadastralSheet(int year, const Text& registration = "123456", const Text& kind = "MEDGR",
                                     const Text& subKind = "") {
  WorksheetArray a(30, 3);
  a.Mutable(3, 2) = Cell::MakeNumber(sample::DaySerial(year, 12, 31));
  a.Mutable(5, 2) = Cell::MakeText(registration);
  if (!kind.empty()) a.Mutable(26, 2) = Cell::MakeText(kind);
  if (!subKind.empty()) a.Mutable(27, 2) = Cell::MakeText(subKind);
  return a;
}

// What a builder was handed.
struct BuildCall {
  DocumentKind kind;
  std::string outputPath;
  Text passwordUpper;
  Text programVersion;
  std::vector<Text> loadedSheets;  // of every worksheet the fake workbook holds, those loaded
};

class FakeGeneration {
 public:
  FakeGeneration() {
    for (const char* name : {"Dados Cadastrais", "Listas", "Administradores", "Representantes", "Acionistas",
                             "Controladas", "Dependências", "Ativos Vinculados", "Ativos Vinculados Mantenedor",
                             "Fluxo De Caixa", "Idade de Saldos", "Lucros ou Prejuízos", "Solvência",
                             "Balancete Ativo", "Balancete Passivo", "Balancete Receita", "Balancete Despesa",
                             "Intercâmbio", "Corresponsabilidade", "Provisão", "Contratos Estipulados",
                             "Quadros Auxiliares Eventos", "Intercâmbio Eventual Receber",
                             "Intercâmbio Eventual Pagar", "IN_20"})
      sheets[Ansi(name)] = WorksheetArray(3, 1);
    sheets[Ansi("Dados Cadastrais")] = CadastralSheet(2013);
    build = [](const DocumentContext& ctx) { WriteFile(ctx.outputPath, "<documento/>"); };
  }

  static void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }

  // Makes reading worksheet `name` (UTF-8) throw what `thrower` throws.
  void FailOn(const char* name, std::function<void()> thrower) { failures[Ansi(name)] = std::move(thrower); }

  GenerationServices Services() {
    GenerationServices s;
    s.newReader = [this] {
      ++readersMade;
      return std::unique_ptr<WorksheetReader>(new Reader(*this, readersMade));
    };
    s.buildCadastral = [this](const DocumentContext& ctx) { Record(DocumentKind::Cadastral, ctx); };
    s.buildFinancial = [this](const DocumentContext& ctx) { Record(DocumentKind::Financeiro, ctx); };
    s.localTime = [this] { return now; };
    return s;
  }

  // Names (UTF-8) of the worksheets read, in order.
  std::vector<std::string> ReadNames() const {
    std::vector<std::string> names;
    for (const auto& r : reads) names.push_back(ToUtf8(r.sheet));
    return names;
  }

  struct Read {
    int reader;
    std::string path;
    Text sheet;
  };

  std::map<Text, WorksheetArray> sheets;
  std::map<Text, std::function<void()>> failures;
  std::function<void(const DocumentContext&)> build;
  std::tm now = LocalTime(2026, 12, 8, 10, 15, 30);
  int readersMade = 0;
  std::vector<Read> reads;
  std::vector<BuildCall> builds;

 private:
  class Reader : public WorksheetReader {
   public:
    Reader(FakeGeneration& owner, int id) : owner_(owner), id_(id) {}
    void LoadWorksheet(WorksheetArray& out, const std::string& path, const Text& sheetName) override {
      owner_.reads.push_back({id_, path, sheetName});
      if (auto f = owner_.failures.find(sheetName); f != owner_.failures.end()) f->second();
      auto it = owner_.sheets.find(sheetName);
      if (it == owner_.sheets.end()) throw ECarregaArquivo("no such worksheet");
      out = it->second;
    }

   private:
    FakeGeneration& owner_;
    int id_;
  };

  void Record(DocumentKind kind, const DocumentContext& ctx) {
    BuildCall call{kind, ctx.outputPath, ctx.passwordUpper, ctx.programVersion, {}};
    for (const auto& [name, array] : sheets) {
      for (std::size_t i = 0; i < kSheetCount; ++i) {
        const auto id = static_cast<SheetId>(i);
        if (SheetName(id) == name && ctx.sheets.Loaded(id)) call.loadedSheets.push_back(name);
      }
    }
    builds.push_back(std::move(call));
    build(ctx);
  }
};

}  // namespace voske::support
