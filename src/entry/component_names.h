#pragma once
// The one table from the windows' original component names to the members
// that hold those widgets. A component name is only ever the widget's Qt
// object name: tests and the screenshot program find widgets by it, while
// the code names every widget and handler by what it does.
namespace voske::component {

// Main window (TForm_VOSKE_XML)        member
inline constexpr char kToolbar[] = "Panel1";                    // toolbar_
inline constexpr char kMainButton[] = "B_Gerar_Arquivo";        // mainButton_
inline constexpr char kStatusPageButton[] = "SpeedButton1";     // statusPageButton_
inline constexpr char kQuitButton[] = "Sair";                   // quitButton_
inline constexpr char kFieldsPanel[] = "Panel2";                // fields_
inline constexpr char kDocumentLabel[] = "Label4";              // documentLabel_
inline constexpr char kActionLabel[] = "Label5";                // actionLabel_
inline constexpr char kWorkbookLabel[] = "Label1";              // workbookLabel_
inline constexpr char kDestinationLabel[] = "Label2";           // destinationLabel_
inline constexpr char kXmlFileLabel[] = "Label3";               // xmlFileLabel_
inline constexpr char kDocumentKind[] = "ComboBox1";            // documentKind_
inline constexpr char kAction[] = "ComboBox2";                  // action_
inline constexpr char kUseProxy[] = "chkUtilizarProxy";         // useProxy_
inline constexpr char kWorkbookPath[] = "FilenameEdit1";        // workbookPath_
inline constexpr char kDestinationFolder[] = "DirectoryEdit1";  // destinationFolder_
inline constexpr char kXmlFilePath[] = "fneArquivoXML";         // xmlFilePath_
inline constexpr char kPickWorkbook[] = "SpeedButton2";         // pickWorkbook_
inline constexpr char kPickDestination[] = "SpeedButton4";      // pickDestination_
inline constexpr char kPickXmlFile[] = "SpeedButton3";          // pickXmlFile_
inline constexpr char kStatusLine[] = "LB_Status";              // statusLine_
inline constexpr char kStatusBar[] = "StatusBar1";              // statusBar_
inline constexpr char kFileDialog[] = "OpenDialog1";            // fileDialog_

// Password dialog (TForm_Senha_OXR)
inline constexpr char kPasswordPrompt[] = "Label1";             // prompt_
inline constexpr char kOxrPassword[] = "MaskEdit1";             // password_
inline constexpr char kShowCharacters[] = "CheckBox1";          // showCharacters_
inline constexpr char kPasswordOk[] = "BitBtn3";                // ok_

// Proxy dialog (TfrmDlgProxy)
inline constexpr char kProxyServerLabel[] = "Label5";           // serverLabel_
inline constexpr char kProxyServer[] = "Edit5";                 // server_
inline constexpr char kProxyPortLabel[] = "Label6";             // portLabel_
inline constexpr char kProxyPort[] = "Edit6";                   // port_
inline constexpr char kProxyUserLabel[] = "Label8";             // userLabel_
inline constexpr char kProxyUser[] = "Edit8";                   // user_
inline constexpr char kProxyPasswordLabel[] = "Label7";         // passwordLabel_
inline constexpr char kProxyPassword[] = "Edit7";               // proxyPassword_
inline constexpr char kProxyConfirm[] = "BitBtn3";              // confirm_

// Folder dialog (TForm_Pasta)
inline constexpr char kFolderCaption[] = "Label1";              // caption_
inline constexpr char kFolderList[] = "DirectoryListBox1";      // folders_
inline constexpr char kFolderConfirm[] = "BitBtn3";             // confirm_

// Message dialog (ShowMessageDialog)
inline constexpr char kMessageIcon[] = "Icone";                 // icon
inline constexpr char kMessageText[] = "M";                     // text
inline constexpr char kMoreLink[] = "VM";                       // moreLink
inline constexpr char kDetailsBox[] = "MemoVM";                 // detailsBox
// With findings (BuildFindingsDialog)
inline constexpr char kSaveFindings[] = "SalvarAvisos";         // bottomButton
inline constexpr char kFindingsFileDialog[] = "SaveDialogAvisos";  // SaveFindings' picker

}  // namespace voske::component
