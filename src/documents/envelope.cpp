#include "documents/envelope.h"

#include <exception>

#include "documents/operator_cells.h"
#include "text/cp1252.h"
#include "values/converters.h"
#include "xml/schema_namespace.h"

namespace voske {

namespace {

constexpr TextView kXsiNamespace = "http://www.w3.org/2001/XMLSchema-instance";
constexpr TextView kSchemaFile = "/voskeComplexTypes.xsd";

}  // namespace

const Text& SchemaNamespace() {
  static const Text ns(kSchemaNamespace);
  return ns;
}

Text RootElementName(DocumentKind kind) {
  return kind == DocumentKind::Financeiro ? kFinancialRoot : kCadastralRoot;
}

Text RootStartTag(DocumentKind kind) {
  const Text& ns = SchemaNamespace();
  const Text location = ns + Text(kSchemaFile);
  // The financial document names the schema file alone; the registration
  // document gives the namespace and the file as a pair.
  const Text schemaLocation = kind == DocumentKind::Financeiro ? location : ns + " " + location;
  return "<" + RootElementName(kind) + " xmlns:oxr=\"" + ns + "\" xmlns:xsi=\"" + Text(kXsiNamespace) +
         "\" xsi:schemaLocation=\"" + schemaLocation + "\">";
}

std::unique_ptr<TXMLGenerator> OpenDocument(DocumentKind kind, const DocumentContext& ctx) {
  // Streamed into its file as it is built: a document of any size costs the
  // same memory, and a failure anywhere leaves nothing on disk.
  auto gen = std::make_unique<TXMLGenerator>(RootElementName(kind), RootStartTag(kind), Text(), ctx.outputPath);
  gen->SetLeafObserver(ctx.leafObserver);
  const SheetView sheet = ctx.sheets[SheetId::DadosCadastrais];
  const CellOrigin at[] = {{sheet.Name(), 3, 2}, {sheet.Name(), 5, 2}, {sheet.Name(), 6, 2}, {sheet.Name(), 7, 2}};

  gen->AddElement("oxr:identificador");
  gen->AddTextElement("oxr:registroOXR", ZeroPadCode(RegistrationNumberText(ctx.sheets), 6), at[1]);
  // The company name is cut to the schema's 60 characters, never refused.
  Text name = CompanyNameText(ctx.sheets).substr(0, 60);
  if (kind == DocumentKind::Financeiro) name = CleanText(name);
  gen->AddTextElement("oxr:razaoSocial", name, at[3]);
  gen->AddTextElement("oxr:CNPJ", ZeroPadCode(CnpjText(ctx.sheets), 14), at[2]);
  gen->AddTextElement("oxr:periodo", PeriodDate(ctx.sheets), at[0]);
  if (kind == DocumentKind::Financeiro)
    ctx.frontEnd.Status(Ansi("Status: Gerando os arquivos XML - Gerando VOSKE financeiros"));
  gen->AddTextElement("oxr:transacao", TransactionCodeOf(kind));
  // The password is hashed in upper case (letters a-z only), so the same
  // password typed in either case gives the same hash.
  gen->AddTextElement("oxr:hashPwd", TXMLGenerator::HashText(UpperAscii(ctx.passwordUpper)));
  gen->AddTextElement("oxr:apTrans", "AR" + RemoveAll(ctx.programVersion, '.'));
  gen->ReturnTo(RootElementName(kind));
  return gen;
}

void CloseDocument(TXMLGenerator& gen, DocumentKind kind, const DocumentContext& ctx) {
  if (kind == DocumentKind::Financeiro) ctx.frontEnd.Status(Ansi("Status: Gerando os arquivos XML - Gerando hash"));
  gen.ReturnTo(RootElementName(kind));
  gen.AddElement("oxr:epilogo");
  // Taken just before the hash element, so it covers every value before it;
  // the hash is the last value written, then the file is put in place.
  const Text hash = gen.ContentHash();
  gen.AddTextElement("oxr:hash", hash);
  if (ctx.deliverable && !ctx.deliverable()) return;  // dropped: its temporary file goes with it
  const std::string path = gen.SaveToFile(ctx.outputPath, ctx.nextName);
  if (ctx.saved) ctx.saved(path);
}

Text DocumentFailureMessage(DocumentKind kind, const Text& cause) {
  const char* document = kind == DocumentKind::Financeiro ? "Dados Financeiros" : "Dados Cadastrais";
  return Ansi("Não foi possível gerar o arquivo XML \"") + document + "\"." + CR + cause;
}

void BuildOrFail(DocumentKind kind, const std::function<void()>& build) {
  try {
    build();
  } catch (const EDocumentoNaoGerado&) {
    throw;
  } catch (const EVoske& e) {
    throw EDocumentoNaoGerado(DocumentFailureMessage(kind, e.Message()));
  } catch (const std::exception& e) {
    // Failures from below the system's own messages (the file system,
    // memory) carry a plain text of their own, in UTF-8; it is still the
    // best cause to show.
    throw EDocumentoNaoGerado(DocumentFailureMessage(kind, FromUtf8(e.what())));
  }
}

}  // namespace voske
