// The view's settings in the store that stands for the registry: the firmware-file memory and
// the language ("DspMcu"), the line option ("Line_Set") and the folders of the PC files
// ("PC_File"). Every value is a string, numbers too. Nothing here is reported to the user: a
// value that cannot be read leaves the variable as it was, a folder falls back to documents.
#include "CKRV330View.h"

#include "COutputDlg.h"
#include "Globals.h"
#include "SettingsStore.h"
#include "ShellGlobals.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdlib>
#include <string>

const char* const g_pszDspMcuKey = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\DspMcu";
const char* const g_pszLineSetKey = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\Line_Set";
const char* const g_pszPcFileKey = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\PC_File";

namespace {

const char* const kPcFolderNames[PC_FOLDER_KINDS] = {"File_Path", "AllFile_Path", "Map_Path", "Hex"};
constexpr size_t kPathLimit = 260;      // characters a folder value may hold
constexpr size_t kNameLimit = 300;      // the firmware file's path
constexpr size_t kLanguageLimit = 10;   // "Chinese" / "English"
constexpr size_t kLineSetLimit = 10;

CString Limited(const std::string& text, size_t limit) { return text.substr(0, limit - 1); }

// The leading decimal number of the text, 0 when it does not start with one.
int ParseDecimal(const std::string& text) { return std::atoi(text.c_str()); }

bool ValidKind(int nKind) { return nKind >= 1 && nKind <= PC_FOLDER_KINDS; }

}  // namespace

CString CKRV330View::GetDocumentsFolder()
{
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath();
    return docs.toStdString();
}

BOOL CKRV330View::IsFolderMissing(const CString& path)
{
    if (path.empty())
        return TRUE;
    const QFileInfo info(QString::fromStdString(path));
    return info.exists() && info.isDir() ? FALSE : TRUE;
}

CString CKRV330View::GetPcFileFolder(int nKind) const
{
    return ValidKind(nKind) ? m_szPcFileFolder[nKind - 1] : CString();
}

void CKRV330View::SetPcFileFolder(int nKind, const CString& path)
{
    if (ValidKind(nKind))
        m_szPcFileFolder[nKind - 1] = Limited(path, kPathLimit);
}

// ---------------------------------------------------------------------------------------------
// "DspMcu"

BOOL CKRV330View::LoadDspMcuSettings()
{
    CString& firmwareFolder = m_szPcFileFolder[PC_FOLDER_HEX - 1];
    if (!SettingsStore::KeyExists(g_pszDspMcuKey)) {
        SettingsStore::CreateKey(g_pszDspMcuKey);
        SettingsStore::SetString(g_pszDspMcuKey, "Name", g_strFirmwarePath);
        SettingsStore::SetString(g_pszDspMcuKey, "Path", firmwareFolder);
        SettingsStore::SetString(g_pszDspMcuKey, "Language", g_strLanguage);
        return TRUE;
    }
    if (SettingsStore::HasValue(g_pszDspMcuKey, "Name"))
        g_strFirmwarePath = Limited(SettingsStore::GetString(g_pszDspMcuKey, "Name"), kNameLimit);
    const bool hasPath = SettingsStore::HasValue(g_pszDspMcuKey, "Path");
    const CString path = hasPath ? Limited(SettingsStore::GetString(g_pszDspMcuKey, "Path"), kPathLimit) : CString();
    firmwareFolder = !hasPath || IsFolderMissing(path) ? GetDocumentsFolder() : path;
    if (SettingsStore::HasValue(g_pszDspMcuKey, "Language"))
        g_strLanguage = Limited(SettingsStore::GetString(g_pszDspMcuKey, "Language"), kLanguageLimit);
    return TRUE;
}

BOOL CKRV330View::SaveDspMcuSettings()
{
    // Only an existing key is written; the first load creates it.
    if (!SettingsStore::KeyExists(g_pszDspMcuKey))
        return TRUE;
    SettingsStore::SetString(g_pszDspMcuKey, "Name", g_strFirmwarePath);
    SettingsStore::SetString(g_pszDspMcuKey, "Path", m_szPcFileFolder[PC_FOLDER_HEX - 1]);
    SettingsStore::SetString(g_pszDspMcuKey, "Language", g_strLanguage);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// "Line_Set"

BOOL CKRV330View::LoadLineSetting()
{
    if (!SettingsStore::KeyExists(g_pszLineSetKey)) {
        SettingsStore::CreateKey(g_pszLineSetKey);
        SettingsStore::SetString(g_pszLineSetKey, "Line_Set", std::to_string(g_nLineSet));
        return TRUE;
    }
    if (SettingsStore::HasValue(g_pszLineSetKey, "Line_Set"))
        g_nLineSet = ParseDecimal(Limited(SettingsStore::GetString(g_pszLineSetKey, "Line_Set"), kLineSetLimit));
    return TRUE;
}

BOOL CKRV330View::SaveLineSetting()
{
    if (SettingsStore::KeyExists(g_pszLineSetKey))
        SettingsStore::SetString(g_pszLineSetKey, "Line_Set", std::to_string(g_nLineSet));
    // The response graph shows the line option: redrawn with nothing selected.
    m_OutputPage.DrawGraph(-1);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// "PC_File"

void CKRV330View::WritePcFolder(int nKind)
{
    CString& folder = m_szPcFileFolder[nKind - 1];
    if (folder.empty())
        folder = GetDocumentsFolder();
    SettingsStore::SetString(g_pszPcFileKey, kPcFolderNames[nKind - 1], folder);
}

BOOL CKRV330View::CreatePcFileKeyIfMissing()
{
    if (SettingsStore::KeyExists(g_pszPcFileKey))
        return FALSE;
    SettingsStore::CreateKey(g_pszPcFileKey);
    for (int k = 1; k <= PC_FOLDER_KINDS; ++k) {
        m_szPcFileFolder[k - 1] = GetDocumentsFolder();
        WritePcFolder(k);
    }
    return TRUE;
}

BOOL CKRV330View::LoadPcFileFolders(int nKind)
{
    if (CreatePcFileKeyIfMissing())
        return TRUE;
    if (!ValidKind(nKind))
        return TRUE;
    const char* name = kPcFolderNames[nKind - 1];
    const bool has = SettingsStore::HasValue(g_pszPcFileKey, name);
    const CString path = has ? Limited(SettingsStore::GetString(g_pszPcFileKey, name), kPathLimit) : CString();
    if (!has || IsFolderMissing(path)) {
        m_szPcFileFolder[nKind - 1] = GetDocumentsFolder();
        WritePcFolder(nKind);
    } else {
        m_szPcFileFolder[nKind - 1] = path;
    }
    return TRUE;
}

BOOL CKRV330View::SavePcFileFolders(int nKind)
{
    if (CreatePcFileKeyIfMissing())
        return TRUE;
    if (ValidKind(nKind))
        WritePcFolder(nKind);
    return TRUE;
}
