#ifndef TEXTSTORE_H
#define TEXTSTORE_H

#include <QByteArrayView>
#include <QtGlobal>

#include <string>
#include <vector>

// A compact list of 8-bit texts kept byte for byte in one buffer.
//
// National files hold a hundred thousand stations of some two hundred short
// fields each; one heap object per field would cost several times the file's
// size. Here every text is a span of one shared buffer, so a record costs about
// its line length plus eight bytes a field.
class TextStore
{
public:
    explicit TextStore(int slotCount = 0);

    int size() const { return int(m_spans.size()); }
    QByteArrayView view(int i) const
    {
        const Span& s = m_spans[std::size_t(i)];
        return QByteArrayView(m_bytes.data() + s.offset, qsizetype(s.length));
    }
    void set(int i, QByteArrayView text);
    void append(QByteArrayView text);
    void removeAt(int i);
    void clear();
    void reserve(int slotCount, qsizetype bytes);
    // Gives back spare capacity once a text list is complete (after reading a line).
    void squeeze();

private:
    struct Span
    {
        quint32 offset;
        quint32 length;
    };
    quint32 store(QByteArrayView text);
    void compactIfWasteful();

    std::vector<Span> m_spans;
    std::string m_bytes;
    qsizetype m_garbage = 0;
};

#endif
