#include "TopicWords.h"

#include <algorithm>

namespace desktop::help {

namespace {
bool wordCharacter(QChar c) {
    return c.isLetterOrNumber() || c.isMark();
}
} // namespace

QStringList TopicWords(const QString& text) {
    QStringList words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool inWord = i < text.size() && wordCharacter(text.at(i));
        if (inWord && start < 0)
            start = i;
        if (!inWord && start >= 0) {
            words.push_back(text.mid(start, i - start).toLower());
            start = -1;
        }
    }
    return words;
}

bool HoldsAllWords(const QString& pageText, const QStringList& words) {
    const QStringList pageWords = TopicWords(pageText);
    const QSet<QString> present(pageWords.begin(), pageWords.end());
    return std::all_of(words.begin(), words.end(),
                       [&](const QString& word) { return present.contains(word); });
}

} // namespace desktop::help
