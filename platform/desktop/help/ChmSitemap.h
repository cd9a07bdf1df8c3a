#pragma once

#include <QString>
#include <vector>

namespace desktop::help {

// One entry of a help file's contents (.hhc) or index (.hhk): a name, the topic it
// opens, and the entries nested under it.
struct SitemapEntry {
    QString name;
    QString local;
    std::vector<SitemapEntry> children;
};

// Reads the sitemap HTML of a contents or index file: <OBJECT type="text/sitemap">
// entries with "Name" and "Local" parameters, nested by <UL> lists.
std::vector<SitemapEntry> ParseSitemap(const QString& html);

} // namespace desktop::help
