#include "textpool.h"

#include <QtGlobal>

#include <atomic>
#include <mutex>
#include <new>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif
#endif

namespace {

const std::size_t kChunkSize = std::size_t(2) << 20;
const std::size_t kHeaderSize = 64;
const std::size_t kLargestBlock = kChunkSize / 8;
const std::size_t kSpareChunks = 8;

// At the start of every chunk, which is aligned to its size, so a block finds
// its chunk from its own address.
struct Chunk
{
    std::atomic<long> users; // blocks handed out, plus one while a thread fills it
};

Chunk* chunkOf(void* block)
{
    return reinterpret_cast<Chunk*>(reinterpret_cast<quintptr>(block) & ~quintptr(kChunkSize - 1));
}

// Never destroyed: records released during the program's exit still reach them.
std::mutex& spareMutex()
{
    static auto* m = new std::mutex;
    return *m;
}

std::vector<Chunk*>& spares()
{
    static auto* list = new std::vector<Chunk*>;
    return *list;
}

#ifdef Q_OS_LINUX
Chunk* mapChunk()
{
    void* raw = mmap(nullptr, 2 * kChunkSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const quintptr begin = quintptr(raw);
    const quintptr start = (begin + kChunkSize - 1) & ~quintptr(kChunkSize - 1);
    if (start > begin)
        munmap(raw, start - begin);
    if (begin + 2 * kChunkSize > start + kChunkSize)
        munmap(reinterpret_cast<void*>(start + kChunkSize), begin + 2 * kChunkSize - start - kChunkSize);
    void* chunk = reinterpret_cast<void*>(start);
    // Both are hints: without them the pages are faulted in as used.
    madvise(chunk, kChunkSize, MADV_HUGEPAGE);
    madvise(chunk, kChunkSize, MADV_POPULATE_WRITE);
    return reinterpret_cast<Chunk*>(chunk);
}

void unmapChunk(Chunk* chunk)
{
    munmap(chunk, kChunkSize);
}
#else
Chunk* mapChunk()
{
    return nullptr;
}

void unmapChunk(Chunk*) {}
#endif

Chunk* takeChunk()
{
    Chunk* chunk = nullptr;
    {
        std::lock_guard<std::mutex> lock(spareMutex());
        if (!spares().empty()) {
            chunk = spares().back();
            spares().pop_back();
        }
    }
    if (!chunk)
        chunk = mapChunk();
    if (chunk)
        new (&chunk->users) std::atomic<long>(1);
    return chunk;
}

void dropUser(Chunk* chunk)
{
    if (chunk->users.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return;
    {
        std::lock_guard<std::mutex> lock(spareMutex());
        if (spares().size() < kSpareChunks) {
            spares().push_back(chunk);
            return;
        }
    }
    unmapChunk(chunk);
}

// The chunk this thread fills.
struct Filling
{
    Chunk* chunk = nullptr;
    std::size_t used = 0;
    ~Filling()
    {
        if (chunk)
            dropUser(chunk);
    }
};

thread_local Filling t_filling;

} // namespace

void* TextPool::allocate(std::size_t size)
{
    size = (size + 7) & ~std::size_t(7);
    if (size > kLargestBlock)
        return nullptr;
    Filling& f = t_filling;
    if (!f.chunk || f.used + size > kChunkSize) {
        Chunk* next = takeChunk();
        if (!next)
            return nullptr;
        if (f.chunk)
            dropUser(f.chunk);
        f.chunk = next;
        f.used = kHeaderSize;
    }
    void* block = reinterpret_cast<char*>(f.chunk) + f.used;
    f.used += size;
    f.chunk->users.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void TextPool::release(void* block)
{
    dropUser(chunkOf(block));
}
