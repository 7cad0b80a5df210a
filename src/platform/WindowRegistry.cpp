#include "WindowRegistry.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace {

constexpr uintptr_t kSlots = 0x10000;  // slot 0 is never used: a null handle

struct Slot {
    CWnd* pWnd = nullptr;
    uintptr_t generation = 1;  // never 0: a handle with no generation bits is a bare slot number
};

struct Table {
    std::mutex mutex;  // guards everything below
    std::vector<Slot> slots = std::vector<Slot>(kSlots);
    std::deque<uintptr_t> freeSlots;
    uintptr_t nextFresh = 1;
    int live = 0;
};

Table& TheTable()
{
    static Table t;
    return t;
}

// The slot of a handle when the handle names the window living there now; 0 otherwise.
uintptr_t FindSlot(Table& t, HWND hWnd)
{
    const uintptr_t v = reinterpret_cast<uintptr_t>(hWnd);
    const uintptr_t index = v & 0xFFFF;
    const uintptr_t generation = v >> 16;
    if (index == 0 || !t.slots[index].pWnd)
        return 0;
    if (generation != 0 && generation != t.slots[index].generation)
        return 0;
    return index;
}

}  // namespace

HWND WindowRegistry::Register(CWnd* pWnd)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    uintptr_t index;
    if (t.nextFresh < kSlots) {
        index = t.nextFresh++;
    } else if (!t.freeSlots.empty()) {
        index = t.freeSlots.front();
        t.freeSlots.pop_front();
        ++t.slots[index].generation;
    } else {
        return nullptr;
    }
    t.slots[index].pWnd = pWnd;
    ++t.live;
    return reinterpret_cast<HWND>((t.slots[index].generation << 16) | index);
}

void WindowRegistry::Unregister(HWND hWnd)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    const uintptr_t index = FindSlot(t, hWnd);
    if (!index)
        return;
    t.slots[index].pWnd = nullptr;
    t.freeSlots.push_back(index);
    --t.live;
}

CWnd* WindowRegistry::Lookup(HWND hWnd)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    const uintptr_t index = FindSlot(t, hWnd);
    return index ? t.slots[index].pWnd : nullptr;
}

bool WindowRegistry::Exists(HWND hWnd) { return Lookup(hWnd) != nullptr; }

int WindowRegistry::Count()
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    return t.live;
}
