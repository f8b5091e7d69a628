#include "textstore.h"

#include "textpool.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Four-byte spans hold offsets and lengths up to this.
const quint32 kNarrowLimit = 0xffff;

quint32 withRoom(quint64 needed)
{
    return quint32(std::min<quint64>(needed + needed / 2 + 16, 0xffffffffu));
}

} // namespace

TextStore::TextStore(const TextStore& other) : m_size(0)
{
    *this = other;
}

TextStore& TextStore::operator=(const TextStore& other)
{
    if (&other == this)
        return *this;
    clear();
    if (!other.m_block) {
        m_size = other.m_size;
        return *this;
    }
    // Views into the other list; assign sizes the copy exactly.
    const int n = other.size();
    QByteArrayView* texts = new QByteArrayView[std::size_t(n)];
    for (int i = 0; i < n; ++i)
        texts[i] = other.view(i);
    assign(texts, n);
    delete[] texts;
    return *this;
}

TextStore::TextStore(TextStore&& other) noexcept : m_block(other.m_block), m_size(other.m_size)
{
    other.m_block = nullptr;
    other.m_size = 0;
}

TextStore& TextStore::operator=(TextStore&& other) noexcept
{
    if (&other != this) {
        clear();
        m_block = other.m_block;
        m_size = other.m_size;
        other.m_block = nullptr;
        other.m_size = 0;
    }
    return *this;
}

TextStore::~TextStore()
{
    clear();
}

void TextStore::setSpan(Block* block, int i, quint32 offset, quint32 length)
{
    if (block->wide) {
        quint32* s = reinterpret_cast<quint32*>(block + 1) + 2 * i;
        s[0] = offset;
        s[1] = length;
    } else {
        quint16* s = reinterpret_cast<quint16*>(block + 1) + 2 * i;
        s[0] = quint16(offset);
        s[1] = quint16(length);
    }
}

quint32 TextStore::liveBytes() const
{
    return m_block ? m_block->bytesUsed - m_block->garbage : 0;
}

void TextStore::rebuild(quint32 slotCapacity, quint32 byteCapacity, int replace, QByteArrayView replacement,
                        bool pooled)
{
    const bool wide = byteCapacity > kNarrowLimit;
    const std::size_t size = sizeof(Block) + std::size_t(slotCapacity) * (wide ? 8 : 4) + byteCapacity;
    Block* old = m_block;
    void* memory = pooled ? TextPool::allocate(size) : nullptr;
    pooled = memory != nullptr;
    if (!memory)
        memory = ::operator new(size);
    Block* block = static_cast<Block*>(memory);
    *block = Block{slotCapacity, byteCapacity, 0, 0, wide, pooled};
    // Until the old block is freed, its texts (and a replacement pointing
    // into it) stay readable.
    const int count = std::max(int(m_size), replace + 1);
    char* bytes = bytesOf(block);
    for (int i = 0; i < count; ++i) {
        const QByteArrayView text = i == replace ? replacement : (old && i < int(m_size) ? view(i) : QByteArrayView());
        if (!text.isEmpty())
            std::memcpy(bytes + block->bytesUsed, text.data(), std::size_t(text.size()));
        setSpan(block, i, block->bytesUsed, quint32(text.size()));
        block->bytesUsed += quint32(text.size());
    }
    m_block = block;
    freeBlock(old);
}

void TextStore::assign(const QByteArrayView* texts, int count)
{
    quint64 total = 0;
    for (int i = 0; i < count; ++i)
        total += quint64(texts[i].size());
    TextStore built(0);
    built.rebuild(quint32(count), quint32(total), -1, QByteArrayView(), true);
    char* bytes = bytesOf(built.m_block);
    for (int i = 0; i < count; ++i) {
        const QByteArrayView text = texts[i];
        if (!text.isEmpty())
            std::memcpy(bytes + built.m_block->bytesUsed, text.data(), std::size_t(text.size()));
        setSpan(built.m_block, i, built.m_block->bytesUsed, quint32(text.size()));
        built.m_block->bytesUsed += quint32(text.size());
    }
    built.m_size = quint32(count);
    // The texts may point into this list: it goes only now.
    *this = std::move(built);
}

void TextStore::set(int i, QByteArrayView text)
{
    const quint32 length = quint32(text.size());
    if (!m_block) {
        if (length > 0)
            rebuild(m_size, length, i, text);
        return;
    }
    const quint32 old = spanLength(i);
    const quint32 offset = quint32(view(i).data() - bytesOf(m_block));
    if (length <= old) {
        // Fits where the old text was: overwrite in place (memmove, as the new
        // text may overlap the old one).
        if (length > 0)
            std::memmove(bytesOf(m_block) + offset, text.data(), length);
        m_block->garbage += old - length;
        setSpan(m_block, i, offset, length);
        return;
    }
    if (quint64(m_block->bytesUsed) + length <= m_block->byteCapacity) {
        // Into the spare room; a text taken from this list lies before it.
        std::memcpy(bytesOf(m_block) + m_block->bytesUsed, text.data(), length);
        setSpan(m_block, i, m_block->bytesUsed, length);
        m_block->bytesUsed += length;
        m_block->garbage += old;
        compactIfWasteful();
        return;
    }
    rebuild(m_block->slotCapacity, withRoom(quint64(liveBytes()) - old + length), i, text);
}

void TextStore::append(QByteArrayView text)
{
    const quint32 length = quint32(text.size());
    if (m_block && m_size < m_block->slotCapacity
        && quint64(m_block->bytesUsed) + length <= m_block->byteCapacity) {
        std::memcpy(bytesOf(m_block) + m_block->bytesUsed, text.data(), length);
        setSpan(m_block, int(m_size), m_block->bytesUsed, length);
        m_block->bytesUsed += length;
        ++m_size;
        return;
    }
    rebuild(withRoom(m_size + 1u), withRoom(quint64(liveBytes()) + length), int(m_size), text);
    ++m_size;
}

void TextStore::removeAt(int i)
{
    if (m_block) {
        m_block->garbage += spanLength(i);
        const std::size_t spanSize = m_block->wide ? 8 : 4;
        char* spans = reinterpret_cast<char*>(m_block + 1);
        std::memmove(spans + std::size_t(i) * spanSize, spans + std::size_t(i + 1) * spanSize,
                     (m_size - quint32(i) - 1) * spanSize);
    }
    --m_size;
    if (m_block)
        compactIfWasteful();
}

void TextStore::freeBlock(Block* block)
{
    if (block && block->pooled)
        TextPool::release(block);
    else
        ::operator delete(block);
}

void TextStore::clear()
{
    freeBlock(m_block);
    m_block = nullptr;
    m_size = 0;
}

void TextStore::reserve(int slotCount, qsizetype bytes)
{
    const quint32 slotNeed = std::max(quint32(slotCount), m_size);
    const quint32 room = quint32(std::max<qsizetype>(bytes, liveBytes()));
    if (m_block && m_block->slotCapacity >= slotNeed && m_block->byteCapacity >= room)
        return;
    rebuild(slotNeed, room);
}

void TextStore::squeeze()
{
    if (m_block && (m_block->slotCapacity > m_size || m_block->byteCapacity > liveBytes()))
        rebuild(m_size, liveBytes());
}

void TextStore::compactIfWasteful()
{
    // Edits leave dead bytes behind; rebuild once they outweigh the live ones.
    if (m_block->garbage < 256 || quint64(m_block->garbage) * 2 < m_block->bytesUsed)
        return;
    rebuild(m_block->slotCapacity, liveBytes());
}
