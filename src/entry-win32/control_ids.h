#pragma once
// The one table from the windows' original component names to the control
// IDs that stand for them in the Win32 windows. A Win32 control has no name
// of its own: tests and the screenshot program find each control by its ID
// (GetDlgItem), while the code names every control and handler by what it
// does. IDs are unique across all the windows, so an ID alone says which
// control it is.
namespace voske::win32::control {

// Main window (TForm_VOSKE_XML)
inline constexpr int kMainButton = 101;         // B_Gerar_Arquivo
inline constexpr int kStatusPageButton = 102;   // SpeedButton1
inline constexpr int kQuitButton = 103;         // Sair
inline constexpr int kDocumentLabel = 111;      // Label4
inline constexpr int kActionLabel = 112;        // Label5
inline constexpr int kWorkbookLabel = 113;      // Label1
inline constexpr int kDestinationLabel = 114;   // Label2
inline constexpr int kXmlFileLabel = 115;       // Label3
inline constexpr int kDocumentKind = 121;       // ComboBox1
inline constexpr int kAction = 122;             // ComboBox2
inline constexpr int kUseProxy = 123;           // chkUtilizarProxy
inline constexpr int kWorkbookPath = 124;       // FilenameEdit1
inline constexpr int kPickWorkbook = 125;       // SpeedButton2
inline constexpr int kDestinationFolder = 126;  // DirectoryEdit1
inline constexpr int kPickDestination = 127;    // SpeedButton4
inline constexpr int kXmlFilePath = 128;        // fneArquivoXML
inline constexpr int kPickXmlFile = 129;        // SpeedButton3
inline constexpr int kStatusLine = 131;         // LB_Status
inline constexpr int kStatusBar = 132;          // StatusBar1

// Password dialog (TForm_Senha_OXR)
inline constexpr int kPasswordPrompt = 201;     // Label1
inline constexpr int kOxrPassword = 202;        // MaskEdit1
inline constexpr int kShowCharacters = 203;     // CheckBox1
inline constexpr int kPasswordOk = 204;         // BitBtn3

// Proxy dialog (TfrmDlgProxy)
inline constexpr int kProxyServerLabel = 301;   // Label5
inline constexpr int kProxyServer = 302;        // Edit5
inline constexpr int kProxyPortLabel = 303;     // Label6
inline constexpr int kProxyPort = 304;          // Edit6
inline constexpr int kProxyUserLabel = 305;     // Label8
inline constexpr int kProxyUser = 306;          // Edit8
inline constexpr int kProxyPasswordLabel = 307; // Label7
inline constexpr int kProxyPassword = 308;      // Edit7
inline constexpr int kProxyConfirm = 309;       // BitBtn3

// Folder dialog (TForm_Pasta)
inline constexpr int kFolderCaption = 401;      // Label1
inline constexpr int kFolderList = 402;         // DirectoryListBox1
inline constexpr int kFolderConfirm = 403;      // BitBtn3
inline constexpr int kFolderChosen = 404;       // the folder "Confirmar" takes (no original)

// Message dialog (ShowMessageDialog): the buttons take 510 + their entry in
// the button table ("&Sim" 510, "&Não" 511, "&OK" 512...).
inline constexpr int kMessageIcon = 501;        // Icone
inline constexpr int kMessageText = 502;        // M
inline constexpr int kMoreLink = 503;           // VM
inline constexpr int kDetailsBox = 504;         // MemoVM
inline constexpr int kMessageButtonBase = 510;

}  // namespace voske::win32::control
