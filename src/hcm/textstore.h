#ifndef TEXTSTORE_H
#define TEXTSTORE_H

#include <QByteArrayView>
#include <QtGlobal>

// A compact list of 8-bit texts kept byte for byte in one heap block.
//
// National files hold a hundred thousand stations of some two hundred short
// fields each; one heap object per field would cost several times the file's
// size, and on a fresh heap every page touched costs time. Here a list is one
// block: the spans (offset and length) followed by the bytes. While the bytes
// fit 64 KB a span takes four bytes, else eight. A list read from a file is
// built in one exact allocation (assign) from a pool of large chunks; edits
// grow it on the heap as needed.
class TextStore
{
public:
    explicit TextStore(int slotCount = 0) : m_size(quint32(slotCount)) {}
    TextStore(const TextStore& other);
    TextStore& operator=(const TextStore& other);
    TextStore(TextStore&& other) noexcept;
    TextStore& operator=(TextStore&& other) noexcept;
    ~TextStore();

    int size() const { return int(m_size); }
    QByteArrayView view(int i) const
    {
        if (!m_block)
            return QByteArrayView();
        const char* bytes = bytesOf(m_block);
        if (m_block->wide) {
            const quint32* s = reinterpret_cast<const quint32*>(m_block + 1) + 2 * i;
            return QByteArrayView(bytes + s[0], qsizetype(s[1]));
        }
        const quint16* s = reinterpret_cast<const quint16*>(m_block + 1) + 2 * i;
        return QByteArrayView(bytes + s[0], qsizetype(s[1]));
    }
    void set(int i, QByteArrayView text);
    void append(QByteArrayView text);
    // Replaces the whole list by count texts, sized exactly; the texts may be
    // views into this list.
    void assign(const QByteArrayView* texts, int count);
    void removeAt(int i);
    void clear();
    void reserve(int slotCount, qsizetype bytes);
    // Gives back spare capacity once a text list is complete.
    void squeeze();

private:
    struct Block
    {
        quint32 slotCapacity;
        quint32 byteCapacity;
        quint32 bytesUsed;
        quint32 garbage;
        bool wide;
        bool pooled; // from the pool of lists read from files (textpool.h)
    };
    static const char* bytesOf(const Block* b)
    {
        return reinterpret_cast<const char*>(b + 1) + std::size_t(b->slotCapacity) * (b->wide ? 8 : 4);
    }
    static char* bytesOf(Block* b) { return const_cast<char*>(bytesOf(static_cast<const Block*>(b))); }
    static void setSpan(Block* block, int i, quint32 offset, quint32 length);
    quint32 spanLength(int i) const { return quint32(view(i).size()); }
    quint32 liveBytes() const;
    // Moves the texts into a new block of the given capacities, text
    // `replace` becoming `replacement` on the way.
    void rebuild(quint32 slotCapacity, quint32 byteCapacity, int replace = -1,
                 QByteArrayView replacement = QByteArrayView(), bool pooled = false);
    void compactIfWasteful();
    static void freeBlock(Block* block);

    Block* m_block = nullptr; // none: all m_size texts are empty
    quint32 m_size;
};

#endif
