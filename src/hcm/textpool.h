#ifndef TEXTPOOL_H
#define TEXTPOOL_H

#include <cstddef>

// Memory for the text lists of records read from a file.
//
// Reading a national file creates a few hundred thousand small blocks at once.
// Taken one by one from the heap, each new page of them is faulted in on its
// own, which costs more than parsing the text. The pool hands them out of 2 MB
// chunks that are mapped and filled in one go (as a huge page where the
// system allows), one chunk a thread at a time. A chunk goes back when the
// last block in it is released; a few empty chunks are kept for the next read.
namespace TextPool {

// size bytes aligned to 8, or nullptr when the pool cannot serve them (too
// large, or no pool on this system): the caller then uses the heap.
void* allocate(std::size_t size);
void release(void* block);

} // namespace TextPool

#endif
