#include "transmission/java_vm.h"

#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "platform/code_pages.h"
#include "platform/file_system.h"
#include "platform/java_install.h"
#include "platform/locale.h"
#include "platform/package_layout.h"
#include "platform/process.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "transmission/java_vm_handle.h"

namespace voske {

namespace {

// The process-wide VM: the library it came from stays loaded, and the option
// text stays alive, for as long as the process runs.
struct ProcessVm {
  std::unique_ptr<TJavaVM> library;
  std::vector<std::unique_ptr<TJavaVM>> refusedLibraries;
  std::string classPathOption;
  JavaVMOption option{};
  JavaVMInitArgs args{};
  JavaVM* vm = nullptr;
};

ProcessVm& TheVm() {
  static ProcessVm* vm = new ProcessVm();  // never destroyed: the VM outlives every static
  return *vm;
}

void EnterClientFolder(const std::string& clientFolder) {
  if (const int error = platform::SetCurrentFolder(clientFolder); error != 0) {
    throw EVoske(Ansi("Não foi possível entrar na pasta ") + FromUtf8(clientFolder) + ": " +
                 FromUtf8(std::strerror(error)));
  }
}

// Creates the VM, or takes the one that already runs in this process (the
// invocation interface allows only one per process). Returns the creation result.
jint CreateOrReuse(const JavaRuntime& runtime, const std::string& clientFolder) {
  ProcessVm& p = TheVm();
  if (p.vm) return EnvironmentForThread(p.vm) ? JNI_OK : JNI_ERR;

  auto library = std::make_unique<TJavaVM>(Trim(runtime.libraryPath), kJniVersion);
  if (JavaVM* running = library->CreatedJavaVM()) {
    p.vm = running;
    p.library = std::move(library);
    return EnvironmentForThread(p.vm) ? JNI_OK : JNI_ERR;
  }

  // File and folder paths are UTF-8 throughout the program; the VM must open
  // a document or write a receipt in a folder named with an accent.
  platform::PreferUtf8FileNames();
  // The VM reads its options in the system's narrow encoding.
  p.classPathOption = platform::ToSystemNarrow(ClassPathOption(clientFolder));
  p.option.optionString = p.classPathOption.data();
  p.option.extraInfo = nullptr;
  p.args.version = kJniVersion;
  p.args.nOptions = 1;
  p.args.options = &p.option;
  p.args.ignoreUnrecognized = JNI_FALSE;
  JavaVM* vm = nullptr;
  JNIEnv* env = nullptr;
  // The VM adopts the environment's locale for the whole process while it
  // starts; the program's own conversions must not change with it.
  jint result;
  {
    const platform::ProgramLocaleKept kept;
    result = library->CreateJavaVM(&vm, &env, &p.args);
  }
  // Kept loaded even after a failed creation: the runtime may have left
  // threads or signal handlers behind, and unloading its code under them
  // would crash the process later.
  if (result >= 0) {
    p.vm = vm;
    p.library = std::move(library);
  } else {
    p.refusedLibraries.push_back(std::move(library));
  }
  return result;
}

}  // namespace

std::string ClientFolderBeside(const std::string& executableFolder) {
  const char separator = platform::PathSeparator();
  std::string folder = executableFolder;
  if (folder.empty() || (folder.back() != '/' && folder.back() != separator)) folder += separator;
  // Built as folder + "/ext/VOSKE/" less its last character, as it always was;
  // the doubled separator is harmless.
  std::string client = folder + separator + "ext" + separator + "VOSKE" + separator;
  client.pop_back();
  return client;
}

std::string CodeFolder() {
  const std::string module = platform::CodeModulePath();
  return module.empty() ? std::string(".") : platform::ParentFolder(module);
}

std::string DefaultClientFolder() {
  if (std::optional<std::string> env = platform::EnvironmentVariable("VOSKE_CLIENT_DIR"); env && !env->empty())
    return *env;
  // Neither place holding the client, the folder beside the code is named in
  // the messages that follow, as it always was.
  return ClientFolderBeside(platform::PackageFolderHolding(CodeFolder(), "ext/VOSKE/VOSKEClient.jar"));
}

std::string ClassPathOption(const std::string& clientFolder) {
  const std::string d = platform::ClassPathFormOf(clientFolder);
  const char s = platform::ClassPathSeparator();
  std::string option = "-Djava.class.path=" + d + s + d + "/VOSKEClient.jar";
  for (const char* jar : {"jaxws-api.jar", "classes12.jar", "FastInfoset.jar", "http.jar", "jaxb-api.jar",
                          "jaxb-impl.jar", "jaxb-xjc.jar", "activation.jar", "jaxws-rt.jar", "jsr173_api.jar",
                          "jjsr181-api.jar", "jsr250-api.jar", "ocrs12.jar", "saaj-api.jar", "saaj-impl.jar",
                          "sjsxp.jar", "JNIMain.class"}) {
    option += s;
    option += jar;
  }
  return option;
}

Text RuntimeMissingMessage(const JavaRuntime& runtime) {
  return Ansi("Não foi possível localizar a instalação do Java 1.6 (Java Runtime Environment).") + CR +
         Ansi("Desta forma o aplicativo não poderá transmitir os arquivos para a OXR.") + CR +
         Ansi("Verifique o manual para maiores detalhes.") + CR + Ansi("Versão encontrada: ") +
         runtime.version.substr(0, 3) + " " + FromUtf8(Trim(runtime.libraryPath));
}

JavaVM* StartJavaVM(const JavaRuntime& runtime, const std::string& clientFolder, FrontEnd& frontEnd) {
  if (Trim(runtime.libraryPath).empty() || !IsUsableJavaVersion(runtime.version)) {
    frontEnd.ShowMessage(RuntimeMissingMessage(runtime), MessageIcon::Information, Ansi("Erro"));
    return nullptr;
  }
  jint result = -1;
  try {
    EnterClientFolder(clientFolder);
    result = CreateOrReuse(runtime, clientFolder);
  } catch (const EVoske& e) {
    frontEnd.ShowError(Ansi("Erro ao tentar utilizar a Máquina Virtual Java:") + CR + e.Message());
  }
  if (result < 0) {
    frontEnd.ShowError(
        Ansi("Não foi possível criar uma instância da Maquina Virtual Java. Desta forma não será possivel "
             "transmitir os arquivos gerados."));
    return nullptr;
  }
  return TheVm().vm;
}

bool JavaVmRunning() { return TheVm().vm != nullptr; }

JNIEnv* EnvironmentForThread(JavaVM* vm, bool* attached) {
  if (attached) *attached = false;
  if (!vm) return nullptr;
  void* env = nullptr;
  const jint got = vm->GetEnv(&env, kJniVersion);
  if (got == JNI_OK) return static_cast<JNIEnv*>(env);
  if (got == JNI_EDETACHED && vm->AttachCurrentThread(&env, nullptr) == JNI_OK) {
    if (attached) *attached = true;
    return static_cast<JNIEnv*>(env);
  }
  return nullptr;
}

}  // namespace voske
