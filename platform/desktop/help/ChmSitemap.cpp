#include "ChmSitemap.h"

#include <QRegularExpression>

namespace desktop::help {

namespace {

// The character references a sitemap's attribute values may hold.
QString decodeEntities(QString text) {
    if (!text.contains(u'&'))
        return text;
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

} // namespace

std::vector<SitemapEntry> ParseSitemap(const QString& html) {
    static const QRegularExpression tag(QStringLiteral("<\\s*(/?)(ul|object|param)\\b([^>]*)>"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attribute(
        QStringLiteral("(name|value)\\s*=\\s*(\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
        QRegularExpression::CaseInsensitiveOption);

    std::vector<SitemapEntry> top;
    // The lists being filled, innermost last; an entry opened by <OBJECT> is added to
    // the innermost list when </OBJECT> closes it.
    std::vector<std::vector<SitemapEntry>*> lists = {&top};
    SitemapEntry current;
    bool inObject = false;
    for (auto match = tag.globalMatch(html); match.hasNext();) {
        const auto found = match.next();
        const bool closing = !found.captured(1).isEmpty();
        const QString name = found.captured(2).toLower();
        if (name == u"ul") {
            if (closing) {
                if (lists.size() > 1)
                    lists.pop_back();
            } else if (!lists.back()->empty()) {
                lists.push_back(&lists.back()->back().children);
            } else if (lists.size() > 1 || !top.empty()) {
                lists.push_back(lists.back()); // a list with no entry to hang under
            }
        } else if (name == u"object") {
            if (!closing) {
                current = {};
                inObject = true;
            } else if (inObject) {
                inObject = false;
                if (!current.name.isEmpty() || !current.local.isEmpty())
                    lists.back()->push_back(current);
            }
        } else if (inObject) {
            QString key, value;
            for (auto a = attribute.globalMatch(found.captured(3)); a.hasNext();) {
                const auto part = a.next();
                const QString text =
                    decodeEntities(part.captured(3) + part.captured(4) + part.captured(5));
                if (part.captured(1).compare(u"name", Qt::CaseInsensitive) == 0)
                    key = text;
                else
                    value = text;
            }
            if (key.compare(u"Name", Qt::CaseInsensitive) == 0 && current.name.isEmpty())
                current.name = value;
            else if (key.compare(u"Local", Qt::CaseInsensitive) == 0)
                current.local = value;
        }
    }
    return top;
}

} // namespace desktop::help
