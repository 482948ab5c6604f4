#pragma once

// Random inputs for the readers of files and texts that come from outside the program: each
// case is made from its own seed, so a failure names the seed that gives it again. Counts
// stay small (a few hundred cases a reader), so the whole suite stays quick under the
// sanitizers too.

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

#include <initializer_list>

namespace tamevo::test {

class HostileInput {
public:
    explicit HostileInput(quint32 seed) : random_(seed) {}

    int number(int from, int to) { return int(random_.bounded(qint64(from), qint64(to) + 1)); }
    bool chance(int percent) { return number(1, 100) <= percent; }

    template <typename T>
    T pick(std::initializer_list<T> choices)
    {
        return *(choices.begin() + number(0, int(choices.size()) - 1));
    }

    // Bytes of any value, up to `maxSize` of them.
    QByteArray bytes(int maxSize)
    {
        QByteArray data(number(0, maxSize), Qt::Uninitialized);
        for (char& c : data) {
            c = char(random_.bounded(256));
        }
        return data;
    }

    // Text as a hostile or damaged file gives it: letters, digits, signs, separators of every
    // kind, Turkish letters, control characters, lone surrogates and characters outside the
    // basic plane, now and then in a long run.
    QString text(int maxLength)
    {
        static const char16_t pieces[] = {
            u'0',    u'9',   u'5',   u'-',   u'+',   u'.',   u',',   u'=',   u'[', u']', u'"',
            u'\'',   u'%',   u'\\',  u'/',   u' ',   u'\t',  u'\r',  u'\n',  u'#', u'(', u')',
            u'a',    u'Z',   u'e',   u'E',   u'x',   u'İ',   u'ı',   u'ş',   u'Ğ', u'ç', u'\0',
            u'\x7f', 0x00A0, 0x202E, 0xFEFF, 0xD800, 0xDFFF, 0xFFFD, 0xFFFF, u'٣', u'٫'};
        QString out;
        const int length = number(0, maxLength);
        while (out.size() < length) {
            if (chance(3)) {
                out +=
                    QString(number(1, 5000), QChar(pieces[number(0, int(std::size(pieces)) - 1)]));
            } else if (chance(2)) {
                out += QString::fromUcs4(U"\U0001F4B0");
            } else {
                out += QChar(pieces[number(0, int(std::size(pieces)) - 1)]);
            }
        }
        return out;
    }

    // A damaged copy of `good`: cut short, bytes changed, bytes inserted or removed, a part
    // repeated, or a long run of one byte written over it.
    QByteArray damaged(const QByteArray& good)
    {
        QByteArray data = good;
        const int changes = number(1, 4);
        for (int i = 0; i < changes; ++i) {
            const int at = data.isEmpty() ? 0 : number(0, int(data.size()) - 1);
            switch (number(0, 5)) {
                case 0:
                    data.truncate(at);
                    break;
                case 1:
                    if (!data.isEmpty()) {
                        data[at] = char(data[at] ^ char(1 << number(0, 7)));
                    }
                    break;
                case 2:
                    data.insert(at, bytes(16));
                    break;
                case 3:
                    data.remove(at, number(1, 64));
                    break;
                case 4:
                    data.insert(at, data.mid(at, number(1, 256)).repeated(number(2, 50)));
                    break;
                default:
                    data.replace(at, number(1, 300),
                                 QByteArray(number(1, 300), pick({'\0', '\xff', 'A', '\n'})));
                    break;
            }
        }
        return data;
    }

private:
    QRandomGenerator random_;
};

}  // namespace tamevo::test
