// CGridCtrl: the comma-separated text file. One line per row (row 0 first), the texts of a row
// joined by single commas, each line ended by CR LF; nothing is quoted, so a text holding a
// comma or a line break comes back split. Only texts are stored.
#include "CGridCtrl.h"

#include "Globals.h"
#include "MessageBox.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The platform's report of a file that would not open, naming the cause.
void ReportFileError(LPCTSTR filename, int nError)
{
    const CString text = CString(filename) + "\n" + std::strerror(nError);
    AfxMessageBox(text, MB_OK, g_bChinese ? -2 : -3);
}

// The fields of one line: up to each comma, and the rest after the last one (empty fields
// included; a line with nothing in it is one empty field).
std::vector<CString> SplitFields(const CString& line)
{
    std::vector<CString> fields;
    size_t from = 0;
    for (size_t comma = line.find(','); comma != CString::npos; comma = line.find(',', from)) {
        fields.push_back(line.substr(from, comma - from));
        from = comma + 1;
    }
    fields.push_back(line.substr(from));
    return fields;
}

}  // namespace

BOOL CGridCtrl::Save(LPCTSTR filename)
{
    FilePtr file(filename ? std::fopen(filename, "wb") : nullptr);
    if (!file) {
        ReportFileError(filename ? filename : "", filename ? errno : ENOENT);
        return FALSE;
    }
    for (int row = 0; row < m_nRowCount; ++row) {
        CString line;
        for (int col = 0; col < m_nColumnCount; ++col) {
            if (col)
                line += ',';
            line += GetItemText(row, col);
        }
        line += "\r\n";
        if (std::fwrite(line.data(), 1, line.size(), file.get()) != line.size())
            return FALSE;
    }
    return std::fclose(file.release()) == 0 ? TRUE : FALSE;
}

BOOL CGridCtrl::Load(LPCTSTR filename)
{
    FilePtr file(filename ? std::fopen(filename, "rb") : nullptr);
    if (!file) {
        ReportFileError(filename ? filename : "", filename ? errno : ENOENT);
        return FALSE;
    }
    DeleteAllCells();

    // Whole lines, however long: a line ends at LF, and a CR before it belongs to the line end.
    // The last line needs no line end.
    CString line;
    bool first = true;
    bool pending = false;
    auto takeLine = [&]() {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::vector<CString> fields = SplitFields(line);
        if (first) {
            for (const CString& field : fields)
                InsertColumn(field.c_str(), DT_CENTER | DT_VCENTER | DT_SINGLELINE, -1);
            first = false;
        } else {
            const int row = InsertRow(fields[0].c_str(), -1);
            for (size_t i = 1; row >= 0 && i < fields.size() && int(i) < m_nColumnCount; ++i)
                SetItemText(row, int(i), fields[i].c_str());
        }
        line.clear();
        pending = false;
    };
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        for (size_t i = 0; i < n; ++i) {
            if (buffer[i] == '\n') {
                takeLine();
            } else {
                line += buffer[i];
                pending = true;
            }
        }
    }
    if (std::ferror(file.get()))
        return FALSE;
    if (pending)
        takeLine();
    AutoSizeColumns();
    return TRUE;
}
