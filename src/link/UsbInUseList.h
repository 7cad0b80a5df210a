// The list of HID device paths held by running copies of the program, kept in the settings
// store under g_pszUsbKey: one string value per held path, named by the path. It keeps two
// copies off one processor before either tries to open it.
//
// The value's data names the claimant: "<pid> <process start> <claim number> <boot id>". A claim
// is in force while that process runs and, inside this process, while the claiming object
// exists; so a claim left behind by a copy that ended without closing its device does not keep
// the device from being used. A value whose data names no claimant is taken as in force.
// User-interface thread.
#pragma once

#include <string>

// "Software\ZQ-ORVANE-GV1.00_GB2312.exe\USB" under the current user's key.
extern const char* const g_pszUsbKey;

class CUsbInUseList {
public:
    CUsbInUseList();
    // Releases this object's claim.
    ~CUsbInUseList();
    CUsbInUseList(const CUsbInUseList&) = delete;
    CUsbInUseList& operator=(const CUsbInUseList&) = delete;

    // Creates the key when it is missing.
    void EnsureKey();
    // Deletes the key with every claim and creates it again empty.
    void Clear();
    // TRUE when no claim in force holds path (a claim of this object holds it too). TRUE also
    // when the key is missing; the key is then created.
    bool IsFree(const std::string& path);
    // Claims path for this object; a claim of another path made before is released first.
    void Claim(const std::string& path);
    // Removes this object's claim, unless another claimant has taken the value over since.
    void Release();
    // The path this object holds, empty when none.
    const std::string& GetClaimedPath() const { return m_strClaimed; }

private:
    const unsigned m_nNumber;  // this object's claim number within the process
    const std::string m_strToken;
    std::string m_strClaimed;
};
