// voske-screenshots.exe: renders the Windows windows and dialogs to PNG for
// the README (docs/windows/), under wine with a window manager
// (scripts/screenshots). The windows are shown as a user sees them, and a
// second thread takes each picture from the screen once it has painted, then
// closes the window the way a user would.
#include "entry-win32/form.h"  // windows.h before the system's other headers

#include <commctrl.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/program_arguments.h"
#include "sample_findings.h"
#include "entry-win32/control_ids.h"
#include "entry-win32/main_form.h"
#include "entry-win32/message_dialog.h"
#include "entry-win32/window_front_end.h"
#include "generation/run_generation.h"
#include "platform/process.h"
#include "platform/utf8_path.h"
#include "port/transmission_port.h"
#include "text/cp1252.h"

namespace {

using namespace voske;
namespace id = voske::win32::control;
namespace fs = std::filesystem;

// The pictures show the window as it looks with Java 17 installed and the
// VM started, which the machine that draws them has no need of.
class PictureTransmission : public TransmissionPort {
 public:
  Text JavaVersion() override { return "17"; }
  bool StartJavaVM(FrontEnd&) override { return true; }
  void SendDocument(const SendRequest&, FrontEnd&) override {}
};

void Put32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xff);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
  Put32(png, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  png += body;
  Put32(png, static_cast<uint32_t>(::crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

// The screen's pixels under `window` (its frame included), as a PNG file.
bool SavePicture(HWND window, const fs::path& file) {
  RECT r;
  ::GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  ::SelectObject(memory, old);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<unsigned char> bgra(static_cast<size_t>(width) * height * 4);
  ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), bgra.data(), &info, DIB_RGB_COLORS);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);

  std::string raw;
  raw.reserve(static_cast<size_t>(height) * (width * 3 + 1));
  for (int y = 0; y < height; ++y) {
    raw += '\0';  // no filter
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &bgra[(static_cast<size_t>(y) * width + x) * 4];
      raw += static_cast<char>(p[2]);
      raw += static_cast<char>(p[1]);
      raw += static_cast<char>(p[0]);
    }
  }
  uLongf packedSize = ::compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (::compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                  static_cast<uLong>(raw.size()), 9) != Z_OK)
    return false;
  packed.resize(packedSize);
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string header;
  Put32(header, static_cast<uint32_t>(width));
  Put32(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", packed);
  Chunk(png, "IEND", "");
  std::ofstream out(file, std::ios::binary);
  out << png;
  return static_cast<bool>(out);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

// The visible window of this process of that class, once it shows.
HWND WaitFor(const wchar_t* className) {
  for (int i = 0; i < 2000; ++i) {
    struct Search {
      const wchar_t* cls;
      HWND found;
    } s{className, nullptr};
    ::EnumWindows(
        [](HWND w, LPARAM data) -> BOOL {
          auto* wanted = reinterpret_cast<Search*>(data);
          DWORD process = 0;
          ::GetWindowThreadProcessId(w, &process);
          if (process == ::GetCurrentProcessId() && ::IsWindowVisible(w) && ClassOf(w) == wanted->cls)
            wanted->found = w;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return nullptr;
}

void Settle() { std::this_thread::sleep_for(std::chrono::milliseconds(700)); }
void Type(HWND w, int control, const std::wstring& text) {
  ::SendMessageW(::GetDlgItem(w, control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
void Click(HWND w, int control) { ::PostMessageW(::GetDlgItem(w, control), BM_CLICK, 0, 0); }
void WaitGone(HWND w) {
  for (int i = 0; i < 2000 && ::IsWindow(w) && ::IsWindowVisible(w); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

// An empty file, by its wide name: the runtime's narrow streams would take
// the name through the ANSI code page.
void Touch(const fs::path& file) {
  HANDLE h = ::CreateFileW(file.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
}

// A small folder tree for the folder dialog and the picker.
fs::path MakeFolderTree() {
  const fs::path base = fs::temp_directory_path() / "voske-telas" / "Contabilidade" / "OXR";
  for (const char* sub : {"2013-1T", "2013-2T", "Planilhas", "Recibo"}) fs::create_directories(base / sub);
  // Wide names throughout: a narrow one would go through the ANSI code page.
  for (const wchar_t* name : {L"Planilha Padrão 2013-1T.xlsx", L"Planilha Padrão 2013-2T.xlsx"})
    Touch(base / L"Planilhas" / name);
  Touch(base / "2013-2T" / "418723_CADASTRAL_2026-12-10_135738.xml");
  return base;
}

}  // namespace

int main(int argc, char** argv) {
  const voske::programs::ProgramSyntax syntax{
      "voske-screenshots",
      "Uso: voske-screenshots [PASTA]\n"
      "Grava em PASTA (padrão docs\\windows) uma imagem PNG da janela principal em cada\n"
      "modo e de cada diálogo.\n",
      {}, 0, 1};
  if (const auto status = voske::programs::CheckArguments(syntax, argc, argv)) return *status;
  // The folder read from the wide command line, whatever the code page.
  const std::vector<std::string> args = voske::platform::ProgramArguments(argc, argv);
  const fs::path folder = args.empty() ? fs::path("docs") / "windows" : voske::platform::PathOf(args[0]);
  fs::create_directories(folder);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  const fs::path tree = MakeFolderTree();
  bool ok = true;
  auto save = [&](HWND w, const char* name) {
    Settle();
    const fs::path file = folder / name;
    if (!w || !SavePicture(w, file)) {
      std::fprintf(stderr, "voske-screenshots: não foi possível gravar %s\n", file.string().c_str());
      ok = false;
      return;
    }
    std::printf("%s\n", file.string().c_str());
  };

  std::thread photographer([&] {
    HWND main = WaitFor(L"TForm_VOSKE_XML");
    Type(main, id::kWorkbookPath, (tree / L"Planilhas" / L"Planilha Padrão 2013-2T.xlsx").wstring());
    Type(main, id::kDestinationFolder, (tree / "2013-2T").wstring());
    save(main, "janela-geracao.png");

    // The password, asked once the checks have passed.
    Click(main, id::kMainButton);
    HWND password = WaitFor(L"TForm_Senha_OXR");
    Type(password, id::kOxrPassword, L"segredo");
    save(password, "senha.png");
    ::PostMessageW(password, WM_CLOSE, 0, 0);
    WaitGone(password);

    // The workbook picker, on the tree's workbooks.
    ::SetCurrentDirectoryW((tree / "Planilhas").wstring().c_str());
    Click(main, id::kPickWorkbook);
    HWND picker = WaitFor(L"#32770");
    save(picker, "seletor-arquivo.png");
    ::PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    WaitGone(picker);

    Type(main, id::kDestinationFolder, tree.wstring());
    Click(main, id::kPickDestination);
    HWND folders = WaitFor(L"TForm_Pasta");
    save(folders, "pasta.png");
    ::PostMessageW(folders, WM_CLOSE, 0, 0);
    WaitGone(folders);
    Type(main, id::kDestinationFolder, (tree / "2013-2T").wstring());

    // Send mode, with the proxy.
    HWND document = ::GetDlgItem(main, id::kDocumentChoice);
    ::SendMessageW(document, CB_SETCURSEL, 1, 0);
    HWND action = ::GetDlgItem(main, id::kAction);
    ::SendMessageW(action, CB_SETCURSEL, 1, 0);
    ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(id::kAction, CBN_SELCHANGE), reinterpret_cast<LPARAM>(action));
    Click(main, id::kUseProxy);
    HWND proxy = WaitFor(L"TfrmDlgProxy");
    Type(proxy, id::kProxyServer, L"proxy.operadora.local");
    Type(proxy, id::kProxyPort, L"3128");
    Type(proxy, id::kProxyUser, L"contabil");
    Type(proxy, id::kProxyPassword, L"segredo");
    save(proxy, "proxy.png");
    Click(proxy, id::kProxyConfirm);
    WaitGone(proxy);
    Type(main, id::kXmlFilePath, (tree / "2013-2T" / "418723_FINANCEIRO_2026-12-10_135738.xml").wstring());
    save(main, "janela-envio.png");
    Click(main, id::kQuitButton);
    WaitGone(main);

    for (const char* name : {"mensagem-erro.png", "mensagem-informacao.png", "mensagem-avisos.png", "confirmacao.png"}) {
      HWND message = WaitFor(L"_TForm");
      if (::GetDlgItem(message, id::kMoreLink) && std::string(name) == "mensagem-avisos.png") {
        Click(message, id::kMoreLink);
        for (int i = 0; i < 200 && !::GetDlgItem(message, id::kDetailsBox); ++i)
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      save(message, name);
      ::PostMessageW(message, WM_COMMAND, IDCANCEL, 0);
      WaitGone(message);
    }
  });

  PictureTransmission transmission;
  {
    win32::MainForm form(transmission, GenerationServices{});
    form.ShowModal();
  }
  win32::WindowFrontEnd messages;
  messages.ShowError(Ansi("Arquivo não encontrado."));
  messages.ShowInformation(Ansi("XML gerado com sucesso."));
  // Findings after a generation, by worksheet, with their button.
  const FindingList findings = SampleFindings();
  messages.ShowFindings(Ansi("XML gerado com sucesso.") + CR +
                            Ansi("2 avisos de verificação: valores que o esquema da OXR recusa."),
                        MessageIcon::Warning, Ansi("Informação"), findings);
  messages.ConfirmFindings(Ansi("O documento tem 2 avisos de verificação: valores que o esquema da OXR recusa.") +
                               CR + Ansi("Enviar mesmo assim?"),
                           Ansi("Confirmação"), findings);
  photographer.join();
  std::error_code ec;
  fs::remove_all(fs::temp_directory_path() / "voske-telas", ec);
  return ok ? 0 : 1;
}
