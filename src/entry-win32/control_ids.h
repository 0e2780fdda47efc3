#pragma once
// The control IDs of the Win32 windows, named by what each control does,
// and the one table from the windows' original component names to them. A
// Win32 control has no name of its own: tests and the screenshot program
// find each control by its ID (GetDlgItem), or by its original name through
// the table. IDs are unique across all the windows, so an ID alone says
// which control it is.
namespace voske::win32::control {

// Main window (TForm_VOSKE_XML)
inline constexpr int kMainButton = 101;
inline constexpr int kStatusPageButton = 102;
inline constexpr int kQuitButton = 103;
inline constexpr int kDocumentLabel = 111;
inline constexpr int kActionLabel = 112;
inline constexpr int kWorkbookLabel = 113;
inline constexpr int kDestinationLabel = 114;
inline constexpr int kXmlFileLabel = 115;
inline constexpr int kDocumentChoice = 121;
inline constexpr int kAction = 122;
inline constexpr int kUseProxy = 123;
inline constexpr int kWorkbookPath = 124;
inline constexpr int kPickWorkbook = 125;
inline constexpr int kDestinationFolder = 126;
inline constexpr int kPickDestination = 127;
inline constexpr int kXmlFilePath = 128;
inline constexpr int kPickXmlFile = 129;
inline constexpr int kStatusLine = 131;
inline constexpr int kStatusBar = 132;

// Password dialog (TForm_Senha_OXR)
inline constexpr int kPasswordPrompt = 201;
inline constexpr int kOxrPassword = 202;
inline constexpr int kShowCharacters = 203;
inline constexpr int kPasswordOk = 204;

// Proxy dialog (TfrmDlgProxy)
inline constexpr int kProxyServerLabel = 301;
inline constexpr int kProxyServer = 302;
inline constexpr int kProxyPortLabel = 303;
inline constexpr int kProxyPort = 304;
inline constexpr int kProxyUserLabel = 305;
inline constexpr int kProxyUser = 306;
inline constexpr int kProxyPasswordLabel = 307;
inline constexpr int kProxyPassword = 308;
inline constexpr int kProxyConfirm = 309;

// Folder dialog (TForm_Pasta)
inline constexpr int kFolderCaption = 401;
inline constexpr int kFolderList = 402;
inline constexpr int kFolderConfirm = 403;
inline constexpr int kFolderChosen = 404;  // the folder "Confirmar" takes (no original)

// Message dialog (ShowMessageDialog): the buttons take 510 + their entry in
// the button table ("&Sim" 510, "&Não" 511, "&OK" 512...).
inline constexpr int kMessageIcon = 501;
inline constexpr int kMessageText = 502;
inline constexpr int kMoreLink = 503;
inline constexpr int kDetailsBox = 504;
inline constexpr int kSaveFindings = 505;  // "Salvar avisos...", beside "Ver mais..." (no original)
inline constexpr int kMessageButtonBase = 510;

// Original component name -> control ID. Names repeat across windows
// ("Label1", "BitBtn3"): each window's entries are in the order of the
// window, main window first.
struct ComponentId {
  const char* name;
  int id;
};
inline constexpr ComponentId kComponents[] = {
    {"B_Gerar_Arquivo", kMainButton},
    {"SpeedButton1", kStatusPageButton},
    {"Sair", kQuitButton},
    {"Label4", kDocumentLabel},
    {"Label5", kActionLabel},
    {"Label1", kWorkbookLabel},
    {"Label2", kDestinationLabel},
    {"Label3", kXmlFileLabel},
    {"ComboBox1", kDocumentChoice},
    {"ComboBox2", kAction},
    {"chkUtilizarProxy", kUseProxy},
    {"FilenameEdit1", kWorkbookPath},
    {"SpeedButton2", kPickWorkbook},
    {"DirectoryEdit1", kDestinationFolder},
    {"SpeedButton4", kPickDestination},
    {"fneArquivoXML", kXmlFilePath},
    {"SpeedButton3", kPickXmlFile},
    {"LB_Status", kStatusLine},
    {"StatusBar1", kStatusBar},
    {"Label1", kPasswordPrompt},
    {"MaskEdit1", kOxrPassword},
    {"CheckBox1", kShowCharacters},
    {"BitBtn3", kPasswordOk},
    {"Label5", kProxyServerLabel},
    {"Edit5", kProxyServer},
    {"Label6", kProxyPortLabel},
    {"Edit6", kProxyPort},
    {"Label8", kProxyUserLabel},
    {"Edit8", kProxyUser},
    {"Label7", kProxyPasswordLabel},
    {"Edit7", kProxyPassword},
    {"BitBtn3", kProxyConfirm},
    {"Label1", kFolderCaption},
    {"DirectoryListBox1", kFolderList},
    {"BitBtn3", kFolderConfirm},
    {"Icone", kMessageIcon},
    {"M", kMessageText},
    {"VM", kMoreLink},
    {"MemoVM", kDetailsBox},
};

}  // namespace voske::win32::control
