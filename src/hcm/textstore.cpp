#include "textstore.h"

#include <cstring>

TextStore::TextStore(int slotCount) : m_spans(std::size_t(slotCount), Span{0, 0}) {}

quint32 TextStore::store(QByteArrayView text)
{
    // The text may be a view into our own buffer (a field copied onto another
    // field of the same object); appending could move the buffer under it.
    const char* begin = m_bytes.data();
    if (text.data() >= begin && text.data() < begin + m_bytes.size()) {
        const std::string copy(text.data(), std::size_t(text.size()));
        return store(QByteArrayView(copy.data(), qsizetype(copy.size())));
    }
    const auto offset = quint32(m_bytes.size());
    m_bytes.append(text.data(), std::size_t(text.size()));
    return offset;
}

void TextStore::set(int i, QByteArrayView text)
{
    Span& s = m_spans[std::size_t(i)];
    if (text.size() <= qsizetype(s.length)) {
        // Fits where the old text was: overwrite in place (memmove, as the new
        // text may overlap the old one).
        if (!text.isEmpty())
            std::memmove(m_bytes.data() + s.offset, text.data(), std::size_t(text.size()));
        m_garbage += qsizetype(s.length) - text.size();
        s.length = quint32(text.size());
        return;
    }
    m_garbage += s.length;
    const quint32 offset = store(text);
    Span& again = m_spans[std::size_t(i)];
    again.offset = offset;
    again.length = quint32(text.size());
    compactIfWasteful();
}

void TextStore::append(QByteArrayView text)
{
    const quint32 offset = store(text);
    m_spans.push_back(Span{offset, quint32(text.size())});
}

void TextStore::removeAt(int i)
{
    m_garbage += m_spans[std::size_t(i)].length;
    m_spans.erase(m_spans.begin() + i);
    compactIfWasteful();
}

void TextStore::clear()
{
    m_spans.clear();
    m_bytes.clear();
    m_garbage = 0;
}

void TextStore::reserve(int slotCount, qsizetype bytes)
{
    m_spans.reserve(std::size_t(slotCount));
    m_bytes.reserve(std::size_t(bytes));
}

void TextStore::squeeze()
{
    m_spans.shrink_to_fit();
    m_bytes.shrink_to_fit();
}

void TextStore::compactIfWasteful()
{
    // Edits leave dead bytes behind; rebuild once they outweigh the live ones.
    if (m_garbage < 256 || m_garbage * 2 < qsizetype(m_bytes.size()))
        return;
    std::string packed;
    packed.reserve(m_bytes.size() - std::size_t(m_garbage));
    for (Span& s : m_spans) {
        const auto offset = quint32(packed.size());
        packed.append(m_bytes, s.offset, s.length);
        s.offset = offset;
    }
    m_bytes.swap(packed);
    m_garbage = 0;
}
