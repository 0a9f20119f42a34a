// Global memory blocks. A movable block is reached through a handle that
// GlobalLock turns into its address; a fixed block's handle is its address.
// Handles that were never given out, or were freed, are refused, not followed.
#include <windows.h>

#include "crt/faults.h"

#include <algorithm>
#include <map>
#include <memory>
#include <new>

namespace {

struct Block {
    std::unique_ptr<unsigned char[]> data;
    SIZE_T size = 0;
    bool moveable = false;
    int locks = 0;
};

// Keyed by handle: a movable block's handle is the Block itself.
std::map<HGLOBAL, std::unique_ptr<Block>> g_blocks;

Block *find_block(HGLOBAL handle)
{
    auto it = g_blocks.find(handle);
    return it == g_blocks.end() ? nullptr : it->second.get();
}

}   // namespace

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    if (faults::should_fail(faults::Call::GlobalAlloc)) return nullptr;
    auto block = std::make_unique<Block>();
    // Windows hands out a block even for 0 bytes; so do we, one byte long.
    block->data.reset(new (std::nothrow) unsigned char[dwBytes ? dwBytes : 1]);
    if (!block->data) return nullptr;
    if (uFlags & GMEM_ZEROINIT) std::fill_n(block->data.get(), dwBytes ? dwBytes : 1, 0);
    block->size = dwBytes;
    block->moveable = (uFlags & GMEM_MOVEABLE) != 0;
    HGLOBAL handle = block->moveable ? static_cast<HGLOBAL>(block.get()) : static_cast<HGLOBAL>(block->data.get());
    g_blocks[handle] = std::move(block);
    return handle;
}

LPVOID WINAPI GlobalLock(HGLOBAL hMem)
{
    Block *block = find_block(hMem);
    if (!block) return nullptr;
    if (block->moveable) ++block->locks;
    return block->data.get();
}

BOOL WINAPI GlobalUnlock(HGLOBAL hMem)
{
    Block *block = find_block(hMem);
    if (!block || !block->moveable || block->locks == 0) return FALSE;
    return --block->locks > 0 ? TRUE : FALSE;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL hMem)
{
    // NULL on success, the handle itself on failure.
    if (g_blocks.erase(hMem) == 0) return hMem;
    return nullptr;
}
