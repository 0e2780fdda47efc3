#include "transmission/java_vm.h"

#include <dlfcn.h>
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "text/cp1252.h"
#include "text/error.h"
#include "text/package_layout.h"
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
  if (::chdir(clientFolder.c_str()) != 0) {
    const int error = errno;
    throw EVoske(Ansi("Não foi possível entrar na pasta ") + FromUtf8(clientFolder) + ": " +
                 FromUtf8(std::strerror(error)));
  }
}

// File and folder paths are UTF-8 throughout the program. The VM takes the
// encoding of file names from the environment's locale when it starts; under
// a locale that is not UTF-8 (no LANG at all, as in scheduled jobs, or
// LANG=C) it could not open a document or write a receipt in a folder named
// with an accent. The character type alone is switched to UTF-8 for it;
// every other category keeps what the user chose.
void PreferUtf8FileNames() {
  locale_t environment = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
  const bool utf8 = environment && std::strcmp(::nl_langinfo_l(CODESET, environment), "UTF-8") == 0;
  if (environment) ::freelocale(environment);
  if (utf8) return;
  if (const char* all = std::getenv("LC_ALL"); all && *all) {
    // LC_ALL would override the character type: its choice moves to LANG,
    // which every category without a variable of its own still follows.
    ::setenv("LANG", all, 1);
    ::unsetenv("LC_ALL");
  }
  ::setenv("LC_CTYPE", "C.UTF-8", 1);
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

  PreferUtf8FileNames();
  p.classPathOption = ClassPathOption(clientFolder);
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
  const char* current = ::setlocale(LC_ALL, nullptr);
  const std::string programLocale = current ? current : "C";
  const jint result = library->CreateJavaVM(&vm, &env, &p.args);
  ::setlocale(LC_ALL, programLocale.c_str());
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
  std::string folder = executableFolder;
  if (folder.empty() || folder.back() != '/') folder += '/';
  // Built as folder + "/ext/VOSKE/" less its last character, as it always was;
  // the doubled separator is harmless.
  std::string client = folder + "/ext/VOSKE/";
  client.pop_back();
  return client;
}

std::string CodeFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&CodeFolder), &info) != 0 && info.dli_fname && info.dli_fname[0] == '/') {
    const std::filesystem::path module = std::filesystem::weakly_canonical(info.dli_fname, ec);
    if (!ec && !module.empty()) return module.parent_path().string();
  }
  return exe.empty() ? std::string(".") : exe.parent_path().string();
}

std::string DefaultClientFolder() {
  if (const char* env = std::getenv("VOSKE_CLIENT_DIR"); env && *env) return env;
  // Neither place holding the client, the folder beside the code is named in
  // the messages that follow, as it always was.
  return ClientFolderBeside(PackageFolderHolding(CodeFolder(), "ext/VOSKE/VOSKEClient.jar").string());
}

std::string ClassPathOption(const std::string& clientFolder) {
  // The platform's form of the folder is already the class path's form.
  const std::string& d = clientFolder;
  return "-Djava.class.path=" + d + ":" + d + "/VOSKEClient.jar:" + "jaxws-api.jar:" + "classes12.jar:" +
         "FastInfoset.jar:" + "http.jar:" + "jaxb-api.jar:" + "jaxb-impl.jar:" + "jaxb-xjc.jar:" +
         "activation.jar:" + "jaxws-rt.jar:" + "jsr173_api.jar:" + "jjsr181-api.jar:" + "jsr250-api.jar:" +
         "ocrs12.jar:" + "saaj-api.jar:" + "saaj-impl.jar:" + "sjsxp.jar:" + "JNIMain.class";
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
