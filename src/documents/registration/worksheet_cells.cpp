// Worksheet names and cell access shared by the registration sections.
#include "documents/registration/cadastral_sections.h"

#include "text/cp1252.h"

namespace voske {

const Text& SheetDadosCadastrais() { static const Text n = "Dados Cadastrais"; return n; }
const Text& SheetListas() { static const Text n = "Listas"; return n; }
const Text& SheetAdministradores() { static const Text n = "Administradores"; return n; }
const Text& SheetRepresentantes() { static const Text n = "Representantes"; return n; }
const Text& SheetAcionistas() { static const Text n = "Acionistas"; return n; }
const Text& SheetControladas() { static const Text n = "Controladas"; return n; }
const Text& SheetDependencias() { static const Text n = Ansi("Dependências"); return n; }

const Cell& CellRef(const WorksheetArray& sheet, std::string_view a1) {
  int column = 0;
  std::size_t i = 0;
  while (i < a1.size() && a1[i] >= 'A' && a1[i] <= 'Z') column = column * 26 + (a1[i++] - 'A' + 1);
  int row = 0;
  while (i < a1.size() && a1[i] >= '0' && a1[i] <= '9') row = row * 10 + (a1[i++] - '0');
  return sheet.At(row, column);
}

Text CellAt(const WorksheetArray& sheet, std::string_view a1) { return CellText(CellRef(sheet, a1)); }

Text FirstChars(const Text& text, std::size_t count) { return text.substr(0, count); }

}  // namespace voske
