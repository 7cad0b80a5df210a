// The three channel arrays of the scene object: the microphone input, the six music inputs and
// the ten outputs. Each owns its channels, creates them with the scene's fixed set-up (names,
// colours, index, band list) and deletes them with itself.
//
// Thread: as the channels they hold.
#pragma once

#include "CKTV_OutData.h"
#include "CMIC_InData.h"
#include "CMusic_InData.h"
#include "WinTypes.h"

#include <memory>
#include <vector>

template <class T>
class CChannelArray {
public:
    CChannelArray(const CChannelArray&) = delete;
    CChannelArray& operator=(const CChannelArray&) = delete;

    int GetSize() const { return int(m_arChannels.size()); }
    // Element i, or null outside the array.
    T* GetAt(int i) const { return i >= 0 && i < GetSize() ? m_arChannels[size_t(i)].get() : nullptr; }
    // Loads element i from its block of a scene image; nothing outside the array.
    void LoadFromDevice(int i, const BYTE* pBlock)
    {
        if (T* p = GetAt(i))
            p->LoadFromDevice(pBlock);
    }
    // Every stamp of every element.
    void SetAllModified(int v)
    {
        for (auto& p : m_arChannels)
            p->SetAllModified(v);
    }

protected:
    explicit CChannelArray(int nCount)
    {
        for (int i = 0; i < nCount; ++i)
            m_arChannels.push_back(std::make_unique<T>());
    }

    std::vector<std::unique_ptr<T>> m_arChannels;
};

class CKTV_MicRoute : public CChannelArray<CMIC_InData> {
public:
    CKTV_MicRoute();
};

class CKTV_MusicRoute : public CChannelArray<CMusic_InData> {
public:
    CKTV_MusicRoute();
};

class CKTV_OutRoute : public CChannelArray<CKTV_OutData> {
public:
    CKTV_OutRoute();
    // Every stamp of every output, the name stamps included.
    void SetAllModified(int v);
};
