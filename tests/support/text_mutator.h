#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <iterator>
#include <random>

// Damages real texts at random for fuzz tests: characters changed, dropped,
// doubled and inserted, pieces of other texts spliced in, numbers made extreme,
// texts cut short. One seed gives one sequence, so a failing input can be made
// again from the seed and its index.
class TextMutator {
public:
    TextMutator(QStringList corpus, QStringList pieces, std::uint64_t seed)
        : corpus_(std::move(corpus)), pieces_(std::move(pieces)), rng_(seed)
    {
    }

    // A corpus text with one to four changes.
    QString next()
    {
        QString s = corpus_[pick(corpus_.size())];
        const int changes = 1 + int(pick(4));
        for (int i = 0; i < changes; ++i) mutate(s);
        return s;
    }

private:
    qsizetype pick(qsizetype n) { return n <= 0 ? 0 : qsizetype(rng_() % std::uint64_t(n)); }

    QChar oddChar()
    {
        static const char16_t chars[] = {u'\'',
                                         u'"',
                                         u'[',
                                         u']',
                                         u'@',
                                         u',',
                                         u';',
                                         u'(',
                                         u')',
                                         u'=',
                                         u'.',
                                         u'-',
                                         u'+',
                                         u'*',
                                         u'/',
                                         u'<',
                                         u'>',
                                         u'!',
                                         u'%',
                                         u'_',
                                         u'#',
                                         u'$',
                                         u'N',
                                         u'0',
                                         u'9',
                                         u'e',
                                         u' ',
                                         u'\n',
                                         u'\t',
                                         u'\r',
                                         u'\0',
                                         u'\x7f',
                                         u'\u00e9',
                                         u'\u00a0',
                                         u'\u200b',
                                         u'\ufeff',
                                         char16_t(0xd800),
                                         char16_t(0xdc00),
                                         u'\uffff'};
        return QChar(chars[pick(std::size(chars))]);
    }

    void mutate(QString& s)
    {
        const qsizetype at = pick(s.size() + 1);
        switch (pick(10)) {
        case 0:  // change one character
            if (at < s.size()) s[at] = oddChar();
            break;
        case 1:  // insert one character
            s.insert(at, oddChar());
            break;
        case 2:  // drop a run
            s.remove(at, 1 + pick(8));
            break;
        case 3:  // double a run
            s.insert(at, s.mid(at, 1 + pick(12)));
            break;
        case 4: {  // a piece of another text
            const QString& other = corpus_[pick(corpus_.size())];
            const qsizetype from = pick(other.size());
            s.insert(at, other.mid(from, 1 + pick(30)));
            break;
        }
        case 5:  // a token or phrase of the dialect
            s.insert(at, pieces_[pick(pieces_.size())]);
            break;
        case 6:  // cut short
            s.truncate(at);
            break;
        case 7:  // a number made extreme
            extremeNumber(s, at);
            break;
        case 8:  // letter case turned over
            for (qsizetype i = at; i < qMin(s.size(), at + 1 + pick(10)); ++i) s[i] = s[i].isUpper() ? s[i].toLower() : s[i].toUpper();
            break;
        default:  // one character many times
            s.insert(at, QString(1 + pick(300), oddChar()));
            break;
        }
    }

    void extremeNumber(QString& s, qsizetype at)
    {
        static const char* const numbers[] = {
            "0",   "-1",        "-0", "2147483648", "-2147483649", "9223372036854775808", "99999999999999999999999", "1e400",
            "1.5", "0.0000001", ".5", "1e",         "00012"};
        qsizetype i = at;
        while (i < s.size() && !s[i].isDigit()) ++i;
        if (i >= s.size()) return;
        qsizetype end = i;
        while (end < s.size() && s[end].isDigit()) ++end;
        s.replace(i, end - i, QString::fromLatin1(numbers[pick(std::size(numbers))]));
    }

    QStringList corpus_;
    QStringList pieces_;
    std::mt19937_64 rng_;
};
