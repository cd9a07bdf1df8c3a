#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace desktop::help {

// The words of a text for the help search: runs of letters and digits, in lower case;
// every other character (blank, punctuation, "/", "-") separates words. "Get Lat/Lon"
// gives get, lat, lon.
QStringList TopicWords(const QString& text);

// Whether a page whose text is pageText holds every one of words as a whole word:
// "all" is found in "All datasets", not in "install".
bool HoldsAllWords(const QString& pageText, const QStringList& words);

} // namespace desktop::help
